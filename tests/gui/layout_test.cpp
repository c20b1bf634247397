// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "fixture.h"
#include "fonts.h"
#include "status_bar.h"
#include "surface.h"

#include <QAction>
#include <QFontInfo>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QSet>
#include <QTest>

using namespace zembrel;
using namespace zembrel::testing;

// The window as it opens: every control at its place, in its font and
// colours, named for screen readers, and the menu bar.
class LayoutTest : public WindowFixture {
    Q_OBJECT

private slots:
    void fieldStartsAsLaidOut_data();
    void fieldStartsAsLaidOut();
    void buttonStartsAsLaidOut_data();
    void buttonStartsAsLaidOut();
    void windowIsCentredWithItsTitleAndIcon();
    void controlSitsAtItsPlace_data();
    void controlSitsAtItsPlace();
    void controlHasItsFontAndColours_data();
    void controlHasItsFontAndColours();
    void everyFieldAndButtonIsNamedForScreenReaders();
    void menuItemHasCaptionAndShortcut_data();
    void menuItemHasCaptionAndShortcut();
};

// The nineteen coefficient fields start empty and editable, the seven result
// fields with "0" and read-only.
void LayoutTest::fieldStartsAsLaidOut_data()
{
    QTest::addColumn<int>("field");
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("result");
    const QList<int> results{3, 7, 8, 12, 22, 23, 24};
    for (int i = 1; i <= 26; ++i) {
        const QString name = QStringLiteral("Text%1").arg(i);
        QTest::newRow(qPrintable(name)) << i << name << results.contains(i);
    }
}

void LayoutTest::fieldStartsAsLaidOut()
{
    QFETCH(int, field);
    QFETCH(QString, name);
    QFETCH(bool, result);
    const QLineEdit* edit = this->field(Field(field));
    QVERIFY(edit != nullptr);
    QCOMPARE(edit->objectName(), name);
    QCOMPARE(edit->text(), result ? QStringLiteral("0") : QString());
    QCOMPARE(edit->isReadOnly(), result);
    QVERIFY(edit->isEnabled());
    QCOMPARE(edit->focusPolicy(), Qt::StrongFocus);
}

void LayoutTest::buttonStartsAsLaidOut_data()
{
    QTest::addColumn<int>("button");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<bool>("enabled");
    QTest::newRow("Command1") << 1 << "X=" << true;
    QTest::newRow("Command2") << 2 << "X1=\nX2=" << true;
    QTest::newRow("Command3") << 3 << "X=" << true;
    QTest::newRow("Command4") << 4 << "解得" << true;
    QTest::newRow("Command5") << 5 << "验算" << false;
    QTest::newRow("Command6") << 6 << "验算" << false;
    QTest::newRow("Command7") << 7 << "验算" << false;
    QTest::newRow("Command8") << 8 << "验算" << false;
}

void LayoutTest::buttonStartsAsLaidOut()
{
    QFETCH(int, button);
    QFETCH(QString, caption);
    QFETCH(bool, enabled);
    const QPushButton* push = this->button(Button(button));
    QVERIFY(push != nullptr);
    QCOMPARE(push->objectName(), QStringLiteral("Command%1").arg(button));
    QCOMPARE(push->text(), caption);
    QCOMPARE(push->isEnabled(), enabled);
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

void LayoutTest::controlSitsAtItsPlace_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("pixels");
    // Twips divided by 15, one or more controls from each panel.
    QTest::newRow("linear heading") << "Label1_0" << QRect(16, 8, 121, 17);
    QTest::newRow("linear a") << "Text1" << QRect(144, 8, 49, 18);
    QTest::newRow("linear root") << "Text3" << QRect(56, 32, 281, 18);
    QTest::newRow("linear check") << "Command6" << QRect(336, 32, 41, 17);
    QTest::newRow("quadratic exponent") << "Label4_0" << QRect(200, 72, 9, 17);
    QTest::newRow("quadratic solve") << "Command2" << QRect(16, 104, 41, 41);
    QTest::newRow("quadratic X2") << "Text8" << QRect(56, 128, 281, 18);
    QTest::newRow("cubic X") << "Label2_5" << QRect(144, 176, 17, 25);
    QTest::newRow("cubic q") << "Text11" << QRect(248, 176, 49, 18);
    QTest::newRow("system heading") << "Label1_3" << QRect(16, 248, 177, 17);
    QTest::newRow("system eq1 Z") << "Label3_1" << QRect(264, 272, 25, 17);
    QTest::newRow("system eq2 d") << "Text25" << QRect(288, 296, 49, 18);
    QTest::newRow("system eq3 X") << "Text19" << QRect(48, 320, 49, 18);
    QTest::newRow("system Y=") << "Label2_16" << QRect(48, 376, 25, 25);
    QTest::newRow("system Z") << "Text24" << QRect(72, 400, 193, 18);
    QTest::newRow("system solve") << "Command4" << QRect(280, 352, 97, 25);
    QTest::newRow("system check") << "Command5" << QRect(280, 392, 97, 25);
}

void LayoutTest::controlSitsAtItsPlace()
{
    QFETCH(QString, name);
    QFETCH(QRect, pixels);
    const auto* control = window().surface()->findChild<QWidget*>(name);
    QVERIFY(control != nullptr);
    QCOMPARE(control->geometry(), pixels);
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

void LayoutTest::everyFieldAndButtonIsNamedForScreenReaders()
{
    QSet<QString> names;
    QList<QWidget*> controls;
    for (const FieldControl& control : kFieldControls)
        controls << field(control.field);
    for (const ButtonControl& control : kButtonControls)
        controls << button(control.button);
    for (const QWidget* control : controls) {
        QVERIFY2(!control->accessibleName().isEmpty(), qPrintable(control->objectName()));
        names.insert(control->accessibleName());
    }
    QCOMPARE(names.size(), controls.size());
    QCOMPARE(field(Field::Text1)->accessibleName(), QStringLiteral("一次方程 a"));
    QCOMPARE(field(Field::Text7)->accessibleName(), QStringLiteral("二次方程 根 X1"));
    QCOMPARE(field(Field::Text13)->accessibleName(), QStringLiteral("方程组 方程1 X系数"));
    QCOMPARE(button(Button::Command6)->accessibleName(), QStringLiteral("一次方程 验算"));
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
