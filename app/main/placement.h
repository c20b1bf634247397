// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QSize>
#include <QWidget>

namespace zembrel {

// Sizes a window of the program (at most `preferred`, within the screen)
// and places it beside the main window, on the right where there is room,
// else on the left, else the two side by side.
void PlaceBeside(QWidget& window, QWidget& main, QSize preferred);

} // namespace zembrel
