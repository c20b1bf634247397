// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The 输入方程 window: how it opens, what it answers while the user types,
// how it marks what it cannot read, the history, copying, saving, closing,
// and what a screen reader is given.

#include "details_page.h"
#include "equation_window.h"
#include "fixture.h"
#include "formula_view.h"
#include "graph.h"

#include <QAction>
#include <QClipboard>
#include <QFileDialog>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>

using namespace zembrel;
using namespace zembrel::testing;

namespace {

// Generous: a sanitizer's build solves slowly.
constexpr int kAnswerTimeout = 60000;

} // namespace

class EquationTest : public WindowFixture {
    Q_OBJECT

private slots:
    void menuItemOpensIt();
    void answersWhileTyping_data();
    void answersWhileTyping();
    void errorIsToldAndMarked_data();
    void errorIsToldAndMarked();
    void graphShowsTheAnswer_data();
    void graphShowsTheAnswer();
    void graphLabelsAreSetAsInATextbook();
    void arrowsRecallEarlierInputs();
    void arrowsMoveWithinSeveralLines();
    void copyAndLatex();
    void saveWritesGraphAsPng();
    void escapeClosesAndKeepsTheInput();
    void heavyInputSaysItIsWorking();
    void tabReachesEveryLineInMandarin();

private:
    EquationWindow& equations() const { return *window().equationWindow(); }
    AnswerPage& page() const { return *equations().page(); }
    // Opens the window and types the text as a user would, then waits for its answer.
    void type(const QString& text)
    {
        window().openEquation();
        equations().input()->clear();
        // QTest types Latin-1 alone: the rest arrives as an input method would give it.
        const bool ascii
            = std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() >= 32 && c.unicode() < 127; });
        if (ascii)
            QTest::keyClicks(equations().input(), text);
        else
            equations().input()->insertPlainText(text);
        QTRY_VERIFY_WITH_TIMEOUT(!equations().solving(), kAnswerTimeout);
        QCoreApplication::processEvents();
    }
};

// After 解题详情 in 辅助, window-only: the driver's menu keeps its five items.
void EquationTest::menuItemOpensIt()
{
    QVERIFY(window().equationWindow() == nullptr);
    QAction* action = window().equationAction();
    QCOMPARE(action->text(), QStringLiteral("输入方程(&E)…"));
    QCOMPARE(action->shortcut(), QKeySequence(QStringLiteral("Ctrl+E")));
    const QList<QAction*> items = window().findChild<QMenu*>(QStringLiteral("mnuAss"))->actions();
    QCOMPARE(items.indexOf(action), items.indexOf(window().detailsAction()) + 1);

    // From a coefficient field, where Ctrl+E would otherwise move the cursor.
    field(linear::a)->setFocus();
    QTest::keyClick(field(linear::a), Qt::Key_E, Qt::ControlModifier);
    QVERIFY(window().equationWindow() != nullptr);
    EquationWindow* opened = window().equationWindow();
    QVERIFY(opened->isVisible());
    QVERIFY(!opened->isModal());
    QCOMPARE(opened->windowTitle(), QStringLiteral("输入方程"));
    QCOMPARE(opened->parentWidget(), &window());
    QTRY_COMPARE(QApplication::focusWidget(), opened->input());
    window().openEquation();
    QCOMPARE(window().equationWindow(), opened);
}

