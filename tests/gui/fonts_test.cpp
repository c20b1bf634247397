#include "fonts.h"
#include "layout.h"
#include "menu_commands.h"
#include "panels.h"
#include "qt_text.h"
#include "runtime_error.h"
#include "status_bar.h"

#include <QRawFont>
#include <QSet>
#include <QTest>

using namespace zembrel;

// The stand-in for 宋体 draws every text the window and its boxes may show.
class FontsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { useSongFontThroughout(); }
    void fontCoversText_data();
    void fontCoversText();
};

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
    for (const PanelDescriptor* panel : panels()) {
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
    QVERIFY2(songSubstitutes().contains(raw.familyName(), Qt::CaseInsensitive), qPrintable(raw.familyName()));
    for (const char32_t character : text.toUcs4()) {
        if (character == U'\n' || character == U'&')
            continue;
        QVERIFY2(raw.supportsCharacter(character), qPrintable(QStringLiteral("U+%1 missing in %2")
                                                                  .arg(uint(character), 4, 16, QLatin1Char('0'))
                                                                  .arg(raw.familyName())));
    }
}

QTEST_MAIN(FontsTest)
#include "fonts_test.moc"
