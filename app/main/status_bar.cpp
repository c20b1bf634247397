// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "status_bar.h"

#include "layout.h"
#include "qt_text.h"

#include <QLabel>
#include <QLocale>
#include <QTimer>

#include <algorithm>
#include <array>
#include <string_view>
#include <utility>

namespace zembrel {

namespace {

// What a screen reader says each panel is. The bar itself has no name: its
// role is what screen readers call it, and a name would say it twice.
constexpr std::array<std::string_view, 3> kPanelDescriptions{"状态", "日期", "时间"};

// A panel's accessible name is its text, kept current as the clock moves
// on; the description says which panel it is.
QLabel* makePanel(const QString& text, const QString& description, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    label->setAccessibleDescription(description);
    return label;
}

} // namespace

StatusBar::StatusBar(QWidget* parent, Clock clock)
    : QStatusBar(parent), clock_(std::move(clock)), minuteTimer_(new QTimer(this))
{
    setObjectName(QStringLiteral("sbStatusBar"));
    setSizeGripEnabled(false);
    setFixedHeight(layout::pixels(layout::kStatusBarHeight));

    panels_[0] = makePanel(toQString(kStatusText), toQString(kPanelDescriptions[0]), this);
    panels_[1] = makePanel({}, toQString(kPanelDescriptions[1]), this);
    panels_[2] = makePanel({}, toQString(kPanelDescriptions[2]), this);

    minuteTimer_->setObjectName(QStringLiteral("minuteTimer"));
    minuteTimer_->setSingleShot(true);
    // Precise, so the minute turns on time; a wake-up that still comes early
    // finds the old minute and re-arms for the rest of it.
    minuteTimer_->setTimerType(Qt::PreciseTimer);
    connect(minuteTimer_, &QTimer::timeout, this, &StatusBar::refresh);
    refresh();
}

QString StatusBar::panelText(int panel) const { return this->panel(panel)->text(); }

QLabel* StatusBar::panel(int panel) const { return panels_.at(static_cast<std::size_t>(panel - 1)); }

void StatusBar::setClock(Clock clock)
{
    clock_ = std::move(clock);
    refresh();
}

int StatusBar::msecsToNextMinute(QTime now)
{
    constexpr int kMinute = 60 * 1000;
    return kMinute - now.msecsSinceStartOfDay() % kMinute;
}

void StatusBar::resizeEvent(QResizeEvent* event)
{
    QStatusBar::resizeEvent(event);
    placePanels();
}

// The panels are placed by hand: a status bar's own layout keeps margins that
// leave too little height for text in a bar 18 pixels high.
void StatusBar::placePanels()
{
    constexpr int kTop = 2;
    constexpr int kGap = 2;
    const int panelHeight = height() - kTop;
    int right = width();
    for (QLabel* clockPanel : {panels_[2], panels_[1]}) {
        const int panelWidth = std::max(clockPanel->sizeHint().width(), layout::pixels(layout::kStatusPanelMinWidth));
        right -= panelWidth;
        clockPanel->setGeometry(right, kTop, panelWidth, panelHeight);
        right -= kGap;
    }
    panels_[0]->setGeometry(0, kTop, right, panelHeight);
}

void StatusBar::refresh()
{
    const QDateTime now = clock_();
    // The window is Chinese whatever the system's language, and so is its date.
    panels_[1]->setText(QLocale(QLocale::Chinese, QLocale::China).toString(now.date(), QLocale::ShortFormat));
    panels_[2]->setText(now.time().toString(QStringLiteral("HH:mm")));
    placePanels();
    minuteTimer_->start(msecsToNextMinute(now.time()));
}

} // namespace zembrel