// Each section as the page shows it, for a classroom's inputs.
void EquationTest::answersWhileTyping_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("section"); // equation, summary, roots, steps
    QTest::addColumn<QStringList>("holds");
    QTest::newRow("product = 3") << "(x-1)(x+2)=3"
                                 << "roots"
                                 << QStringList{"x₁ = (−1 − √21)/2 ≈ −2.79128784747792",
                                                "x₂ = (−1 + √21)/2 ≈ 1.79128784747792"};
    QTest::newRow("quartic by its quadratic factors")
        << "x⁴ - 5x² + 6 = 0"
        << "roots" << QStringList{"x₁ = −√3 ≈ −1.73205080756888", "x₄ = √3 ≈ 1.73205080756888"};
    QTest::newRow("cubic with rational roots") << "2x^3-3x^2-11x+6=0"
                                               << "roots" << QStringList{"x₁ = −2", "x₂ = 1/2 = 0.5", "x₃ = 3"};
    QTest::newRow("repeated root") << "(x-2)^3=0"
                                   << "roots" << QStringList{"x₁ = x₂ = x₃ = 2（三重根）"};
    QTest::newRow("kind of a quartic") << "x^4-5x^2+4=0"
                                       << "summary" << QStringList{"一元四次方程，有四个不相等的实数根"};
    QTest::newRow("no real roots") << "x^2+1=0"
                                   << "summary" << QStringList{"没有实数根，有两个虚数根"};
    QTest::newRow("identity") << "2(x+1) = 2x+2"
                              << "summary" << QStringList{"恒等式"};
    QTest::newRow("contradiction") << "x+1=x"
                                   << "roots" << QStringList{"方程无解"};
    QTest::newRow("system, unique") << "x+y=3\nx-y=1"
                                    << "roots" << QStringList{"x = 2", "y = 1"};
    QTest::newRow("system, dependent") << "x+y=1, 2x+2y=2"
                                       << "roots" << QStringList{"x = 1 − t", "y = t", "其中 t 为任意实数"};
    QTest::newRow("system, inconsistent") << "x+y=1, x+y=2"
                                          << "summary" << QStringList{"二元一次方程组，无解"};
    QTest::newRow("four unknowns") << "a+b+c+d=10, a-b=1, c-d=1, a-c=1"
                                   << "summary" << QStringList{"四元一次方程组，有唯一解"};
    QTest::newRow("quadratic inequality") << "x^2-3x+2>0"
                                          << "roots" << QStringList{"x < 1 或 x > 2", "解集为 (−∞, 1) ∪ (2, +∞)"};
    QTest::newRow("inequalities, one point") << "x>=1, x<=1"
                                             << "roots" << QStringList{"x = 1", "[1, 1]"};
    QTest::newRow("inequalities, empty") << "x>2, x<1"
                                         << "roots" << QStringList{"不等式组无解，解集为 ∅"};
    QTest::newRow("the statement as read") << "x²=4"
                                           << "equation" << QStringList{"x² = 4"};
    QTest::newRow("the working") << "x^2-3x+2=0"
                                 << "steps" << QStringList{"解题过程"};
}

void EquationTest::answersWhileTyping()
{
    QFETCH(QString, typed);
    QFETCH(QString, section);
    QFETCH(QStringList, holds);
    type(typed);
    const QString shown = page().sectionText(section);
    for (const QString& part : holds)
        QVERIFY2(shown.contains(part), qPrintable(shown));
    // The input is the user's: never changed.
    QCOMPARE(equations().input()->toPlainText(), typed);
}

void EquationTest::errorIsToldAndMarked_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("marked"); // UTF-16 position, -1: none
    QTest::newRow("unknown sign") << "x $ 2 = 0"
                                  << "不认识的符号“$”（第 3 个字符“$”处）" << 2;
    QTest::newRow("bracket left open") << "(x+1 = 2"
                                       << "括号不配对" << 0;
    QTest::newRow("reserved letter") << "e^2 = 1"
                                     << "字母“e”不能作未知数" << 0;
    QTest::newRow("after a character beyond the BMP") << "𝑥 = 1"
                                                      << "不认识的符号" << 0;
    QTest::newRow("equations and an inequality") << "x = 1, x > 0"
                                                 << "不等式" << 9;
    QTest::newRow("no one character at fault") << "(3x-1)^100 = 7x^99 + 123456789123456789x"
                                               << "无法在合理的时间内求出所有的根" << -1;
}

