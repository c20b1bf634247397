// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "cubic.h"
#include "runtime_error.h"
#include "session.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
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

struct CardanoCase {
    const char* name = "";
    double p = 0;
    double q = 0;
    std::optional<double> X; // compared bit for bit, sign of zero included
};

TEST(CardanoRoot, GivesTheRealRootOrNone)
{
    // clang-format off
    const CardanoCase cases[] = {
        {"u = 8, v = 0", 0, -8, 2.0},
        {"u = 0, v = -8: the negative base goes through the sign branch", 0, 8, -2.0},
        {"zero discriminant, u = v = -1", -3, 2, -2.0},
        {"negative discriminant", -3, 1, std::nullopt},
        {"the third rounds below: 64 ^ t is one unit under 4", 0, -64, std::nextafter(4.0, 0.0)},
        {"both cube roots of zero are -0", 0, 0, -0.0},
        {"two positive cube roots", -6, -9, 3.0},
        {"cube root of 2", 0, -2, 1.2599210498948732},
        {"u = -v cancels exactly", 3e6, 1e-07, 0.0},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::optional<Number> X = CardanoRoot(c.p, c.q);
        ASSERT_EQ(X.has_value(), c.X.has_value());
        if (X) {
            EXPECT_EQ(X->value(), *c.X);
            EXPECT_EQ(std::signbit(X->value()), std::signbit(*c.X));
        }
    }
}

struct RootCase {
    const char* name;
    double p;
    double q;
    double X; // compared bit for bit, sign of zero included
};

TEST(CubicRoot, GivesARealRootForEveryDiscriminant)
{
    // clang-format off
    const RootCase cases[] = {
        {"negative discriminant, q > 0: the negative root of largest magnitude", -3, 1, -1.8793852415718166},
        {"negative discriminant, q < 0: the positive one", -3, -1, 1.8793852415718166},
        {"k rounds just past 1 and is taken as 1", -7.3, 7.591584034188658, -3.119829055146024},
        {"Newton turns 64 ^ t, one unit under 4, into 4", 0, -64, 4.0},
        {"Newton restores the digits A + B cancelled", 0.008, 70000, -41.21278829335215},
        {"Newton from u = -v, cancelled to 0", 3e6, 1e-07, -3.333333333333333e-14},
        {"f = 0 stops at once: -0 stays", 0, 0, -0.0},
        {"an exact root stays", -6, -9, 3.0},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Number X = CubicRoot(c.p, c.q);
        EXPECT_EQ(X.value(), c.X);
        EXPECT_EQ(std::signbit(X.value()), std::signbit(c.X));
    }
}

TEST(CardanoRoot, RaisesOverflowOnTheDiscriminant)
{
    const struct {
        const char* name;
        double p;
        double q;
        // clang-format off
    } cases[] = {
        {"p ^ 3", 1e103, 0},
        {"q ^ 2", 0, 1e155},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        try {
            CardanoRoot(c.p, c.q);
            ADD_FAILURE() << "no error";
        } catch (const RuntimeError& e) {
            EXPECT_EQ(e.number(), RuntimeError::Overflow);
        }
    }
}

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
        {"q subnormal: X ^ 3 keeps too few digits, so even the right root fails", "0", "1e-320",
         {kEnable, root("-0.")}, {kDisable, kMaybeWrong}},
        {"p ^ 3 overflows", "1e103", "0", {kEnable, kOverflow}, {kDisable, kOverflow}},
        {"q ^ 2 overflows", "0", "-1e155", {kEnable, kOverflow}, {kDisable, kOverflow}},
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
    session.type(cubic::p, "1e103");
    session.type(quadratic::a, "7");
    session.take();
    session.click(cubic::solve);
    EXPECT_EQ(session.take(), (Lines{kEnable, kOverflow}));
    EXPECT_EQ(session.window().text(cubic::p), "1e103");
    EXPECT_EQ(session.window().text(cubic::q), "-8");
    EXPECT_EQ(session.window().text(cubic::X), "2.");
    EXPECT_EQ(session.window().text(quadratic::a), "7");
    EXPECT_TRUE(session.window().printed().empty());
}

} // namespace
} // namespace zembrel
