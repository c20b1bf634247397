// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "fixture.h"
#include "layout.h"
#include "qt_text.h"
#include "status_bar.h"

#include "announcer.h"

#include <QAccessible>
#include <QLabel>
#include <QMenuBar>
#include <QTest>

using namespace zembrel;
using namespace zembrel::testing;

// What a screen reader finds in the accessible tree: every field says which
// equation it belongs to and where it stands in it, labels name their fields,
// the result fields cannot be written through it, and the status bar reads
// out its texts.
class AccessibilityTest : public WindowFixture {
    Q_OBJECT

private slots:
    void fieldDescribesItsPlaceInTheEquation();
    void resultFieldIsReadOnlyForEveryClient();
    void labelIsLinkedToTheFieldItNames();
    void statusBarReadsOutItsTexts();
    void eventsAreHeardWithoutMovingTheFocus_data();
    void eventsAreHeardWithoutMovingTheFocus();
    void resetIsHeard();
    void menuItemNamesItsShortcut();
    void f10OpensTheFirstMenuWhichSaysItsName();
    void solveButtonSaysACheckFollows();

private:
    QAccessibleInterface* accessibleOf(QObject* object) const
    {
        QAccessibleInterface* interface = QAccessible::queryAccessibleInterface(object);
        return interface;
    }
};

void AccessibilityTest::fieldDescribesItsPlaceInTheEquation()
{
    // A panel missing here fails the test below: its fields must name its equation too.
    const QHash<QString, QString> forms{
        {"Linear", QStringLiteral("a·x + b = 0")},
        {"Quadratic", QStringLiteral("a·x² + b·x + c = 0")},
        {"Cubic", QStringLiteral("x³ + p·x + q = 0")},
        {"System", QStringLiteral("a·X + b·Y + c·Z + d = 0")},
    };
    // The Z column and the third equation may stay empty, and so may every constant term.
    const QStringList mayBeEmpty{"Text9", "Text15", "Text18", "Text19", "Text20", "Text21", "Text25", "Text26"};
    for (const layout::Control& control : layout::controls()) {
        const auto* field = std::get_if<Field>(&control.id);
        if (field == nullptr)
            continue;
        const QString description = accessibleOf(this->field(*field))->text(QAccessible::Description);
        const QString name = toQString(field->name());
        const QString panel = toQString(panelOf(*field).name);
        QVERIFY2(forms.contains(panel), qPrintable(panel + " has no equation form in this test"));
        QVERIFY2(description.contains(forms[panel]), qPrintable(name + ": " + description));
        const bool optional = mayBeEmpty.contains(name);
        QVERIFY2(description.endsWith(QStringLiteral("（可以为空）")) == optional,
                 qPrintable(name + ": " + description));
    }
    QCOMPARE(accessibleOf(field(quadratic::b))->text(QAccessible::Description),
             QStringLiteral("a·x² + b·x + c = 0 中的 b"));
    QCOMPARE(accessibleOf(field(system::d2))->text(QAccessible::Description),
             QStringLiteral("第 2 个方程 a·X + b·Y + c·Z + d = 0 的常数项 d（可以为空）"));
    QCOMPARE(accessibleOf(field(quadratic::X1))->text(QAccessible::Description),
             QStringLiteral("a·x² + b·x + c = 0 的根 x1"));
}

void AccessibilityTest::resultFieldIsReadOnlyForEveryClient()
{
    window().setText(linear::X, "2.");
    for (const layout::Control& control : layout::controls()) {
        const auto* field = std::get_if<Field>(&control.id);
        if (field == nullptr)
            continue;
        const QString name = toQString(field->name());
        QAccessibleInterface* interface = accessibleOf(this->field(*field));
        QVERIFY2(interface->textInterface() != nullptr, qPrintable(name));
        QCOMPARE(interface->textInterface()->text(0, interface->textInterface()->characterCount()),
                 this->field(*field)->text());
        if ((*field)->role == FieldRole::Result) {
            QVERIFY2(interface->state().readOnly && !interface->state().editable, qPrintable(name));
            QVERIFY2(interface->editableTextInterface() == nullptr, qPrintable(name));
        } else {
            QVERIFY2(!interface->state().readOnly && interface->state().editable, qPrintable(name));
            QVERIFY2(interface->editableTextInterface() != nullptr, qPrintable(name));
        }
    }
    // Selecting a root for copying still works through the tree.
    QAccessibleTextInterface* text = accessibleOf(field(linear::X))->textInterface();
    text->setSelection(0, 0, 2);
    QCOMPARE(field(linear::X)->selectedText(), QStringLiteral("2."));
    QCOMPARE(field(linear::X)->text(), QStringLiteral("2."));
}

