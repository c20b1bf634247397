// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "fixture.h"
#include "layout.h"
#include "qt_text.h"
#include "status_bar.h"

#include <QAccessible>
#include <QLabel>
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
    QCOMPARE(interface->text(QAccessible::Name), QStringLiteral("状态栏"));
    QCOMPARE(interface->childCount(), 3);
    const auto panelReads = [&](int panel) { return interface->child(panel)->text(QAccessible::Name); };
    QCOMPARE(panelReads(0), QStringLiteral("状态"));
    QCOMPARE(panelReads(1), bar->panelText(2));
    QCOMPARE(panelReads(2), QStringLiteral("18:46"));
    QCOMPARE(interface->child(1)->text(QAccessible::Description), QStringLiteral("日期"));
    QCOMPARE(interface->child(2)->text(QAccessible::Description), QStringLiteral("时间"));

    now = QDateTime(QDate(2007, 8, 21), QTime(0, 0));
    bar->setClock([&now] { return now; });
    QCOMPARE(panelReads(1), QLocale::system().toString(QDate(2007, 8, 21), QLocale::ShortFormat));
    QCOMPARE(panelReads(2), QStringLiteral("00:00"));
}

QTEST_MAIN(AccessibilityTest)
#include "accessibility_test.moc"
