#include "fake_platform.h"
#include "fonts.h"
#include "gui_support.h"
#include "layout.h"
#include "main_window.h"
#include "status_bar.h"
#include "surface.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QSet>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <memory>

using namespace zembrel;
using namespace zembrel::testing;

class MainWindowTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

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

    void focusStartsInText1();
    void tabVisitsControlsInOrder_data();
    void tabVisitsControlsInOrder();
    void otherEditingKeysStayWithField();
    void keyRunsNothing_data();
    void keyRunsNothing();
    void resultFieldTakesFocusButNotTyping();
    void fieldHasNoLengthLimit();
    void disabledButtonRaisesNothing();

    void messageBoxShowsPromptTitleAndIcon_data();
    void messageBoxShowsPromptTitleAndIcon();
    void linearPanelSolvesAndChecks_data();
    void linearPanelSolvesAndChecks();
    void overflowShowsRuntimeErrorAndGoesOn();
    void pastedCoefficientIsReadAndKept_data();
    void pastedCoefficientIsReadAndKept();

    void printedTextShowsBeneathControls();
    void printedTextSurvivesRepaint();
    void printMovesDownOneLine();

    void statusBarShowsStatusDateAndTime();
    void statusBarFollowsTheClock();
    void clockWakesAtNextMinute_data();
    void clockWakesAtNextMinute();

private:
    QLineEdit* field(Field field) const { return window_->field(field); }
    QPushButton* button(Button button) const { return window_->button(button); }
    void click(Button which) { QTest::mouseClick(button(which), Qt::LeftButton); }
    // Prints as an operation does, through the window interface.
    void print(std::string_view text) { static_cast<Window&>(*window_).Print(text); }
    QImage grabSurface() const { return testing::grabSurface(*window_); }

    std::unique_ptr<testing::FakePlatform> platform_;
    std::unique_ptr<MainWindow> window_;
};

void MainWindowTest::initTestCase() { useSongFontThroughout(); }

void MainWindowTest::init()
{
    platform_ = std::make_unique<testing::FakePlatform>();
    window_ = std::make_unique<MainWindow>(*platform_);
    window_->show();
    QVERIFY(QTest::qWaitForWindowActive(window_.get()));
}

void MainWindowTest::cleanup()
{
    window_.reset();
    platform_.reset();
}

// --- The layout ------------------------------------------------------------

void MainWindowTest::fieldStartsAsLaidOut_data()
{
    QTest::addColumn<int>("field");
    for (int i = 1; i <= kFieldCount; ++i)
        QTest::newRow(nameOf(Field(i)).data()) << i;
}

void MainWindowTest::fieldStartsAsLaidOut()
{
    QFETCH(int, field);
    const Field which = Field(field);
    const QLineEdit* edit = this->field(which);
    QVERIFY(edit != nullptr);
    QCOMPARE(edit->objectName(), qs(nameOf(which)));
    // The operations, the driver and the reset all rely on these start texts.
    QCOMPARE(edit->text(), qs(initialText(which)));
    QCOMPARE(window_->text(which), std::string(initialText(which)));
    QCOMPARE(edit->isReadOnly(), isResultField(which));
    QVERIFY(edit->isEnabled());
    QCOMPARE(edit->focusPolicy(), Qt::StrongFocus);
}

void MainWindowTest::buttonStartsAsLaidOut_data()
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

void MainWindowTest::buttonStartsAsLaidOut()
{
    QFETCH(int, button);
    QFETCH(QString, caption);
    QFETCH(bool, enabled);
    const QPushButton* push = this->button(Button(button));
    QVERIFY(push != nullptr);
    QCOMPARE(push->objectName(), qs(nameOf(Button(button))));
    QCOMPARE(push->text(), caption);
    QCOMPARE(push->isEnabled(), enabled);
    QVERIFY(!push->autoDefault());
    QVERIFY(!push->isDefault());
}

