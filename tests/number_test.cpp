// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "number.h"
#include "runtime_error.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>

namespace zembrel {
namespace {

constexpr double kMax = std::numeric_limits<double>::max();

struct ErrorCase {
    const char* name;
    std::function<Number()> operation;
    int expectedError;
};

TEST(Number, RaisesTheRuntimeErrors)
{
    // clang-format off
    const ErrorCase cases[] = {
        {"sum beyond the range", [] { return Number(kMax) + Number(kMax); }, 6},
        {"difference beyond the range", [] { return Number(-kMax) - Number(kMax); }, 6},
        {"product beyond the range", [] { return Number(1e200) * Number(1e200); }, 6},
        {"quotient beyond the range", [] { return Number(1e300) / Number(1e-300); }, 6},
        {"division by zero", [] { return Number(1) / Number(0); }, 11},
        {"division by negative zero", [] { return Number(1) / Number(-0.0); }, 11},
        {"zero by zero", [] { return Number(0) / Number(0); }, 11},
        {"square root of a negative", [] { return Sqr(-1); }, 5},
        {"fractional power of a negative", [] { return Pow(-8, 1.0 / 3.0); }, 5},
        {"power beyond the range", [] { return Pow(1e103, 3); }, 6},
        {"square beyond the range", [] { return Pow(1e155, 2); }, 6},
        {"zero to a negative power", [] { return Pow(0, -1); }, 11},
        {"arc cosine just above 1", [] { return Acos(1.0000000000000002); }, 5},
        {"arc cosine just below -1", [] { return Acos(-1.0000000000000002); }, 5},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        try {
            c.operation();
            ADD_FAILURE() << "no error";
        } catch (const RuntimeError& e) {
            EXPECT_EQ(e.number(), c.expectedError);
        }
    }
}

struct ValueCase {
    const char* name;
    std::function<Number()> operation;
    double expected;
};

TEST(Number, ComputesInDoublePrecision)
{
    // clang-format off
    const ValueCase cases[] = {
        {"integer power of a negative base", [] { return Pow(-2, 3); }, -8.0},
        {"square through pow", [] { return Pow(1e10, 2); }, 1e20},
        {"cube root of eight", [] { return Pow(8, 1.0 / 3.0); }, 2.0},
        {"square root of negative zero", [] { return Sqr(-0.0); }, 0.0},
        {"magnitude", [] { return Abs(-2.5); }, 2.5},
        {"arc cosine of 1", [] { return Acos(1); }, 0.0},
        {"arc cosine of -1", [] { return Acos(-1); }, 3.141592653589793},
        {"arc cosine of a half", [] { return Acos(0.5); }, 1.0471975511965979},
        {"cosine of zero", [] { return Cos(0); }, 1.0},
        {"cosine of the double nearest a third of π", [] { return Cos(1.0471975511965979); }, 0.49999999999999989},
        {"cosine of a huge angle is no error", [] { return Cos(1e300); }, -0.57538611195754907},
        {"underflow is no error", [] { return Number(1e-300) * Number(1e-300); }, 0.0},
        {"largest sum that fits", [] { return Number(kMax) + Number(1); }, kMax},
        {"integer constant widens", [] { return 4 * Number(0.5) * 3; }, 6.0},
        {"one forty-ninth times forty-nine", [] { return Number(49) * (-Number(1) / 49); },
         -0.9999999999999999},
        {"negation of the largest is no error", [] { return -Number(kMax); }, -kMax},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.operation().value(), c.expected);
    }
}

TEST(Number, ComparesExactly)
{
    EXPECT_TRUE(Number(-0.0) == 0);
    EXPECT_FALSE(Number(-0.0) < 0);
    EXPECT_TRUE(Number(-1e-300) < 0);
    EXPECT_TRUE(Number(1e-7) <= 1e-07);
    EXPECT_FALSE(Number(1.0000000000000002) == 1);
    // Negation keeps the sign of zero that x * -1 gives, which Str and Format show.
    EXPECT_TRUE(std::signbit((-Number(0)).value()));
}

TEST(RuntimeError, DescribesTheErrorBox)
{
    EXPECT_EQ(RuntimeError(6).boxText(), "运行时错误 '6':\n\n溢出");
    EXPECT_EQ(RuntimeError(5).description(), "无效的过程调用或参数");
    EXPECT_EQ(RuntimeError(11).description(), "除数为零");
    EXPECT_EQ(RuntimeError(53).description(), "文件未找到");
}

} // namespace
} // namespace zembrel
