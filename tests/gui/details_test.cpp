// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The 解题详情 window: how it opens and on which page, how it follows the
// fields, what a page says and draws, and its copy and save buttons.

#include "conversion.h"
#include "details_page.h"
#include "details_window.h"
#include "fixture.h"
#include "graph.h"

#include "formula_view.h"
#include "wire_format.h"
#include <QAction>
#include <QClipboard>
#include <QFileDialog>
#include <QLabel>
#include <QMenu>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>
#include <random>

using namespace zembrel;
using namespace zembrel::testing;

namespace {

QString labelText(const DetailsPage* page, const char* name)
{
    if (QString::fromLatin1(name) == QStringLiteral("busy")) {
        const auto* label = page->findChild<QLabel*>(QStringLiteral("busy"));
        return label != nullptr && label->isVisibleTo(page) ? label->text() : QString();
    }
    return page->sectionText(QString::fromLatin1(name));
}

// A panel of a form the page has no equation for: it reads its coefficients
// and says what they are, with no roots and no graph.
class RatioSolution final : public PanelSolution {
protected:
    engine::Working makeWorking() const override { return {}; }
};

// A made-up fifth panel, a·x⁴ + b·x³ + c·x² + d·x + e = 0: it only says how
// its fields make a polynomial; the engine, the driver's analysis and the page
// do the rest.
class QuarticSolution final : public PanelSolution {
protected:
    engine::Working makeWorking() const override { return {}; }
};

// Where the curve crosses a column of the graph: the mean row of its
// pixels there, or -1 where it does not pass.
double curveRowAt(const QImage& image, int column)
{
    const QColor curve = Graph::curveColour();
    double rows = 0;
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        const QColor pixel = image.pixelColor(column, y);
        const int distance = std::abs(pixel.red() - curve.red()) + std::abs(pixel.green() - curve.green())
                             + std::abs(pixel.blue() - curve.blue());
        if (distance < 90) {
            rows += y;
            ++count;
        }
    }
    return count == 0 ? -1 : rows / count;
}

// The details window is a transient of the main window, which counts as
// active for it; the activation itself arrives with the next events.
bool activate(QWidget& window)
{
    window.activateWindow();
    QCoreApplication::processEvents();
    return QApplication::activeWindow() == &window;
}

// "2." and random digits, a million characters in all: no exact form to
// find, every digit to read.
QString millionDigits(unsigned seed)
{
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> digit(0, 9);
    QString text = QStringLiteral("2.");
    while (text.size() < 1000000)
        text += QLatin1Char(static_cast<char>('0' + digit(random)));
    return text;
}

// Generous: a million-digit analysis takes seconds in a sanitizer's build.
constexpr int kAnalysisTimeout = 120000;

} // namespace

class DetailsTest : public WindowFixture {
    Q_OBJECT

private slots:
    void notMadeBeforeFirstOpen();
    void menuItemOpensIt();
    void opensOnPanel_data();
    void opensOnPanel();
    void doubleClickOnResultOpensItsPanel_data();
    void doubleClickOnResultOpensItsPanel();
    void fitsBesideMainWindow();
    void escapeClosesAndReopensSameWindow();
    void ctrlTabChangesPage();
    void tabReachesEveryControl();
    void formulasAreShaped();
    void followsTheFieldsOncePerTurn();
    void pageShows_data();
    void pageShows();
    void misreadTextIsWarned_data();
    void misreadTextIsWarned();
    void panelOfAnotherFormListsItsCoefficients();
    void quarticPanelNeedsNoNewMathematics();
    void millionCharacterFieldIsShortened();
    void longInputIsAnalysedAside_data();
    void longInputIsAnalysedAside();
    void newestInputWins_data();
    void newestInputWins();
    void closingWhileAnalysingIsSafe();
    void copyPutsPageOnClipboard();
    void saveWritesGraphAsPng_data();
    void saveWritesGraphAsPng();
    void curveCrossesAxisAtRoots_data();
    void curveCrossesAxisAtRoots();
    void graphIsDescribed_data();
    void graphIsDescribed();

private:
    DetailsWindow& details() const { return *window().detailsWindow(); }
    DetailsPage* openWith(const PanelDefinition* panel, const QStringList& entries)
    {
        typeInto(window(), entries);
        window().openDetails(panel);
        QCoreApplication::processEvents();
        return details().currentPage();
    }
    // What the page would show were the fields analysed here and now.
    QString analysedNow(const PanelDefinition& panel) const
    {
        DetailsPage reference(panel);
        reference.present(AnswerOf(*SolutionFor(panel, window())));
        return reference.plainText();
    }
};

