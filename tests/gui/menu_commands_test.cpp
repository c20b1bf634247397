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
    void shortcutFromFieldRunsCommandAndLeavesFieldAlone_data();
    void shortcutFromFieldRunsCommandAndLeavesFieldAlone();
    void resetFromFieldRestoresFieldsOnly();
    void aboutShowsInformationBox_data();
    void aboutShowsInformationBox();

private:
    // Every field's text and every button's state.
    QStringList everyControl() const
    {
        QStringList states;
        for (int i = 1; i <= 26; ++i)
            states << stateOf(window(), QStringLiteral("Text%1").arg(i));
        for (int i = 1; i <= 8; ++i)
            states << stateOf(window(), QStringLiteral("Command%1").arg(i));
        return states;
    }
    // "12345" in Text5 with "23" selected and the focus on it, and other text on the clipboard.
    QLineEdit* focusFieldWithSelection();
    void verifyFieldAndClipboardUntouched(const QLineEdit* edit) const;
    void verifyLinearPanelStillSolves();
};

QLineEdit* MenuCommandsTest::focusFieldWithSelection()
{
    QLineEdit* edit = field(Field::Text5);
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
    click(Button::Command1);
    QCOMPARE(field(Field::Text3)->text(), QStringLiteral("2."));
}

// The field would copy, cut or select on Ctrl+C, Ctrl+X and Ctrl+A; in this
// window they are menu shortcuts. (The fake desktop never ends the program,
// so the window answers on after the exit command too.)
void MenuCommandsTest::shortcutFromFieldRunsCommandAndLeavesFieldAlone_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("item");
    QTest::addColumn<QStringList>("installed");
    QTest::addColumn<QStringList>("requests");
    QTest::addColumn<QStringList>("boxes");
    const QStringList none;
    QTest::newRow("Ctrl+C starts the first installed calculator")
        << int(Qt::Key_C) << int(MenuItem::mnuAssCalc) << QStringList{"galculator", "xcalc"}
        << QStringList{"start galculator"} << none;
    QTest::newRow("Ctrl+C with no calculator shows runtime error 53")
        << int(Qt::Key_C) << int(MenuItem::mnuAssCalc) << none << none
        << QStringList{"Critical: 运行时错误 '53':\n\n文件未找到"};
    QTest::newRow("Ctrl+X ends the program")
        << int(Qt::Key_X) << int(MenuItem::mnuFileExit) << none << QStringList{"exit"} << none;
    QTest::newRow("Ctrl+R opens the report page without a box")
        << int(Qt::Key_R) << int(MenuItem::mnuAssRep) << none
        << QStringList{"open http://www.example.org/zembrel/report"} << none;
}

void MenuCommandsTest::shortcutFromFieldRunsCommandAndLeavesFieldAlone()
{
    QFETCH(int, key);
    QFETCH(int, item);
    QFETCH(QStringList, installed);
    QFETCH(QStringList, requests);
    QFETCH(QStringList, boxes);
    platform().installed = installed;
    QLineEdit* edit = focusFieldWithSelection();
    QCOMPARE(QApplication::focusWidget(), edit);
    QSignalSpy triggered(window().action(MenuItem(item)), &QAction::triggered);

    {
        BoxCloser closer;
        QTest::keyClick(edit, Qt::Key(key), Qt::ControlModifier);
        QCOMPARE(describe(closer.seen()), boxes);
    }
    QCOMPARE(triggered.size(), 1);
    QCOMPARE(platform().requests, requests);
    verifyFieldAndClipboardUntouched(edit);
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
        for (int panel = 0; panel < 4; ++panel) {
            typeInto(window(), panels[panel]);
            click(Button(panel + 1));
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
    const QList<int> results{3, 7, 8, 12, 22, 23, 24};
    for (int i = 1; i <= 26; ++i)
        expected << QStringLiteral("Text%1=").arg(i) + (results.contains(i) ? QStringLiteral("0") : QString());
    for (int i = 1; i <= 8; ++i)
        expected << stateOf(window(), QStringLiteral("Command%1").arg(i));

    // The printed line, left of Text1 where no field covers it.
    const QRect printedBand(0, 0, field(Field::Text1)->x(), QFontMetrics(window().font()).height());
    const QImage printed = grabSurface(window()).copy(printedBand);

    QVERIFY(reactivate(window()));
    QLineEdit* text1 = field(Field::Text1);
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
    click(Button::Command6);
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
