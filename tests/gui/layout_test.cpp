// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "fixture.h"
#include "fonts.h"
#include "layout.h"
#include "qt_text.h"
#include "status_bar.h"
#include "surface.h"

#include <QAction>
#include <QApplication>
#include <QFontInfo>
#include <QHash>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QSet>
#include <QStatusBar>
#include <QTest>

using namespace zembrel;
using namespace zembrel::testing;

// The window as it opens: every control at its place, in its font and
// colours, named for screen readers, and the menu bar.
class LayoutTest : public WindowFixture {
    Q_OBJECT

private slots:
    void fieldStartsAsDeclared_data();
    void fieldStartsAsDeclared();
    void buttonStartsAsDeclared_data();
    void buttonStartsAsDeclared();
    void windowIsCentredWithItsTitleAndIcon();
    void controlLiesInsideTheClientArea();
    void controlsOverlapOnlyByDesign();
    void tabFollowsTheReadingOrder();
    void controlHasItsFontAndColours_data();
    void controlHasItsFontAndColours();
    void everyFieldAndButtonIsNamedForScreenReaders();
    void windowTextsSkipShaping();
    void menuItemHasCaptionAndShortcut_data();
    void menuItemHasCaptionAndShortcut();

private:
    QWidget* widgetOf(const layout::Control& control) const
    {
        return window().surface()->findChild<QWidget*>(toQString(layout::nameOf(control)));
    }
};

// Coefficient fields start empty and editable, result fields with "0" and
// read-only; every one under its own name.
void LayoutTest::fieldStartsAsDeclared_data()
{
    QTest::addColumn<int>("field");
    for (std::size_t i = 0; i < kFields.size(); ++i)
        QTest::newRow(kFields[i].name().data()) << int(i);
}

void LayoutTest::fieldStartsAsDeclared()
{
    QFETCH(int, field);
    const Field declared = kFields[field];
    const bool result = declared->role == FieldRole::Result;
    const QLineEdit* edit = this->field(declared);
    QVERIFY(edit != nullptr);
    QCOMPARE(edit->objectName(), toQString(declared.name()));
    QCOMPARE(edit->text(), result ? QStringLiteral("0") : QString());
    QCOMPARE(edit->isReadOnly(), result);
    QVERIFY(edit->isEnabled());
    QCOMPARE(edit->focusPolicy(), Qt::StrongFocus);
}

// Solve buttons start enabled, check buttons disabled: no check before a solve.
void LayoutTest::buttonStartsAsDeclared_data()
{
    QTest::addColumn<int>("button");
    for (std::size_t i = 0; i < kButtons.size(); ++i)
        QTest::newRow(kButtons[i].name().data()) << int(i);
}

void LayoutTest::buttonStartsAsDeclared()
{
    QFETCH(int, button);
    const Button declared = kButtons[button];
    const QPushButton* push = this->button(declared);
    QVERIFY(push != nullptr);
    QCOMPARE(push->objectName(), toQString(declared.name()));
    QVERIFY(!push->text().isEmpty());
    QCOMPARE(push->isEnabled(), declared->kind == ButtonKind::Solve);
    if (declared->kind == ButtonKind::Check)
        QCOMPARE(push->text(), QStringLiteral("验算"));
    QVERIFY(!push->autoDefault());
    QVERIFY(!push->isDefault());
}

void LayoutTest::windowIsCentredWithItsTitleAndIcon()
{
    QCOMPARE(window().windowTitle(), QStringLiteral("Zembrel"));
    const QList<QSize> sizes = window().windowIcon().availableSizes();
    QVERIFY(sizes.contains(QSize(16, 16)));
    QVERIFY(sizes.contains(QSize(32, 32)));

    const QPoint offset = window().frameGeometry().center() - window().screen()->availableGeometry().center();
    QVERIFY2(offset.manhattanLength() <= 8,
             qPrintable(QStringLiteral("off centre by %1,%2").arg(offset.x()).arg(offset.y())));
}

// Every control of every panel is on the surface above the status bar, where
// its twips put it.
void LayoutTest::controlLiesInsideTheClientArea()
{
    const QRect surface = window().surface()->rect();
    QVERIFY(window().surface()->geometry().bottom() < window().statusBar()->geometry().top());
    for (const layout::Control& control : layout::controls()) {
        const QWidget* widget = widgetOf(control);
        const QString name = toQString(layout::nameOf(control));
        QVERIFY2(widget != nullptr, qPrintable(name));
        QVERIFY2(surface.contains(widget->geometry()), qPrintable(name));
        const QRect declared(layout::pixels(control.left), layout::pixels(control.top), layout::pixels(control.width),
                             layout::pixels(control.height));
        QCOMPARE(widget->geometry(), declared);
    }
    for (const layout::Line& line : layout::lines()) {
        QVERIFY2(surface.contains(QPoint(layout::pixels(line.x1), layout::pixels(line.y1))), line.name.data());
        QVERIFY2(surface.contains(QPoint(layout::pixels(line.x2), layout::pixels(line.y2))), line.name.data());
    }
}