void EquationTest::errorIsToldAndMarked()
{
    QFETCH(QString, typed);
    QFETCH(QString, message);
    QFETCH(int, marked);
    type(typed);
    const QString told = page().sectionText(QStringLiteral("readings"));
    QVERIFY2(!told.isEmpty() && told.contains(message), qPrintable(told));
    const QList<QTextEdit::ExtraSelection> marks = equations().input()->extraSelections();
    if (marked < 0) {
        QVERIFY(marks.isEmpty());
    } else {
        QCOMPARE(marks.size(), 1);
        QCOMPARE(marks.front().cursor.selectionStart(), marked);
    }
    QCOMPARE(equations().input()->accessibleDescription(), told);
    QCOMPARE(equations().input()->toPlainText(), typed);
    QVERIFY(!equations().copyButton()->isEnabled());

    // Mended, the mark and the message go.
    type(QStringLiteral("x = 1"));
    QVERIFY(equations().input()->extraSelections().isEmpty());
    QVERIFY(page().sectionText(QStringLiteral("readings")).isEmpty());
}

void EquationTest::graphShowsTheAnswer_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("kind");  // GraphModel::Kind
    QTest::addColumn<int>("marks"); // roots and turning points, intersections, or band ends
    QTest::addColumn<QString>("described");
    QTest::newRow("curve") << "x^3-7x+6=0" << int(GraphModel::Kind::Curve) << 5 << "与 x 轴交于 −3、1 和 2";
    QTest::newRow("close roots") << "x^3-3x+1.9=0" << int(GraphModel::Kind::Curve) << 5 << "极小值点";
    QTest::newRow("quartic") << "x^4-5x^2+4=0" << int(GraphModel::Kind::Curve) << 7 << "与 x 轴交于 −2、−1、1 和 2";
    QTest::newRow("another unknown") << "t^2=1" << int(GraphModel::Kind::Curve) << 3 << "与 t 轴交于 −1 和 1";
    QTest::newRow("two lines") << "x+y=3, x-y=1" << int(GraphModel::Kind::Lines) << 1 << "交于点 (2, 1)";
    QTest::newRow("inequality on its curve") << "x^2-3x+2<=0" << int(GraphModel::Kind::Curve) << 2 << "[1, 2]";
    QTest::newRow("inequalities on the axis") << "x>1, x<3" << int(GraphModel::Kind::Curve) << 2 << "(1, 3)";
    QTest::newRow("three unknowns: none") << "x+y+z=1, x-y=0, z=1" << int(GraphModel::Kind::None) << 0 << "";
}

void EquationTest::graphShowsTheAnswer()
{
    QFETCH(QString, typed);
    QFETCH(int, kind);
    QFETCH(int, marks);
    QFETCH(QString, described);
    type(typed);
    const GraphModel& model = page().graph()->model();
    QCOMPARE(int(model.kind), kind);
    const std::size_t ends = std::count_if(model.bands.begin(), model.bands.end(),
                                           [](const GraphModel::Band& b) { return b.from.has_value(); })
                             + std::count_if(model.bands.begin(), model.bands.end(),
                                             [](const GraphModel::Band& b) { return b.to.has_value(); });
    QCOMPARE(int(model.roots.size() + model.turningPoints.size() + model.intersections.size() + ends), marks);
    QVERIFY2(page().graph()->accessibleName().startsWith(page().answer().graphName) || kind == 0,
             qPrintable(page().graph()->accessibleName()));
    QVERIFY2(page().graph()->accessibleDescription().contains(described),
             qPrintable(page().graph()->accessibleDescription()));
    QCOMPARE(equations().saveButton()->isEnabled(), kind != int(GraphModel::Kind::None));
    // No label covers another; a marked point's label covers no marked
    // point and lies clear of the curve (x³ − 7x + 6: the minimum's label
    // once ran over the roots 1 and 2).
    const Graph& graph = *page().graph();
    const QList<QRectF> labels = graph.labelRects();
    for (qsizetype i = 0; i < labels.size(); ++i) {
        for (qsizetype j = i + 1; j < labels.size(); ++j)
            QVERIFY(!labels[i].intersects(labels[j]));
    }
    std::vector<QPointF> points;
    for (const auto* marks : {&model.roots, &model.turningPoints, &model.intersections}) {
        for (const GraphModel::Mark& mark : *marks)
            points.push_back(graph.toWidget(mark.at));
    }
    for (const QRectF& box : graph.markLabelRects()) {
        QVERIFY2(!graph.drawnThrough(box), qPrintable(typed));
        for (const QPointF& point : points)
            QVERIFY2(!box.contains(point), qPrintable(typed));
    }
}

