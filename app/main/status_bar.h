// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QDateTime>
#include <QStatusBar>

#include <array>
#include <functional>
#include <string_view>

class QLabel;
class QTimer;

namespace zembrel {

// What panel 1 shows, always.
inline constexpr std::string_view kStatusText = "状态";

// The status bar `sbStatusBar`: a fixed status text, then the date and the
// time, which keep themselves current. No operation writes to it.
class StatusBar final : public QStatusBar {
    Q_OBJECT

public:
    using Clock = std::function<QDateTime()>;

    explicit StatusBar(QWidget* parent = nullptr, Clock clock = &QDateTime::currentDateTime);

    // The text of panel 1, 2 or 3, left to right.
    QString panelText(int panel) const;
    QLabel* panel(int panel) const;

    // Reads the clock again; a test's clock replaces the system's.
    void setClock(Clock clock);

    // How long from `now` until the minute changes, so the clock wakes once a minute.
    static int msecsToNextMinute(QTime now);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void placePanels();
    void refresh();

    Clock clock_;
    std::array<QLabel*, 3> panels_{};
    QTimer* minuteTimer_;
};

} // namespace zembrel