// Controls may share an edge, but no field or button covers another; a
// label may reach under a field or button (it lies beneath it), and a label
// covers another only where the two are drawn as one: an exponent over its X,
// a plus sign against its Z.
void LayoutTest::controlsOverlapOnlyByDesign()
{
    const QSet<QString> designed{"Label2_1/Label4_0", "Label2_5/Label4_1", "Label3_1/Label2_23", "Label3_3/Label2_21",
                                 "Label3_2/Label2_22"};
    const QObjectList stacking = window().surface()->children();
    QSet<QString> labelsOverLabels;
    const auto controls = layout::controls();
    for (std::size_t i = 0; i < controls.size(); ++i) {
        for (std::size_t j = i + 1; j < controls.size(); ++j) {
            QWidget* first = widgetOf(controls[i]);
            QWidget* second = widgetOf(controls[j]);
            // Twips round down to pixels, so neighbours may share a pixel's edge.
            const QRect shared = first->geometry() & second->geometry();
            if (shared.width() <= 1 || shared.height() <= 1)
                continue;
            const QString pair = first->objectName() + "/" + second->objectName();
            const bool firstIsLabel = std::holds_alternative<layout::LabelName>(controls[i].id);
            const bool secondIsLabel = std::holds_alternative<layout::LabelName>(controls[j].id);
            QVERIFY2(firstIsLabel || secondIsLabel, qPrintable(pair + ": a field or button covers another"));
            if (firstIsLabel && secondIsLabel) {
                labelsOverLabels.insert(pair);
                continue;
            }
            QWidget* label = firstIsLabel ? first : second;
            QWidget* control = firstIsLabel ? second : first;
            QVERIFY2(stacking.indexOf(label) < stacking.indexOf(control), qPrintable(pair + ": the label lies on top"));
        }
    }
    QCOMPARE(labelsOverLabels, designed);
}

// Tab goes panel by panel from the top, and along a row from left to right.
void LayoutTest::tabFollowsTheReadingOrder()
{
    for (const Button button : kButtons)
        window().setEnabled(button, true);
    QList<const QWidget*> visited{QApplication::focusWidget()};
    while (visited.size() <= std::ssize(kFields) + std::ssize(kButtons)) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited << QApplication::focusWidget();
    }
    QCOMPARE(visited.front(), field(kFields.front()));
    QCOMPARE(visited.back(), visited.front()); // round again
    visited.removeLast();

    QSet<const QWidget*> expected;
    QHash<const QWidget*, const PanelDefinition*> panelOfWidget;
    for (const Field f : kFields) {
        expected.insert(field(f));
        panelOfWidget[field(f)] = &panelOf(f);
    }
    for (const Button b : kButtons) {
        expected.insert(button(b));
        panelOfWidget[button(b)] = &panelOf(b);
    }
    QCOMPARE(QSet<const QWidget*>(visited.begin(), visited.end()), expected);
    QCOMPARE(visited.size(), expected.size());

    int panelTop = -1;
    for (qsizetype i = 0; i < visited.size(); ++i) {
        const QWidget* here = visited[i];
        if (i == 0 || panelOfWidget[here] != panelOfWidget[visited[i - 1]]) {
            QVERIFY2(here->y() > panelTop, qPrintable(here->objectName() + " is above the panel before"));
            panelTop = here->y();
            continue;
        }
        const QWidget* before = visited[i - 1];
        if (before->y() == here->y())
            QVERIFY2(before->x() < here->x(), qPrintable(before->objectName() + " then " + here->objectName()));
    }
}

void LayoutTest::controlHasItsFontAndColours_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("pixelSize");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<QColor>("text");       // invalid: the platform's default
    QTest::addColumn<QColor>("background"); // invalid: not set

    const QColor none;
    QTest::newRow("heading 10.5 pt navy") << "Label1_0" << 14 << false << QColor(0, 0, 128) << none;
    QTest::newRow("heading dark red") << "Label1_1" << 14 << false << QColor(64, 0, 0) << none;
    QTest::newRow("sign 12 pt") << "Label2_0" << 16 << true << none << none;
    QTest::newRow("sign 14.25 pt") << "Label2_1" << 19 << true << none << none;
    QTest::newRow("sign in black") << "Label2_4" << 19 << true << QColor(0, 0, 0) << none;
    QTest::newRow("exponent") << "Label4_1" << 12 << false << none << none;
    QTest::newRow("third equation sign") << "Label2_22" << 16 << true << QColor(0, 0, 128) << none;
    QTest::newRow("coefficient") << "Text13" << 12 << true << none << QColor(224, 224, 224);
    QTest::newRow("optional coefficient") << "Text15" << 12 << true << none << QColor(192, 192, 192);
    QTest::newRow("third equation") << "Text26" << 12 << true << none << QColor(192, 192, 192);
    QTest::newRow("root 10.5 pt") << "Text3" << 14 << true << QColor(0, 0, 0) << QColor(212, 208, 200);
    QTest::newRow("system root 9 pt") << "Text22" << 12 << true << QColor(0, 0, 0) << QColor(212, 208, 200);
    QTest::newRow("solve button") << "Command1" << 16 << true << none << none;
    QTest::newRow("check button") << "Command6" << 12 << false << none << none;
    QTest::newRow("system button") << "Command4" << 14 << false << none << none;
}

