// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Formulas laid out as a textbook sets them, measured on the boxes the
// layout draws and on the pixels it draws, under one font set-up and one
// scale factor chosen by CTest (FONTCONFIG_FILE, QT_SCALE_FACTOR).

#include "fonts.h"
#include "formula_layout.h"
#include "formula_view.h"
#include "plain_text.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QFontInfo>
#include <QHBoxLayout>
#include <QImage>
#include <QLineEdit>
#include <QPainter>
#include <QScrollBar>
#include <QTest>

#include <algorithm>
#include <cmath>

using namespace zembrel;
using namespace zembrel::engine;
using formula::FormulaLayout;
using formula::FormulaView;
using formula::Part;
using formula::PlacedBox;

Q_DECLARE_METATYPE(zembrel::engine::FormulaPtr)

namespace {

// The 解题详情 page's font for its formulas.
QFont pageFont() { return songFont({12, false}); }

qreal ratio() { return qApp->devicePixelRatio(); }

// A fraction of a device pixel: what floating point leaves of "touching".
constexpr qreal kSlack = 1e-6;

QString describe(const QRectF& rect)
{
    return QStringLiteral("(%1,%2 %3×%4)").arg(rect.x()).arg(rect.y()).arg(rect.width()).arg(rect.height());
}

QString describe(const PlacedBox& box)
{
    const QString text = box.text.isEmpty() ? QString() : QStringLiteral(" \"%1\"").arg(box.text);
    return QString::fromLatin1(QMetaEnum::fromType<Part>().valueToKey(static_cast<int>(box.part))) + text
           + describe(box.rect);
}

bool overlap(const QRectF& a, const QRectF& b)
{
    const QRectF common = a.intersected(b);
    return common.width() > kSlack && common.height() > kSlack;
}

bool within(const QRectF& inner, const QRectF& outer)
{
    return inner.left() >= outer.left() - kSlack && inner.right() <= outer.right() + kSlack
           && inner.top() >= outer.top() - kSlack && inner.bottom() <= outer.bottom() + kSlack;
}

// The one part of `part` kind beside box `index`, under the same parent; -1 for none.
int sibling(const std::vector<PlacedBox>& boxes, std::size_t index, Part part)
{
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        if (i != index && boxes[i].parent == boxes[index].parent && boxes[i].part == part)
            return static_cast<int>(i);
    }
    return -1;
}

// The pixels a drawing inked, in logical pixels from `origin`.
QRectF inkOf(const QImage& image, QPointF origin)
{
    QRect pixels;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) != QColor(Qt::white).rgb())
                pixels |= QRect(x, y, 1, 1);
        }
    }
    const qreal r = image.devicePixelRatio();
    return QRectF(pixels.x() / r, pixels.y() / r, pixels.width() / r, pixels.height() / r).translated(-origin);
}

// The layout drawn black on white with room all round, so that nothing clips it.
struct Drawing {
    QImage image;
    QPointF origin;

    QRgb pixelAt(QPointF point) const
    {
        const QPointF device = (point + origin) * image.devicePixelRatio();
        return image.pixel(static_cast<int>(std::floor(device.x())), static_cast<int>(std::floor(device.y())));
    }
};

Drawing draw(const FormulaLayout& layout)
{
    const qreal r = layout.devicePixelRatio();
    const QPointF origin(32, 32);
    Drawing drawing{QImage((layout.size() + QSizeF(64, 64)).toSize() * r, QImage::Format_RGB32), origin};
    drawing.image.setDevicePixelRatio(r);
    drawing.image.fill(Qt::white);
    QPainter painter(&drawing.image);
    painter.setPen(Qt::black);
    layout.paint(painter, origin);
    return drawing;
}

FormulaPtr x(const char* subscript = "") { return Sym("x", subscript); }

