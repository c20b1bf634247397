// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "fixture.h"
#include "qt_text.h"
#include "surface.h"

#include <QAction>
#include <QClipboard>
#include <QFontMetrics>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <memory>

using namespace zembrel;
using namespace zembrel::testing;

// The five menu commands as the user reaches them: by their shortcuts from a
// field and through the menu, with the fake desktop noting what they ask of it.
class MenuCommandsTest : public WindowFixture {
    Q_OBJECT

private slots:
    void keyFromFieldEditsOrRunsCommand_data();
    void keyFromFieldEditsOrRunsCommand();
    void resetFromFieldRestoresFieldsOnly();
    void aboutShowsInformationBox_data();
    void aboutShowsInformationBox();

private:
    // Every field's text and every button's state.
    QStringList everyControl() const
    {
        QStringList states;
        for (const Field field : kFields)
            states << stateOf(window(), toQString(field.name()));
        for (const Button button : kButtons)
            states << stateOf(window(), toQString(button.name()));
        return states;
    }
    // "12345" in Text5 with "23" selected and the focus on it, and other text on the clipboard.
    QLineEdit* focusFieldWithSelection();
    void verifyFieldAndClipboardUntouched(const QLineEdit* edit) const;
    void verifyLinearPanelStillSolves();
};

QLineEdit* MenuCommandsTest::focusFieldWithSelection()
{
    QLineEdit* edit = field(quadratic::b);
    edit->setFocus();
    QTest::keyClicks(edit, QStringLiteral("12345"));
    edit->setSelection(1, 2);
    QApplication::clipboard()->setText(QStringLiteral("clipboard"));
    return edit;
}

void MenuCommandsTest::verifyFieldAndClipboardUntouched(const QLineEdit* edit) const
{
    QCOMPARE(edit->text(), QStringLiteral("12345"));
    QCOMPARE(edit->selectedText(), QStringLiteral("23"));
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("clipboard"));
}

void MenuCommandsTest::verifyLinearPanelStillSolves()
{
    QVERIFY(window().isVisible());
    typeInto(window(), {QStringLiteral("Text1=2"), QStringLiteral("Text2=-4")});
    click(linear::solve);
    QCOMPARE(field(linear::X)->text(), QStringLiteral("2."));
}

// Ctrl+C and Ctrl+X copy and cut a field's selected text; without a
// selection they are the menu's, as Ctrl+R and Ctrl+A always are. A root
// cannot be cut: Ctrl+X then leaves it, and does not end the program either.
// (The fake desktop never ends the program, so the window answers on after
// the exit command too.)
void MenuCommandsTest::keyFromFieldEditsOrRunsCommand_data()
{
    QTest::addColumn<int>("field");
    QTest::addColumn<bool>("selected"); // "23" of "12345", else the cursor at the end
    QTest::addColumn<int>("key");
    QTest::addColumn<QStringList>("installed");
    QTest::addColumn<int>("item"); // the menu item the key chooses, or -1
    QTest::addColumn<QStringList>("requests");
    QTest::addColumn<QStringList>("boxes");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("clipboard");
    const QStringList none;
    const int text5 = int(indexOf(quadratic::b));
    const int text3 = int(indexOf(linear::X));
    const int calculator = int(MenuItem::mnuAssCalc);

    QTest::newRow("Ctrl+C copies a coefficient's selection")
        << text5 << true << int(Qt::Key_C) << none << -1 << none << none << "12345"
        << "23";
    QTest::newRow("Ctrl+X cuts a coefficient's selection")
        << text5 << true << int(Qt::Key_X) << none << -1 << none << none << "145"
        << "23";
    QTest::newRow("Ctrl+C copies a root's selection")
        << text3 << true << int(Qt::Key_C) << none << -1 << none << none << "12345"
        << "23";
    QTest::newRow("Ctrl+X keeps a root's selection and the program")
        << text3 << true << int(Qt::Key_X) << none << -1 << none << none << "12345"
        << "clipboard";
    QTest::newRow("Ctrl+C without a selection starts the first installed calculator")
        << text5 << false << int(Qt::Key_C) << QStringList{"galculator", "xcalc"} << calculator
        << QStringList{"start galculator"} << none << "12345"
        << "clipboard";
    QTest::newRow("Ctrl+C in a root without a selection starts the calculator")
        << text3 << false << int(Qt::Key_C) << QStringList{"kcalc"} << calculator << QStringList{"start kcalc"} << none
        << "12345"
        << "clipboard";
    QTest::newRow("Ctrl+C with no calculator shows runtime error 53")
        << text5 << false << int(Qt::Key_C) << none << calculator << none
        << QStringList{"Critical: 运行时错误 '53':\n\n文件未找到"} << "12345"
        << "clipboard";
    QTest::newRow("Ctrl+X without a selection ends the program")
        << text5 << false << int(Qt::Key_X) << none << int(MenuItem::mnuFileExit) << QStringList{"exit"} << none
        << "12345"
        << "clipboard";
    QTest::newRow("Ctrl+R opens the report page without a box, selection or not")
        << text5 << true << int(Qt::Key_R) << none << int(MenuItem::mnuAssRep)
        << QStringList{"open http://www.example.org/zembrel/report"} << none << "12345"
        << "clipboard";
}

