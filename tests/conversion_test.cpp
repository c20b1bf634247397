// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "conversion.h"
#include "runtime_error.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>
#include <string>

namespace zembrel {
namespace {

struct ValCase {
    const char* name;
    std::string text;
    double expected;
};

TEST(Val, ReadsTheLeadingNumber)
{
    // clang-format off
    const ValCase cases[] = {
        {"empty", "", 0.0},
        {"blank, sign, exponent, trailing letter", " -1.5e2x", -150.0},
        {"plain integer", "42", 42.0},
        {"explicit plus", "+7", 7.0},
        {"blanks inside the digits", "1 2 3", 123.0},
        {"tabs inside the number", "\t-\t2\t.5", -2.5},
        {"blank between sign and digits", "- 5", -5.0},
        {"blanks inside the exponent", "1 e 3", 1000.0},
        {"point only", ".", 0.0},
        {"sign only", "-", 0.0},
        {"plus only", "+", 0.0},
        {"sign and point", "-.", 0.0},
        {"leading point", ".5", 0.5},
        {"trailing point", "5.", 5.0},
        {"second point ends the number", "1.2.3", 1.2},
        {"exponent without digits", "1e", 1.0},
        {"exponent sign without digits", "1e+", 1.0},
        {"second exponent ends the number", "1e5e3", 100000.0},
        {"lower-case exponent", "2.5e-3", 0.0025},
        {"upper-case exponent", "2.5E+3", 2500.0},
        {"letters only", "abc", 0.0},
        {"exponent without mantissa", "e5", 0.0},
        {"letter before digits", "x12", 0.0},
        {"digits then letters", "12abc", 12.0},
        {"comma is no point", "1,5", 1.0},
        {"second sign ends nothing", "--5", 0.0},
        {"leading zeros", "000123", 123.0},
        {"underflow gives zero", "1e-400", 0.0},
        {"largest double", "1.7976931348623157e308", std::numeric_limits<double>::max()},
        {"huge negative exponent", "1e-99999999999999999999", 0.0},
        {"zero with huge exponent", "0e99999", 0.0},
        {"full-width digits are not digits", "\xEF\xBC\x91", 0.0},
        {"line feed is not a blank", "1\n2", 1.0},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Val(c.text), c.expected);
    }
}

TEST(Val, ReadsVeryLongTexts)
{
    EXPECT_EQ(Val(std::string(1'000'000, '7').substr(0, 300) + "e-299"), 70.0 / 9.0);
    EXPECT_EQ(Val("0." + std::string(100'000, '0') + "1e100001"), 1.0);
    EXPECT_EQ(Val(std::string(1'000'000, ' ') + "3"), 3.0);
    EXPECT_EQ(Val(std::string(1'000'000, 'x')), 0.0);
}

TEST(Val, RaisesOverflowBeyondTheDoubleRange)
{
    const char* cases[]
        = {"1e400", "-1e400", "1.8e308", "1e99999999999999999999", "0.00001e400", "99999999999999999999e300"};
    for (const char* text : cases) {
        SCOPED_TRACE(text);
        try {
            Val(text);
            ADD_FAILURE() << "no error";
        } catch (const RuntimeError& e) {
            EXPECT_EQ(e.number(), 6);
        }
    }
}

TEST(Val, IgnoresTheLocale)
{
    const std::string saved = std::setlocale(LC_ALL, nullptr);
    if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr)
        std::setlocale(LC_NUMERIC, "C.UTF-8");
    EXPECT_EQ(Val("1.5"), 1.5);
    EXPECT_EQ(Format(1.5, "0.############"), "1.5");
    std::setlocale(LC_ALL, saved.c_str());
}

struct FormatCase {
    const char* name;
    double value;
    const char* pattern;
    std::string expected;
};

constexpr const char* k18 = "0.##################";
constexpr const char* k16 = "0.################";
constexpr const char* k12 = "0.############";

TEST(Format, RendersUnderTheDecimalPatterns)
{
    // clang-format off
    const FormatCase cases[] = {
        {"whole number keeps its point", 2.0, k18, "2."},
        {"half", 0.5, k18, "0.5"},
        {"zero", 0.0, k12, "0."},
        {"negative zero shows no sign", -0.0, k18, "0."},
        {"a third: fifteen significant digits", 1.0 / 3.0, k18, "0.333333333333333"},
        {"a third under twelve", 1.0 / 3.0, k12, "0.333333333333"},
        {"two thirds round up at twelve", 2.0 / 3.0, k12, "0.666666666667"},
        {"quarter, 18", -0.25, k18, "-0.25"},
        {"quarter, 16", -0.25, k16, "-0.25"},
        {"quarter, 12", -0.25, k12, "-0.25"},
        {"minus one forty-ninth", -1.0 / 49.0, k18, "-0.0204081632653061"},
        {"the half is settled after fifteen digits", 0.0000000000005, k12, "0.000000000001"},
        {"a tie at the fifteenth digit goes away from zero", 100000000000000.5, k18, "100000000000001."},
        {"negative tie goes away from zero", -100000000000000.5, k18, "-100000000000001."},
        {"tie of an exact double, 12", 0.125, "0.##", "0.13"},
        {"negative tie of an exact double", -0.125, "0.##", "-0.13"},
        {"below half rounds down", 0.124, "0.##", "0.12"},
        {"no decimals", 2.5, "0.", "3."},
        {"sixteen integer digits, no exponent", 1234567890123456.0, k18, "1234567890123460."},
        {"twenty integer digits", 1e20, k18, "100000000000000000000."},
        {"largest double", std::numeric_limits<double>::max(), k12,
         "179769313486232" + std::string(294, '0') + "."},
        {"tiny value rounds to zero", 1e-20, k18, "0."},
        {"tiny negative value keeps its sign", -1e-20, k18, "-0."},
        {"smallest subnormal", 4.9406564584124654e-324, k12, "0."},
        {"point one plus point two", 0.1 + 0.2, k18, "0.3"},
        {"rounding carries into a new digit", 9.9999999999999999, k12, "10."},
        {"carry at the decimal limit", 0.9999999999995, k12, "1."},
        {"fifteen nines round to one", 0.999999999999999999, k18, "1."},
        {"small value with 18 places", 1.23456789e-10, k18, "0.000000000123456789"},
        {"small value cut at 12 places", 1.23456789e-10, k12, "0.000000000123"},
        {"small value rounding up into the 12th place", 5.5e-13, k12, "0.000000000001"},
        {"large negative", -123456.789, k16, "-123456.789"},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Format(c.value, c.pattern), c.expected);
    }
}

TEST(Format, RejectsOtherPatterns)
{
    for (const char* pattern : {"", "0", "#.##", "0.#0", "0,##"}) {
        SCOPED_TRACE(pattern);
        EXPECT_THROW(Format(1.0, pattern), std::invalid_argument);
    }
}

struct StrCase {
    const char* name;
    double value;
    const char* expected;
};

TEST(Str, RendersForASentence)
{
    // clang-format off
    const StrCase cases[] = {
        {"whole number", 2.0, " 2"},
        {"one", 1.0, " 1"},
        {"negative whole number", -1.0, "-1"},
        {"zero", 0.0, " 0"},
        {"negative zero", -0.0, " 0"},
        {"half", 0.5, " 0.5"},
        {"negative below one", -0.25, "-0.25"},
        {"a third", 1.0 / 3.0, " 0.333333333333333"},
        {"fifteen digits, rounded", 2.0 / 3.0, " 0.666666666666667"},
        {"mixed", -12.5, "-12.5"},
        {"fifteen integer digits", 123456789012345.0, " 123456789012345"},
        {"from 1E+15 the exponent form", 1e15, " 1E+15"},
        {"large with mantissa", -1.5e20, "-1.5E+20"},
        {"three-digit exponent", 1e300, " 1E+300"},
        {"smallest plain", 0.00001, " 0.00001"},
        {"below 1E-05 the exponent form", 1.25e-6, " 1.25E-06"},
        {"tie goes away from zero", 100000000000000.5, " 100000000000001"},
        {"sqrt 2", 1.4142135623730951, " 1.4142135623731"},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Str(c.value), c.expected);
    }
}

} // namespace
} // namespace zembrel
