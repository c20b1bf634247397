// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "session.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>

namespace zembrel {
namespace {

using Lines = std::vector<std::string>;
using Programs = std::set<std::string, std::less<>>;

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
    for (const Field field : kFields)
        state.texts.push_back(window.text(field));
    for (const Button button : kButtons)
        state.enabled.push_back(window.isEnabled(button));
    state.printed = window.printed();
    return state;
}

void typeIntoEveryField(testing::Session& session, const std::string& text)
{
    for (const Field field : kFields)
        session.type(field, text);
}

TEST(Reset, RestoresEveryFieldAndKeepsButtonsAndPrintedLines)
{
    struct Case {
        const char* name;
        std::function<void(testing::Session&)> before;
    };
    // clang-format off
    const Case cases[] = {
        {"fresh window", [](testing::Session&) {}},
        {"text in every field", [](testing::Session& s) { typeIntoEveryField(s, " -1.5e2x"); }},
        {"linear solve left Command6 enabled and a root in Text3",
         [](testing::Session& s) {
             s.type(linear::a, "2");
             s.type(linear::b, "-4");
             s.click(linear::solve);
         }},
        {"linear check disabled Command6 again",
         [](testing::Session& s) {
             s.type(linear::a, "2");
             s.click(linear::solve);
             s.click(linear::check);
         }},
        {"No Root! printed on the window", [](testing::Session& s) { s.window().Print("No Root!"); }},
        {"? typed into Text13", [](testing::Session& s) { s.type(system::a1, "?"); }},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        testing::Session session;
        c.before(session);
        WindowState expected = stateOf(session.window());
        // Every field as the window opens: the result fields show "0".
        expected.texts = stateOf(testing::Session().window()).texts;

        session.choose(MenuItem::mnuFileNew);
        EXPECT_EQ(stateOf(session.window()), expected);
    }
}

TEST(Reset, CheckAfterResetJudgesTheEmptyFieldsAsZero)
{
    testing::Session session;
    session.type(linear::a, "2");
    session.type(linear::b, "-4");
    session.click(linear::solve);
    session.choose(MenuItem::mnuFileNew);
    session.take();
    session.click(linear::check);
    EXPECT_EQ(session.take(), (Lines{R"(["enabled", "Command6", false])", R"(["msgbox", 0, "一次项系数不能为0！"])"}));
}

TEST(Reset, TwiceGivesTheSameAsOnce)
{
    testing::Session session;
    typeIntoEveryField(session, "3");
    session.click(linear::solve);
    session.window().Print("No Root!");
    session.take();
    session.choose(MenuItem::mnuFileNew);
    const WindowState once = stateOf(session.window());
    const Lines firstEvents = session.take();
    session.choose(MenuItem::mnuFileNew);
    EXPECT_EQ(stateOf(session.window()), once);
    EXPECT_EQ(session.take(), firstEvents);
}

TEST(Menu, CommandsThatLeaveTheWindowAlone)
{
    struct Case {
        MenuItem item;
        Lines events;
        bool exits;
    };
    // clang-format off
    const Case cases[] = {
        {MenuItem::mnuAssAbout,
         {R"(["msgbox", 64, "Zembrel )" ZEMBREL_VERSION R"( —— 解方程的小工具，由 Zembrel 开发组编写。"])"}, false},
        {MenuItem::mnuAssRep, {R"(["browse", "http://www.example.org/zembrel/report"])"}, false},
        {MenuItem::mnuAssCalc, {R"(["calculator", "gnome-calculator"])"}, false},
        {MenuItem::mnuFileExit, {R"(["exit"])"}, true},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(nameOf(c.item));
        testing::Session session;
        session.type(linear::a, "2");
        session.click(linear::solve);
        session.window().Print("No Root!");
        const WindowState before = stateOf(session.window());
        session.take();
        session.choose(c.item);
        EXPECT_EQ(session.take(), c.events);
        EXPECT_EQ(stateOf(session.window()), before);
        EXPECT_EQ(session.exited(), c.exits);
    }
}

// A desktop with some calculators installed, some of which refuse to start.
class FakeDesktop final : public Platform {
public:
    FakeDesktop(Programs installed, Programs broken) : installed_(std::move(installed)), broken_(std::move(broken)) {}

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
    Programs installed_;
    Programs broken_;
};

TEST(Calculator, StartsTheFirstInstalledThatStarts)
{
    const Lines notFound{R"(["error", 53, "文件未找到"])"};
    // clang-format off
    const Programs everyCalculator{
        "gnome-calculator", "kcalc", "mate-calc", "qalculate-qt", "qalculate-gtk", "galculator", "xcalc"};
    struct Case {
        const char* name;
        Programs installed;
        Programs broken;
        Lines attempts;
        Lines events;
    };
    // clang-format on
    const Case cases[] = {
        {"every calculator installed: GNOME's", everyCalculator, {}, {"gnome-calculator"}, {}},
        {"every one installed and failing: all tried in order, then the error",
         everyCalculator,
         everyCalculator,
         {"gnome-calculator", "kcalc", "mate-calc", "qalculate-qt", "qalculate-gtk", "galculator", "xcalc -iconic"},
         notFound},
        {"the X calculator alone, asked to open minimised", {"xcalc"}, {}, {"xcalc -iconic"}, {}},
        {"an installed one that fails gives way to the next",
         {"kcalc", "galculator"},
         {"kcalc"},
         {"kcalc", "galculator"},
         {}},
        {"none installed", {}, {}, {}, notFound},
        {"command-line calculators and calc.exe are not tried", {"calc.exe", "bc", "qalc"}, {}, {}, notFound},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Lines events;
        RecordingWindow window([&](const Recorded& event) { events.push_back(toJsonLine(event)); });
        FakeDesktop desktop(c.installed, c.broken);
        raiseClick(MenuItem::mnuAssCalc, {window, desktop, window});
        EXPECT_EQ(desktop.attempts, c.attempts);
        EXPECT_EQ(events, c.events);
    }
}

} // namespace
} // namespace zembrel
