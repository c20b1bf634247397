// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "conversion.h"
#include "exact_number.h"
#include "real.h"
#include "runtime_error.h"

#include <gtest/gtest.h>
#include <mpfr.h>

#include <array>
#include <cmath>
#include <optional>
#include <random>
#include <string>
#include <vector>

using namespace zembrel;
using engine::Real;

namespace {

std::optional<double> valOrOverflow(const std::string& text)
{
    try {
        return Val(text);
    } catch (const RuntimeError&) {
        return std::nullopt;
    }
}

struct ReaderRow {
    const char* name;
    std::string text;
    const char* value; // RATIONAL
    bool whole;
    bool overflow;
};

const std::string kBeyondLargest = "18" + std::string(307, '0');

const ReaderRow kReaderRows[] = {
    {"empty", "", "0", true, false},
    {"blanks", " \t ", "0", true, false},
    {"one tenth", "0.1", "1/10", true, false},
    {"exponent", "2.5e-3", "1/400", true, false},
    {"blanks anywhere", " - 1 2 . 5 E + 1 ", "-125", true, false},
    {"capital E", "3E2", "300", true, false},
    {"point first", ".5", "1/2", true, false},
    {"point last", "7.", "7", true, false},
    {"fraction stops", "1/3", "1", false, false},
    {"comma stops", "1,5", "1", false, false},
    {"letters", "3x", "3", false, false},
    {"full-width digits", "１２", "0", false, false},
    {"sign alone", "-", "0", false, false},
    {"exponent without digits", "1e", "1", false, false},
    {"exponent sign without digits", "1e+", "1", false, false},
    {"second point", "1.2.3", "6/5", false, false},
    {"two signs", "+-1", "0", false, false},
    {"largest double", "1.7976931348623157e308", nullptr, true, false},
    {"beyond the largest double, and still told", "1.8e308", kBeyondLargest.c_str(), true, true},
    {"huge exponent", "1e999999999999", "0", true, true},
    {"zero with huge exponent", "0e999999999999", "0", true, false},
    {"far below the smallest double", "1e-400", nullptr, true, false},
};

TEST(ExactReader, ReadsWhatValReads)
{
    for (const ReaderRow& row : kReaderRows) {
        SCOPED_TRACE(row.name);
        const ExactNumber number = ReadExact(row.text);
        EXPECT_EQ(number.whole, row.whole);
        EXPECT_EQ(number.overflow, row.overflow);
        if (row.value) {
            EXPECT_EQ(number.value.get_str(), row.value);
        }
        const std::optional<double> val = valOrOverflow(row.text);
        EXPECT_EQ(!val, number.overflow);
        if (val && !number.overflow) {
            EXPECT_EQ(Real(number.value).nearestDouble(), *val);
        }
    }
}

TEST(ExactReader, AstronomicalExponentsAreReadAsValReadsThem)
{
    // Below 10^-1000000 only the flush keeps the exact value from taking gigabytes.
    const ExactNumber tiny = ReadExact("-7e-999999999");
    EXPECT_TRUE(tiny.flushed);
    EXPECT_EQ(tiny.value, 0);
    EXPECT_EQ(Val("-7e-999999999"), 0);
    // A million written digits stay exact.
    const std::string written = "0." + std::string(999'990, '0') + "3";
    const ExactNumber small = ReadExact(written);
    EXPECT_FALSE(small.flushed);
    EXPECT_EQ(small.value * mpq_class(mpz_class("1" + std::string(999'991, '0'))), 3);
}

TEST(ExactReader, AgreesWithValOnRandomTexts)
{
    std::mt19937_64 random(18);
    const std::string alphabet = "0123456789.eE+- \t";
    for (int i = 0; i < 20000; ++i) {
        std::string text;
        const int length = static_cast<int>(random() % 30);
        for (int k = 0; k < length; ++k)
            text += alphabet[random() % alphabet.size()];
        if (i % 3 == 0)
            text = std::to_string(random() % 1000) + "." + std::to_string(random()) + "e"
                   + std::to_string(static_cast<int>(random() % 700) - 350);
        const ExactNumber number = ReadExact(text);
        const std::optional<double> val = valOrOverflow(text);
        ASSERT_EQ(!val, number.overflow) << text;
        if (val) {
            ASSERT_EQ(Real(number.value).nearestDouble(), *val) << text;
        }
    }
}

TEST(ExactReader, SubnormalsAndTheOverflowEdge)
{
    // Around the smallest subnormal, half of it, and the largest double's rounding edge.
    for (const char* text :
         {"4.9406564584124654e-324", "2.4703282292062327e-324", "2.4703282292062328e-324", "2.2250738585072011e-308",
          "1.7976931348623158e308", "1.797693134862315807e308", "-1.797693134862315808e308", "1e-323", "3e-324"}) {
        SCOPED_TRACE(text);
        const ExactNumber number = ReadExact(text);
        const std::optional<double> val = valOrOverflow(text);
        ASSERT_EQ(!val, number.overflow);
        if (val) {
            EXPECT_EQ(Real(number.value).nearestDouble(), *val);
        }
    }
}

struct DecimalRow {
    const char* name;
    const char* rational;
    const char* decimal;
};

TEST(ExactRounding, RationalsHaveTwentyCorrectDigits)
{
    const DecimalRow rows[] = {
        {"zero", "0", "0"},
        {"short", "7/20", "0.35"},
        {"third", "-1/3", "-0.33333333333333333333"},
        {"small", "-1/30000000000", "-3.3333333333333333333e-11"},
        {"rounds up to a power of ten", "99999999999999999999999/1000", "1e20"},
        {"tie to even", "100000000000000000005/10", "10000000000000000000"},
        {"large integer", "123456789012345678901234", "1.234567890123456789e23"},
    };
    for (const DecimalRow& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(Real(mpq_class(row.rational)).decimal20(), row.decimal);
    }
}

} // namespace
