// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "fixture.h"

#include <QTest>

using namespace zembrel;
using namespace zembrel::testing;

// Each panel's wiring: its coefficients typed into its real fields, its solve
// and its check button pressed, and what the boxes and the controls show.
// The rows write fields and buttons as "Text7=2." and "Command7=enabled",
// and boxes as "Warning: prompt". The panels' edge cases are the scenario
// files' business.
class PanelsTest : public WindowFixture {
    Q_OBJECT

private slots:
    void panelSolvesAndChecks_data();
    void panelSolvesAndChecks();
};

void PanelsTest::panelSolvesAndChecks_data()
{
    QTest::addColumn<int>("solve");
    QTest::addColumn<int>("check");
    QTest::addColumn<QStringList>("typed");
    QTest::addColumn<QStringList>("solveBoxes");
    // Controls as the solve's box finds them, before the user answers it.
    QTest::addColumn<QStringList>("whileBoxShown");
    QTest::addColumn<QStringList>("afterSolve");
    QTest::addColumn<QStringList>("checkBoxes");
    QTest::addColumn<QStringList>("afterCheck");

    QTest::newRow("linear") << int(indexOf(linear::solve)) << int(indexOf(linear::check))
                            << QStringList{"Text1=2", "Text2=-4"} << QStringList{} << QStringList{}
                            << QStringList{"Text3=2.", "Command6=enabled"} << QStringList{"NoIcon: 计算正确"}
                            << QStringList{"Text3=2.", "Command6=disabled"};
    // "1" replaces the zero only after the box, and the check reads it.
    QTest::newRow("quadratic") << int(indexOf(quadratic::solve)) << int(indexOf(quadratic::check))
                               << QStringList{"Text4=0", "Text5=-3", "Text6=2"}
                               << QStringList{"NoIcon: 一元二次方程二次项系数不能为0！"}
                               << QStringList{"Text4=0", "Text7=0", "Command7=enabled"}
                               << QStringList{"Text4=1", "Text7=2.", "Text8=1.", "Command7=enabled"}
                               << QStringList{"NoIcon: 计算正确"} << QStringList{"Text4=1", "Command7=disabled"};
    QTest::newRow("cubic") << int(indexOf(cubic::solve)) << int(indexOf(cubic::check))
                           << QStringList{"Text10=-3", "Text11=1"} << QStringList{} << QStringList{}
                           << QStringList{"Text12=-1.87938524157182", "Command8=enabled"}
                           << QStringList{"NoIcon: 计算正确"} << QStringList{"Command8=disabled"};
    // Equation k is Text(ak) X + Text(bk) Y + Text(ck) Z + Text(dk) = 0:
    // 13 14 15 9, 16 17 18 25, 19 20 21 26.
    QTest::newRow("system") << int(indexOf(system::solve)) << int(indexOf(system::check))
                            << QStringList{"Text13=1", "Text14=1",  "Text15=1", "Text9=-6", "Text16=2",  "Text17=-1",
                                           "Text18=1", "Text25=-3", "Text19=1", "Text20=2", "Text21=-1", "Text26=-2"}
                            << QStringList{} << QStringList{}
                            << QStringList{"Text22=1.", "Text23=2.", "Text24=3.", "Command5=enabled"}
                            << QStringList{"NoIcon: 方程组解正确！"} << QStringList{"Command5=disabled"};
}

void PanelsTest::panelSolvesAndChecks()
{
    QFETCH(int, solve);
    QFETCH(int, check);
    QFETCH(QStringList, typed);
    QFETCH(QStringList, solveBoxes);
    QFETCH(QStringList, whileBoxShown);
    QFETCH(QStringList, afterSolve);
    QFETCH(QStringList, checkBoxes);
    QFETCH(QStringList, afterCheck);
    typeInto(window(), typed);

    QStringList seenWhileShown;
    {
        BoxCloser closer([&] { seenWhileShown << states(whileBoxShown); });
        click(kButtons[solve]);
        QCOMPARE(describe(closer.seen()), solveBoxes);
    }
    QCOMPARE(seenWhileShown, solveBoxes.isEmpty() ? QStringList() : whileBoxShown);
    QCOMPARE(states(afterSolve), afterSolve);
    {
        BoxCloser closer;
        click(kButtons[check]);
        QCOMPARE(describe(closer.seen()), checkBoxes);
    }
    QCOMPARE(states(afterCheck), afterCheck);
    // The second check needs a new solve.
    {
        BoxCloser closer;
        click(kButtons[check]);
        QVERIFY(closer.seen().isEmpty());
    }
}

QTEST_MAIN(PanelsTest)
#include "panels_test.moc"
