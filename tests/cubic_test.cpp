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
const std::string kNoRoot = R"(["print", "No Root!"])";
const std::string kRight = R"(["msgbox", 0, "计算正确"])";
const std::string kMaybeWrong = R"(["msgbox", 0, "计算可能有误，请刷新后再试。"])";
const std::string kOverflow = R"(["error", 6, "溢出"])";

std::string root(const std::string& X) { return R"(["text", "Text12", ")" + X + R"("])"; }

struct CardanoCase {
    const char* name;
    double p;
    double q;
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
        {"negative discriminant prints, never a box", "-3", "1", {kEnable, kNoRoot}, {kDisable, kNoRoot}},
        {"root one unit under 4 shows as 4", "0", "-64", {kEnable, root("4.")}, {kDisable, kRight}},
        {"empty fields: -0 shown without sign", "", "", {kEnable, root("0.")}, {kDisable, kRight}},
        {"letters read as 0", "abc", "x", {kEnable, root("0.")}, {kDisable, kRight}},
        {"large root, residual far beyond the tolerance", "0", "-1e30",
         {kEnable, root("9999999999.99999")}, {kDisable, kMaybeWrong}},
        {"tiny negative root rounds to zero but keeps its sign", "0", "1e-57",
         {kEnable, root("-0.")}, {kDisable, kRight}},
        {"irrational root", "1", "1", {kEnable, root("-0.682327803828019")}, {kDisable, kRight}},
        {"residual exactly at the tolerance", "3e6", "1e-07", {kEnable, root("0.")}, {kDisable, kRight}},
        {"residual exactly at minus the tolerance", "3e6", "-1e-07", {kEnable, root("0.")}, {kDisable, kRight}},
        {"residual one unit beyond the tolerance", "3e6", "1.0000000000000001e-07",
         {kEnable, root("0.")}, {kDisable, kMaybeWrong}},
        {"p ^ 3 overflows", "1e103", "0", {kEnable, kOverflow}, {kDisable, kOverflow}},
        {"q ^ 2 overflows", "0", "-1e155", {kEnable, kOverflow}, {kDisable, kOverflow}},
        {"coefficient beyond the double range", "1e400", "1", {kEnable, kOverflow}, {kDisable, kOverflow}},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        testing::Session session;
        const auto typeCoefficients = [&] {
            session.type(Field::Text10, c.p);
            session.type(Field::Text11, c.q);
        };
        typeCoefficients();
        session.click(Button::Command3);
        EXPECT_EQ(session.take(), c.solve);
        typeCoefficients();
        session.click(Button::Command8);
        EXPECT_EQ(session.take(), c.check);
    }
}

TEST(Cubic, NoRootPrintsOneMoreLinePerPressAndKeepsTheRoot)
{
    testing::Session session;
    session.type(Field::Text10, "0");
    session.type(Field::Text11, "-8");
    session.click(Button::Command3);
    session.type(Field::Text10, "-3");
    session.type(Field::Text11, "1");
    session.click(Button::Command3);
    EXPECT_TRUE(session.window().isEnabled(Button::Command8)) << "a press without a root still allows one check";
    session.click(Button::Command8);
    session.click(Button::Command8);
    session.click(Button::Command3);
    EXPECT_EQ(session.window().printed(), (Lines{"No Root!", "No Root!", "No Root!"}));
    EXPECT_EQ(session.window().text(Field::Text12), "2.");
}

TEST(Cubic, CheckJudgesTheEditedCoefficientsNotTheResultField)
{
    testing::Session session;
    session.type(Field::Text10, "0");
    session.type(Field::Text11, "-8");
    session.click(Button::Command3);
    session.type(Field::Text11, "-1e30");
    session.take();
    session.click(Button::Command8);
    EXPECT_EQ(session.take(), (Lines{kDisable, kMaybeWrong}));
    EXPECT_EQ(session.window().text(Field::Text12), "2.");
}

TEST(Cubic, OverflowLeavesEveryFieldAsItWas)
{
    testing::Session session;
    session.type(Field::Text10, "0");
    session.type(Field::Text11, "-8");
    session.click(Button::Command3);
    session.type(Field::Text10, "1e103");
    session.type(Field::Text4, "7");
    session.take();
    session.click(Button::Command3);
    EXPECT_EQ(session.take(), (Lines{kEnable, kOverflow}));
    EXPECT_EQ(session.window().text(Field::Text10), "1e103");
    EXPECT_EQ(session.window().text(Field::Text11), "-8");
    EXPECT_EQ(session.window().text(Field::Text12), "2.");
    EXPECT_EQ(session.window().text(Field::Text4), "7");
    EXPECT_TRUE(session.window().printed().empty());
}

} // namespace
} // namespace zembrel
