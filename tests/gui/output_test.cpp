// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "fixture.h"
#include "surface.h"

#include <QAction>
#include <QClipboard>
#include <QFontMetrics>
#include <QMenu>
#include <QTest>

#include <memory>

using namespace zembrel;
using namespace zembrel::testing;

// What the operations show the user: message boxes, the runtime error box,
// and lines printed on the surface.
class OutputTest : public WindowFixture {
    Q_OBJECT

private slots:
    void messageBoxShowsPromptTitleAndIcon_data();
    void messageBoxShowsPromptTitleAndIcon();
    void fieldContextMenuIsChinese();
    void overflowShowsRuntimeErrorAndGoesOn();
    void pastedCoefficientIsReadAndKept_data();
    void pastedCoefficientIsReadAndKept();
    void printedTextShowsBeneathControls();
    void printedTextSurvivesRepaint();
    void printMovesDownOneLine();

private:
    // Prints as an operation does, through the window interface.
    void print(std::string_view text) { static_cast<Window&>(window()).Print(text); }
    QImage grabSurface() const { return testing::grabSurface(window()); }
};

void OutputTest::messageBoxShowsPromptTitleAndIcon_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("icon");
    QTest::newRow("0: no icon") << 0 << int(QMessageBox::NoIcon);
    QTest::newRow("16: stop") << 16 << int(QMessageBox::Critical);
    QTest::newRow("48: exclamation") << 48 << int(QMessageBox::Warning);
    QTest::newRow("64: information") << 64 << int(QMessageBox::Information);
}

void OutputTest::messageBoxShowsPromptTitleAndIcon()
{
    QFETCH(int, code);
    QFETCH(int, icon);
    BoxCloser closer;
    static_cast<Window&>(window()).MsgBox("方程无实数解！ <b>1 < 2</b>", MsgBoxStyle(code));
    QCOMPARE(closer.seen().size(), 1);
    const SeenBox& box = closer.seen().first();
    QCOMPARE(box.title, QStringLiteral("Zembrel"));
    QCOMPARE(box.text, QStringLiteral("方程无实数解！ <b>1 < 2</b>"));
    QCOMPARE(int(box.icon), icon);
    QCOMPARE(box.buttonCount, 1);
    QCOMPARE(box.buttonText, QStringLiteral("确定"));
}

void OutputTest::overflowShowsRuntimeErrorAndGoesOn()
{
    QTest::keyClicks(field(linear::a), QStringLiteral("1e-300"));
    QTest::keyClicks(field(linear::b), QStringLiteral("1e300"));
    {
        BoxCloser closer;
        click(linear::solve);
        QCOMPARE(closer.seen().size(), 1);
        const SeenBox& box = closer.seen().first();
        QCOMPARE(box.text, QStringLiteral("运行时错误 '6':\n\n溢出"));
        QCOMPARE(box.title, QStringLiteral("Zembrel"));
        QCOMPARE(box.icon, QMessageBox::Critical);
        QCOMPARE(box.buttonCount, 1);
    }
    QCOMPARE(field(linear::a)->text(), QStringLiteral("1e-300"));
    QCOMPARE(field(linear::b)->text(), QStringLiteral("1e300"));
    QCOMPARE(field(linear::X)->text(), QStringLiteral("0"));
    QVERIFY(button(linear::check)->isEnabled());
    QVERIFY(window().isVisible());
    QVERIFY(platform().requests.isEmpty());

    field(linear::a)->setText(QStringLiteral("2"));
    field(linear::b)->setText(QStringLiteral("-4"));
    click(linear::solve);
    QCOMPARE(field(linear::X)->text(), QStringLiteral("2."));
}