void AccessibilityTest::labelIsLinkedToTheFieldItNames()
{
    const QHash<QString, QString> names{
        {"Label1_0", "Text1"},   {"Label1_1", "Text4"},   {"Label1_2", "Text10"},  {"Label1_3", "Text13"},
        {"Label2_11", "Text22"}, {"Label2_16", "Text23"}, {"Label2_17", "Text24"},
    };
    for (const layout::Control& control : layout::controls()) {
        if (!std::holds_alternative<layout::LabelName>(control.id))
            continue;
        const QString name = toQString(layout::nameOf(control));
        auto* label = window().surface()->findChild<QLabel*>(name);
        QVERIFY2(label != nullptr, qPrintable(name));
        const auto relations = accessibleOf(label)->relations(QAccessible::Labelled);
        if (!names.contains(name)) {
            QVERIFY2(relations.isEmpty(), qPrintable(name));
            continue;
        }
        QCOMPARE(relations.size(), 1);
        QCOMPARE(relations.first().first->object()->objectName(), names[name]);
        const auto labelledBy = accessibleOf(relations.first().first->object())->relations(QAccessible::Label);
        QCOMPARE(labelledBy.size(), 1);
        QCOMPARE(labelledBy.first().first->object(), label);
    }
}

void AccessibilityTest::statusBarReadsOutItsTexts()
{
    StatusBar* bar = window().sbStatusBar();
    QDateTime now(QDate(2007, 8, 20), QTime(18, 46));
    bar->setClock([&now] { return now; });
    QAccessibleInterface* interface = accessibleOf(bar);
    // Its role says "status bar"; a name would say it twice.
    QCOMPARE(interface->role(), QAccessible::StatusBar);
    QCOMPARE(interface->text(QAccessible::Name), QString());
    QCOMPARE(interface->childCount(), 3);
    const auto panelReads = [&](int panel) { return interface->child(panel)->text(QAccessible::Name); };
    QCOMPARE(panelReads(0), QStringLiteral("状态"));
    QCOMPARE(panelReads(1), bar->panelText(2));
    QCOMPARE(panelReads(2), QStringLiteral("18:46"));
    QCOMPARE(interface->child(1)->text(QAccessible::Description), QStringLiteral("日期"));
    QCOMPARE(interface->child(2)->text(QAccessible::Description), QStringLiteral("时间"));

    now = QDateTime(QDate(2007, 8, 21), QTime(0, 0));
    bar->setClock([&now] { return now; });
    QCOMPARE(panelReads(1), QStringLiteral("2007/8/21"));
    QCOMPARE(panelReads(2), QStringLiteral("00:00"));
}

void AccessibilityTest::eventsAreHeardWithoutMovingTheFocus_data()
{
    QTest::addColumn<QStringList>("typed"); // field=text
    QTest::addColumn<QStringList>("clicked");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("linear root, then the check")
        << QStringList{"Text1=2", "Text2=-4"} << QStringList{"Command1", "Command6"}
        << QStringList{"X 等于 二，验算可用", "验算不可用"};
    QTest::newRow("two quadratic roots") << QStringList{"Text4=1", "Text5=-3", "Text6=2"} << QStringList{"Command2"}
                                         << QStringList{"X 一 等于 二，X 二 等于 一，验算可用"};
    QTest::newRow("cubic root") << QStringList{"Text10=0", "Text11=-8"} << QStringList{"Command3"}
                                << QStringList{"X 等于 二，验算可用"};
    QTest::newRow("three unknowns") << QStringList{"Text13=1", "Text14=1",  "Text15=1",  "Text9=-6",
                                                   "Text16=2", "Text17=-1", "Text18=1",  "Text25=-3",
                                                   "Text19=1", "Text20=2",  "Text21=-1", "Text26=-2"}
                                    << QStringList{"Command4"}
                                    << QStringList{"X 等于 一，Y 等于 二，Z 等于 三，验算可用"};
    QTest::newRow("a second solve leaves the check as it was")
        << QStringList{"Text1=2", "Text2=-4"} << QStringList{"Command1", "Command1"}
        << QStringList{"X 等于 二，验算可用", "X 等于 二"};
    QTest::newRow("a refused solve, heard by its box, still makes the check available")
        << QStringList{"Text1=0", "Text2=1"} << QStringList{"Command1"} << QStringList{"验算可用"};
    QTest::newRow("complex roots are heard after their box, which allows no check")
        << QStringList{"Text4=1", "Text5=0", "Text6=1"} << QStringList{"Command2"}
        << QStringList{"X 一 等于 零加一 i，X 二 等于 零减一 i"};
    QTest::newRow("a long decimal is heard to six digits, all fifteen on the screen")
        << QStringList{"Text1=3", "Text2=1"} << QStringList{"Command1"}
        << QStringList{"X 等于 约负零点三三三三三三，验算可用"};
}