// The formula of each row of the tables, one or more of each kind.
void formulaTable()
{
    QTest::addColumn<FormulaPtr>("formula");
    const FormulaPtr a = Sym("a");
    const FormulaPtr b = Sym("b");
    const FormulaPtr delta = Sym(symbol::kDelta);
    const FormulaPtr q = Sym("q");
    QTest::newRow("integer") << Int(12345);
    QTest::newRow("decimal times a power of ten") << Dec("1.5", -11);
    QTest::newRow("unknown with a subscript") << x("1");
    QTest::newRow("constant") << Sym(symbol::kPi);
    QTest::newRow("negative") << Neg(b);
    QTest::newRow("sum with plus-minus") << PlusMinusOf(Neg(b), Sqrt(delta));
    QTest::newRow("product with times signs") << Times({Int(4), Neg(Int(1)), Int(1)});
    QTest::newRow("product with a grouped sum") << Mul({Int(2), Add(x(), Int(1))});
    QTest::newRow("fraction, numerator wider") << Frac(Sub(Int(3), Sqrt(Int(5))), Int(2));
    QTest::newRow("fraction, denominator wider") << Frac(Int(1), Mul({Int(2), a}));
    QTest::newRow("fraction of fractions") << Frac(Frac(Int(1), Int(2)), Frac(Int(3), Add(x(), Int(1))));
    QTest::newRow("negative fraction") << Neg(Frac(b, a));
    QTest::newRow("square root") << Sqrt(Add(Pow(b, 2), Int(1)));
    QTest::newRow("cube root") << RootOf(Add(Neg(Frac(q, Int(2))), Sqrt(Pow(Frac(q, Int(2)), 2))), 3);
    QTest::newRow("fifth root") << RootOf(Int(2), 5);
    QTest::newRow("root of a fraction") << Sqrt(Frac(Pow(q, 2), Int(4)));
    QTest::newRow("power of a fraction") << Pow(Frac(Int(3), Int(2)), 2);
    QTest::newRow("power of a negative") << Pow(Neg(Int(3)), 2);
    QTest::newRow("power of a root") << Pow(Sqrt(Int(2)), 2);
    QTest::newRow("subscript and superscript") << Pow(x("1"), 2);
    QTest::newRow("negative exponent") << Pow(x(), Neg(Int(1)));
    QTest::newRow("function") << Func("arccos", Neg(Frac(q, Int(2))));
    QTest::newRow("chain") << ChainOf(delta, {{Relation::Equal, Sub(Pow(b, 2), Mul({Int(4), a, Sym("c")}))},
                                              {Relation::Equal, Sub(Pow(Neg(Int(3)), 2), Times({Int(4), Int(1)}))},
                                              {Relation::Approx, Dec("5.0")}});
    QTest::newRow("determinant") << MatrixOf({{Int(2), Int(3)}, {Int(1), Neg(Int(1))}}, true);
    QTest::newRow("matrix with a fraction")
        << MatrixOf({{Frac(Int(1), Int(3)), Int(0)}, {Int(4), Sqrt(Int(2))}}, false);
    QTest::newRow("system") << CasesOf({Eq(Add(Mul({Int(2), x()}), Mul({Int(3), Sym("y")})), Int(1)),
                                        Eq(Sub(x(), Sym("y")), Neg(Frac(Int(7), Int(2))))});
    QTest::newRow("interval from minus infinity") << IntervalOf(nullptr, Neg(Int(1)), false, false);
    QTest::newRow("union of intervals") << UnionOf(
        {IntervalOf(Int(1), Frac(Int(5), Int(2)), true, false), IntervalOf(Int(3), nullptr, true, false)});
    QTest::newRow("alternatives") << OrOf({Rel(x(), Relation::Less, Int(1)), Rel(x(), Relation::GreaterEqual, Int(2))});
    QTest::newRow("conditions") << AndOf(
        {Rel(x(), Relation::Greater, Neg(Int(1))), Rel(x(), Relation::NotEqual, Int(0))});
    QTest::newRow("list of roots") << ListOf({Eq(x("1"), Int(1)), Eq(x("2"), Frac(Int(1), Int(2)))});
}

} // namespace

class FormulaLayoutTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();

    void boxesNestWithoutOverlapping_data() { formulaTable(); }
    void boxesNestWithoutOverlapping();
    void partsSpanWhatTheyBelongTo_data() { formulaTable(); }
    void partsSpanWhatTheyBelongTo();
    void rulesFillWholeDevicePixels_data() { formulaTable(); }
    void rulesFillWholeDevicePixels();
    void inkStaysInsideTheLayout_data() { formulaTable(); }
    void inkStaysInsideTheLayout();

    void longFormulaBreaksWhereTextbooksDo_data();
    void longFormulaBreaksWhereTextbooksDo();
    void sentenceWrapsAroundItsFormula();
    void unbreakablePartKeepsItsLine();

    void viewWrapsToItsWidth();
    void viewScrollsWhatCannotBreak();
    void viewDrawsItsFormulaWhole();
    void tabReachesTheView();
    void viewCopiesPlainText();
    void screenReaderReadsTheViewWhole();
};

void FormulaLayoutTest::initTestCase()
{
    // The set-up CTest chose must be the one in use, or the test proves nothing of it.
    const QByteArray face = qgetenv("ZEMBREL_REGULAR_FACE");
    if (!face.isEmpty()) {
        const QFontInfo info(pageFont());
        QCOMPARE(info.family() + QLatin1Char(' ') + info.styleName(), QString::fromUtf8(face));
    }
}

// Every part lies inside the part it belongs to, and no two parts of one
// whole share any room, except a root's index in the crook of its sign.
void FormulaLayoutTest::boxesNestWithoutOverlapping()
{
    QFETCH(FormulaPtr, formula);
    const FormulaLayout layout(formula, pageFont(), ratio());
    const std::vector<PlacedBox> boxes = layout.boxes();
    for (std::size_t i = 1; i < boxes.size(); ++i) {
        const PlacedBox& parent = boxes[static_cast<std::size_t>(boxes[i].parent)];
        QVERIFY2(within(boxes[i].rect, parent.rect), qPrintable(describe(boxes[i]) + " outside " + describe(parent)));
        for (std::size_t j = i + 1; j < boxes.size(); ++j) {
            if (boxes[j].parent != boxes[i].parent)
                continue;
            const bool crook = (boxes[i].part == Part::RootIndex && boxes[j].part == Part::RadicalSign);
            QVERIFY2(crook || !overlap(boxes[i].rect, boxes[j].rect),
                     qPrintable(describe(boxes[i]) + " overlaps " + describe(boxes[j])));
        }
    }
}

