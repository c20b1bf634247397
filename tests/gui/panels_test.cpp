#include "fake_platform.h"
#include "fonts.h"
#include "gui_support.h"
#include "main_window.h"
#include "surface.h"

#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

#include <memory>

using namespace zembrel;
using namespace zembrel::testing;

// The quadratic, cubic and system panels, solved and checked through their
// real buttons; the rows write fields and buttons as "Text7=2." and
// "Command7=enabled", and boxes as "Warning: prompt".
class PanelsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void quadraticPanelSolvesAndChecks_data();
    void quadraticPanelSolvesAndChecks();
    void cubicPanelSolvesAndChecks_data();
    void cubicPanelSolvesAndChecks();
    void systemPanelSolvesAndChecks_data();
    void systemPanelSolvesAndChecks();
    void overflowShowsRuntimeErrorAndPanelGoesOn_data();
    void overflowShowsRuntimeErrorAndPanelGoesOn();

private:
    static void addSolveAndCheckColumns();
    void solveAndCheck(Button solve, Button check);
    void click(Button which) { QTest::mouseClick(window_->button(which), Qt::LeftButton); }
    QStringList states(const QStringList& entries) const { return statesOf(*window_, entries); }

    std::unique_ptr<FakePlatform> platform_;
    std::unique_ptr<MainWindow> window_;
};

void PanelsTest::initTestCase() { useSongFontThroughout(); }

void PanelsTest::init()
{
    platform_ = std::make_unique<FakePlatform>();
    window_ = std::make_unique<MainWindow>(*platform_);
    window_->show();
    QVERIFY(QTest::qWaitForWindowActive(window_.get()));
}

void PanelsTest::cleanup()
{
    window_.reset();
    platform_.reset();
}

void PanelsTest::addSolveAndCheckColumns()
{
    QTest::addColumn<QStringList>("typed");
    QTest::addColumn<QStringList>("solveBoxes");
    // Controls as the solve's box finds them, before the user answers it.
    QTest::addColumn<QStringList>("whileBoxShown");
    QTest::addColumn<QStringList>("afterSolve");
    QTest::addColumn<QStringList>("checkBoxes");
    QTest::addColumn<QStringList>("afterCheck");
}

// Types the row's coefficients, presses the solve button and then the check
// button, and compares the boxes and the controls after each press.
void PanelsTest::solveAndCheck(Button solve, Button check)
{
    QFETCH(QStringList, typed);
    QFETCH(QStringList, solveBoxes);
    QFETCH(QStringList, whileBoxShown);
    QFETCH(QStringList, afterSolve);
    QFETCH(QStringList, checkBoxes);
    QFETCH(QStringList, afterCheck);
    typeInto(*window_, typed);

    QStringList seenWhileShown;
    {
        BoxCloser closer([&] { seenWhileShown << states(whileBoxShown); });
        click(solve);
        QCOMPARE(describe(closer.seen()), solveBoxes);
    }
    QCOMPARE(seenWhileShown, solveBoxes.isEmpty() ? QStringList() : whileBoxShown);
    QCOMPARE(states(afterSolve), afterSolve);
    {
        BoxCloser closer;
        click(check);
        QCOMPARE(describe(closer.seen()), checkBoxes);
    }
    QCOMPARE(states(afterCheck), afterCheck);
}

// --- Quadratic -------------------------------------------------------------

void PanelsTest::quadraticPanelSolvesAndChecks_data()
{
    addSolveAndCheckColumns();
    QTest::newRow("two real roots") << QStringList{"Text4=1", "Text5=-3", "Text6=2"} << QStringList{} << QStringList{}
                                    << QStringList{"Text7=2.", "Text8=1.", "Command7=enabled"}
                                    << QStringList{"NoIcon: 计算正确"}
                                    << QStringList{"Text7=2.", "Text8=1.", "Command7=disabled"};
    // The check button is enabled while the box is up and disabled once it is
    // answered, so the click on it afterwards raises nothing.
    QTest::newRow("conjugate complex roots")
        << QStringList{"Text4=1", "Text5=-2", "Text6=5"} << QStringList{"Warning: 请注意：方程有两个共轭虚数根。"}
        << QStringList{"Text7=0", "Text8=0", "Command7=enabled"}
        << QStringList{"Text7= 1 + 2 i", "Text8= 1 - 2 i", "Command7=disabled"} << QStringList{}
        << QStringList{"Text7= 1 + 2 i", "Text8= 1 - 2 i", "Command7=disabled"};
    // "1" replaces the zero only after the box, and the next press reads it.
    QTest::newRow("zero leading coefficient")
        << QStringList{"Text4=0", "Text5=-3", "Text6=2"} << QStringList{"NoIcon: 一元二次方程二次项系数不能为0！"}
        << QStringList{"Text4=0", "Text7=0"} << QStringList{"Text4=1", "Text7=2.", "Text8=1.", "Command7=enabled"}
        << QStringList{"NoIcon: 计算正确"} << QStringList{"Text4=1", "Command7=disabled"};
}

void PanelsTest::quadraticPanelSolvesAndChecks() { solveAndCheck(Button::Command2, Button::Command7); }

// --- Cubic -----------------------------------------------------------------