void DetailsTest::notMadeBeforeFirstOpen() { QVERIFY(window().detailsWindow() == nullptr); }

// The first item of 辅助, window-only: the driver's menu keeps its five items.
void DetailsTest::menuItemOpensIt()
{
    QAction* action = window().detailsAction();
    QCOMPARE(action->text(), QStringLiteral("解题详情(&D)"));
    QCOMPARE(action->shortcut(), QKeySequence(QStringLiteral("Ctrl+D")));
    auto* menu = window().findChild<QMenu*>(QStringLiteral("mnuAss"));
    QCOMPARE(menu->actions().first(), action);
    QCOMPARE(kMenuItemCount, std::size_t(5));

    QTest::keyClick(field(linear::a), Qt::Key_D, Qt::ControlModifier);
    QVERIFY(window().detailsWindow() != nullptr);
    QVERIFY(details().isVisible());
    QCOMPARE(details().windowTitle(), QStringLiteral("解题详情"));
    QVERIFY(!details().isModal());
    QCOMPARE(details().parentWidget(), &window());
}

void DetailsTest::opensOnPanel_data()
{
    QTest::addColumn<QString>("focus");  // the control holding the focus, or none
    QTest::addColumn<QString>("solved"); // the solve button pressed before, or none
    QTest::addColumn<PanelPointer>("expected");
    QTest::newRow("focus in the quadratic's b") << "Text5"
                                                << "" << &kQuadraticPanel;
    QTest::newRow("focus in the cubic's result") << "Text12"
                                                 << "" << &kCubicPanel;
    QTest::newRow("focus on the system's solve button") << "Command4"
                                                        << "" << &kSystemPanel;
    QTest::newRow("focus wins over the last solved") << "Text1"
                                                     << "Command3" << &kLinearPanel;
    QTest::newRow("no focus: the last solved") << ""
                                               << "Command3" << &kCubicPanel;
    QTest::newRow("no focus, nothing solved: the first") << ""
                                                         << "" << &kLinearPanel;
}

void DetailsTest::opensOnPanel()
{
    QFETCH(QString, focus);
    QFETCH(QString, solved);
    QFETCH(PanelPointer, expected);
    if (!solved.isEmpty())
        click(*buttonNamed(solved.toStdString()));
    if (focus.isEmpty())
        window().focusWidget()->clearFocus();
    else
        window().surface()->findChild<QWidget*>(focus)->setFocus();
    window().detailsAction()->trigger();
    QCOMPARE(&details().currentPage()->panel(), expected);
}

void DetailsTest::doubleClickOnResultOpensItsPanel_data()
{
    QTest::addColumn<QString>("result");
    QTest::addColumn<PanelPointer>("expected");
    for (const Field control : kFields) {
        if (control->role == FieldRole::Result)
            QTest::newRow(control.name().data()) << qs(control.name()) << &panelOf(control);
    }
}

void DetailsTest::doubleClickOnResultOpensItsPanel()
{
    QFETCH(QString, result);
    QFETCH(PanelPointer, expected);
    field(linear::a)->setFocus();
    QTest::mouseDClick(field(*fieldNamed(result.toStdString())), Qt::LeftButton);
    QCoreApplication::processEvents();
    QVERIFY(window().detailsWindow() != nullptr && details().isVisible());
    QCOMPARE(&details().currentPage()->panel(), expected);
}

