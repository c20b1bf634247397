// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "fixture.h"
#include "surface.h"

#include <QAction>
#include <QClipboard>
#include <QSignalSpy>
#include <QTest>

#include <memory>

using namespace zembrel;
using namespace zembrel::testing;

// The keyboard in the window: the focus order, and which keys edit a field and which run nothing.
class KeyboardTest : public WindowFixture {
    Q_OBJECT

private slots:
    void focusStartsInText1();
    void tabVisitsControlsInOrder_data();
    void tabVisitsControlsInOrder();
    void otherEditingKeysStayWithField();
    void keyRunsNothing_data();
    void keyRunsNothing();
    void resultFieldTakesFocusButNotTyping();
    void fieldHasNoLengthLimit();
    void disabledButtonRaisesNothing();
    void checkLeavesFocusOnItsSolveButton_data();
    void checkLeavesFocusOnItsSolveButton();
};

void KeyboardTest::focusStartsInText1() { QCOMPARE(QApplication::focusWidget(), field(linear::a)); }

void KeyboardTest::tabVisitsControlsInOrder_data()
{
    QTest::addColumn<bool>("checksEnabled");
    QTest::newRow("at start, check buttons skipped") << false;
    QTest::newRow("after every solve, check buttons visited") << true;
}

void KeyboardTest::tabVisitsControlsInOrder()
{
    QFETCH(bool, checksEnabled);
    for (const Button button : kButtons) {
        if (button->kind == ButtonKind::Check)
            window().setEnabled(button, checksEnabled);
    }

    QStringList expected;
    // clang-format off
    const QStringList order{
        "Text1", "Text2", "Command1", "Text3", "Command6",
        "Text4", "Text5", "Text6", "Command2", "Text7", "Text8", "Command7",
        "Text10", "Text11", "Command3", "Text12", "Command8",
        "Text13", "Text14", "Text15", "Text9",
        "Text16", "Text17", "Text18", "Text25",
        "Text19", "Text20", "Text21", "Text26",
        "Command4", "Command5", "Text22", "Text23", "Text24",
    };
    // clang-format on
    const QStringList checks{"Command5", "Command6", "Command7", "Command8"};
    for (const QString& name : order) {
        if (checksEnabled || !checks.contains(name))
            expected << name;
    }
    expected << QStringLiteral("Text1"); // and round again

    QStringList visited;
    for (qsizetype i = 1; i < expected.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(visited, expected.mid(1));
}

void KeyboardTest::otherEditingKeysStayWithField()
{
    QLineEdit* edit = field(linear::b);
    edit->setFocus();
    QApplication::clipboard()->setText(QStringLiteral("-4"));
    QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(edit->text(), QStringLiteral("-4"));
    QTest::keyClick(edit, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(edit->text(), QString());
}

void KeyboardTest::keyRunsNothing_data()
{
    QTest::addColumn<QString>("focus");
    QTest::addColumn<int>("key");
    QTest::newRow("Enter in a coefficient field") << "Text1" << int(Qt::Key_Return);
    QTest::newRow("keypad Enter in a coefficient field") << "Text13" << int(Qt::Key_Enter);
    QTest::newRow("Enter in a result field") << "Text3" << int(Qt::Key_Return);
    QTest::newRow("Esc in a field") << "Text4" << int(Qt::Key_Escape);
    QTest::newRow("Esc on a solve button") << "Command1" << int(Qt::Key_Escape);
}

void KeyboardTest::keyRunsNothing()
{
    QFETCH(QString, focus);
    QFETCH(int, key);
    field(linear::a)->setText(QStringLiteral("2"));
    field(linear::b)->setText(QStringLiteral("-4"));
    auto* target = window().surface()->findChild<QWidget*>(focus);
    target->setFocus();

    QList<std::shared_ptr<QSignalSpy>> spies;
    for (const Button button : kButtons)
        spies << std::make_shared<QSignalSpy>(this->button(button), &QPushButton::clicked);
    for (const MenuCommand& command : menuCommands())
        spies << std::make_shared<QSignalSpy>(window().action(command.item), &QAction::triggered);

    QTest::keyClick(target, Qt::Key(key));

    for (const auto& spy : spies)
        QCOMPARE(spy->size(), 0);
    QCOMPARE(field(linear::X)->text(), QStringLiteral("0"));
    QVERIFY(!button(linear::check)->isEnabled());
    QVERIFY(platform().requests.isEmpty());
}

void KeyboardTest::resultFieldTakesFocusButNotTyping()
{
    QLineEdit* root = field(linear::X);
    for (int i = 0; i < 3; ++i) // Text1, Text2, Command1, Text3
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), root);

    QTest::keyClicks(root, QStringLiteral("123"));
    QTest::keyClick(root, Qt::Key_Backspace);
    QCOMPARE(root->text(), QStringLiteral("0"));

    QTest::keyClick(root, Qt::Key_Home);
    QTest::keyClick(root, Qt::Key_End, Qt::ShiftModifier);
    QCOMPARE(root->selectedText(), QStringLiteral("0"));
}

void KeyboardTest::fieldHasNoLengthLimit()
{
    const std::string longText(100000, '7');
    window().setText(linear::a, longText);
    QCOMPARE(window().text(linear::a), longText);
}

void KeyboardTest::disabledButtonRaisesNothing()
{
    QSignalSpy clicked(button(linear::check), &QPushButton::clicked);
    BoxCloser closer;
    click(linear::check);
    QCOMPARE(clicked.size(), 0);
    QVERIFY(closer.seen().isEmpty());
}

void KeyboardTest::checkLeavesFocusOnItsSolveButton_data()
{
    QTest::addColumn<int>("solve");
    QTest::addColumn<int>("check");
    QTest::addColumn<QStringList>("typed");
    QTest::newRow("linear") << int(indexOf(linear::solve)) << int(indexOf(linear::check))
                            << QStringList{"Text1=2", "Text2=-4"};
    QTest::newRow("quadratic") << int(indexOf(quadratic::solve)) << int(indexOf(quadratic::check))
                               << QStringList{"Text4=1", "Text5=-3", "Text6=2"};
    QTest::newRow("cubic") << int(indexOf(cubic::solve)) << int(indexOf(cubic::check))
                           << QStringList{"Text10=0", "Text11=-8"};
    QTest::newRow("system") << int(indexOf(system::solve)) << int(indexOf(system::check))
                            << QStringList{"Text13=1", "Text14=1", "Text9=-1", "Text16=2", "Text17=-1"};
}

// The check button disables itself while it has the focus; the focus stays
// in the panel, on its solve button, so the user is where the user was once
// the box is answered.
void KeyboardTest::checkLeavesFocusOnItsSolveButton()
{
    QFETCH(int, solve);
    QFETCH(int, check);
    QFETCH(QStringList, typed);
    typeInto(window(), typed);
    BoxCloser closer;
    QPushButton* solveButton = button(kButtons[solve]);
    solveButton->setFocus();
    QTest::keyClick(solveButton, Qt::Key_Space);
    QPushButton* checkButton = button(kButtons[check]);
    QVERIFY(checkButton->isEnabled());
    checkButton->setFocus();
    QTest::keyClick(checkButton, Qt::Key_Space);
    QCOMPARE(closer.seen().size(), 1);
    QVERIFY(!checkButton->isEnabled());
    // Offscreen no window manager activates the window again after the box;
    // the window's own focus widget is where the focus returns.
    QCOMPARE(window().focusWidget(), solveButton);
}

QTEST_MAIN(KeyboardTest)
#include "keyboard_test.moc"
