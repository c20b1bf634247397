// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The fuzzers' reference for rounding must itself be right, or they would
// either raise false alarms or let a wrong rounding pass.

#include "exact_decimal.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <optional>
#include <string>

using namespace zembrel::fuzzing;

namespace {

struct ExpansionCase {
    const char* name;
    double value;
    std::string digits;
    int pointPosition;
};

// clang-format off
const ExpansionCase kExpansions[] = {
    {"zero", 0.0, "", 0},
    {"one", 1.0, "1", 1},
    {"negative_sign_dropped", -2.5, "25", 1},
    {"tenth", 0.1, "1000000000000000055511151231257827021181583404541015625", 0},
    {"power_of_two_above_mantissa", 18014398509481984.0, "18014398509481984", 17},
    {"tie_integer", 1000000000000005.0, "1000000000000005", 16},
    {"smallest_subnormal_leading_digits", 4.9406564584124654e-324, "", -323},
};
// clang-format on

TEST(ExactDecimal, ExpandsTheBinaryValueExactly)
{
    for (const auto& c : kExpansions) {
        SCOPED_TRACE(c.name);
        const ExactDecimal d = exactDecimalOf(c.value);
        EXPECT_EQ(d.pointPosition, c.pointPosition);
        if (c.digits.empty() && c.value != 0.0) {
            // 2^-1074 has 751 significant digits; its head and tail suffice.
            EXPECT_EQ(d.digits.size(), 751u);
            EXPECT_EQ(d.digits.substr(0, 20), "49406564584124654417");
            EXPECT_EQ(d.digits.substr(d.digits.size() - 6), "265625");
        } else {
            EXPECT_EQ(d.digits, c.digits);
        }
    }
}

enum class Step { Significant, Decimals };

struct RoundingCase {
    const char* name;
    double value;
    Step step;
    int count;
    std::string digits;
    int pointPosition;
};

// clang-format off
const RoundingCase kRoundings[] = {
    {"tie_goes_away_from_zero", 1000000000000005.0, Step::Significant, 15, "100000000000001", 16},
    {"just_below_half_goes_down", 0.15, Step::Decimals, 1, "1", 0},
    {"carry_adds_a_digit", 9.96, Step::Decimals, 1, "1", 2},
    {"half_of_the_first_place_rounds_up", 0.5, Step::Decimals, 0, "1", 1},
    {"below_a_tenth_of_the_unit_is_zero", 0.04, Step::Decimals, 0, "", 0},
    {"nothing_to_cut", 0.25, Step::Decimals, 18, "25", 0},
};
// clang-format on

TEST(ExactDecimal, RoundsHalfAwayFromZero)
{
    for (const auto& c : kRoundings) {
        SCOPED_TRACE(c.name);
        ExactDecimal d = exactDecimalOf(c.value);
        if (c.step == Step::Significant)
            roundToSignificantDigits(d, c.count);
        else
            roundToDecimals(d, c.count);
        EXPECT_EQ(d.digits, c.digits);
        EXPECT_EQ(d.pointPosition, c.pointPosition);
    }
}

TEST(ExactDecimal, NearestDoubleKeepsTheSignAndReportsOverflow)
{
    EXPECT_EQ(nearestDouble({"25", 0}, true), std::optional<double>(-0.25));
    EXPECT_EQ(nearestDouble({"179769313486232", 309}, false), std::nullopt);
    EXPECT_EQ(nearestDouble({"17976931348623157", 309}, false), std::optional<double>(DBL_MAX));
}

} // namespace