// On a 1024×768 screen (gui.details.small_screen) the two windows stand side by side.
void DetailsTest::fitsBesideMainWindow()
{
    const QRect screen = window().screen()->availableGeometry();
    if (screen.size() != QSize(1024, 768))
        QSKIP("needs a 1024×768 screen, as gui.details.small_screen gives it");
    window().openDetails(&kLinearPanel);
    QCoreApplication::processEvents();
    QVERIFY(screen.contains(details().frameGeometry()));
    QVERIFY(screen.contains(window().frameGeometry()));
    QVERIFY(!details().frameGeometry().intersects(window().frameGeometry()));
}

void DetailsTest::escapeClosesAndReopensSameWindow()
{
    window().openDetails(&kCubicPanel);
    DetailsWindow* first = window().detailsWindow();
    QVERIFY(activate(*first));
    QTest::keyClick(first, Qt::Key_Escape);
    QVERIFY(!first->isVisible());
    QVERIFY(reactivate(window()));
    window().openDetails(&kLinearPanel);
    QCOMPARE(window().detailsWindow(), first);
    QVERIFY(first->isVisible());
}

void DetailsTest::ctrlTabChangesPage()
{
    window().openDetails(&kCubicPanel);
    QVERIFY(activate(details()));
    details().copyButton()->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ControlModifier);
    QCOMPARE(&details().currentPage()->panel(), &kSystemPanel);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ControlModifier);
    QCOMPARE(&details().currentPage()->panel(), &kLinearPanel);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(&details().currentPage()->panel(), &kSystemPanel);
}