void PanelsTest::cubicPanelSolvesAndChecks_data()
{
    addSolveAndCheckColumns();
    QTest::newRow("one real root") << QStringList{"Text10=0", "Text11=-8"} << QStringList{} << QStringList{}
                                   << QStringList{"Text12=2.", "Command8=enabled"} << QStringList{"NoIcon: 计算正确"}
                                   << QStringList{"Text12=2.", "Command8=disabled"};
    QTest::newRow("three real roots") << QStringList{"Text10=-3", "Text11=1"} << QStringList{} << QStringList{}
                                      << QStringList{"Text12=-1.87938524157182", "Command8=enabled"}
                                      << QStringList{"NoIcon: 计算正确"}
                                      << QStringList{"Text12=-1.87938524157182", "Command8=disabled"};
}

void PanelsTest::cubicPanelSolvesAndChecks()
{
    solveAndCheck(Button::Command3, Button::Command8);
    QVERIFY(window_->surface()->printed().isEmpty());
}

// --- Linear system ---------------------------------------------------------

void PanelsTest::systemPanelSolvesAndChecks_data()
{
    addSolveAndCheckColumns();
    // Equation k is Text(ak) X + Text(bk) Y + Text(ck) Z + Text(dk) = 0:
    // 13 14 15 9, 16 17 18 25, 19 20 21 26.
    QTest::newRow("three equations, X = 1, Y = 2, Z = 3")
        << QStringList{"Text13=1", "Text14=1",  "Text15=1", "Text9=-6", "Text16=2",  "Text17=-1",
                       "Text18=1", "Text25=-3", "Text19=1", "Text20=2", "Text21=-1", "Text26=-2"}
        << QStringList{} << QStringList{} << QStringList{"Text22=1.", "Text23=2.", "Text24=3.", "Command5=enabled"}
        << QStringList{"NoIcon: 方程组解正确！"}
        << QStringList{"Text22=1.", "Text23=2.", "Text24=3.", "Command5=disabled"};
    // Equation 2 pivots in place of the zero first X coefficient.
    QTest::newRow("first X coefficient zero")
        << QStringList{"Text14=1",  "Text15=1", "Text9=-2", "Text16=1", "Text18=1",
                       "Text25=-2", "Text19=1", "Text20=1", "Text26=-2"}
        << QStringList{} << QStringList{}
        << QStringList{"Text13=", "Text22=1.", "Text23=1.", "Text24=1.", "Command5=enabled"}
        << QStringList{"NoIcon: 方程组解正确！"}
        << QStringList{"Text13=", "Text22=1.", "Text23=1.", "Text24=1.", "Command5=disabled"};
    QTest::newRow("parallel lines") << QStringList{"Text13=1", "Text14=1", "Text9=-1",
                                                   "Text16=2", "Text17=2", "Text25=-5"}
                                    << QStringList{"Critical: 两直线平行，方程组无解！"}
                                    << QStringList{"Command5=enabled"}
                                    << QStringList{"Text22=0", "Text23=0", "Text24=0", "Command5=enabled"}
                                    << QStringList{"NoIcon: 两直线平行，方程组无解！"}
                                    << QStringList{"Text22=0", "Command5=disabled"};
}

void PanelsTest::systemPanelSolvesAndChecks() { solveAndCheck(Button::Command4, Button::Command5); }

// --- Overflow --------------------------------------------------------------

void PanelsTest::overflowShowsRuntimeErrorAndPanelGoesOn_data()
{
    QTest::addColumn<QStringList>("typed");
    QTest::addColumn<int>("solve");
    QTest::addColumn<QStringList>("results"); // as they stand before the press
    QTest::addColumn<QStringList>("retyped");
    QTest::addColumn<QStringList>("solved");
    QTest::newRow("quadratic, b = 1e200") << QStringList{"Text4=1", "Text5=1e200", "Text6=1"} << int(Button::Command2)
                                          << QStringList{"Text7=0", "Text8=0"} << QStringList{"Text5=-3", "Text6=2"}
                                          << QStringList{"Text7=2.", "Text8=1."};
    QTest::newRow("cubic, p = 1e103") << QStringList{"Text10=1e103", "Text11=-8"} << int(Button::Command3)
                                      << QStringList{"Text12=0"} << QStringList{"Text10=0"} << QStringList{"Text12=2."};
    QTest::newRow("system, coefficients 1e200")
        << QStringList{"Text13=1e200", "Text14=1",  "Text15=1", "Text9=-6", "Text16=2",  "Text17=1e200",
                       "Text18=1",     "Text25=-3", "Text19=1", "Text20=2", "Text21=-1", "Text26=-2"}
        << int(Button::Command4) << QStringList{"Text22=0", "Text23=0", "Text24=0"}
        << QStringList{"Text13=1", "Text17=-1"} << QStringList{"Text22=1.", "Text23=2.", "Text24=3."};
}

void PanelsTest::overflowShowsRuntimeErrorAndPanelGoesOn()
{
    QFETCH(QStringList, typed);
    QFETCH(int, solve);
    QFETCH(QStringList, results);
    QFETCH(QStringList, retyped);
    QFETCH(QStringList, solved);
    typeInto(*window_, typed);
    {
        BoxCloser closer;
        click(Button(solve));
        QCOMPARE(describe(closer.seen()), QStringList{QStringLiteral("Critical: 运行时错误 '6':\n\n溢出")});
        QCOMPARE(closer.seen().first().title, QStringLiteral("Zembrel"));
    }
    QCOMPARE(states(typed), typed);
    QCOMPARE(states(results), results);
    QVERIFY(window_->isVisible());

    typeInto(*window_, retyped);
    {
        BoxCloser closer;
        click(Button(solve));
        QVERIFY(closer.seen().isEmpty());
    }
    QCOMPARE(states(solved), solved);
}

QTEST_MAIN(PanelsTest)
#include "panels_test.moc"