// The turning points of x³ − 7x + 6 are at ±√21/3: their labels stack the
// fractions, taller than a line of the graph's text, as the page does.
void EquationTest::graphLabelsAreSetAsInATextbook()
{
    type(QStringLiteral("x^3-7x+6=0"));
    const Graph& graph = *page().graph();
    const QList<QRectF> labels = graph.markLabelRects();
    const qreal line = QFontMetricsF(graph.font()).height();
    const auto tall
        = std::count_if(labels.begin(), labels.end(), [&](const QRectF& box) { return box.height() > 1.5 * line; });
    QCOMPARE(tall, 2);
}

void EquationTest::arrowsRecallEarlierInputs()
{
    type(QStringLiteral("x=1"));
    EquationInput* input = equations().input();
    QTest::keyClick(input, Qt::Key_Return, Qt::ControlModifier);
    QCOMPARE(input->history(), QStringList{"x=1"});
    // Ctrl+Enter selects the kept input: typing starts the next one.
    QTest::keyClicks(input, QStringLiteral("x=2"));
    QCOMPARE(input->toPlainText(), QStringLiteral("x=2"));
    QTest::keyClick(input, Qt::Key_Up);
    QCOMPARE(input->toPlainText(), QStringLiteral("x=1"));
    QTRY_VERIFY(page().sectionText(QStringLiteral("roots")).contains(QStringLiteral("x = 1")));
    QTest::keyClick(input, Qt::Key_Up);
    QCOMPARE(input->toPlainText(), QStringLiteral("x=1"));
    QTest::keyClick(input, Qt::Key_Down);
    QCOMPARE(input->toPlainText(), QStringLiteral("x=2"));
    QTest::keyClick(input, Qt::Key_Down);
    QCOMPARE(input->toPlainText(), QStringLiteral("x=2"));
    // The input moved away from was kept, once.
    QCOMPARE(input->history(), (QStringList{"x=1", "x=2"}));
}

void EquationTest::arrowsMoveWithinSeveralLines()
{
    type(QStringLiteral("x=1"));
    EquationInput* input = equations().input();
    QTest::keyClick(input, Qt::Key_Return, Qt::ControlModifier);
    QTest::keyClicks(input, QStringLiteral("x+y=3"));
    QTest::keyClick(input, Qt::Key_Return);
    QTest::keyClicks(input, QStringLiteral("x-y=1"));
    // On the second line ↑ goes to the first; only there does it recall.
    QTest::keyClick(input, Qt::Key_Up);
    QCOMPARE(input->toPlainText(), QStringLiteral("x+y=3\nx-y=1"));
    QCOMPARE(input->textCursor().blockNumber(), 0);
    QTest::keyClick(input, Qt::Key_Up);
    QCOMPARE(input->toPlainText(), QStringLiteral("x=1"));
}

void EquationTest::copyAndLatex()
{
    type(QStringLiteral("x^2-2=0"));
    QTest::mouseClick(equations().copyButton(), Qt::LeftButton);
    const QString copied = QApplication::clipboard()->text();
    for (const QString& part :
         {QStringLiteral("x² − 2 = 0"), QStringLiteral("x₁ = −√2 ≈ −1.4142135623731"), QStringLiteral("解题过程：")})
        QVERIFY2(copied.contains(part), qPrintable(copied));
    QTest::mouseClick(equations().copyLatexButton(), Qt::LeftButton);
    const QString latex = QApplication::clipboard()->text();
    QVERIFY2(latex.contains(QStringLiteral("\\sqrt{2}")) && latex.contains(QStringLiteral("\\begin{document}")),
             qPrintable(latex));
    // What was copied is worth keeping.
    QCOMPARE(equations().input()->history(), QStringList{"x^2-2=0"});
}