// Every text, the graph and the buttons, so a screen reader reads each in turn.
void DetailsTest::tabReachesEveryControl()
{
    DetailsPage* page = openWith(&kQuadraticPanel, {"Text4=1", "Text5=-3", "Text6=1"});
    QVERIFY(activate(details()));
    QList<QWidget*> expected{static_cast<QWidget*>(details().tabs()->tabBar()), details().copyButton(),
                             details().copyLatexButton(), details().saveButton(), page->graph()};
    for (formula::FormulaView* view : page->findChildren<formula::FormulaView*>()) {
        if (view->isVisibleTo(page))
            expected << view;
    }
    QSet<QWidget*> reached;
    details().tabs()->tabBar()->setFocus();
    for (int i = 0; i < 3 * expected.size(); ++i) {
        reached.insert(QApplication::focusWidget());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    for (QWidget* widget : expected)
        QVERIFY2(reached.contains(widget), qPrintable(widget->objectName() + widget->metaObject()->className()));
    // A screen reader speaks a focused line's name: its words, each formula
    // in Mandarin; the printed text stays in its description.
    for (formula::FormulaView* view : page->findChildren<formula::FormulaView*>()) {
        if (!view->isVisibleTo(page))
            continue;
        QVERIFY(!view->accessibleDescription().isEmpty());
        QVERIFY(!view->accessibleName().isEmpty());
        for (const QString& symbol :
             {QStringLiteral("="), QStringLiteral("√"), QStringLiteral("−"), QStringLiteral("²")})
            QVERIFY2(!view->accessibleName().contains(symbol), qPrintable(view->accessibleName()));
    }
}

// Keystrokes of one turn of the event loop come to one analysis, made on the next.
// Unlike the main window's fixed captions, a page's formulas are shaped:
// marks and superscripts need the font's OpenType tables.
void DetailsTest::formulasAreShaped()
{
    DetailsPage* page = openWith(&kQuadraticPanel, {"Text4=1", "Text5=-3", "Text6=1"});
    QList<const QWidget*> widgets{page->graph()};
    for (const formula::FormulaView* view : page->findChildren<formula::FormulaView*>())
        widgets << view;
    for (const QWidget* widget : widgets)
        QVERIFY2(!(widget->font().styleStrategy() & QFont::PreferNoShaping), qPrintable(widget->objectName()));
}

void DetailsTest::followsTheFieldsOncePerTurn()
{
    DetailsPage* page = openWith(&kLinearPanel, {"Text1=2", "Text2=-4"});
    QCOMPARE(labelText(page, "roots"), QStringLiteral("根：\nx = 2"));
    typeInto(window(), {"Text1=3", "Text2=1"});
    QCOMPARE(labelText(page, "roots"), QStringLiteral("根：\nx = 2"));
    QCoreApplication::processEvents();
    QCOMPARE(labelText(page, "equation"), QStringLiteral("3x + 1 = 0"));
    QCOMPARE(labelText(page, "roots"), QStringLiteral("根：\nx = −1/3 ≈ −0.333333333333333"));
}

void DetailsTest::pageShows_data()
{
    QTest::addColumn<PanelPointer>("panel");
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<QString>("equation");
    QTest::addColumn<QString>("roots");
    QTest::newRow("quadratic, two irrational roots")
        << &kQuadraticPanel << QStringList{"Text4=1", "Text5=-3", "Text6=1"} << "x² − 3x + 1 = 0"
        << "根：\nx₁ = (3 − √5)/2 ≈ 0.381966011250105\nx₂ = (3 + √5)/2 ≈ 2.61803398874989";
    QTest::newRow("quadratic, double root typed with decimals")
        << &kQuadraticPanel << QStringList{"Text4=4", "Text5=-2.8", "Text6=0.49"} << "4x² − 2.8x + 0.49 = 0"
        << "根：\nx₁ = x₂ = 7/20 = 0.35（二重根）";
    QTest::newRow("quadratic, complex roots")
        << &kQuadraticPanel << QStringList{"Text4=1", "Text5=0", "Text6=1"} << "x² + 1 = 0"
        << "根：\nx₁ = i\nx₂ = −i";
    QTest::newRow("quadratic, a typed as 0")
        << &kQuadraticPanel << QStringList{"Text4=0", "Text5=2", "Text6=-1"} << "0x² + 2x − 1 = 0"
        << "根：\nx = 1/2 = 0.5";
    QTest::newRow("cubic, three rational roots")
        << &kCubicPanel << QStringList{"Text10=-7", "Text11=6"} << "x³ − 7x + 6 = 0"
        << "根：\nx₁ = −3\nx₂ = 1\nx₃ = 2";
    QTest::newRow("linear, no solution") << &kLinearPanel << QStringList{"Text1=0", "Text2=5"} << "0x + 5 = 0"
                                         << "根：\n方程无解";
    QTest::newRow("system, unique") << &kSystemPanel << QStringList{"Text13=2", "Text14=3",  "Text9=-7",
                                                                    "Text16=1", "Text17=-1", "Text25=-1"}
                                    << "{2X + 3Y − 7 = 0；X − Y − 1 = 0}"
                                    << "解：\nX = 2\nY = 1";
    QTest::newRow("system, the same line twice")
        << &kSystemPanel << QStringList{"Text13=1", "Text14=1", "Text9=-1", "Text16=2", "Text17=2", "Text25=-2"}
        << "{X + Y − 1 = 0；2X + 2Y − 2 = 0}"
        << "";
}

void DetailsTest::pageShows()
{
    QFETCH(PanelPointer, panel);
    QFETCH(QStringList, entries);
    QFETCH(QString, equation);
    QFETCH(QString, roots);
    const DetailsPage* page = openWith(panel, entries);
    QCOMPARE(labelText(page, "equation"), equation);
    if (roots.isEmpty())
        QVERIFY(labelText(page, "roots").contains(QStringLiteral("为任意实数")));
    else
        QCOMPARE(labelText(page, "roots"), roots);
    QVERIFY(!labelText(page, "summary").isEmpty());
    QVERIFY(!labelText(page, "steps").isEmpty());
    QVERIFY(labelText(page, "readings").isEmpty());
}

void DetailsTest::misreadTextIsWarned_data()
{
    QTest::addColumn<PanelPointer>("panel");
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<QString>("warning");
    QTest::addColumn<QString>("equation");
    QTest::newRow("a fraction read as its numerator")
        << &kLinearPanel << QStringList{"Text1=1/3", "Text2=1"} << "a：“1/3” 读作 1"
        << "x + 1 = 0";
    // The coefficient named by its meaning, its digit as a subscript.
    QTest::newRow("a system's constant term")
        << &kSystemPanel << QStringList{"Text13=1", "Text14=1", "Text16=1", "Text17=-1", "Text25=2x"}
        << "d₂：“2x” 读作 2"
        << "{X + Y = 0；X − Y + 2 = 0}";
}

void DetailsTest::misreadTextIsWarned()
{
    QFETCH(PanelPointer, panel);
    QFETCH(QStringList, entries);
    QFETCH(QString, warning);
    QFETCH(QString, equation);
    const DetailsPage* page = openWith(panel, entries);
    QCOMPARE(labelText(page, "readings"), warning);
    const auto* readings = page->findChild<LinesView*>(QStringLiteral("readings"));
    QCOMPARE(readings->palette().color(QPalette::WindowText), QColor(QStringLiteral("#b34700")));
    QCOMPARE(labelText(page, "equation"), equation);
}

// A panel whose equation the page has no form for (a fifth panel, say) still
// gets its page: the coefficients as read, the kind and the working, no graph.
void DetailsTest::panelOfAnotherFormListsItsCoefficients()
{
    static constexpr PanelDefinition kRatioPanel{
        .name = "Ratio",
        .title = "比例",
        .fields = {},
        .layout = {},
        .lines = {},
        .messages = {},
        .solve = nullptr,
        .check = nullptr,
        .coefficients = linear::coefficients,
        .solutionOf = [](std::vector<Reading> read) -> std::shared_ptr<const PanelSolution> {
            auto s = std::make_shared<RatioSolution>();
            s->read = std::move(read);
            s->summary = present::Line("比例的两项");
            return s;
        },
        .example = {},
    };
    typeInto(window(), {"Text1=3", "Text2=1/2"});
    DetailsPage page(kRatioPanel);
    page.present(AnswerOf(*SolutionFor(kRatioPanel, window())));
    QCOMPARE(page.accessibleName(), QStringLiteral("比例"));
    QCOMPARE(labelText(&page, "equation"), QStringLiteral("a = 3，b = 1"));
    QCOMPARE(labelText(&page, "readings"), QStringLiteral("b：“1/2” 读作 1"));
    QVERIFY(!labelText(&page, "summary").isEmpty());
    QVERIFY(!page.hasGraph());
}

void DetailsTest::quarticPanelNeedsNoNewMathematics()
{
    // Five coefficient fields borrowed from the system panel's grid.
    static constexpr auto kCoefficients
        = std::to_array<Field>({system::a1, system::b1, system::c1, system::d1, system::a2});
    static constexpr PanelDefinition kQuarticPanel{
        .name = "Quartic",
        .title = "一元四次方程",
        .fields = {},
        .layout = {},
        .lines = {},
        .messages = {},
        .solve = nullptr,
        .check = nullptr,
        .coefficients = kCoefficients,
        .solutionOf = [](std::vector<Reading> read) -> std::shared_ptr<const PanelSolution> {
            auto s = std::make_shared<QuarticSolution>();
            s->begin(kQuarticPanel, std::move(read), kSixteenDecimals);
            for (const Reading& r : s->read)
                s->polynomial.push_back(r.value);
            s->equation = std::make_shared<const engine::PolynomialEquation>(
                engine::Polynomial::FromHighestFirst(s->polynomial));
            s->kind = EquationKind::Double; // the kinds the panels tell apart serve it
            s->summary = present::Line("四次方程的根");
            return s;
        },
        .example = {},
    };
    // (x² − 2)(x − 1)² = x⁴ − 2x³ − x² + 4x − 2: two surds and a double root.
    typeInto(window(), {"Text13=1", "Text14=-2", "Text15=-1", "Text9=4", "Text16=-2"});
    const SolutionPtr solution = SolutionFor(kQuarticPanel, window());
    DetailsPage page(kQuarticPanel);
    page.present(AnswerOf(*solution));
    QCOMPARE(page.accessibleName(), QStringLiteral("一元四次方程"));
    const QString roots = labelText(&page, "roots");
    for (const QString& root : {QStringLiteral("−√2"), QStringLiteral("√2"), QStringLiteral("1.4142135623731")})
        QVERIFY2(roots.contains(root), qPrintable(roots));
    QVERIFY2(roots.contains(QString::fromStdString(present::PlainLine(MultiplicityNote(2)))), qPrintable(roots));
    QVERIFY(page.hasGraph());

    const std::string line = analysisLine(*solution);
    for (const char* part : {R"j(["analysis", "Quartic", )j", R"j("exact": "-sqrt(2)")j", R"j("exact": "1")j",
                             R"j("multiplicity": 2)j", R"j("exact": "sqrt(2)")j"})
        QVERIFY2(line.find(part) != std::string::npos, line.c_str());
}

void DetailsTest::millionCharacterFieldIsShortened()
{
    window().openDetails(&kCubicPanel);
    field(cubic::p)->setText(QString(1000000, QLatin1Char('7')) + QLatin1Char('x'));
    QCoreApplication::processEvents();
    const DetailsPage* page = details().currentPage();
    QTRY_VERIFY_WITH_TIMEOUT(!details().analysing(), kAnalysisTimeout);
    QVERIFY(labelText(page, "readings").size() < 200);
    QVERIFY(labelText(page, "equation").size() < 200);
    QVERIFY(labelText(page, "readings").contains(QStringLiteral("…")));
}

void DetailsTest::longInputIsAnalysedAside_data()
{
    QTest::addColumn<PanelPointer>("panel");
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<QString>("name");
    QTest::newRow("quadratic's b") << &kQuadraticPanel << QStringList{"Text4=1", "Text6=-1"} << "Text5";
    QTest::newRow("cubic's p") << &kCubicPanel << QStringList{"Text11=1"} << "Text10";
    QTest::newRow("system's d₂") << &kSystemPanel
                                 << QStringList{"Text13=2", "Text14=3", "Text9=-7", "Text16=1", "Text17=-1"}
                                 << "Text25";
}

// The page says it is computing as soon as it is shown, and later shows what
// the same analysis made here gives.
void DetailsTest::longInputIsAnalysedAside()
{
    QFETCH(PanelPointer, panel);
    QFETCH(QStringList, entries);
    QFETCH(QString, name);
    typeInto(window(), entries);
    window().surface()->findChild<QLineEdit*>(name)->setText(millionDigits(1));
    window().openDetails(panel);
    const DetailsPage* page = details().currentPage();
    QVERIFY(page->busy());
    QCOMPARE(labelText(page, "busy"), QStringLiteral("正在计算…"));
    QVERIFY(!details().copyButton()->isEnabled());

    QTRY_VERIFY_WITH_TIMEOUT(!details().analysing(), kAnalysisTimeout);
    QVERIFY(!page->busy());
    QVERIFY(labelText(page, "busy").isEmpty());
    QVERIFY(details().copyButton()->isEnabled());
    QCOMPARE(page->plainText(), analysedNow(*panel));
}

void DetailsTest::newestInputWins_data()
{
    QTest::addColumn<QString>("next");
    QTest::newRow("a short text after a long one") << "-3";
    QTest::newRow("a long text after a long one") << millionDigits(2);
}

// The first analysis is still running when the field changes again: its
// result must not replace the newer one's.
void DetailsTest::newestInputWins()
{
    QFETCH(QString, next);
    typeInto(window(), {"Text4=1", "Text6=1"});
    field(quadratic::b)->setText(millionDigits(1));
    window().openDetails(&kQuadraticPanel);
    QVERIFY(details().analysing());
    field(quadratic::b)->setText(next);
    // The edit is taken on the next turn of the event loop, long before the first analysis ends.
    QCoreApplication::processEvents();
    QTRY_VERIFY_WITH_TIMEOUT(!details().analysing(), kAnalysisTimeout);
    const DetailsPage* page = details().currentPage();
    QVERIFY(!page->busy());
    QCOMPARE(page->plainText(), analysedNow(kQuadraticPanel));
}

// The window closed while it computes, then the program ended with it (the
// fixture's cleanup) before the result came.
void DetailsTest::closingWhileAnalysingIsSafe()
{
    field(quadratic::b)->setText(millionDigits(1));
    window().openDetails(&kQuadraticPanel);
    QVERIFY(details().analysing());
    details().close();
    QVERIFY(details().analysing());
}

void DetailsTest::copyPutsPageOnClipboard()
{
    openWith(&kLinearPanel, {"Text1=3", "Text2=1"});
    QTest::mouseClick(details().copyButton(), Qt::LeftButton);
    const QString copied = QApplication::clipboard()->text();
    for (const QString& part : {QStringLiteral("一元一次方程"), QStringLiteral("3x + 1 = 0"),
                                QStringLiteral("x = −1/3 ≈ −0.333333333333333"), QStringLiteral("解题过程：")})
        QVERIFY2(copied.contains(part), qPrintable(copied));
}

void DetailsTest::saveWritesGraphAsPng_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("written");
    QTest::newRow("with its suffix") << "graph.png"
                                     << "graph.png";
    QTest::newRow("suffix added") << "graph"
                                  << "graph.png";
}

