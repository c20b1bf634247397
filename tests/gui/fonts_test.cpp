// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The window's text under one font set-up and one scale factor, both chosen
// by CTest (FONTCONFIG_FILE, QT_SCALE_FACTOR): the faces that stand in for
// 宋体, their glyphs, and every caption drawn whole inside its rectangle.

#include "details_page.h"
#include "details_window.h"
#include "fixture.h"
#include "fonts.h"
#include "graph.h"
#include "layout.h"
#include "menu_commands.h"
#include "panels.h"
#include "qt_text.h"
#include "runtime_error.h"
#include "status_bar.h"
#include "surface.h"

#include <QFontMetricsF>
#include <QLabel>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QRawFont>
#include <QSet>
#include <QTest>

#include <cmath>
#include <memory>

using namespace zembrel;
using namespace zembrel::testing;

namespace {

QString describe(const QRectF& rect)
{
    return QStringLiteral("(%1,%2 %3x%4)").arg(rect.x()).arg(rect.y()).arg(rect.width()).arg(rect.height());
}

QRectF logical(const QRect& pixels, qreal ratio)
{
    return {pixels.x() / ratio, pixels.y() / ratio, pixels.width() / ratio, pixels.height() / ratio};
}

// Where a caption's text is drawn: the pixels of the widget that change when
// the caption is taken away.
template <typename Widget>
QRectF drawnInk(Widget& widget)
{
    const QString caption = widget.text();
    const QImage with = widget.grab().toImage();
    widget.setText(QString());
    const QImage without = widget.grab().toImage();
    widget.setText(caption);
    return logical(differingPixels(with, without), with.devicePixelRatio());
}

// A line of text as the caption's place would have it: its baseline starts
// at `origin`.
struct PlacedLine {
    QString text;
    QPointF origin;
};

// The lines' text drawn where nothing clips it: on a canvas much larger than
// the caption, at the window's device pixel ratio, black on white.
struct UnclippedText {
    QImage canvas;
    QPointF margin; // where the caption's origin lies on the canvas

    QRectF ink() const
    {
        QImage blank(canvas.size(), canvas.format());
        blank.fill(Qt::white);
        return logical(differingPixels(canvas, blank), canvas.devicePixelRatio()).translated(-margin);
    }

    // Inked, not merely touched by antialiasing.
    bool darkAt(QPointF point) const
    {
        const QPoint pixel = ((point + margin) * canvas.devicePixelRatio()).toPoint();
        return canvas.rect().contains(pixel) && qGray(canvas.pixel(pixel)) < 128;
    }
};

UnclippedText unclipped(const QFont& font, const QList<PlacedLine>& lines, QSize size, qreal ratio)
{
    // A whole number of device pixels, as a widget's own origin is.
    UnclippedText text{QImage(size * 3 * ratio, QImage::Format_RGB32),
                       QPointF(std::ceil(size.width() * ratio), std::ceil(size.height() * ratio)) / ratio};
    text.canvas.setDevicePixelRatio(ratio);
    text.canvas.fill(Qt::white);
    QPainter painter(&text.canvas);
    painter.setFont(font);
    painter.setPen(Qt::black);
    for (const PlacedLine& line : lines)
        painter.drawText(text.margin + line.origin, line.text);
    return text;
}

// Whether two texts ink a pixel in common; `offset` takes a point of the
// first to the second.
bool shareInk(const UnclippedText& first, const UnclippedText& second, QPointF offset)
{
    const qreal ratio = first.canvas.devicePixelRatio();
    for (int y = 0; y < first.canvas.height(); ++y) {
        for (int x = 0; x < first.canvas.width(); ++x) {
            const QPointF point = QPointF(x, y) / ratio - first.margin;
            if (first.darkAt(point) && second.darkAt(point + offset))
                return true;
        }
    }
    return false;
}

// Both ways round, to a pixel of antialiasing: nothing drawn where the text
// does not fall, and nothing of the text left undrawn (cut off).
bool drawnWhole(const QRectF& drawn, const QRectF& ink)
{
    const QMarginsF pixel(1, 1, 1, 1);
    return ink.marginsAdded(pixel).contains(drawn) && drawn.marginsAdded(pixel).contains(ink);
}

} // namespace

class FontsTest : public WindowFixture {
    Q_OBJECT

private slots:
    void clientAreaHasDesignSize();
    void setUpGivesItsFaces_data();
    void setUpGivesItsFaces();
    void fontCoversText_data();
    void fontCoversText();
    void labelDrawsWholeInItsPlace_data();
    void labelDrawsWholeInItsPlace();
    void buttonCaptionFitsItsButton_data();
    void buttonCaptionFitsItsButton();
    void detailsPageShowsWhole_data();
    void detailsPageShowsWhole();

private:
    // A label's text as its label places it.
    static UnclippedText textOf(const QLabel& label);
};