void EquationTest::saveWritesGraphAsPng()
{
    const QTemporaryDir directory;
    type(QStringLiteral("x^2-3x+2>0"));
    QTimer::singleShot(0, this, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        QVERIFY(dialog != nullptr);
        dialog->selectFile(directory.filePath(QStringLiteral("graph")));
        QMetaObject::invokeMethod(dialog, "accept");
    });
    QTest::mouseClick(equations().saveButton(), Qt::LeftButton);
    const QImage saved(directory.filePath(QStringLiteral("graph.png")));
    QVERIFY(!saved.isNull());
    QCOMPARE(saved.size(), page().graph()->size() * 2);
}

void EquationTest::escapeClosesAndKeepsTheInput()
{
    type(QStringLiteral("x^2=9"));
    EquationWindow* first = window().equationWindow();
    first->activateWindow();
    QTest::keyClick(first->input(), Qt::Key_Escape);
    QVERIFY(!first->isVisible());
    QCOMPARE(first->input()->history(), QStringList{"x^2=9"});
    window().openEquation();
    QCOMPARE(window().equationWindow(), first);
    QVERIFY(first->isVisible());
    QCOMPARE(first->input()->toPlainText(), QStringLiteral("x^2=9"));
}

// Roots of a polynomial of degree 100 with long coefficients take longer
// than a moment: the page says so, and the input takes keys meanwhile.
void EquationTest::heavyInputSaysItIsWorking()
{
    window().openEquation();
    EquationInput* input = equations().input();
    input->setPlainText(QStringLiteral("x^100 - 3x^57 + 2x - 1 = 0"));
    QTRY_VERIFY_WITH_TIMEOUT(page().busy() || !equations().solving(), kAnswerTimeout);
    if (equations().solving()) {
        QVERIFY(!equations().copyButton()->isEnabled());
        input->moveCursor(QTextCursor::End);
        QTest::keyClicks(input, QStringLiteral(" "));
        QVERIFY(input->toPlainText().endsWith(QLatin1Char(' ')));
    }
    QTRY_VERIFY_WITH_TIMEOUT(!equations().solving(), kAnswerTimeout);
    QVERIFY(!page().busy());
    QVERIFY(page().sectionText(QStringLiteral("summary")).contains(QStringLiteral("一元 100 次方程")));
}

// Tab goes from the input through every line of the answer, in order, to the
// buttons; each line says its formula in Mandarin, with no symbol a Chinese
// voice would skip or read in English.
void EquationTest::tabReachesEveryLineInMandarin()
{
    type(QStringLiteral("x^2-3x+1=0"));
    equations().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&equations()));
    equations().input()->setFocus();
    QList<QWidget*> reached;
    for (int i = 0; i < 60 && QApplication::focusWidget() != equations().copyButton(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        reached << QApplication::focusWidget();
    }
    QList<QWidget*> lines;
    for (formula::FormulaView* view : page().findChildren<formula::FormulaView*>()) {
        if (view->isVisibleTo(&page()))
            lines << view;
    }
    QList<QWidget*> heardLines;
    QStringList heard;
    for (QWidget* widget : reached) {
        if (auto* view = qobject_cast<formula::FormulaView*>(widget)) {
            heardLines << view;
            heard << view->accessibleName();
        }
    }
    QCOMPARE(heardLines, lines);
    QVERIFY(reached.contains(page().graph()));
    QCOMPARE(reached.constLast(), equations().copyButton());
    const QString all = heard.join(QLatin1Char('\n'));
    for (const QString& word : {QStringLiteral("根号五"), QStringLiteral("二分之"), QStringLiteral("判别式")})
        QVERIFY2(all.contains(word), qPrintable(all));
    for (const QChar symbol : QStringLiteral("=−+/√²₁±≈×Δ"))
        QVERIFY2(!all.contains(symbol), qPrintable(all));
}

QTEST_MAIN(EquationTest)
#include "equation_test.moc"