void MenuCommandsTest::keyFromFieldEditsOrRunsCommand()
{
    QFETCH(int, field);
    QFETCH(bool, selected);
    QFETCH(int, key);
    QFETCH(QStringList, installed);
    QFETCH(int, item);
    QFETCH(QStringList, requests);
    QFETCH(QStringList, boxes);
    QFETCH(QString, text);
    QFETCH(QString, clipboard);
    platform().installed = installed;
    // Another panel's coefficient, which no key may lose.
    typeInto(window(), {QStringLiteral("Text10=-3")});
    QLineEdit* edit = this->field(kFields[field]);
    edit->setText(QStringLiteral("12345"));
    edit->setFocus();
    if (selected)
        edit->setSelection(1, 2);
    QApplication::clipboard()->setText(QStringLiteral("clipboard"));
    QList<std::shared_ptr<QSignalSpy>> triggered;
    for (const MenuCommand& command : menuCommands())
        triggered << std::make_shared<QSignalSpy>(window().action(command.item), &QAction::triggered);

    {
        BoxCloser closer;
        QTest::keyClick(edit, Qt::Key(key), Qt::ControlModifier);
        QCOMPARE(describe(closer.seen()), boxes);
    }
    for (qsizetype i = 0; i < triggered.size(); ++i)
        QCOMPARE(triggered[i]->size(), i == item ? 1 : 0);
    QCOMPARE(platform().requests, requests);
    QCOMPARE(edit->text(), text);
    QCOMPARE(QApplication::clipboard()->text(), clipboard);
    QCOMPARE(states({QStringLiteral("Text10=-3")}), QStringList{QStringLiteral("Text10=-3")});
    verifyLinearPanelStillSolves();
}