void DetailsTest::saveWritesGraphAsPng()
{
    QFETCH(QString, typed);
    QFETCH(QString, written);
    const QTemporaryDir directory;
    const DetailsPage* page = openWith(&kQuadraticPanel, {"Text4=1", "Text5=-3", "Text6=1"});
    QTimer::singleShot(0, this, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        QVERIFY(dialog != nullptr);
        dialog->selectFile(directory.filePath(typed));
        QMetaObject::invokeMethod(dialog, "accept");
    });
    QTest::mouseClick(details().saveButton(), Qt::LeftButton);
    const QImage saved(directory.filePath(written));
    QVERIFY(!saved.isNull());
    QCOMPARE(saved.size(), page->graph()->size() * 2);
}

void DetailsTest::curveCrossesAxisAtRoots_data()
{
    QTest::addColumn<PanelPointer>("panel");
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<bool>("crosses"); // false: touches the axis and turns back
    QTest::newRow("linear") << &kLinearPanel << QStringList{"Text1=3", "Text2=1"} << true;
    QTest::newRow("quadratic") << &kQuadraticPanel << QStringList{"Text4=1", "Text5=-3", "Text6=1"} << true;
    QTest::newRow("quadratic, double root")
        << &kQuadraticPanel << QStringList{"Text4=4", "Text5=-2.8", "Text6=0.49"} << false;
    QTest::newRow("cubic") << &kCubicPanel << QStringList{"Text10=-7", "Text11=6"} << true;
}