// Text that the keyboard cannot type still arrives by pasting: a million
// characters, control characters, marks, full-width digits. The press ends in
// the box of what was read, and the field keeps every character pasted.
void OutputTest::pastedCoefficientIsReadAndKept_data()
{
    QTest::addColumn<QString>("pasted");
    QTest::addColumn<QStringList>("boxes");
    QTest::addColumn<QString>("root");
    const QString overflow = QStringLiteral("Critical: 运行时错误 '6':\n\n溢出");
    const QString zeroA = QStringLiteral("NoIcon: 一次项系数不能为0！");
    const qsizetype million = 1000000;
    QTest::newRow("a million sevens") << QString(million, QLatin1Char('7')) << QStringList{overflow} << "0";
    QTest::newRow("a million blanks, then 2")
        << QString(million, QLatin1Char(' ')) + QLatin1Char('2') << QStringList{} << "2.";
    QTest::newRow("a million letters") << QString(million, QLatin1Char('x')) << QStringList{zeroA} << "0";
    QTest::newRow("newline inside the number") << QStringLiteral("2\n5") << QStringList{} << "2.";
    QTest::newRow("NUL before the number") << QString(QChar(0)) + QLatin1Char('2') << QStringList{zeroA} << "0";
    QTest::newRow("right-to-left mark before the number") << QStringLiteral("\u200f2") << QStringList{zeroA} << "0";
    QTest::newRow("full-width digits") << QStringLiteral("１２") << QStringList{zeroA} << "0";
}

void OutputTest::pastedCoefficientIsReadAndKept()
{
    QFETCH(QString, pasted);
    QFETCH(QStringList, boxes);
    QFETCH(QString, root);
    QApplication::clipboard()->setText(pasted);
    QTest::keyClick(field(linear::a), Qt::Key_V, Qt::ControlModifier);
    QTest::keyClicks(field(linear::b), QStringLiteral("-4"));
    {
        BoxCloser closer;
        click(linear::solve);
        QCOMPARE(describe(closer.seen()), boxes);
    }
    QCOMPARE(field(linear::X)->text(), root);
    // Compared whole, but not printed whole when they differ.
    QCOMPARE(field(linear::a)->text().size(), pasted.size());
    QVERIFY(field(linear::a)->text() == pasted);
}

void OutputTest::printedTextShowsBeneathControls()
{
    const QImage before = grabSurface();
    print("No Root!");
    const QImage after = grabSurface();

    const QRect changed = differingPixels(before, after);
    QVERIFY(!changed.isEmpty());
    const int lineHeight = QFontMetrics(window().font()).height();
    QVERIFY2(QRect(0, 0, 404, lineHeight).contains(changed), qPrintable(QStringLiteral("changed %1,%2 %3x%4")
                                                                            .arg(changed.x())
                                                                            .arg(changed.y())
                                                                            .arg(changed.width())
                                                                            .arg(changed.height())));
    QVERIFY(changed.left() < 4); // at the left edge of the client area
}

void OutputTest::printedTextSurvivesRepaint()
{
    print("No Root!");
    const QImage printed = grabSurface();
    window().surface()->repaint();
    window().hide();
    window().show();
    QVERIFY(QTest::qWaitForWindowExposed(&window()));
    QCOMPARE(grabSurface(), printed);
    QCOMPARE(window().surface()->printed(), QStringList{QStringLiteral("No Root!")});
}

void OutputTest::printMovesDownOneLine()
{
    print("No Root!");
    const QImage one = grabSurface();
    print("No Root!");
    const QImage two = grabSurface();

    const int lineHeight = QFontMetrics(window().font()).height();
    const QRect changed = differingPixels(one, two);
    QVERIFY(!changed.isEmpty());
    QVERIFY(changed.top() >= lineHeight);
    QVERIFY(changed.bottom() < 2 * lineHeight);
}

// Qt's own texts come from its Chinese translation, whatever the locale.
void OutputTest::fieldContextMenuIsChinese()
{
    const std::unique_ptr<QMenu> menu(field(linear::a)->createStandardContextMenu());
    QStringList texts;
    for (const QAction* action : menu->actions())
        texts << action->text().section(QLatin1Char('\t'), 0, 0);
    QVERIFY2(texts.contains(QStringLiteral("剪切(&T)")), qPrintable(texts.join(u' ')));
    QVERIFY2(texts.contains(QStringLiteral("复制(&C)")), qPrintable(texts.join(u' ')));
    QVERIFY2(texts.contains(QStringLiteral("粘贴(&P)")), qPrintable(texts.join(u' ')));
}

QTEST_MAIN(OutputTest)
#include "output_test.moc"
