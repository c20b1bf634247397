// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "cubic.h"
#include "session.h"

#include <gtest/gtest.h>

#include <string>

namespace zembrel {
namespace {

using Lines = std::vector<std::string>;

const std::string kEnable = R"(["enabled", "Command8", true])";
const std::string kDisable = R"(["enabled", "Command8", false])";
const std::string kRight = R"(["msgbox", 0, "计算正确"])";
const std::string kMaybeWrong = R"(["msgbox", 0, "计算可能有误，请刷新后再试。"])";
const std::string kOverflow = R"(["error", 6, "溢出"])";

std::string root(const std::string& X) { return R"(["text", "Text12", ")" + X + R"("])"; }

struct CubicCase {
    const char* name;
    const char* p;
    const char* q;
    Lines solve;
    Lines check; // the same coefficients typed again before the check
};

TEST(Cubic, SolvesAndChecks)
{
    // clang-format off
    const CubicCase cases[] = {
        {"positive root", "0", "-8", {kEnable, root("2.")}, {kDisable, kRight}},
        {"negative root", "0", "8", {kEnable, root("-2.")}, {kDisable, kRight}},
        {"zero discriminant", "-3", "2", {kEnable, root("-2.")}, {kDisable, kRight}},
        {"three real roots: the one of largest magnitude", "-3", "1",
         {kEnable, root("-1.87938524157182")}, {kDisable, kRight}},
        {"root one unit under 4 shows as 4", "0", "-64", {kEnable, root("4.")}, {kDisable, kRight}},
        {"empty fields: -0 shown without sign", "", "", {kEnable, root("0.")}, {kDisable, kRight}},
        {"letters read as 0", "abc", "x", {kEnable, root("0.")}, {kDisable, kRight}},
        {"large root made exact by Newton", "0", "-1e30",
         {kEnable, root("10000000000.")}, {kDisable, kRight}},
        {"tiny negative root rounds to zero but keeps its sign", "0", "1e-57",
         {kEnable, root("-0.")}, {kDisable, kRight}},
        {"irrational root", "1", "1", {kEnable, root("-0.682327803828019")}, {kDisable, kRight}},
        {"tiny root beside a large p", "3e6", "1e-07",
         {kEnable, root("-0.000000000000033333")}, {kDisable, kRight}},
        {"q subnormal: the root -2.2e-107 shows as -0 and holds", "0", "1e-320",
         {kEnable, root("-0.")}, {kDisable, kRight}},
        {"p³ is beyond the doubles, the root 0 is not", "1e103", "0", {kEnable, root("0.")}, {kDisable, kRight}},
        {"q² is beyond the doubles, the root is not", "0", "-1e155",
         {kEnable, root("4641588833612780000000000000000000000000000000000000.")}, {kDisable, kRight}},
        {"three real roots ±1e150 and 1e-300: the negative one, as q > 0", "-1e300", "1",
         {kEnable, root("-1" + std::string(150, '0') + ".")}, {kDisable, kRight}},
        {"a subnormal root keeps too few digits to pass", "1", "1e-320", {kEnable, root("-0.")}, {kDisable, kMaybeWrong}},
        {"a double root: the simple root 3q ÷ p is shown", "-0.03", "0.002",
         {kEnable, root("-0.2")}, {kDisable, kRight}},
        {"coefficient beyond the double range", "1e400", "1", {kEnable, kOverflow}, {kDisable, kOverflow}},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        testing::Session session;
        const auto typeCoefficients = [&] {
            session.type(cubic::p, c.p);
            session.type(cubic::q, c.q);
        };
        typeCoefficients();
        session.click(cubic::solve);
        EXPECT_EQ(session.take(), c.solve);
        typeCoefficients();
        session.click(cubic::check);
        EXPECT_EQ(session.take(), c.check);
    }
}

TEST(Cubic, CheckJudgesTheEditedCoefficientsNotTheResultField)
{
    testing::Session session;
    session.type(cubic::p, "0");
    session.type(cubic::q, "-8");
    session.click(cubic::solve);
    session.type(cubic::q, "-1e30");
    session.take();
    session.click(cubic::check);
    // The root 1e10 holds; the 2 still shown would miss by nearly 1e30.
    EXPECT_EQ(session.take(), (Lines{kDisable, kRight}));
    EXPECT_EQ(session.window().text(cubic::X), "2.");
}

TEST(Cubic, OverflowLeavesEveryFieldAsItWas)
{
    testing::Session session;
    session.type(cubic::p, "0");
    session.type(cubic::q, "-8");
    session.click(cubic::solve);
    session.type(cubic::p, "1e400");
    session.type(quadratic::a, "7");
    session.take();
    session.click(cubic::solve);
    EXPECT_EQ(session.take(), (Lines{kEnable, kOverflow}));
    EXPECT_EQ(session.window().text(cubic::p), "1e400");
    EXPECT_EQ(session.window().text(cubic::q), "-8");
    EXPECT_EQ(session.window().text(cubic::X), "2.");
    EXPECT_EQ(session.window().text(quadratic::a), "7");
    EXPECT_TRUE(session.window().printed().empty());
}

} // namespace
} // namespace zembrel