// Whatever the fonts, the window below its menu bar keeps the size it was
// designed for.
void FontsTest::clientAreaHasDesignSize()
{
    QCOMPARE(window().surface()->size(), QSize(404, 444));
    QCOMPARE(window().sbStatusBar()->height(), 18);
    QCOMPARE(window().sbStatusBar()->width(), 404);
    QCOMPARE(window().sbStatusBar()->y(), window().surface()->geometry().bottom() + 1);
    QCOMPARE(window().size(), QSize(404, window().menuBar()->height() + 462));
    // The layout does not follow the window, so the window keeps its size.
    QCOMPARE(window().minimumSize(), window().maximumSize());
}

void FontsTest::setUpGivesItsFaces_data()
{
    QTest::addColumn<bool>("bold");
    QTest::addColumn<QString>("expected");
    QTest::newRow("regular") << false << qEnvironmentVariable("ZEMBREL_REGULAR_FACE");
    QTest::newRow("bold") << true << qEnvironmentVariable("ZEMBREL_BOLD_FACE");
}

// A bold caption comes from the bold face where the set-up has one: a bold
// made up from the regular face thins out at high scale factors.
void FontsTest::setUpGivesItsFaces()
{
    QFETCH(bool, bold);
    QFETCH(QString, expected);
    if (expected.isEmpty())
        QSKIP("no font set-up chosen: ZEMBREL_REGULAR_FACE and ZEMBREL_BOLD_FACE name its faces");
    const QRawFont raw = QRawFont::fromFont(songFont({9, bold}));
    QCOMPARE(QString(raw.familyName() + QLatin1Char(' ') + raw.styleName()).toLower(), expected.toLower());
}

void FontsTest::fontCoversText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("points");
    QTest::addColumn<bool>("bold");
    QSet<QString> added;
    const auto add = [&added](const QString& tag, std::string_view text, layout::FontStyle font) {
        const QString row = QStringLiteral("%1 %2 %3").arg(toQString(text)).arg(font.points).arg(font.bold);
        if (text.empty() || added.contains(row))
            return;
        added.insert(row);
        QTest::newRow(qPrintable(QString(tag).replace(u'\n', u' '))) << toQString(text) << font.points << font.bold;
    };

    for (const layout::Control& control : layout::controls())
        add(toQString(layout::nameOf(control)), control.caption, control.font);
    for (const layout::Menu& menu : layout::menus())
        add(toQString(menu.name), menu.caption, layout::kDefaultFont);
    for (const layout::MenuEntry& entry : layout::menuEntries())
        add(toQString(entry.caption), entry.caption, layout::kDefaultFont);
    add(QStringLiteral("status"), kStatusText, layout::kDefaultFont);

    // Every box: the panels' messages, the About box and the runtime errors.
    for (const PanelDefinition* panel : kPanels) {
        for (std::string_view message : panel->messages)
            add(QStringLiteral("message ") + toQString(message), message, layout::kDefaultFont);
    }
    add(QStringLiteral("About"), kAboutText, layout::kDefaultFont);
    for (const ErrorDescription& error : runtimeErrorDescriptions())
        add(QStringLiteral("error %1").arg(error.number), RuntimeError(error.number).boxText(), layout::kDefaultFont);
    add(QStringLiteral("error of no known number"), RuntimeError(1).boxText(), layout::kDefaultFont);
}

// The stand-in for 宋体 itself must have every glyph: no box for a missing
// character, and no character borrowed from some other face.
void FontsTest::fontCoversText()
{
    QFETCH(QString, text);
    QFETCH(double, points);
    QFETCH(bool, bold);
    const QRawFont raw = QRawFont::fromFont(songFont({points, bold}));
    QVERIFY(raw.isValid());
    QVERIFY2(songSubstitutes(bold).contains(raw.familyName(), Qt::CaseInsensitive), qPrintable(raw.familyName()));
    for (const char32_t character : text.toUcs4()) {
        if (character == U'\n' || character == U'&')
            continue;
        QVERIFY2(raw.supportsCharacter(character), qPrintable(QStringLiteral("U+%1 missing in %2")
                                                                  .arg(uint(character), 4, 16, QLatin1Char('0'))
                                                                  .arg(raw.familyName())));
    }
}

UnclippedText FontsTest::textOf(const QLabel& label)
{
    const QList<PlacedLine> line{{label.text(), QPointF(0, songBaseline(label.font()))}};
    return unclipped(label.font(), line, label.size(), label.devicePixelRatioF());
}

void FontsTest::labelDrawsWholeInItsPlace_data()
{
    QTest::addColumn<QString>("name");
    for (const layout::Control& control : layout::controls()) {
        if (std::holds_alternative<layout::LabelName>(control.id))
            QTest::newRow(layout::nameOf(control).data()) << toQString(layout::nameOf(control));
    }
}