void MenuCommandsTest::resetFromFieldRestoresFieldsOnly()
{
    // Results in every panel, "?" in Text13, a line printed on the surface,
    // and every check button but the quadratic one (complex roots) enabled.
    // clang-format off
    const QStringList panels[] = {
        {"Text1=2", "Text2=-4"},
        {"Text4=1", "Text5=-2", "Text6=5"},
        {"Text10=-3", "Text11=1"},
        {"Text14=1", "Text15=1", "Text9=-2", "Text16=1", "Text18=1", "Text25=-2", "Text19=1", "Text20=1", "Text26=-2"},
    };
    // clang-format on
    {
        BoxCloser closer;
        const Button solves[] = {linear::solve, quadratic::solve, cubic::solve, system::solve};
        for (int panel = 0; panel < 4; ++panel) {
            typeInto(window(), panels[panel]);
            click(solves[panel]);
        }
    }
    typeInto(window(), {"Text13=?"});
    static_cast<Window&>(window()).Print("No Root!");
    const QStringList solved{"Text3=2.",         "Text7= 1 + 2 i",    "Text12=-1.87938524157182",
                             "Text13=?",         "Text22=1.",         "Command5=enabled",
                             "Command6=enabled", "Command7=disabled", "Command8=enabled"};
    QCOMPARE(statesOf(window(), solved), solved);
    QCOMPARE(window().surface()->printed(), QStringList{QStringLiteral("No Root!")});

    // Every field at its start text, the results at "0"; the buttons as they were.
    QStringList expected;
    for (const Field field : kFields)
        expected << toQString(field.name()) + QLatin1Char('=') + toQString(field->startText);
    for (const Button button : kButtons)
        expected << stateOf(window(), toQString(button.name()));

    // The printed line, left of Text1 where no field covers it.
    const QRect printedBand(0, 0, field(linear::a)->x(), QFontMetrics(window().font()).height());
    const QImage printed = grabSurface(window()).copy(printedBand);

    QVERIFY(reactivate(window()));
    QLineEdit* text1 = field(linear::a);
    text1->setFocus();
    QTest::keyClick(text1, Qt::Key_N, Qt::ControlModifier);
    QCOMPARE(everyControl(), expected);
    QCOMPARE(QApplication::focusWidget(), text1);
    QCOMPARE(window().surface()->printed(), QStringList{QStringLiteral("No Root!")});
    QCOMPARE(grabSurface(window()).copy(printedBand), printed);

    text1->setFocus();
    QTest::keyClick(text1, Qt::Key_N, Qt::ControlModifier);
    QCOMPARE(everyControl(), expected);
    QCOMPARE(window().surface()->printed(), QStringList{QStringLiteral("No Root!")});

    // The check left enabled judges the emptied fields, read as 0.
    BoxCloser closer;
    click(linear::check);
    QCOMPARE(describe(closer.seen()), QStringList{QStringLiteral("NoIcon: 一次项系数不能为0！")});
    QVERIFY(platform().requests.isEmpty());
}

void MenuCommandsTest::aboutShowsInformationBox_data()
{
    QTest::addColumn<bool>("fromMenu");
    QTest::newRow("Ctrl+A from a field") << false;
    QTest::newRow("关于 clicked in the 辅助 menu") << true;
}

void MenuCommandsTest::aboutShowsInformationBox()
{
    QFETCH(bool, fromMenu);
    QLineEdit* edit = focusFieldWithSelection();
    const QStringList before = everyControl();
    QAction* about = window().action(MenuItem::mnuAssAbout);
    QSignalSpy triggered(about, &QAction::triggered);

    BoxCloser closer;
    if (fromMenu) {
        auto* menu = qobject_cast<QMenu*>(about->parent());
        QVERIFY(menu != nullptr);
        QMenuBar* bar = window().menuBar();
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(menu->menuAction()).center());
        QTRY_VERIFY(menu->isVisible());
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(about).center());
    } else {
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    }

    QCOMPARE(triggered.size(), 1);
    QCOMPARE(closer.seen().size(), 1);
    const SeenBox& box = closer.seen().first();
    QCOMPARE(box.title, QStringLiteral("Zembrel"));
    QCOMPARE(box.icon, QMessageBox::Information);
    QCOMPARE(box.buttonCount, 1);
    QVERIFY2(box.text.contains(QStringLiteral("Zembrel")), qPrintable(box.text));
    QVERIFY2(box.text.contains(QStringLiteral(ZEMBREL_VERSION)), qPrintable(box.text));
    QCOMPARE(everyControl(), before);
    if (!fromMenu)
        verifyFieldAndClipboardUntouched(edit);
    QVERIFY(platform().requests.isEmpty());
}

QTEST_MAIN(MenuCommandsTest)
#include "menu_commands_test.moc"