// On either side of each root the curve lies on either side of the x axis
// (or on one side, where it touches it); the root is marked on the axis.
void DetailsTest::curveCrossesAxisAtRoots()
{
    QFETCH(PanelPointer, panel);
    QFETCH(QStringList, entries);
    QFETCH(bool, crosses);
    const Graph* graph = openWith(panel, entries)->graph();
    QVERIFY(graph->isVisible());
    QVERIFY(!graph->model().roots.empty());
    const QImage image = graph->picture(1);
    for (const GraphModel::Mark& root : graph->model().roots) {
        const QPointF at = graph->toWidget(root.at);
        const double axis = graph->toWidget({0, 0}).y();
        QCOMPARE(at.y(), axis);
        const double left = curveRowAt(image, qRound(at.x()) - 8);
        const double right = curveRowAt(image, qRound(at.x()) + 8);
        QVERIFY(left >= 0 && right >= 0);
        const bool opposite = (left - axis) * (right - axis) < 0;
        QVERIFY2(opposite == crosses, qPrintable(QStringLiteral("root at %1: curve at rows %2 and %3, axis %4")
                                                     .arg(at.x())
                                                     .arg(left)
                                                     .arg(right)
                                                     .arg(axis)));
        const QColor mark = image.pixelColor(at.toPoint());
        QVERIFY2(mark.red() > 150 && mark.green() < 60, qPrintable(mark.name()));
    }
}

