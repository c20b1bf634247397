// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Any double through Format under each result pattern and through Str: the
// text has the promised shape, and reading it back gives the value rounded
// as promised, judged against an exact decimal expansion of the double.

#include "conversion.h"
#include "exact_decimal.h"
#include "runtime_error.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>

using namespace zembrel;
using namespace zembrel::fuzzing;

namespace {

[[noreturn]] void fail(const char* what, double value, const std::string& text)
{
    std::fprintf(stderr, "%s: value %.17g (%a), text \"%s\"\n", what, value, value, text.c_str());
    std::abort();
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Val of the text, or nothing when it raises the overflow error.
std::optional<double> readBack(const std::string& text)
{
    try {
        return Val(text);
    } catch (const RuntimeError& error) {
        if (error.number() != RuntimeError::Overflow)
            throw;
        return std::nullopt;
    }
}

void checkFormat(double value, int decimals)
{
    const std::string pattern = "0." + std::string(static_cast<std::size_t>(decimals), '#');
    const std::string text = Format(value, pattern);

    // -?digits.digits, at least one digit before the point, at most `decimals`
    // after it and no trailing zero among them.
    std::size_t i = 0;
    if (i < text.size() && text[i] == '-') {
        if (!(value < 0.0))
            fail("minus sign on a value that is not negative", value, text);
        ++i;
    }
    const std::size_t integerStart = i;
    while (i < text.size() && isDigit(text[i]))
        ++i;
    if (i == integerStart)
        fail("no digit before the point", value, text);
    if (i == text.size() || text[i] != '.')
        fail("no point after the integer digits", value, text);
    const std::size_t decimalStart = ++i;
    while (i < text.size() && isDigit(text[i]))
        ++i;
    if (i != text.size())
        fail("unexpected character (exponent form?)", value, text);
    if (i - decimalStart > static_cast<std::size_t>(decimals))
        fail("more decimals than the pattern allows", value, text);
    if (i > decimalStart && text.back() == '0')
        fail("trailing zero decimal", value, text);

    ExactDecimal expected = exactDecimalOf(value);
    roundToSignificantDigits(expected, 15);
    roundToDecimals(expected, decimals);
    if (value < 0.0 && !expected.digits.empty() && text.front() != '-')
        fail("negative value without its minus sign", value, text);
    const std::optional<double> wanted = nearestDouble(expected, value < 0.0);
    const std::optional<double> read = readBack(text);
    if (wanted.has_value() != read.has_value() || (wanted && *wanted != *read))
        fail("Val of the Format text is not the rounded value", value, text);
}

void checkStr(double value)
{
    const std::string text = Str(value);
    if (text.empty() || text.front() != (value < 0.0 ? '-' : ' '))
        fail("Str does not start with its sign or blank", value, text);
    ExactDecimal expected = exactDecimalOf(value);
    roundToSignificantDigits(expected, 15);
    const std::optional<double> wanted = nearestDouble(expected, value < 0.0);
    const std::optional<double> read = readBack(text);
    if (wanted.has_value() != read.has_value() || (wanted && *wanted != *read))
        fail("Val of the Str text is not the value to 15 significant digits", value, text);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < sizeof(double))
        return 0;
    double value = 0.0;
    std::memcpy(&value, data, sizeof value);
    if (!std::isfinite(value))
        return 0;
    for (const int decimals : {18, 16, 12})
        checkFormat(value, decimals);
    checkStr(value);
    return 0;
}
