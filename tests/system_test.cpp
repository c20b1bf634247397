// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "session.h"
#include "system.h"

#include <gtest/gtest.h>

#include <array>

namespace zembrel {
namespace {

using Lines = std::vector<std::string>;

// Equation k as typed: a, b, c, d.
using Equation = std::array<const char*, 4>;
// clang-format off
constexpr std::array<std::array<Field, 4>, 3> kGrid{{
    {system::a1, system::b1, system::c1, system::d1},
    {system::a2, system::b2, system::c2, system::d2},
    {system::a3, system::b3, system::c3, system::d3},
}};
// clang-format on

void typeSystem(testing::Session& session, const std::array<Equation, 3>& equations)
{
    for (std::size_t row = 0; row < 3; ++row) {
        for (std::size_t column = 0; column < 4; ++column)
            session.type(kGrid[row][column], equations[row][column]);
    }
}

const std::string kEnabled = R"(["enabled", "Command5", true])";
const std::string kDisabled = R"(["enabled", "Command5", false])";
const std::string kPassed = R"(["msgbox", 0, "方程组解正确！"])";
const std::string kFailed = R"(["msgbox", 0, "方程组解可能有误，请重新调整顺序后再试！"])";
const std::string kOverflow = R"(["error", 6, "溢出"])";

// The events of a solve that writes its results; an empty Z is two-variable mode.
Lines solved(const std::string& X, const std::string& Y, const std::string& Z)
{
    // clang-format off
    return {kEnabled, R"(["text", "Text22", ")" + X + R"("])", R"(["text", "Text23", ")" + Y + R"("])",
            R"(["text", "Text24", ")" + Z + R"("])"};
    // clang-format on
}

struct PanelCase {
    const char* name;
    std::array<Equation, 3> equations;
    Lines solve;
    Lines check;
};

TEST(System, SolvesAndChecks)
{
    // clang-format off
    const PanelCase cases[] = {
        {"three variables, exact",
         {{{"1", "1", "1", "-6"}, {"2", "-1", "1", "-3"}, {"1", "2", "-1", "-2"}}},
         solved("1.", "2.", "3."),
         {kDisabled, kPassed}},
        {"three variables, negative Z",
         {{{"2", "1", "-1", "-8"}, {"-3", "-1", "2", "11"}, {"-2", "1", "2", "3"}}},
         solved("2.", "3.", "-1."),
         {kDisabled, kPassed}},
        {"scaled by 1e7: a few units off, shown as -4, 3 and 9, and holding",
         {{{"10000000", "-50000000", "30000000", "-80000000"},
           {"-70000000", "80000000", "-60000000", "20000000"},
           {"90000000", "-80000000", "70000000", "-30000000"}}},
         solved("-4.", "3.", "9."),
         {kDisabled, kPassed}},
        {"two variables: twelve decimals, Z emptied",
         {{{"1", "1", "", "-1"}, {"2", "-1", "", ""}, {"", "", "", ""}}},
         solved("0.333333333333", "0.666666666667", ""),
         {kDisabled, kPassed}},
        {"two variables: a contradicting third row is solved past but fails the check",
         {{{"1", "1", "", "-1"}, {"2", "-1", "", ""}, {"1", "1", "", "5"}}},
         solved("0.333333333333", "0.666666666667", ""),
         {kDisabled, kFailed}},
        {"two variables: a third row that agrees passes",
         {{{"1", "1", "", "-1"}, {"2", "-1", "", ""}, {"3", "", "", "-1"}}},
         solved("0.333333333333", "0.666666666667", ""),
         {kDisabled, kPassed}},
        {"two variables with a1 = 0",
         {{{"", "1", "", "-2"}, {"1", "1", "", "-3"}, {"", "", "", ""}}},
         solved("1.", "2.", ""),
         {kDisabled, kPassed}},
        {"negative zero shown without a sign",
         {{{"1", "1", "", ""}, {"1", "-1", "", ""}, {"", "", "", ""}}},
         solved("0.", "0.", ""),
         {kDisabled, kPassed}},
        {"b2·d1 would underflow in doubles: X = -1e-7",
         {{{"1", "", "", "1e-7"}, {"", "1e-320", "", ""}, {"", "", "", ""}}},
         solved("-0.0000001", "0.", ""),
         {kDisabled, kPassed}},
        {"row 3 within 1e-9 of row 1 + row 2: solved exactly",
         {{{"1", "1", "1", "-3"}, {"1", "2", "3", "-6"}, {"2", "3", "4.000000001", "-9.000000001"}}},
         solved("1.", "1.", "1."),
         {kDisabled, kPassed}},
        {"lines 1e-14 apart in slope are two lines",
         {{{"1", "1", "", "-2"}, {"1", "1.00000000000001", "", "-2"}, {"", "", "", ""}}},
         solved("2.", "0.", ""),
         {kDisabled, kPassed}},
        {"parallel lines",
         {{{"1", "1", "", "-1"}, {"2", "2", "", "-5"}, {"", "", "", ""}}},
         {kEnabled, R"(["msgbox", 16, "两直线平行，方程组无解！"])"},
         {kDisabled, R"(["msgbox", 0, "两直线平行，方程组无解！"])"}},
        {"parallel lines in decimals: D is exactly 0",
         {{{"0.2", "0.1", "", "1"}, {"0.6", "0.3", "", "2"}, {"", "", "", ""}}},
         {kEnabled, R"(["msgbox", 16, "两直线平行，方程组无解！"])"},
         {kDisabled, R"(["msgbox", 0, "两直线平行，方程组无解！"])"}},
        {"the same line twice",
         {{{"1", "1", "", "-1"}, {"2", "2", "", "-2"}, {"", "", "", ""}}},
         {kEnabled, R"(["msgbox", 48, "两直线重合，方程组有无数组解！"])"},
         {kDisabled, R"(["msgbox", 0, "两直线重合，方程组有无数组解！"])"}},
        {"the same line twice, in decimals",
         {{{"0.1", "0.2", "", "-0.3"}, {"0.3", "0.6", "", "-0.9"}, {"", "", "", ""}}},
         {kEnabled, R"(["msgbox", 48, "两直线重合，方程组有无数组解！"])"},
         {kDisabled, R"(["msgbox", 0, "两直线重合，方程组有无数组解！"])"}},
        {"dependent rows in decimals are singular",
         {{{"0.1", "0.2", "0.3", "-1"}, {"0.4", "0.5", "0.6", "-1"}, {"0.7", "0.8", "0.9", "-1"}}},
         {kEnabled, R"(["msgbox", 48, "方程组可能无解或不定方程有无数解，请重新调整顺序，或将数据输入完整后再试！"])"},
         {kDisabled, R"(["msgbox", 0, "方程组可能无解，或重新调整顺序后再试！"])"}},
        {"a1 = 0: another equation pivots",
         {{{"", "1", "1", "-2"}, {"1", "", "1", "-2"}, {"1", "1", "", "-2"}}},
         solved("1.", "1.", "1."),
         {kDisabled, kPassed}},
        {"large constants: a residual of 2.4e-7 within the size of the terms",
         {{{"0.3", "0.7", "", "-1e9"}, {"1.1", "-1.3", "", "4e8"}, {"", "", "", ""}}},
         solved("879310344.827586", "1051724137.93103", ""),
         {kDisabled, kPassed}},
        {"singular",
         {{{"1", "1", "1", "-1"}, {"2", "2", "2", "-2"}, {"1", "-1", "1", ""}}},
         {kEnabled, R"(["msgbox", 48, "方程组可能无解或不定方程有无数解，请重新调整顺序，或将数据输入完整后再试！"])"},
         {kDisabled, R"(["msgbox", 0, "方程组可能无解，或重新调整顺序后再试！"])"}},
        {"no Y anywhere",
         {{{"1", "", "1", "-2"}, {"2", "", "1", "-3"}, {"1", "", "", "-1"}}},
         {kEnabled, R"(["msgbox", 0, "请保证X、Y为有效元，其系数三个方程不能同时为零"])"},
         {kDisabled, R"(["msgbox", 0, "请保证X、Y为有效元，其系数三个方程不能同时为零"])"}},
        {"empty panel",
         {{{"", "", "", ""}, {"", "", "", ""}, {"", "", "", ""}}},
         {kEnabled, R"(["msgbox", 0, "请保证X、Y为有效元，其系数三个方程不能同时为零"])"},
         {kDisabled, R"(["msgbox", 0, "请保证X、Y为有效元，其系数三个方程不能同时为零"])"}},
        {"products beyond the doubles, two variables",
         {{{"1e200", "1", "", ""}, {"1", "1e200", "", ""}, {"", "", "", ""}}},
         solved("0.", "0.", ""),
         {kDisabled, kPassed}},
        {"a solution beyond the doubles",
         {{{"1e-300", "", "", "-1e300"}, {"", "1", "", ""}, {"", "", "", ""}}},
         {kEnabled, kOverflow},
         {kDisabled, kOverflow}},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        testing::Session session;
        typeSystem(session, c.equations);
        session.click(system::solve);
        EXPECT_EQ(session.take(), c.solve);
        // Every field write is an event: the check's lines show it leaves the results alone.
        session.click(system::check);
        EXPECT_EQ(session.take(), c.check);
    }
}

TEST(System, CheckIsPossibleOncePerSolve)
{
    testing::Session session;
    session.click(system::check);
    EXPECT_TRUE(session.take().empty()) << "disabled at start";
    session.click(system::solve);
    EXPECT_TRUE(session.window().isEnabled(system::check)) << "a refused solve enables it too";
    session.click(system::check);
    session.take();
    session.click(system::check);
    EXPECT_TRUE(session.take().empty()) << "a second check needs a new solve";
}

TEST(System, RefusedSolveKeepsEarlierResults)
{
    testing::Session session;
    typeSystem(session, {{{"1", "1", "1", "-6"}, {"2", "-1", "1", "-3"}, {"1", "2", "-1", "-2"}}});
    session.click(system::solve);
    typeSystem(session, {{{"1", "1", "1", "-1"}, {"2", "2", "2", "-2"}, {"1", "-1", "1", ""}}});
    session.take();
    session.click(system::solve);
    EXPECT_EQ(
        session.take(),
        (Lines{kEnabled,
               R"(["msgbox", 48, "方程组可能无解或不定方程有无数解，请重新调整顺序，或将数据输入完整后再试！"])"}));
    EXPECT_EQ(session.window().text(system::X), "1.");
    EXPECT_EQ(session.window().text(system::Y), "2.");
    EXPECT_EQ(session.window().text(system::Z), "3.");
}

TEST(System, TwoVariableSolveEmptiesAnEarlierZ)
{
    testing::Session session;
    typeSystem(session, {{{"1", "1", "1", "-6"}, {"2", "-1", "1", "-3"}, {"1", "2", "-1", "-2"}}});
    session.click(system::solve);
    EXPECT_EQ(session.window().text(system::Z), "3.");
    typeSystem(session, {{{"1", "1", "", "-1"}, {"2", "-1", "", ""}, {"", "", "", ""}}});
    session.click(system::solve);
    EXPECT_EQ(session.window().text(system::Z), "");
}

TEST(System, CheckJudgesTheEditedCoefficientsNotTheResultFields)
{
    testing::Session session;
    typeSystem(session, {{{"1", "1", "", "-1"}, {"2", "-1", "", ""}, {"", "", "", ""}}});
    session.click(system::solve);
    session.type(system::b2, "2");
    session.take();
    session.click(system::check);
    EXPECT_EQ(session.take(), (Lines{kDisabled, R"(["msgbox", 0, "两直线平行，方程组无解！"])"}));
    EXPECT_EQ(session.window().text(system::X), "0.333333333333");
}

TEST(System, OverflowWritesNoResultField)
{
    testing::Session session;
    typeSystem(session, {{{"1", "1", "1", "-6"}, {"2", "-1", "1", "-3"}, {"1", "2", "-1", "-2"}}});
    session.click(system::solve);
    // X = 1e600, beyond the doubles.
    typeSystem(session, {{{"1e-300", "", "", "-1e300"}, {"", "1", "", ""}, {"", "", "", ""}}});
    session.take();
    session.click(system::solve);
    EXPECT_EQ(session.take(), (Lines{kEnabled, kOverflow}));
    EXPECT_EQ(session.window().text(system::X), "1.");
    EXPECT_EQ(session.window().text(system::Y), "2.");
    EXPECT_EQ(session.window().text(system::Z), "3.");
    EXPECT_EQ(session.window().text(system::a1), "1e-300");
}

TEST(System, SolutionNearTheLargestDoubleIsChecked)
{
    // X = 1e308 and Y = -2e298 are finite, though 2·X in equation 2 is not.
    testing::Session session;
    typeSystem(session, {{{"1e-10", "", "", "-1e298"}, {"2", "1e10", "", ""}, {"", "", "", ""}}});
    session.click(system::solve);
    EXPECT_EQ(session.window().text(system::X), "1" + std::string(308, '0') + ".");
    EXPECT_EQ(session.window().text(system::Y), "-2" + std::string(298, '0') + ".");
    session.take();
    session.click(system::check);
    EXPECT_EQ(session.take(), (Lines{kDisabled, kPassed}));
}

} // namespace
} // namespace zembrel