void DetailsTest::graphIsDescribed_data()
{
    QTest::addColumn<PanelPointer>("panel");
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<QString>("description");
    QTest::newRow("parabola")
        << &kQuadraticPanel << QStringList{"Text4=1", "Text5=-3", "Text6=1"}
        << "抛物线 y = x² − 3x + 1，开口向上，顶点 (3/2, −5/4)，与 x 轴交于 (3 − √5)/2 和 (3 + √5)/2，"
           "与 y 轴交于点 (0, 1)；当 x < (3 − √5)/2 或 x > (3 + √5)/2 时，抛物线位于 x 轴上方；"
           "当 (3 − √5)/2 < x < (3 + √5)/2 时，抛物线位于 x 轴下方";
    QTest::newRow("straight line") << &kLinearPanel << QStringList{"Text1=3", "Text2=1"}
                                   << "直线 y = 3x + 1，与 x 轴交于 −1/3，与 y 轴交于点 (0, 1)；"
                                      "当 x > −1/3 时，直线位于 x 轴上方；当 x < −1/3 时，直线位于 x 轴下方";
    QTest::newRow("parabola touching the axis")
        << &kQuadraticPanel << QStringList{"Text4=4", "Text5=-2.8", "Text6=0.49"}
        << "抛物线 y = 4x² − 2.8x + 0.49，开口向上，顶点 (7/20, 0)，与 x 轴相切于 7/20，与 y 轴交于点 (0, 0.49)；"
           "当 x < 7/20 或 x > 7/20 时，抛物线位于 x 轴上方";
    QTest::newRow("two lines crossing") << &kSystemPanel << QStringList{"Text13=2", "Text14=3",  "Text9=-7",
                                                                        "Text16=1", "Text17=-1", "Text25=-1"}
                                        << "直线① 2X + 3Y − 7 = 0，直线② X − Y − 1 = 0，交于点 (2, 1)";
    QTest::newRow("parallel lines") << &kSystemPanel << QStringList{"Text13=1", "Text14=1", "Text9=-1",
                                                                    "Text16=2", "Text17=2", "Text25=-3"}
                                    << "直线① X + Y − 1 = 0，直线② 2X + 2Y − 3 = 0，两直线平行，没有交点";
    QTest::newRow("three unknowns: no graph")
        << &kSystemPanel << QStringList{"Text13=1",  "Text14=1", "Text15=1",  "Text9=-6", "Text16=2",
                                        "Text17=-1", "Text20=1", "Text21=-1", "Text26=1"}
        << "";
}

void DetailsTest::graphIsDescribed()
{
    QFETCH(PanelPointer, panel);
    QFETCH(QStringList, entries);
    QFETCH(QString, description);
    const DetailsPage* page = openWith(panel, entries);
    QCOMPARE(page->graph()->isVisibleTo(page), !description.isEmpty());
    QCOMPARE(details().saveButton()->isEnabled(), !description.isEmpty());
    if (!description.isEmpty()) {
        QVERIFY(!page->graph()->accessibleName().isEmpty());
        QCOMPARE(page->graph()->accessibleDescription(), description);
    }
}

QTEST_MAIN(DetailsTest)
#include "details_test.moc"