// A fraction's bar spans the wider of its parts and lies clear between them;
// a radical's overline spans its radicand clear above it; fences are as tall as what
// they hold; scripts are raised and lowered; a root's index sits over its sign.
void FormulaLayoutTest::partsSpanWhatTheyBelongTo()
{
    QFETCH(FormulaPtr, formula);
    const FormulaLayout layout(formula, pageFont(), ratio());
    const qreal em = QFontInfo(pageFont()).pixelSize();
    // Between a bar and what it divides or covers, at least a device pixel of white.
    const qreal gap = 1 / ratio();
    const std::vector<PlacedBox> boxes = layout.boxes();
    const auto near = [&](std::size_t i, Part part) -> const QRectF& {
        const int j = sibling(boxes, i, part);
        static const QRectF none;
        return j < 0 ? none : boxes[static_cast<std::size_t>(j)].rect;
    };
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        const QRectF& box = boxes[i].rect;
        const QString what = describe(boxes[i]);
        switch (boxes[i].part) {
        case Part::FractionBar: {
            const QRectF& top = near(i, Part::Numerator);
            const QRectF& bottom = near(i, Part::Denominator);
            const QRectF parts = top.united(bottom);
            QVERIFY2(box.left() <= parts.left() + kSlack && box.right() >= parts.right() - kSlack,
                     qPrintable(what + " short of " + describe(parts)));
            QVERIFY2(box.width() <= parts.width() + 0.4 * em, qPrintable(what + " far beyond " + describe(parts)));
            QVERIFY2(top.bottom() + gap <= box.top() + kSlack && bottom.top() >= box.bottom() + gap - kSlack,
                     qPrintable(what + " not clear between " + describe(top) + " and " + describe(bottom)));
            break;
        }
        case Part::Overline: {
            const QRectF& radicand = near(i, Part::Radicand);
            QVERIFY2(box.left() <= radicand.left() + kSlack && box.right() >= radicand.right() - kSlack,
                     qPrintable(what + " short of " + describe(radicand)));
            QVERIFY2(box.bottom() + gap <= radicand.top() + kSlack,
                     qPrintable(what + " not clear above " + describe(radicand)));
            break;
        }
        case Part::OpenFence:
        case Part::CloseFence: {
            const QRectF& inside = near(i, Part::Inside);
            QVERIFY2(box.top() <= inside.top() + kSlack && box.bottom() >= inside.bottom() - kSlack,
                     qPrintable(what + " shorter than " + describe(inside)));
            break;
        }
        case Part::Superscript: {
            const QRectF& nucleus = near(i, Part::Nucleus);
            QVERIFY2(box.top() < nucleus.top() && box.bottom() < nucleus.bottom(),
                     qPrintable(what + " not raised beside " + describe(nucleus)));
            break;
        }
        case Part::Subscript: {
            const QRectF& nucleus = near(i, Part::Nucleus);
            QVERIFY2(box.top() > nucleus.top() && box.bottom() > nucleus.bottom(),
                     qPrintable(what + " not lowered beside " + describe(nucleus)));
            break;
        }
        case Part::RootIndex: {
            const QRectF& sign = near(i, Part::RadicalSign);
            QVERIFY2(box.bottom() <= sign.center().y() && box.right() <= sign.right(),
                     qPrintable(what + " not over the crook of " + describe(sign)));
            break;
        }
        default: break;
        }
    }
}

// Bars and overlines begin and end on device pixels and fill them: sharp,
// not smeared over two rows.
void FormulaLayoutTest::rulesFillWholeDevicePixels()
{
    QFETCH(FormulaPtr, formula);
    const FormulaLayout layout(formula, pageFont(), ratio());
    const Drawing drawing = draw(layout);
    const qreal r = ratio();
    for (const PlacedBox& box : layout.boxes()) {
        if (box.part != Part::FractionBar && box.part != Part::Overline)
            continue;
        for (const qreal edge : {box.rect.top(), box.rect.bottom(), box.rect.left(), box.rect.right()})
            QVERIFY2(std::abs(edge * r - std::round(edge * r)) < kSlack, qPrintable(describe(box)));
        for (qreal y = box.rect.top() + 0.5 / r; y < box.rect.bottom(); y += 1 / r) {
            for (qreal x = box.rect.left() + 0.5 / r; x < box.rect.right(); x += 1 / r)
                QVERIFY2(drawing.pixelAt({x, y}) == QColor(Qt::black).rgb(),
                         qPrintable(describe(box) + QStringLiteral(" grey at %1,%2").arg(x).arg(y)));
        }
    }
}

// Whatever the layout draws lies inside its size: a widget of that size clips nothing.
void FormulaLayoutTest::inkStaysInsideTheLayout()
{
    QFETCH(FormulaPtr, formula);
    const FormulaLayout layout(formula, pageFont(), ratio());
    const Drawing drawing = draw(layout);
    const QRectF ink = inkOf(drawing.image, drawing.origin);
    const QRectF size(QPointF(0, 0), layout.size());
    QVERIFY2(within(ink, size), qPrintable(describe(ink) + " outside " + describe(size)));
}