void AccessibilityTest::eventsAreHeardWithoutMovingTheFocus()
{
    QFETCH(QStringList, typed);
    QFETCH(QStringList, clicked);
    QFETCH(QStringList, expected);
    for (const QString& entry : typed) {
        const QStringList parts = entry.split(QLatin1Char('='));
        window().setText(*fieldNamed(parts[0].toStdString()), parts[1].toStdString());
    }
    // Qt's offscreen platform has no accessibility bridge to deliver the
    // notification's event to; tests/orca hears it through Orca itself.
    QStringList heard;
    connect(window().announcer(), &Announcer::announced, this, [&](const QString& message) { heard << message; });
    BoxCloser closer;
    field(linear::a)->setFocus();
    for (const QString& name : clicked)
        click(*buttonNamed(name.toStdString()));
    QCOMPARE(heard, expected);
    QCOMPARE(window().announcer()->isVisible(), false);
}

void AccessibilityTest::resetIsHeard()
{
    QStringList heard;
    connect(window().announcer(), &Announcer::announced, this, [&](const QString& message) { heard << message; });
    window().action(MenuItem::mnuFileNew)->trigger();
    QTRY_COMPARE(heard, QStringList{QStringLiteral("所有方程已清空")});
}

void AccessibilityTest::menuItemNamesItsShortcut()
{
    for (const layout::MenuEntry& entry : layout::menuEntries()) {
        // Separators; the window's own items (解题详情) are heard as the others.
        if (!entry.item && !entry.windowItem)
            continue;
        QAction* action = entry.item ? window().action(*entry.item) : window().findChild<QAction*>(qs(entry.name));
        QVERIFY2(action != nullptr, entry.caption.data());
        QAccessibleInterface* item = accessibleOf(action);
        QVERIFY(item != nullptr);
        QCOMPARE(item->role(), QAccessible::MenuItem);
        // AT-SPI's "mnemonic;path;accelerator": a bare shortcut is read as a path.
        const QStringList binding
            = item->actionInterface()->keyBindingsForAction(QAccessibleActionInterface::pressAction());
        QCOMPARE(binding.size(), 3);
        QCOMPARE(binding[2], toQString(entry.shortcut));
        QCOMPARE(item->text(QAccessible::Name), toQString(entry.caption).remove(QLatin1Char('&')));
    }
}

void AccessibilityTest::f10OpensTheFirstMenuWhichSaysItsName()
{
    QStringList heard;
    connect(window().announcer(), &Announcer::announced, this, [&](const QString& message) { heard << message; });
    QTest::keyClick(field(linear::a), Qt::Key_F10);
    auto* menu = window().menuBar()->actions().constFirst()->menu();
    QTRY_VERIFY(menu->isVisible());
    QCOMPARE(menu->activeAction(), window().action(MenuItem::mnuFileNew));
    QCOMPARE(heard, QStringList{QStringLiteral("控制(C) 菜单")});
    menu->hide();
}

void AccessibilityTest::solveButtonSaysACheckFollows()
{
    for (const Button control : kButtons) {
        if (control->kind == ButtonKind::Solve)
            QCOMPARE(accessibleOf(button(control))->text(QAccessible::Description), QStringLiteral("求解后可以验算"));
    }
}

QTEST_MAIN(AccessibilityTest)
#include "accessibility_test.moc"
