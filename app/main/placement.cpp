// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "placement.h"

#include <QScreen>

#include <algorithm>

namespace zembrel {

namespace {

constexpr int kGap = 8;

} // namespace

void PlaceBeside(QWidget& window, QWidget& main, QSize preferred)
{
    const QScreen* screen = main.screen();
    if (screen == nullptr) {
        window.resize(preferred);
        return;
    }
    const QRect available = screen->availableGeometry();
    const QRect mainFrame = main.frameGeometry();
    // The title bar and frame take some of the room: as much as the main
    // window's, which is already shown.
    const QMargins frame(main.geometry().left() - mainFrame.left(), main.geometry().top() - mainFrame.top(),
                         mainFrame.right() - main.geometry().right(), mainFrame.bottom() - main.geometry().bottom());
    const QSize size(std::min(preferred.width(), available.width() - frame.left() - frame.right()),
                     std::min(preferred.height(), available.height() - frame.top() - frame.bottom()));
    window.resize(size);
    const int width = size.width() + frame.left() + frame.right();
    int x = mainFrame.right() + kGap;
    if (x + width > available.right() + 1) {
        if (mainFrame.left() - kGap - width >= available.left()) {
            x = mainFrame.left() - kGap - width;
        } else if (mainFrame.width() + kGap + width <= available.width()) {
            // Neither side has room, the screen has: the two side by side, centred.
            const int left = available.left() + (available.width() - mainFrame.width() - kGap - width) / 2;
            main.move(left, main.y());
            x = left + mainFrame.width() + kGap;
        } else {
            x = available.right() + 1 - width;
        }
    }
    const int height = size.height() + frame.top() + frame.bottom();
    const int y
        = std::clamp(mainFrame.top(), available.top(), std::max(available.top(), available.bottom() + 1 - height));
    // move() places the frame.
    window.move(x, y);
}

} // namespace zembrel