void FormulaLayoutTest::longFormulaBreaksWhereTextbooksDo_data()
{
    QTest::addColumn<FormulaPtr>("formula");
    QTest::addColumn<qreal>("part");         // of its width on one line that a line may take
    QTest::addColumn<QList<Part>>("starts"); // what continuation lines begin with
    QTest::addColumn<QString>("starting");   // and its text, for glyphs
    QTest::addColumn<bool>("underRelation"); // whether they line up under the first relation sign
    const FormulaPtr b = Sym("b");
    const FormulaPtr chain
        = ChainOf(Sym(symbol::kDelta), {{Relation::Equal, Sub(Pow(b, 2), Mul({Int(4), Sym("a"), Sym("c")}))},
                                        {Relation::Equal, Sub(Pow(Neg(Int(3)), 2), Times({Int(4), Int(1), Int(1)}))},
                                        {Relation::Equal, Int(5)}});
    QTest::newRow("chain before its relations")
        << chain << 0.6 << QList<Part>{Part::Glyphs} << QStringLiteral("=") << true;
    std::vector<std::pair<Sign, FormulaPtr>> terms;
    for (int power = 9; power > 0; --power)
        terms.emplace_back(power % 2 == 0 ? Sign::Plus : Sign::Minus, Mul({Int(power), Pow(x(), power)}));
    QTest::newRow("sum before its signs")
        << Eq(Sym("f"), SumOf(terms)) << 0.45 << QList<Part>{Part::Glyphs, Part::Minus} << QString() << false;
    QTest::newRow("list between its items")
        << ListOf({Eq(x("1"), Dec("0.381966011250105")), Eq(x("2"), Dec("2.61803398874989"))}) << 0.6
        << QList<Part>{Part::Scripts} << QString() << false;
    QTest::newRow("alternatives before 或")
        << OrOf({Rel(x(), Relation::Less, Neg(Int(10000))), Rel(x(), Relation::Greater, Int(20000))}) << 0.6
        << QList<Part>{Part::Glyphs} << QStringLiteral("或") << false;
}

// Lines no wider than the room, each continuation line beginning with a
// relation sign, a sign of the sum or the next item, as textbooks break.
void FormulaLayoutTest::longFormulaBreaksWhereTextbooksDo()
{
    QFETCH(FormulaPtr, formula);
    QFETCH(qreal, part);
    QFETCH(QList<Part>, starts);
    QFETCH(QString, starting);
    QFETCH(bool, underRelation);
    FormulaLayout layout(formula, pageFont(), ratio());
    const qreal width = part * layout.naturalWidth();
    layout.arrange(width);
    QVERIFY2(layout.lineCount() > 1, "one line");
    QVERIFY2(layout.size().width() <= width,
             qPrintable(QStringLiteral("%1 > %2").arg(layout.size().width()).arg(width)));
    QCOMPARE(layout.sizeFor(width), layout.size());

    const formula::Box& root = layout.root();
    const auto& first = root.children.front().box.children;
    const auto relation = std::ranges::find_if(first, [](const formula::Box::Child& atom) {
        return atom.box.part == Part::Glyphs && atom.box.text == QStringLiteral("=");
    });
    for (std::size_t line = 1; line < root.children.size(); ++line) {
        const formula::Box::Child& start = root.children[line].box.children.front();
        const QString where = QStringLiteral("line %1 begins with %2 \"%3\"")
                                  .arg(line)
                                  .arg(QMetaEnum::fromType<Part>().valueToKey(static_cast<int>(start.box.part)))
                                  .arg(start.box.text);
        QVERIFY2(starts.contains(start.box.part), qPrintable(where));
        QVERIFY2(starting.isEmpty() || start.box.text == starting, qPrintable(where));
        if (underRelation) {
            QVERIFY(relation != first.end());
            QCOMPARE(root.children[line].at.x() + start.at.x(), root.children.front().at.x() + relation->at.x());
        }
    }
}