// The text of a label lies inside the label and clear of the fields and
// buttons to its right and of every other label's text; and the label draws
// it there, whole.
void FontsTest::labelDrawsWholeInItsPlace()
{
    QFETCH(QString, name);
    auto* label = window().surface()->findChild<QLabel*>(name);
    QVERIFY(label != nullptr);
    const UnclippedText text = textOf(*label);
    const QRectF ink = text.ink().translated(label->pos());
    QVERIFY2(
        QRectF(label->geometry()).contains(ink),
        qPrintable(QStringLiteral("text %1 outside the label %2").arg(describe(ink), describe(label->geometry()))));

    for (const QWidget* other : window().surface()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (other == label)
            continue;
        if (const auto* otherLabel = qobject_cast<const QLabel*>(other)) {
            // Texts may come close, a superscript to its letter, but not touch.
            QVERIFY2(!shareInk(text, textOf(*otherLabel), label->pos() - otherLabel->pos()),
                     qPrintable(QStringLiteral("text %1 runs into %2").arg(describe(ink), other->objectName())));
        } else if (other->x() > label->x()) {
            // (A label may reach a pixel under the field before it, by design.)
            QVERIFY2(!ink.intersects(other->geometry()),
                     qPrintable(QStringLiteral("text %1 runs into %2 %3")
                                    .arg(describe(ink), other->objectName(), describe(other->geometry()))));
        }
    }

    const QRectF drawn = drawnInk(*label).translated(label->pos());
    QVERIFY2(drawnWhole(drawn, ink),
             qPrintable(QStringLiteral("drawn at %1, falls at %2").arg(describe(drawn), describe(ink))));
}

void FontsTest::buttonCaptionFitsItsButton_data()
{
    QTest::addColumn<int>("button");
    for (std::size_t i = 0; i < kButtons.size(); ++i)
        QTest::newRow(kButtons[i].name().data()) << int(i);
}

// The caption's lines, one em below one another and centred on the button,
// lie inside the button's frame, and are drawn there whole.
void FontsTest::buttonCaptionFitsItsButton()
{
    QFETCH(int, button);
    QPushButton* push = this->button(kButtons[button]);
    const QFontMetricsF metrics(push->font(), push);
    const qreal em = push->font().pixelSize();
    const QStringList texts = push->text().split(QLatin1Char('\n'));
    QList<PlacedLine> lines;
    qreal top = (push->height() - em * static_cast<qreal>(texts.size())) / 2;
    for (const QString& text : texts) {
        lines.append({text, {(push->width() - metrics.horizontalAdvance(text)) / 2, top + songBaseline(push->font())}});
        top += em;
    }
    const QRectF ink = unclipped(push->font(), lines, push->size(), push->devicePixelRatioF()).ink();
    const QRectF inside = QRectF(push->rect()).marginsRemoved(QMarginsF(1, 1, 1, 1));
    QVERIFY2(inside.contains(ink),
             qPrintable(QStringLiteral("text %1 outside %2").arg(describe(ink), describe(inside))));
    const QRectF drawn = drawnInk(*push);
    QVERIFY2(drawnWhole(drawn, ink),
             qPrintable(QStringLiteral("drawn at %1, falls at %2").arg(describe(drawn), describe(ink))));
}

void FontsTest::detailsPageShowsWhole_data()
{
    QTest::addColumn<PanelPointer>("panel");
    QTest::addColumn<QStringList>("entries");
    QTest::newRow("linear") << &kLinearPanel << QStringList{"Text1=1/3", "Text2=1"};
    QTest::newRow("quadratic") << &kQuadraticPanel << QStringList{"Text4=1", "Text5=-3", "Text6=1"};
    QTest::newRow("cubic") << &kCubicPanel << QStringList{"Text10=-7", "Text11=6"};
    QTest::newRow("cubic, complex roots") << &kCubicPanel << QStringList{"Text10=1", "Text11=1"};
    QTest::newRow("system") << &kSystemPanel
                            << QStringList{"Text13=2", "Text14=3", "Text9=-7", "Text16=1", "Text17=-1", "Text25=-1"};
}

// Every text of a 解题详情 page gets the height its lines need, every label
// of the graph lies inside the graph, and the window inside the screen.
void FontsTest::detailsPageShowsWhole()
{
    QFETCH(PanelPointer, panel);
    QFETCH(QStringList, entries);
    typeInto(window(), entries);
    window().openDetails(panel);
    QCoreApplication::processEvents();
    const DetailsWindow* details = window().detailsWindow();
    const DetailsPage* page = details->currentPage();
    for (const QLabel* label : page->findChildren<QLabel*>()) {
        if (!label->isVisibleTo(page))
            continue;
        QVERIFY2(label->heightForWidth(label->width()) <= label->height(),
                 qPrintable(QStringLiteral("%1 needs %2 of %3 pixels")
                                .arg(label->objectName())
                                .arg(label->heightForWidth(label->width()))
                                .arg(label->height())));
    }
    const Graph* graph = page->graph();
    for (const QRectF& box : graph->labelRects())
        QVERIFY2(QRectF(graph->rect()).contains(box), qPrintable(describe(box)));
    const QRect screen = details->screen()->availableGeometry();
    QVERIFY2(screen.contains(details->geometry()),
             qPrintable(describe(details->geometry()) + QStringLiteral(" on ") + describe(screen)));
}

QTEST_MAIN(FontsTest)
#include "fonts_test.moc"