void MainWindowTest::windowIsCentredWithItsTitleAndIcon()
{
    QCOMPARE(window_->windowTitle(), QStringLiteral("Zembrel"));
    const QList<QSize> sizes = window_->windowIcon().availableSizes();
    for (const int size : {16, 32, 48, 64, 128})
        QVERIFY2(sizes.contains(QSize(size, size)), qPrintable(QString::number(size)));

    const QPoint offset = window_->frameGeometry().center() - window_->screen()->availableGeometry().center();
    QVERIFY2(offset.manhattanLength() <= 8,
             qPrintable(QStringLiteral("off centre by %1,%2").arg(offset.x()).arg(offset.y())));
}

void MainWindowTest::controlSitsAtItsPlace_data()
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

void MainWindowTest::controlSitsAtItsPlace()
{
    QFETCH(QString, name);
    QFETCH(QRect, pixels);
    const auto* control = window_->surface()->findChild<QWidget*>(name);
    QVERIFY(control != nullptr);
    QCOMPARE(control->geometry(), pixels);
}

void MainWindowTest::controlHasItsFontAndColours_data()
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

void MainWindowTest::controlHasItsFontAndColours()
{
    QFETCH(QString, name);
    QFETCH(int, pixelSize);
    QFETCH(bool, bold);
    QFETCH(QColor, text);
    QFETCH(QColor, background);
    const auto* control = window_->surface()->findChild<QWidget*>(name);
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

void MainWindowTest::everyFieldAndButtonIsNamedForScreenReaders()
{
    QSet<QString> names;
    QList<QWidget*> controls;
    for (int i = 1; i <= kFieldCount; ++i)
        controls << field(Field(i));
    for (int i = 1; i <= kButtonCount; ++i)
        controls << button(Button(i));
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

void MainWindowTest::menuItemHasCaptionAndShortcut_data()
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

void MainWindowTest::menuItemHasCaptionAndShortcut()
{
    QFETCH(int, item);
    QFETCH(QString, menu);
    QFETCH(QString, caption);
    QFETCH(QKeySequence, shortcut);
    const QAction* action = window_->action(MenuItem(item));
    QVERIFY(action != nullptr);
    QCOMPARE(action->objectName(), qs(nameOf(MenuItem(item))));
    QCOMPARE(action->text(), caption);
    QCOMPARE(action->shortcut(), shortcut);

    const QList<QMenu*> menus = window_->menuBar()->findChildren<QMenu*>();
    const auto holder
        = std::find_if(menus.begin(), menus.end(), [&](const QMenu* m) { return m->actions().contains(action); });
    QVERIFY(holder != menus.end());
    QCOMPARE((*holder)->title(), menu);
}

// --- Keyboard --------------------------------------------------------------

void MainWindowTest::focusStartsInText1() { QCOMPARE(QApplication::focusWidget(), field(Field::Text1)); }

void MainWindowTest::tabVisitsControlsInOrder_data()
{
    QTest::addColumn<bool>("checksEnabled");
    QTest::newRow("at start, check buttons skipped") << false;
    QTest::newRow("after every solve, check buttons visited") << true;
}

void MainWindowTest::tabVisitsControlsInOrder()
{
    QFETCH(bool, checksEnabled);
    for (int i = 5; i <= 8; ++i)
        window_->setEnabled(Button(i), checksEnabled);

    QStringList expected;
    for (std::string_view name : layout::focusOrder()) {
        const bool isCheck = name == "Command5" || name == "Command6" || name == "Command7" || name == "Command8";
        if (checksEnabled || !isCheck)
            expected << qs(name);
    }
    expected << QStringLiteral("Text1"); // and round again

    QStringList visited;
    for (qsizetype i = 1; i < expected.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(visited, expected.mid(1));
}

void MainWindowTest::otherEditingKeysStayWithField()
{
    QLineEdit* edit = field(Field::Text2);
    edit->setFocus();
    QApplication::clipboard()->setText(QStringLiteral("-4"));
    QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(edit->text(), QStringLiteral("-4"));
    QTest::keyClick(edit, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(edit->text(), QString());
}

void MainWindowTest::keyRunsNothing_data()
{
    QTest::addColumn<QString>("focus");
    QTest::addColumn<int>("key");
    QTest::newRow("Enter in a coefficient field") << "Text1" << int(Qt::Key_Return);
    QTest::newRow("keypad Enter in a coefficient field") << "Text13" << int(Qt::Key_Enter);
    QTest::newRow("Enter in a result field") << "Text3" << int(Qt::Key_Return);
    QTest::newRow("Esc in a field") << "Text4" << int(Qt::Key_Escape);
    QTest::newRow("Esc on a solve button") << "Command1" << int(Qt::Key_Escape);
}

void MainWindowTest::keyRunsNothing()
{
    QFETCH(QString, focus);
    QFETCH(int, key);
    field(Field::Text1)->setText(QStringLiteral("2"));
    field(Field::Text2)->setText(QStringLiteral("-4"));
    auto* target = window_->surface()->findChild<QWidget*>(focus);
    target->setFocus();

    QList<std::shared_ptr<QSignalSpy>> spies;
    for (int i = 1; i <= kButtonCount; ++i)
        spies << std::make_shared<QSignalSpy>(button(Button(i)), &QPushButton::clicked);
    for (int i = 0; i < 5; ++i)
        spies << std::make_shared<QSignalSpy>(window_->action(MenuItem(i)), &QAction::triggered);

    QTest::keyClick(target, Qt::Key(key));

    for (const auto& spy : spies)
        QCOMPARE(spy->size(), 0);
    QCOMPARE(field(Field::Text3)->text(), QStringLiteral("0"));
    QVERIFY(!button(Button::Command6)->isEnabled());
    QVERIFY(platform_->requests.isEmpty());
}

void MainWindowTest::resultFieldTakesFocusButNotTyping()
{
    QLineEdit* root = field(Field::Text3);
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

void MainWindowTest::fieldHasNoLengthLimit()
{
    const std::string longText(100000, '7');
    window_->setText(Field::Text1, longText);
    QCOMPARE(window_->text(Field::Text1), longText);
}

void MainWindowTest::disabledButtonRaisesNothing()
{
    QSignalSpy clicked(button(Button::Command6), &QPushButton::clicked);
    BoxCloser closer;
    click(Button::Command6);
    QCOMPARE(clicked.size(), 0);
    QVERIFY(closer.seen().isEmpty());
}

// --- Message boxes and operations ------------------------------------------

void MainWindowTest::messageBoxShowsPromptTitleAndIcon_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("icon");
    QTest::newRow("0: no icon") << 0 << int(QMessageBox::NoIcon);
    QTest::newRow("16: stop") << 16 << int(QMessageBox::Critical);
    QTest::newRow("48: exclamation") << 48 << int(QMessageBox::Warning);
    QTest::newRow("64: information") << 64 << int(QMessageBox::Information);
}

void MainWindowTest::messageBoxShowsPromptTitleAndIcon()
{
    QFETCH(int, code);
    QFETCH(int, icon);
    BoxCloser closer;
    Window& window = *window_;
    window.MsgBox("方程无实数解！ <b>1 < 2</b>", MsgBoxStyle(code));
    QCOMPARE(closer.seen().size(), 1);
    const SeenBox& box = closer.seen().first();
    QCOMPARE(box.title, QStringLiteral("Zembrel"));
    QCOMPARE(box.text, QStringLiteral("方程无实数解！ <b>1 < 2</b>"));
    QCOMPARE(int(box.icon), icon);
    QCOMPARE(box.buttonCount, 1);
}

void MainWindowTest::linearPanelSolvesAndChecks_data()
{
    QTest::addColumn<QString>("a");
    QTest::addColumn<QString>("b");
    QTest::addColumn<QString>("root");
    QTest::addColumn<QStringList>("solveBoxes");
    QTest::addColumn<QStringList>("checkBoxes");
    QTest::newRow("exact root") << "2"
                                << "-4"
                                << "2." << QStringList{} << QStringList{"计算正确"};
    QTest::newRow("zero a") << "0"
                            << "5"
                            << "0" << QStringList{"一次项系数不能为0！"} << QStringList{"一次项系数不能为0！"};
    QTest::newRow("residual of one unit in the last place")
        << "49"
        << "1"
        << "-0.0204081632653061" << QStringList{} << QStringList{"计算可能有误，请刷新后再试。"};
}

void MainWindowTest::linearPanelSolvesAndChecks()
{
    QFETCH(QString, a);
    QFETCH(QString, b);
    QFETCH(QString, root);
    QFETCH(QStringList, solveBoxes);
    QFETCH(QStringList, checkBoxes);
    QTest::keyClicks(field(Field::Text1), a);
    QTest::keyClicks(field(Field::Text2), b);

    const auto boxTexts = [](const BoxCloser& closer) {
        QStringList texts;
        for (const SeenBox& box : closer.seen())
            texts << box.text;
        return texts;
    };
    {
        BoxCloser closer;
        click(Button::Command1);
        QCOMPARE(boxTexts(closer), solveBoxes);
    }
    QCOMPARE(field(Field::Text3)->text(), root);
    QVERIFY(button(Button::Command6)->isEnabled());
    {
        BoxCloser closer;
        click(Button::Command6);
        QCOMPARE(boxTexts(closer), checkBoxes);
    }
    QVERIFY(!button(Button::Command6)->isEnabled());
}

void MainWindowTest::overflowShowsRuntimeErrorAndGoesOn()
{
    QTest::keyClicks(field(Field::Text1), QStringLiteral("1e-300"));
    QTest::keyClicks(field(Field::Text2), QStringLiteral("1e300"));
    {
        BoxCloser closer;
        click(Button::Command1);
        QCOMPARE(closer.seen().size(), 1);
        const SeenBox& box = closer.seen().first();
        QCOMPARE(box.text, QStringLiteral("运行时错误 '6':\n\n溢出"));
        QCOMPARE(box.title, QStringLiteral("Zembrel"));
        QCOMPARE(box.icon, QMessageBox::Critical);
        QCOMPARE(box.buttonCount, 1);
    }
    QCOMPARE(field(Field::Text1)->text(), QStringLiteral("1e-300"));
    QCOMPARE(field(Field::Text2)->text(), QStringLiteral("1e300"));
    QCOMPARE(field(Field::Text3)->text(), QStringLiteral("0"));
    QVERIFY(button(Button::Command6)->isEnabled());
    QVERIFY(window_->isVisible());
    QVERIFY(platform_->requests.isEmpty());

    field(Field::Text1)->setText(QStringLiteral("2"));
    field(Field::Text2)->setText(QStringLiteral("-4"));
    click(Button::Command1);
    QCOMPARE(field(Field::Text3)->text(), QStringLiteral("2."));
}

// Text that the keyboard cannot type still arrives by pasting: a million
// characters, control characters, marks, full-width digits. The press ends in
// the box of what was read, and the field keeps every character pasted.
void MainWindowTest::pastedCoefficientIsReadAndKept_data()
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

void MainWindowTest::pastedCoefficientIsReadAndKept()
{
    QFETCH(QString, pasted);
    QFETCH(QStringList, boxes);
    QFETCH(QString, root);
    QApplication::clipboard()->setText(pasted);
    QTest::keyClick(field(Field::Text1), Qt::Key_V, Qt::ControlModifier);
    QTest::keyClicks(field(Field::Text2), QStringLiteral("-4"));
    {
        BoxCloser closer;
        click(Button::Command1);
        QCOMPARE(describe(closer.seen()), boxes);
    }
    QCOMPARE(field(Field::Text3)->text(), root);
    // Compared whole, but not printed whole when they differ.
    QCOMPARE(field(Field::Text1)->text().size(), pasted.size());
    QVERIFY(field(Field::Text1)->text() == pasted);
}

// --- Printing --------------------------------------------------------------

void MainWindowTest::printedTextShowsBeneathControls()
{
    const QImage before = grabSurface();
    print("No Root!");
    const QImage after = grabSurface();

    const QRect changed = differingPixels(before, after);
    QVERIFY(!changed.isEmpty());
    const int lineHeight = QFontMetrics(window_->font()).height();
    QVERIFY2(QRect(0, 0, 404, lineHeight).contains(changed), qPrintable(QStringLiteral("changed %1,%2 %3x%4")
                                                                            .arg(changed.x())
                                                                            .arg(changed.y())
                                                                            .arg(changed.width())
                                                                            .arg(changed.height())));
    QVERIFY(changed.left() < 4); // at the left edge of the client area
}

void MainWindowTest::printedTextSurvivesRepaint()
{
    print("No Root!");
    const QImage printed = grabSurface();
    window_->surface()->repaint();
    window_->hide();
    window_->show();
    QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
    QCOMPARE(grabSurface(), printed);
    QCOMPARE(window_->surface()->printed(), QStringList{QStringLiteral("No Root!")});
}

void MainWindowTest::printMovesDownOneLine()
{
    print("No Root!");
    const QImage one = grabSurface();
    print("No Root!");
    const QImage two = grabSurface();

    const int lineHeight = QFontMetrics(window_->font()).height();
    const QRect changed = differingPixels(one, two);
    QVERIFY(!changed.isEmpty());
    QVERIFY(changed.top() >= lineHeight);
    QVERIFY(changed.bottom() < 2 * lineHeight);
}

// --- Status bar ------------------------------------------------------------

void MainWindowTest::statusBarShowsStatusDateAndTime()
{
    StatusBar* bar = window_->statusPanels();
    QCOMPARE(bar->objectName(), QStringLiteral("sbStatusBar"));
    bar->setClock([] { return QDateTime(QDate(2007, 8, 20), QTime(18, 46, 30)); });
    QCOMPARE(bar->panelText(1), QStringLiteral("状态"));
    QCOMPARE(bar->panelText(2), QLocale::system().toString(QDate(2007, 8, 20), QLocale::ShortFormat));
    QCOMPARE(bar->panelText(3), QStringLiteral("18:46"));

    // Left to right; the clock panels at least 96 pixels wide, the status panel taking the rest.
    QVERIFY(bar->panel(1)->geometry().right() < bar->panel(2)->x());
    QVERIFY(bar->panel(2)->geometry().right() < bar->panel(3)->x());
    QVERIFY(bar->panel(2)->width() >= 96);
    QVERIFY(bar->panel(3)->width() >= 96);
    QVERIFY(bar->panel(1)->width() >= 96);
    QCOMPARE(bar->panel(1)->x(), 0);
    QVERIFY(bar->panel(3)->geometry().right() >= bar->width() - 2);
}

void MainWindowTest::statusBarFollowsTheClock()
{
    StatusBar* bar = window_->statusPanels();
    QDateTime now(QDate(2007, 8, 20), QTime(23, 59, 59, 900));
    bar->setClock([&now] { return now; });
    QCOMPARE(bar->panelText(3), QStringLiteral("23:59"));

    // The next wake-up reads the clock again: a new day and a new minute.
    now = QDateTime(QDate(2007, 8, 21), QTime(0, 0));
    auto* timer = bar->findChild<QTimer*>(QStringLiteral("minuteTimer"));
    QVERIFY(timer != nullptr);
    QVERIFY(timer->isActive());
    QVERIFY(timer->isSingleShot());
    QCOMPARE(timer->interval(), 100);
    QMetaObject::invokeMethod(timer, "timeout", Qt::DirectConnection);
    QCOMPARE(bar->panelText(2), QLocale::system().toString(QDate(2007, 8, 21), QLocale::ShortFormat));
    QCOMPARE(bar->panelText(3), QStringLiteral("00:00"));
    QCOMPARE(timer->interval(), 60000);
}

void MainWindowTest::clockWakesAtNextMinute_data()
{
    QTest::addColumn<QTime>("now");
    QTest::addColumn<int>("msecs");
    QTest::newRow("on the minute") << QTime(18, 46) << 60000;
    QTest::newRow("half way") << QTime(18, 46, 30, 500) << 29500;
    QTest::newRow("last millisecond") << QTime(18, 46, 59, 999) << 1;
    QTest::newRow("before midnight") << QTime(23, 59, 59) << 1000;
}

void MainWindowTest::clockWakesAtNextMinute()
{
    QFETCH(QTime, now);
    QFETCH(int, msecs);
    QCOMPARE(StatusBar::msecsToNextMinute(now), msecs);
}

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