// Text and formula share lines; the text breaks between its words and the
// copy keeps every character in order.
void FormulaLayoutTest::sentenceWrapsAroundItsFormula()
{
    const FormulaPtr root
        = Eq(x(), Frac(PlusMinusOf(Neg(Sym("b")), Sqrt(Sym(symbol::kDelta))), Mul({Int(2), Sym("a")})));
    const QString before = QStringLiteral("由求根公式");
    const QString after = QStringLiteral("得到方程的两个根，再代入原方程检验");
    FormulaLayout layout({before, root, after}, pageFont(), ratio());
    const qreal width = layout.naturalWidth() / 2;
    layout.arrange(width);
    QVERIFY(layout.lineCount() >= 2);
    QVERIFY(layout.size().width() <= width);
    QCOMPARE(layout.plainText(), before + QString::fromStdString(present::PlainText(*root)) + after);
    QString drawn;
    for (const PlacedBox& box : layout.boxes()) {
        if (box.text.size() > 0 && box.text.front().script() == QChar::Script_Han)
            drawn += box.text;
    }
    QCOMPARE(drawn, before + after);
}

// A matrix wider than the room stays on the line of its relation sign,
// which runs over, and the next item of a list begins a line of its own.
void FormulaLayoutTest::unbreakablePartKeepsItsLine()
{
    std::vector<FormulaPtr> row;
    row.reserve(12);
    for (int i = 0; i < 12; ++i)
        row.push_back(Frac(Int(1000 + i), Int(7)));
    const FormulaPtr matrix = MatrixOf({row, row}, false);
    FormulaLayout layout(ListOf({Eq(Sym("A"), matrix), Eq(Sym("B"), matrix)}), pageFont(), ratio());
    const qreal matrixWidth = FormulaLayout(matrix, pageFont(), ratio()).naturalWidth();
    QVERIFY(layout.narrowestWidth() >= matrixWidth);
    layout.arrange(matrixWidth / 2);
    QCOMPARE(layout.lineCount(), 2);
    for (const formula::Box::Child& line : layout.root().children) {
        QVERIFY(line.box.children.size() >= 3);
        QCOMPARE(line.box.children[1].box.text, QStringLiteral("="));
        QCOMPARE(line.box.children[2].box.part, Part::Fenced);
    }
}

namespace {

// A window holding a view of the formula (and a field before it), shown.
struct ViewWindow {
    QWidget window;
    QLineEdit* field = new QLineEdit(&window);
    FormulaView* view = new FormulaView(&window);

    explicit ViewWindow(const FormulaPtr& formula, int width)
    {
        view->setFont(pageFont());
        view->setFormula(formula);
        view->setFixedWidth(width);
        view->setFixedHeight(view->heightForWidth(width));
        auto* layout = new QHBoxLayout(&window);
        layout->addWidget(field);
        layout->addWidget(view);
        window.show();
    }
};

FormulaPtr longChain()
{
    const FormulaPtr b = Sym("b");
    return ChainOf(Sym(symbol::kDelta), {{Relation::Equal, Sub(Pow(b, 2), Mul({Int(4), Sym("a"), Sym("c")}))},
                                         {Relation::Equal, Sub(Pow(Neg(Int(3)), 2), Times({Int(4), Int(1), Int(1)}))},
                                         {Relation::Equal, Int(5)}});
}

} // namespace

// The view asks for its formula on one line, and for more lines when narrower.
void FormulaLayoutTest::viewWrapsToItsWidth()
{
    FormulaView view;
    view.setFont(pageFont());
    view.setFormula(longChain());
    const QSize natural = view.sizeHint();
    QCOMPARE(view.heightForWidth(natural.width()), natural.height());
    QVERIFY(view.heightForWidth(natural.width() / 2) > natural.height());
    QVERIFY(view.minimumSizeHint().width() < natural.width());
}