void LayoutTest::controlHasItsFontAndColours()
{
    QFETCH(QString, name);
    QFETCH(int, pixelSize);
    QFETCH(bool, bold);
    QFETCH(QColor, text);
    QFETCH(QColor, background);
    const auto* control = window().surface()->findChild<QWidget*>(name);
    QVERIFY(control != nullptr);
    QCOMPARE(control->font().family(), kSongFamily);
    QCOMPARE(control->font().pixelSize(), pixelSize);
    QCOMPARE(control->font().bold(), bold);
    QVERIFY(songSubstitutes().contains(QFontInfo(control->font()).family(), Qt::CaseInsensitive));
    if (text.isValid())
        QCOMPARE(control->palette().color(control->foregroundRole()), text);
    if (background.isValid())
        QCOMPARE(control->palette().color(control->backgroundRole()), background);
    if (qobject_cast<const QLabel*>(control) != nullptr)
        QVERIFY(!control->autoFillBackground());
}

// The start loads no OpenType shaping tables, more than a megabyte for the
// bold face: every text the window opens with is laid out unshaped where its
// script needs no shaping.
void LayoutTest::windowTextsSkipShaping()
{
    QList<const QWidget*> widgets{&window(), window().menuBar(), window().sbStatusBar()};
    for (const QMenu* menu : window().findChildren<QMenu*>())
        widgets << menu;
    for (const layout::Control& control : layout::controls())
        widgets << widgetOf(control);
    for (const QWidget* widget : widgets)
        QVERIFY2(widget->font().styleStrategy() & QFont::PreferNoShaping, qPrintable(widget->objectName()));
}

void LayoutTest::everyFieldAndButtonIsNamedForScreenReaders()
{
    QSet<QString> names;
    QList<QWidget*> controls;
    for (const Field f : kFields)
        controls << field(f);
    for (const Button b : kButtons)
        controls << button(b);
    for (const QWidget* control : controls) {
        QVERIFY2(!control->accessibleName().isEmpty(), qPrintable(control->objectName()));
        names.insert(control->accessibleName());
    }
    QCOMPARE(names.size(), controls.size());
    QCOMPARE(field(linear::a)->accessibleName(), QStringLiteral("一次方程 a"));
    QCOMPARE(field(quadratic::X1)->accessibleName(), QStringLiteral("二次方程 根 X1"));
    QCOMPARE(field(system::a1)->accessibleName(), QStringLiteral("方程组 方程1 X系数"));
    QCOMPARE(button(linear::check)->accessibleName(), QStringLiteral("一次方程 验算"));
}

void LayoutTest::menuItemHasCaptionAndShortcut_data()
{
    QTest::addColumn<int>("item");
    QTest::addColumn<QString>("menu");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QKeySequence>("shortcut");
    QTest::newRow("mnuFileNew") << int(MenuItem::mnuFileNew) << "控制(&C)"
                                << "重置(&N)" << QKeySequence(QStringLiteral("Ctrl+N"));
    QTest::newRow("mnuFileExit") << int(MenuItem::mnuFileExit) << "控制(&C)"
                                 << "退出(&X)" << QKeySequence(QStringLiteral("Ctrl+X"));
    QTest::newRow("mnuAssCalc") << int(MenuItem::mnuAssCalc) << "辅助(&A)"
                                << "Windows计算器" << QKeySequence(QStringLiteral("Ctrl+C"));
    QTest::newRow("mnuAssRep") << int(MenuItem::mnuAssRep) << "辅助(&A)"
                               << "错误报告" << QKeySequence(QStringLiteral("Ctrl+R"));
    QTest::newRow("mnuAssAbout") << int(MenuItem::mnuAssAbout) << "辅助(&A)"
                                 << "关于" << QKeySequence(QStringLiteral("Ctrl+A"));
}

void LayoutTest::menuItemHasCaptionAndShortcut()
{
    QFETCH(int, item);
    QFETCH(QString, menu);
    QFETCH(QString, caption);
    QFETCH(QKeySequence, shortcut);
    const QAction* action = window().action(MenuItem(item));
    QVERIFY(action != nullptr);
    QCOMPARE(action->objectName(), QString::fromLatin1(QTest::currentDataTag()));
    QCOMPARE(action->text(), caption);
    QCOMPARE(action->shortcut(), shortcut);

    const QList<QMenu*> menus = window().menuBar()->findChildren<QMenu*>();
    const auto holder
        = std::find_if(menus.begin(), menus.end(), [&](const QMenu* m) { return m->actions().contains(action); });
    QVERIFY(holder != menus.end());
    QCOMPARE((*holder)->title(), menu);
}

QTEST_MAIN(LayoutTest)
#include "layout_test.moc"
