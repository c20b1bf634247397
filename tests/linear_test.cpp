// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "linear.h"
#include "session.h"

#include <gtest/gtest.h>

#include <string>

namespace zembrel {
namespace {

using Lines = std::vector<std::string>;

struct LinearCase {
    const char* name;
    const char* a;
    const char* b;
    Lines solve;
    Lines check;
};

TEST(Linear, SolvesAndChecks)
{
    // clang-format off
    const LinearCase cases[] = {
        {"exact root", "2", "-4",
         {R"(["enabled", "Command6", true])", R"(["text", "Text3", "2."])"},
         {R"(["enabled", "Command6", false])", R"(["msgbox", 0, "计算正确"])"}},
        {"a residual of one unit in the last place is within the tolerance", "49", "1",
         {R"(["enabled", "Command6", true])", R"(["text", "Text3", "-0.0204081632653061"])"},
         {R"(["enabled", "Command6", false])", R"(["msgbox", 0, "计算正确"])"}},
        // b = 2500003u in units u of the smallest subnormal: x = -833334.33u
        // rounds to -833334u, a third of u away, far more than 1e-07 of x.
        {"a subnormal root keeps too few digits to pass", "3", "1.2351656e-317",
         {R"(["enabled", "Command6", true])", R"(["text", "Text3", "-0."])"},
         {R"(["enabled", "Command6", false])", R"(["msgbox", 0, "计算可能有误，请刷新后再试。"])"}},
        {"a tenth is not a double, but x = 0.1 exactly rounds to the double shown", "10", "-1",
         {R"(["enabled", "Command6", true])", R"(["text", "Text3", "0.1"])"},
         {R"(["enabled", "Command6", false])", R"(["msgbox", 0, "计算正确"])"}},
        {"empty a", "", "5",
         {R"(["enabled", "Command6", true])", R"(["msgbox", 0, "一次项系数不能为0！"])"},
         {R"(["enabled", "Command6", false])", R"(["msgbox", 0, "一次项系数不能为0！"])"}},
        {"zero a", "0", "5",
         {R"(["enabled", "Command6", true])", R"(["msgbox", 0, "一次项系数不能为0！"])"},
         {R"(["enabled", "Command6", false])", R"(["msgbox", 0, "一次项系数不能为0！"])"}},
        {"letters in a", "abc", "5",
         {R"(["enabled", "Command6", true])", R"(["msgbox", 0, "一次项系数不能为0！"])"},
         {R"(["enabled", "Command6", false])", R"(["msgbox", 0, "一次项系数不能为0！"])"}},
        {"b zero gives negative zero, shown without sign", "3", "",
         {R"(["enabled", "Command6", true])", R"(["text", "Text3", "0."])"},
         {R"(["enabled", "Command6", false])", R"(["msgbox", 0, "计算正确"])"}},
        {"a third: 3 × 0.333… rounds back to 1", "3", "-1",
         {R"(["enabled", "Command6", true])", R"(["text", "Text3", "0.333333333333333"])"},
         {R"(["enabled", "Command6", false])", R"(["msgbox", 0, "计算正确"])"}},
        {"quotient overflows", "1e-300", "1e300",
         {R"(["enabled", "Command6", true])", R"(["error", 6, "溢出"])"},
         {R"(["enabled", "Command6", false])", R"(["error", 6, "溢出"])"}},
        {"a root near the largest double is checked without overflow", "2", "1.7e308",
         {R"(["enabled", "Command6", true])", R"(["text", "Text3", "-85)" + std::string(306, '0') + R"(."])"},
         {R"(["enabled", "Command6", false])", R"(["msgbox", 0, "计算正确"])"}},
        {"coefficient beyond the double range", "1e400", "1",
         {R"(["enabled", "Command6", true])", R"(["error", 6, "溢出"])"},
         {R"(["enabled", "Command6", false])", R"(["error", 6, "溢出"])"}},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        testing::Session session;
        session.type(linear::a, c.a);
        session.type(linear::b, c.b);
        session.click(linear::solve);
        EXPECT_EQ(session.take(), c.solve);
        session.click(linear::check);
        EXPECT_EQ(session.take(), c.check);
    }
}

TEST(Linear, CheckIsPossibleOncePerSolve)
{
    testing::Session session;
    session.click(linear::check);
    EXPECT_TRUE(session.take().empty()) << "disabled at start";
    session.type(linear::a, "2");
    session.type(linear::b, "-4");
    session.click(linear::solve);
    session.click(linear::check);
    session.take();
    session.click(linear::check);
    EXPECT_TRUE(session.take().empty()) << "a second check needs a new solve";
}

TEST(Linear, RefusedSolveKeepsThePreviousRoot)
{
    testing::Session session;
    session.type(linear::a, "2");
    session.type(linear::b, "-4");
    session.click(linear::solve);
    session.type(linear::a, "0");
    session.click(linear::solve);
    EXPECT_EQ(session.window().text(linear::X), "2.");
}

TEST(Linear, CheckJudgesTheEditedCoefficientsNotTheResultField)
{
    testing::Session session;
    session.type(linear::a, "2");
    session.type(linear::b, "-4");
    session.click(linear::solve);
    session.type(linear::b, "1");
    session.take();
    session.click(linear::check);
    // x = -0.5 is exact for the new b, although Text3 still shows the old root.
    EXPECT_EQ(session.take(), (Lines{R"(["enabled", "Command6", false])", R"(["msgbox", 0, "计算正确"])"}));
    EXPECT_EQ(session.window().text(linear::X), "2.");
}

TEST(Linear, OverflowLeavesEveryFieldAsTheUserTypedIt)
{
    testing::Session session;
    session.type(linear::a, "1e-300");
    session.type(linear::b, "1e300");
    session.type(quadratic::a, "7");
    session.click(linear::solve);
    EXPECT_EQ(session.window().text(linear::a), "1e-300");
    EXPECT_EQ(session.window().text(linear::b), "1e300");
    EXPECT_EQ(session.window().text(linear::X), "0");
    EXPECT_EQ(session.window().text(quadratic::a), "7");
    EXPECT_TRUE(session.window().isEnabled(linear::check));
}

} // namespace
} // namespace zembrel
