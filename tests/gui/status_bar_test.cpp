// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "fixture.h"
#include "status_bar.h"

#include <QLabel>
#include <QLocale>
#include <QTest>
#include <QTimer>

using namespace zembrel;
using namespace zembrel::testing;

// The status bar: the status text, and the date and time that keep themselves current.
class StatusBarTest : public WindowFixture {
    Q_OBJECT

private slots:
    void statusBarShowsStatusDateAndTime();
    void statusBarFollowsTheClock();
    void dateIsChineseWhateverTheSystemLanguage();
    void clockWakesAtNextMinute_data();
    void clockWakesAtNextMinute();
};

void StatusBarTest::statusBarShowsStatusDateAndTime()
{
    StatusBar* bar = window().sbStatusBar();
    QCOMPARE(bar->objectName(), QStringLiteral("sbStatusBar"));
    bar->setClock([] { return QDateTime(QDate(2007, 8, 20), QTime(18, 46, 30)); });
    QCOMPARE(bar->panelText(1), QStringLiteral("状态"));
    QCOMPARE(bar->panelText(2), QStringLiteral("2007/8/20"));
    QCOMPARE(bar->panelText(3), QStringLiteral("18:46"));

    // Left to right; the clock panels at least 96 pixels wide, the status panel taking the rest.
    QVERIFY(bar->panel(1)->geometry().right() < bar->panel(2)->x());
    QVERIFY(bar->panel(2)->geometry().right() < bar->panel(3)->x());
    QVERIFY(bar->panel(2)->width() >= 96);
    QVERIFY(bar->panel(3)->width() >= 96);
    QVERIFY(bar->panel(1)->width() >= 96);
    QCOMPARE(bar->panel(1)->x(), 0);
    QVERIFY(bar->panel(3)->geometry().right() >= bar->width() - 2);
}

void StatusBarTest::statusBarFollowsTheClock()
{
    StatusBar* bar = window().sbStatusBar();
    QDateTime now(QDate(2007, 8, 20), QTime(23, 59, 59, 900));
    bar->setClock([&now] { return now; });
    QCOMPARE(bar->panelText(3), QStringLiteral("23:59"));

    // The next wake-up reads the clock again: a new day and a new minute.
    now = QDateTime(QDate(2007, 8, 21), QTime(0, 0));
    auto* timer = bar->findChild<QTimer*>(QStringLiteral("minuteTimer"));
    QVERIFY(timer != nullptr);
    QVERIFY(timer->isActive());
    QVERIFY(timer->isSingleShot());
    QCOMPARE(timer->interval(), 100);
    QMetaObject::invokeMethod(timer, "timeout", Qt::DirectConnection);
    QCOMPARE(bar->panelText(2), QStringLiteral("2007/8/21"));
    QCOMPARE(bar->panelText(3), QStringLiteral("00:00"));
    QCOMPARE(timer->interval(), 60000);
}

void StatusBarTest::dateIsChineseWhateverTheSystemLanguage()
{
    const QLocale system;
    for (const QLocale& locale : {QLocale(QLocale::English, QLocale::UnitedKingdom), QLocale(QLocale::German)}) {
        QLocale::setDefault(locale);
        StatusBar bar(nullptr, [] { return QDateTime(QDate(2026, 12, 9), QTime(8, 5)); });
        QCOMPARE(bar.panelText(2), QStringLiteral("2026/12/9"));
    }
    QLocale::setDefault(system);
}

void StatusBarTest::clockWakesAtNextMinute_data()
{
    QTest::addColumn<QTime>("now");
    QTest::addColumn<int>("msecs");
    QTest::newRow("on the minute") << QTime(18, 46) << 60000;
    QTest::newRow("half way") << QTime(18, 46, 30, 500) << 29500;
    QTest::newRow("last millisecond") << QTime(18, 46, 59, 999) << 1;
    QTest::newRow("before midnight") << QTime(23, 59, 59) << 1000;
}

void StatusBarTest::clockWakesAtNextMinute()
{
    QFETCH(QTime, now);
    QFETCH(int, msecs);
    QCOMPARE(StatusBar::msecsToNextMinute(now), msecs);
}

QTEST_MAIN(StatusBarTest)
#include "status_bar_test.moc"
