#include "menu_commands.h"
#include "session.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>

namespace zembrel {
namespace {

using Lines = std::vector<std::string>;

// All of the window a user can see.
struct WindowState {
    std::vector<std::string> texts;
    std::vector<bool> enabled;
    std::vector<std::string> printed;
    bool operator==(const WindowState&) const = default;
};

WindowState stateOf(const RecordingWindow& window)
{
    WindowState state;
    for (int i = 1; i <= kFieldCount; ++i)
        state.texts.push_back(window.text(static_cast<Field>(i)));
    for (int i = 1; i <= kButtonCount; ++i)
        state.enabled.push_back(window.isEnabled(static_cast<Button>(i)));
    state.printed = window.printed();
    return state;
}

const Lines kResetEvents{
    R"(["text", "Text9", ""])",   R"(["text", "Text25", ""])",  R"(["text", "Text26", ""])",
    R"(["text", "Text1", ""])",   R"(["text", "Text2", ""])",   R"(["text", "Text4", ""])",
    R"(["text", "Text5", ""])",   R"(["text", "Text6", ""])",   R"(["text", "Text10", ""])",
    R"(["text", "Text11", ""])",  R"(["text", "Text13", ""])",  R"(["text", "Text14", ""])",
    R"(["text", "Text15", ""])",  R"(["text", "Text16", ""])",  R"(["text", "Text17", ""])",
    R"(["text", "Text18", ""])",  R"(["text", "Text19", ""])",  R"(["text", "Text20", ""])",
    R"(["text", "Text21", ""])",  R"(["text", "Text3", "0"])",  R"(["text", "Text7", "0"])",
    R"(["text", "Text8", "0"])",  R"(["text", "Text12", "0"])", R"(["text", "Text23", "0"])",
    R"(["text", "Text22", "0"])", R"(["text", "Text24", "0"])",
};

void typeIntoEveryField(testing::Session& session, const std::string& text)
{
    for (int i = 1; i <= kFieldCount; ++i)
        session.type(static_cast<Field>(i), text);
}

TEST(Reset, RestoresEveryFieldAndKeepsButtonsAndPrintedLines)
{
    struct Case {
        const char* name;
        std::function<void(testing::Session&)> before;
    };
    const Case cases[] = {
        {"fresh window", [](testing::Session&) {}},
        {"text in every field", [](testing::Session& s) { typeIntoEveryField(s, " -1.5e2x"); }},
        {"linear solve left Command6 enabled and a root in Text3",
         [](testing::Session& s) {
             s.type(Field::Text1, "2");
             s.type(Field::Text2, "-4");
             s.click(Button::Command1);
         }},
        {"linear check disabled Command6 again",
         [](testing::Session& s) {
             s.type(Field::Text1, "2");
             s.click(Button::Command1);
             s.click(Button::Command6);
         }},
        {"No Root! printed on the window", [](testing::Session& s) { s.window().Print("No Root!"); }},
        {"? marking Text13", [](testing::Session& s) { s.type(Field::Text13, "?"); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        testing::Session session;
        c.before(session);
        WindowState expected = stateOf(session.window());
        for (int i = 1; i <= kFieldCount; ++i)
            expected.texts[static_cast<std::size_t>(i - 1)] = initialText(static_cast<Field>(i));
        session.take();

        session.choose(MenuItem::mnuFileNew);
        EXPECT_EQ(session.take(), kResetEvents);
        EXPECT_EQ(stateOf(session.window()), expected);
    }
}

TEST(Reset, CheckAfterResetJudgesTheEmptyFieldsAsZero)
{
    testing::Session session;
    session.type(Field::Text1, "2");
    session.type(Field::Text2, "-4");
    session.click(Button::Command1);
    session.choose(MenuItem::mnuFileNew);
    session.take();
    session.click(Button::Command6);
    EXPECT_EQ(session.take(), (Lines{R"(["enabled", "Command6", false])", R"(["msgbox", 0, "一次项系数不能为0！"])"}));
}

TEST(Reset, TwiceGivesTheSameAsOnce)
{
    testing::Session session;
    typeIntoEveryField(session, "3");
    session.click(Button::Command1);
    session.window().Print("No Root!");
    session.take();
    session.choose(MenuItem::mnuFileNew);
    const WindowState once = stateOf(session.window());
    const Lines firstEvents = session.take();
    session.choose(MenuItem::mnuFileNew);
    EXPECT_EQ(stateOf(session.window()), once);
    EXPECT_EQ(session.take(), firstEvents);
}

TEST(About, ShowsNameAndVersionInAnInformationBox)
{
    testing::Session session;
    const WindowState before = stateOf(session.window());
    session.choose(MenuItem::mnuAssAbout);
    const Lines events = session.take();
    ASSERT_EQ(events.size(), 1U);
    EXPECT_EQ(events[0].rfind(R"(["msgbox", 64, "Zembrel )" ZEMBREL_VERSION " ", 0), 0U) << events[0];
    EXPECT_EQ(events[0].find("\\n"), std::string::npos) << "one line";
    EXPECT_EQ(stateOf(session.window()), before);
}

// A desktop with some calculators installed, some of which refuse to start.
class FakeDesktop final : public Platform {
public:
    FakeDesktop(std::set<std::string, std::less<>> installed, std::set<std::string, std::less<>> broken)
        : installed_(std::move(installed)), broken_(std::move(broken))
    {
    }

    bool isInstalled(std::string_view program) const override { return installed_.contains(program); }
    bool startDetached(std::string_view program, const std::vector<std::string>& arguments) override
    {
        std::string line(program);
        for (const auto& argument : arguments)
            line += " " + argument;
        attempts.push_back(line);
        return installed_.contains(program) && !broken_.contains(program);
    }
    void openUrl(std::string_view) override {}
    void exitProgram() override {}

    Lines attempts;

private:
    std::set<std::string, std::less<>> installed_;
    std::set<std::string, std::less<>> broken_;
};

TEST(Calculator, StartsTheFirstInstalledThatStarts)
{
    const Lines notFound{R"(["error", 53, "文件未找到"])"};
    struct Case {
        const char* name;
        std::set<std::string, std::less<>> installed;
        std::set<std::string, std::less<>> broken;
        Lines attempts;
        Lines events;
    };
    const Case cases[] = {
        {"every calculator installed: GNOME's",
         {"gnome-calculator", "kcalc", "mate-calc", "qalculate-qt", "qalculate-gtk", "galculator", "xcalc"}, {},
         {"gnome-calculator"}, {}},
        {"KDE's before the X calculator", {"xcalc", "kcalc"}, {}, {"kcalc"}, {}},
        {"MATE's before Qalculate!", {"qalculate-qt", "mate-calc"}, {}, {"mate-calc"}, {}},
        {"Qalculate! Qt before GTK", {"qalculate-gtk", "qalculate-qt"}, {}, {"qalculate-qt"}, {}},
        {"Qalculate! GTK before galculator", {"galculator", "qalculate-gtk"}, {}, {"qalculate-gtk"}, {}},
        {"galculator before the X calculator", {"xcalc", "galculator"}, {}, {"galculator"}, {}},
        {"the X calculator alone, asked to open minimised", {"xcalc"}, {}, {"xcalc -iconic"}, {}},
        {"an installed one that fails gives way to the next", {"gnome-calculator", "xcalc"}, {"gnome-calculator"},
         {"gnome-calculator", "xcalc -iconic"}, {}},
        {"programs that are not calculators are not tried", {"calc.exe", "bc", "qalc"}, {}, {}, notFound},
        {"none installed", {}, {}, {}, notFound},
        {"every installed one fails", {"kcalc", "xcalc"}, {"kcalc", "xcalc"}, {"kcalc", "xcalc -iconic"}, notFound},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Lines events;
        RecordingWindow window([&](const Recorded& event) { events.push_back(toJsonLine(event)); });
        FakeDesktop desktop(c.installed, c.broken);
        raise(Event::mnuAssCalc_Click, {window, desktop, window});
        EXPECT_EQ(desktop.attempts, c.attempts);
        EXPECT_EQ(events, c.events);
    }
}

TEST(Calculator, MissingCalculatorIsARuntimeErrorAndTheProgramGoesOn)
{
    testing::Session session(/*calculatorMissing=*/true);
    session.type(Field::Text1, "2");
    session.type(Field::Text2, "-4");
    session.choose(MenuItem::mnuAssCalc);
    EXPECT_EQ(session.take(), (Lines{R"(["error", 53, "文件未找到"])"}));
    EXPECT_FALSE(session.platform().exited());
    EXPECT_EQ(session.window().text(Field::Text1), "2");
    session.click(Button::Command1);
    EXPECT_EQ(session.take(), (Lines{R"(["enabled", "Command6", true])", R"(["text", "Text3", "2."])"}));
}

TEST(Calculator, IsRecordedWithTheChosenProgram)
{
    testing::Session session;
    session.choose(MenuItem::mnuAssCalc);
    session.choose(MenuItem::mnuAssCalc);
    EXPECT_EQ(session.take(),
              (Lines{R"(["calculator", "gnome-calculator"])", R"(["calculator", "gnome-calculator"])"}));
}

TEST(ErrorReport, HandsTheAddressToTheBrowserAndShowsNothing)
{
    testing::Session session;
    const WindowState before = stateOf(session.window());
    session.choose(MenuItem::mnuAssRep);
    EXPECT_EQ(session.take(), (Lines{R"(["browse", "http://www.example.org/zembrel/report"])"}));
    EXPECT_EQ(stateOf(session.window()), before);
}

TEST(Exit, EndsAtOnceWithoutAskingOrTouchingTheWindow)
{
    testing::Session session;
    session.type(Field::Text1, "2");
    const WindowState before = stateOf(session.window());
    session.choose(MenuItem::mnuFileExit);
    EXPECT_EQ(session.take(), (Lines{R"(["exit"])"}));
    EXPECT_TRUE(session.platform().exited());
    EXPECT_EQ(stateOf(session.window()), before);
}

} // namespace
} // namespace zembrel
