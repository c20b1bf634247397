// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "session.h"
#include "system.h"

#include <gtest/gtest.h>

#include <array>
#include <bit>
#include <cstdint>

namespace zembrel {
namespace {

using Lines = std::vector<std::string>;

// Bit patterns, so that -0 and 0 differ and a last-place change shows.
std::uint64_t bits(double value) { return std::bit_cast<std::uint64_t>(value); }

void expectSameDoubles(const std::vector<double>& actual, const std::vector<double>& expected)
{
    ASSERT_EQ(actual.size(), expected.size());
    for (std::size_t i = 0; i < actual.size(); ++i)
        EXPECT_EQ(bits(actual[i]), bits(expected[i])) << "#" << i << ": " << actual[i];
}

// The system with the exact solution -4, 3, 9, scaled by 10 000 000.
constexpr double kScale = 10000000;
constexpr SystemCoefficients kScaled{1 * kScale,  -5 * kScale, 3 * kScale, -8 * kScale, -7 * kScale, 8 * kScale,
                                     -6 * kScale, 2 * kScale,  9 * kScale, -8 * kScale, 7 * kScale,  -3 * kScale};

struct ComputeCase {
    const char* name;
    SystemCoefficients k; // a1, b1, c1, d1, then equations 2 and 3
    SystemOutcome outcome;
    std::vector<double> XYZ; // X, Y and, when solved in three variables, Z
    std::vector<double> residuals;
};

TEST(System, ComputesEachOutcome)
{
    using enum SystemOutcome;
    // clang-format off
    const ComputeCase cases[] = {
        {"three variables, 1 2 3",
         {1, 1, 1, -6, 2, -1, 1, -3, 1, 2, -1, -2}, SolvedThree, {1, 2, 3}, {0, 0, 0}},
        {"three variables, 2 3 -1",
         {2, 1, -1, -8, -3, -1, 2, 11, -2, 1, 2, 3}, SolvedThree, {2, 3, -1}, {0, 0, 0}},
        {"three variables, -4 3 9: equation 3 pivots, X one unit off",
         {1, -5, 3, -8, -7, 8, -6, 2, 9, -8, 7, -3}, SolvedThree, {-4.0000000000000009, 3, 9},
         {0, 7.1054273576010019e-15, -7.1054273576010019e-15}},
        {"scaled by 1e7: a few units off, residuals from terms near 1e9",
         kScaled, SolvedThree,
         {-4.0000000000000009, 3.0000000000000004, 9.0000000000000018},
         {2.9802322387695312e-08, 0, 0}},
        {"X as (t1 - t2) - t3, not t1 - (t2 + t3)",
         {8, -0.7, -8, -7, 5, -1, -1, -0.4, 0, -4, -1, -0.1}, SolvedThree,
         {-0.06950943396226417, 0.2158490566037736, -0.9633962264150944},
         {0, -1.1102230246251565e-16, -2.7755575615628914e-17}},
        {"t3 as d1 / a1, not d1 * (1 / a1)",
         {-9, 3, -9, 0.7, 5, 0.6, 7, 5, 4, -1, -8, -0.2}, SolvedThree,
         {-0.64298245614035077, -2.328548644338118, -0.055422647527910693},
         {-9.9920072216264089e-16, 0, 4.9960036108132044e-16}},
        {"residuals summed from the left",
         {8, 4, -4, 6, 0, 0.7, -4, 8, 0, -8, -1, 9}, SolvedThree,
         {-0.10321100917431192, 0.85626911314984699, 2.1498470948012232}, {0, 0, 0}},
        {"dependent rows in decimals: a reduced determinant of rounding noise is singular",
         {0.1, 0.2, 0.3, -1, 0.4, 0.5, 0.6, -1, 0.7, 0.8, 0.9, -1}, SingularSystem, {}, {}},
        {"the third row the sum of the others: noise from the products that cancel in γ3",
         {0.02, 0.339, 0.0353, -57, -75.8, 8.4, -195, 95, -75.78, 8.739, -194.9647, 38}, SingularSystem, {}, {}},
        {"two variables, thirds",
         {1, 1, 0, -1, 2, -1, 0, 0}, SolvedTwo, {1.0 / 3, 2.0 / 3}, {0, 0}},
        {"two variables, a typed third row judged but not solved",
         {1, 1, 0, -1, 2, -1, 0, 0, 1, 1, 0, 5}, SolvedTwo, {1.0 / 3, 2.0 / 3}, {0, 0, 6}},
        {"two variables, a third row of d3 alone judged", {1, 1, 0, -1, 2, -1, 0, 0, 0, 0, 0, 5}, SolvedTwo,
         {1.0 / 3, 2.0 / 3}, {0, 0, 5}},
        {"two variables allow a1 = 0",
         {0, 1, 0, -2, 1, 1, 0, -3}, SolvedTwo, {1, 2}, {0, 0}},
        {"two variables, zero over a negative D is -0",
         {1, 1, 0, 0, 1, -1, 0, 0}, SolvedTwo, {-0.0, -0.0}, {0, 0}},
        {"b2·d1 underflows: X = Y = 0 leave d1 as the residual",
         {1, 0, 0, 1e-07, 0, 1e-320, 0, 0}, SolvedTwo, {0, 0}, {1e-07, 0}},
        {"parallel lines", {1, 1, 0, -1, 2, 2, 0, -5}, ParallelLines, {}, {}},
        {"coincident lines", {1, 1, 0, -1, 2, 2, 0, -2}, ParallelLines, {}, {}},
        {"parallel lines in decimals: D of rounding noise", {0.2, 0.1, 0, 1, 0.6, 0.3, 0, 2}, ParallelLines, {}, {}},
        {"lines 1e-14 apart in slope count as parallel",
         {1, 1, 0, -2, 1, 1.00000000000001, 0, -2}, ParallelLines, {}, {}},
        {"lines 1e-12 apart in slope are solved",
         {1, 1, 0, -2, 1, 1.000000000001, 0, -2}, SolvedTwo, {2, 0}, {0, 0}},
        {"X only in equation 3 still counts", {0, 1, 0, -1, 0, 1, 0, -2, 1, 0, 0, 0}, ParallelLines, {}, {}},
        {"a1 = 0: equation 2, the first of the largest, pivots",
         {0, 1, 1, -2, 1, 0, 1, -2, 1, 1, 0, -2}, SolvedThree, {1, 1, 1}, {0, 0, 0}},
        {"a small a1: equation 3 pivots",
         {-0.004, 61100, 520000, 200000, 5080, 47000, -8.5, 0.443, 6800, 2000, -7.11, 993}, SolvedThree,
         {-0.15121738824349681, 0.016265018230018906, -0.38652652542062244},
         {2.9103830456733704e-11, 6.6557870326278135e-14, 1.1368683772161603e-13}},
        {"|a2| = |a1|: equation 1 stays the pivot",
         {7, 0.3, 6, -0.9, -7, 0.1, 9, 0, -0.1, 6, 0, -2}, SolvedThree,
         {0.070452706240776902, 0.33450754510401293, 0.051079798797226315},
         {0, -1.6653345369377348e-16, -2.2204460492503131e-16}},
        {"singular", {1, 1, 1, -1, 2, 2, 2, -2, 1, -1, 1, 0}, SingularSystem, {}, {}},
        {"no Y anywhere", {1, 0, 1, -2, 2, 0, 1, -3, 1, 0, 0, -1}, MissingVariable, {}, {}},
        {"no X anywhere", {0, 1, 1, 0, 0, 2, 1, 0, 0, 1, 0, 0}, MissingVariable, {}, {}},
        {"empty panel", {}, MissingVariable, {}, {}},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const SystemSolution s = ComputeSystem(c.k);
        EXPECT_EQ(s.outcome, c.outcome);
        std::vector<double> XYZ;
        if (s.outcome == SolvedTwo)
            XYZ = {s.X, s.Y};
        if (s.outcome == SolvedThree)
            XYZ = {s.X, s.Y, s.Z};
        expectSameDoubles(XYZ, c.XYZ);
        std::vector<double> residuals;
        for (const SystemResidual& e : SystemResiduals(c.k, s))
            residuals.push_back(e.r);
        expectSameDoubles(residuals, c.residuals);
    }
}

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
        {"b2·d1 underflows: X = 0 misses equation 1 by all of its size",
         {{{"1", "", "", "1e-7"}, {"", "1e-320", "", ""}, {"", "", "", ""}}},
         solved("0.", "0.", ""),
         {kDisabled, kFailed}},
        {"parallel lines",
         {{{"1", "1", "", "-1"}, {"2", "2", "", "-5"}, {"", "", "", ""}}},
         {kEnabled, R"(["msgbox", 16, "两直线平行，方程组无解！"])"},
         {kDisabled, R"(["msgbox", 0, "两直线平行，方程组无解！"])"}},
        {"coincident lines",
         {{{"1", "1", "", "-1"}, {"2", "2", "", "-2"}, {"", "", "", ""}}},
         {kEnabled, R"(["msgbox", 16, "两直线平行，方程组无解！"])"},
         {kDisabled, R"(["msgbox", 0, "两直线平行，方程组无解！"])"}},
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
        {"overflow in a product, two variables",
         {{{"1e200", "1", "", ""}, {"1", "1e200", "", ""}, {"", "", "", ""}}},
         {kEnabled, kOverflow},
         {kDisabled, kOverflow}},
        {"overflow in a product, three variables",
         {{{"1e200", "1", "1", ""}, {"1", "1e200", "1", ""}, {"1", "1", "", ""}}},
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
    session.type(system::a1, "1e200");
    session.type(system::b2, "1e200");
    session.take();
    session.click(system::solve);
    EXPECT_EQ(session.take(), (Lines{kEnabled, kOverflow}));
    EXPECT_EQ(session.window().text(system::X), "1.");
    EXPECT_EQ(session.window().text(system::Y), "2.");
    EXPECT_EQ(session.window().text(system::Z), "3.");
    EXPECT_EQ(session.window().text(system::a1), "1e200");
}

TEST(System, OverflowInAResidualOnlyStopsTheCheck)
{
    // X = 1e308 and Y = -2e298 are finite, but 2·X in equation 2 is not.
    testing::Session session;
    typeSystem(session, {{{"1e-10", "", "", "-1e298"}, {"2", "1e10", "", ""}, {"", "", "", ""}}});
    session.click(system::solve);
    EXPECT_EQ(session.window().text(system::X), "1" + std::string(308, '0') + ".");
    EXPECT_EQ(session.window().text(system::Y), "-2" + std::string(298, '0') + ".");
    session.take();
    session.click(system::check);
    EXPECT_EQ(session.take(), (Lines{kDisabled, kOverflow}));
}

} // namespace
} // namespace zembrel