// What no break can split scrolls sideways: the scroll bar reaches its end.
void FormulaLayoutTest::viewScrollsWhatCannotBreak()
{
    std::vector<FormulaPtr> row;
    row.reserve(12);
    for (int i = 0; i < 12; ++i)
        row.push_back(Int(100000 + i));
    ViewWindow shown(MatrixOf({row, row}, true), 200);
    QVERIFY(QTest::qWaitForWindowExposed(&shown.window));
    const QScrollBar* bar = shown.view->horizontalScrollBar();
    QVERIFY(bar->isVisible());
    QVERIFY2(bar->maximum() + bar->pageStep() >= shown.view->formulaLayout().size().width(),
             qPrintable(QStringLiteral("%1 + %2 of %3")
                            .arg(bar->maximum())
                            .arg(bar->pageStep())
                            .arg(shown.view->formulaLayout().size().width())));
}

// Wrapped to the view's width, every line is drawn whole inside it.
void FormulaLayoutTest::viewDrawsItsFormulaWhole()
{
    ViewWindow shown(longChain(), 180);
    QVERIFY(QTest::qWaitForWindowExposed(&shown.window));
    QVERIFY(shown.view->formulaLayout().lineCount() > 1);
    QVERIFY(!shown.view->horizontalScrollBar()->isVisible());
    // On white: the view draws on the page, with no background of its own.
    QWidget* viewport = shown.view->viewport();
    QImage image(viewport->size() * viewport->devicePixelRatio(), QImage::Format_RGB32);
    image.setDevicePixelRatio(viewport->devicePixelRatio());
    image.fill(Qt::white);
    viewport->render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    const QRectF ink = inkOf(image, QPointF(0, 0));
    const QRectF inside = QRectF(viewport->rect()).marginsRemoved(QMarginsF(1, 1, 1, 1));
    QVERIFY2(within(ink, inside), qPrintable(describe(ink) + " reaches the edge of " + describe(inside)));
    QVERIFY2(ink.width() > shown.view->width() / 2.0, qPrintable(describe(ink)));
}

void FormulaLayoutTest::tabReachesTheView()
{
    ViewWindow shown(longChain(), 400);
    shown.window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&shown.window));
    shown.field->setFocus();
    QTest::keyClick(shown.field, Qt::Key_Tab);
    QVERIFY(shown.view->hasFocus());
}

void FormulaLayoutTest::viewCopiesPlainText()
{
    ViewWindow shown(longChain(), 400);
    shown.window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&shown.window));
    shown.view->setFocus();
    QApplication::clipboard()->clear();
    QTest::keySequence(shown.view, QKeySequence::Copy);
    QCOMPARE(QApplication::clipboard()->text(), QString::fromStdString(present::PlainText(*longChain())));
}

// A static text named as its caller names it (the spoken form), else by its
// plain text; the plain text is its description and its text.
void FormulaLayoutTest::screenReaderReadsTheViewWhole()
{
    FormulaView view;
    view.setFormula(longChain());
    const QString plain = QString::fromStdString(present::PlainText(*longChain()));
    QAccessibleInterface* readout = QAccessible::queryAccessibleInterface(&view);
    QVERIFY(readout != nullptr);
    QCOMPARE(readout->role(), QAccessible::StaticText);
    QVERIFY(readout->state().focusable);
    QCOMPARE(readout->text(QAccessible::Name), plain);
    view.setAccessibleName(QStringLiteral("德尔塔等于b的平方减4ac"));
    QCOMPARE(readout->text(QAccessible::Name), QStringLiteral("德尔塔等于b的平方减4ac"));
    QCOMPARE(readout->text(QAccessible::Description), plain);
    QAccessibleTextInterface* text = readout->textInterface();
    QVERIFY(text != nullptr);
    QCOMPARE(text->text(0, text->characterCount()), plain);
}

QTEST_MAIN(FormulaLayoutTest)
#include "formula_layout_test.moc"
