// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "quadratic.h"
#include "session.h"

#include <gtest/gtest.h>

#include <string>

namespace zembrel {
namespace {

using Lines = std::vector<std::string>;

const std::string kEnable = R"(["enabled", "Command7", true])";
const std::string kDisable = R"(["enabled", "Command7", false])";
const std::string kZeroA = R"(["msgbox", 0, "一元二次方程二次项系数不能为0！"])";
const std::string kAOne = R"(["text", "Text4", "1"])";
const std::string kComplexNotice = R"(["msgbox", 48, "请注意：方程有两个共轭虚数根。"])";
const std::string kNoRealRoot = R"(["msgbox", 48, "方程无实数解！"])";
const std::string kRight = R"(["msgbox", 0, "计算正确"])";
const std::string kMaybeWrong = R"(["msgbox", 0, "计算可能有误，请刷新后再试。"])";
const std::string kOverflow = R"(["error", 6, "溢出"])";

// The lines of a solve that ends by writing both roots.
Lines withRoots(Lines before, const std::string& X1, const std::string& X2)
{
    before.push_back(R"(["text", "Text7", ")" + X1 + R"("])");
    before.push_back(R"(["text", "Text8", ")" + X2 + R"("])");
    return before;
}

struct QuadraticCase {
    const char* name;
    const char* a;
    const char* b;
    const char* c;
    Lines solve;
    Lines check; // the same coefficients typed again before the check
};

TEST(Quadratic, SolvesAndChecks)
{
    // clang-format off
    const QuadraticCase cases[] = {
        {"two real roots", "1", "-3", "2",
         withRoots({kEnable}, "2.", "1."), {kDisable, kRight}},
        {"double root", "1", "2", "1",
         withRoots({kEnable}, "-1.", "-1."), {kDisable, kRight}},
        {"negative a keeps X1 on the plus side", "-1", "3", "-2",
         withRoots({kEnable}, "1.", "2."), {kDisable, kRight}},
        {"zero a is corrected to 1 by both operations", "0", "-3", "2",
         withRoots({kEnable, kZeroA, kAOne}, "2.", "1."), {kDisable, kZeroA, kAOne, kRight}},
        {"letters in a read as 0", "x", "-3", "2",
         withRoots({kEnable, kZeroA, kAOne}, "2.", "1."), {kDisable, kZeroA, kAOne, kRight}},
        {"empty fields: x² = 0, the -0 root shown without sign", "", "", "",
         withRoots({kEnable, kZeroA, kAOne}, "0.", "0."), {kDisable, kZeroA, kAOne, kRight}},
        {"b = 0 and c = 0: X2 is -0, shown without sign", "1", "0", "0",
         withRoots({kEnable}, "0.", "0."), {kDisable, kRight}},
        {"tiny negative root rounds to zero but keeps its sign", "1", "1e-17", "0",
         withRoots({kEnable}, "0.", "-0."), {kDisable, kRight}},
        {"X1 as c ÷ q keeps its digits beside a large X2", "3", "1e10", "1",
         withRoots({kEnable}, "-0.0000000001", "-3333333333.33333"), {kDisable, kRight}},
        {"b > 0: the small root X1 as c ÷ q", "1", "30000", "-5",
         withRoots({kEnable}, "0.0001666666657407", "-30000.0001666667"), {kDisable, kRight}},
        {"b < 0: the small root X2 as c ÷ q", "1", "-30000", "-5",
         withRoots({kEnable}, "30000.0001666667", "-0.0001666666657407"), {kDisable, kRight}},
        {"large roots hold within the size of their terms", "1", "0", "-2e10",
         withRoots({kEnable}, "141421.35623731", "-141421.35623731"), {kDisable, kRight}},
        {"b² underflows in doubles, not here: the roots 1e-100 and -1", "1e-200", "1e-200", "-1e-300",
         withRoots({kEnable}, "0.", "-1."), {kDisable, kRight}},
        {"(2x - 0.7)² has the double root 0.35 although 0.7 is no double", "4", "-2.8", "0.49",
         withRoots({kEnable}, "0.35", "0.35"), {kDisable, kRight}},
        {"(x - 0.1)²: one root, not two close ones", "1", "-0.2", "0.01",
         withRoots({kEnable}, "0.1", "0.1"), {kDisable, kRight}},
        {"D just above 0: two roots 1e-10 apart", "1", "-0.2", "0.0099999999999999999975",
         withRoots({kEnable}, "0.10000000005", "0.09999999995"), {kDisable, kRight}},
        {"complex roots", "1", "-2", "5",
         withRoots({kEnable, kComplexNotice, kDisable}, " 1 + 2 i", " 1 - 2 i"), {}},
        {"complex roots of negative a: magnitude of the imaginary part", "-1", "2", "-5",
         withRoots({kEnable, kComplexNotice, kDisable}, " 1 + 2 i", " 1 - 2 i"), {}},
        {"complex roots with a negative real part", "1", "2", "5",
         withRoots({kEnable, kComplexNotice, kDisable}, "-1 + 2 i", "-1 - 2 i"), {}},
        {"complex parts below one keep their leading zero", "2", "-2", "1",
         withRoots({kEnable, kComplexNotice, kDisable}, " 0.5 + 0.5 i", " 0.5 - 0.5 i"), {}},
        {"negative real part below one", "1", "1", "1",
         withRoots({kEnable, kComplexNotice, kDisable}, "-0.5 + 0.866025403784439 i",
                   "-0.5 - 0.866025403784439 i"), {}},
        {"real part -0 shown as a blank zero", "1", "0", "1",
         withRoots({kEnable, kComplexNotice, kDisable}, " 0 + 1 i", " 0 - 1 i"), {}},
        {"imaginary part in exponent form", "1", "0", "1e40",
         withRoots({kEnable, kComplexNotice, kDisable}, " 0 + 1E+20 i", " 0 - 1E+20 i"), {}},
        {"zero a corrected, then complex roots", "", "2", "5",
         withRoots({kEnable, kZeroA, kAOne, kComplexNotice, kDisable}, "-1 + 2 i", "-1 - 2 i"), {}},
        {"b² is beyond the doubles, both roots are not", "1", "1e200", "1",
         withRoots({kEnable}, "-0.", "-1" + std::string(200, '0') + "."), {kDisable, kRight}},
        {"the same after the zero a is corrected", "0", "1e200", "1",
         withRoots({kEnable, kZeroA, kAOne}, "-0.", "-1" + std::string(200, '0') + "."),
         {kDisable, kZeroA, kAOne, kRight}},
        {"4ac is beyond the doubles, the roots ±i are not", "1e200", "0", "1e200",
         withRoots({kEnable, kComplexNotice, kDisable}, " 0 + 1 i", " 0 - 1 i"), {}},
        {"4a is beyond the doubles, the roots are tiny", "1e308", "0", "1e-10",
         withRoots({kEnable, kComplexNotice, kDisable}, " 0 + 1E-159 i", " 0 - 1E-159 i"), {}},
        {"a tiny real part beside a unit imaginary one", "1e300", "1", "1e300",
         withRoots({kEnable, kComplexNotice, kDisable}, "-5E-301 + 1 i", "-5E-301 - 1 i"), {}},
        {"a root overflows", "1e-300", "-1e10", "0",
         {kEnable, kOverflow}, {kDisable, kOverflow}},
        {"a root of 1e160 is checked without squaring it", "1e-160", "-1", "0",
         withRoots({kEnable}, "1" + std::string(160, '0') + ".", "0."), {kDisable, kRight}},
        {"coefficient beyond the double range", "1", "1", "-1e400",
         {kEnable, kOverflow}, {kDisable, kOverflow}},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        testing::Session session;
        const auto typeCoefficients = [&] {
            session.type(quadratic::a, c.a);
            session.type(quadratic::b, c.b);
            session.type(quadratic::c, c.c);
        };
        typeCoefficients();
        session.click(quadratic::solve);
        EXPECT_EQ(session.take(), c.solve);
        typeCoefficients();
        session.click(quadratic::check);
        EXPECT_EQ(session.take(), c.check);
    }
}

TEST(Quadratic, CheckIsPossibleOnceAfterEachRealSolve)
{
    testing::Session session;
    session.click(quadratic::check);
    EXPECT_TRUE(session.take().empty()) << "disabled at start";
    session.type(quadratic::a, "1");
    session.type(quadratic::b, "-3");
    session.type(quadratic::c, "2");
    session.click(quadratic::solve);
    session.click(quadratic::check);
    session.take();
    session.click(quadratic::check);
    EXPECT_TRUE(session.take().empty()) << "a second check needs a new solve";

    session.type(quadratic::c, "5");
    session.click(quadratic::solve);
    session.take();
    EXPECT_FALSE(session.window().isEnabled(quadratic::check));
    session.click(quadratic::check);
    EXPECT_TRUE(session.take().empty()) << "complex roots cannot be checked";
}

TEST(Quadratic, CorrectedCoefficientStaysInTheField)
{
    testing::Session session;
    session.type(quadratic::a, "0");
    session.type(quadratic::b, "-3");
    session.type(quadratic::c, "2");
    session.click(quadratic::solve);
    EXPECT_EQ(session.window().text(quadratic::a), "1");
    session.take();
    session.click(quadratic::check);
    EXPECT_EQ(session.take(), (Lines{kDisable, kRight})) << "the next press reads a = 1 without a message";
}

TEST(Quadratic, CheckJudgesTheEditedCoefficientsNotTheResultFields)
{
    testing::Session session;
    session.type(quadratic::a, "1");
    session.type(quadratic::b, "-3");
    session.type(quadratic::c, "2");
    session.click(quadratic::solve);
    session.type(quadratic::c, "5");
    session.take();
    session.click(quadratic::check);
    EXPECT_EQ(session.take(), (Lines{kDisable, kNoRealRoot}));
    EXPECT_EQ(session.window().text(quadratic::X1), "2.");
    EXPECT_EQ(session.window().text(quadratic::X2), "1.");
}

TEST(Quadratic, OverflowLeavesEveryFieldAsItWas)
{
    testing::Session session;
    // The roots 3e-10 and 1e310, the second beyond the doubles.
    session.type(quadratic::a, "1e-300");
    session.type(quadratic::b, "-1e10");
    session.type(quadratic::c, "3");
    session.type(linear::a, "7");
    session.click(quadratic::solve);
    EXPECT_EQ(session.take(), (Lines{kEnable, kOverflow}));
    EXPECT_EQ(session.window().text(quadratic::a), "1e-300");
    EXPECT_EQ(session.window().text(quadratic::b), "-1e10");
    EXPECT_EQ(session.window().text(quadratic::c), "3");
    EXPECT_EQ(session.window().text(quadratic::X1), "0");
    EXPECT_EQ(session.window().text(quadratic::X2), "0");
    EXPECT_EQ(session.window().text(linear::a), "7");
    EXPECT_TRUE(session.window().isEnabled(quadratic::check));
}

} // namespace
} // namespace zembrel
