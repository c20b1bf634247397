// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "conversion.h"
#include "number_text.h"

#include "runtime_error.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cassert>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <stdexcept>
#include <system_error>

namespace zembrel {

namespace {

constexpr int kSignificantDigits = 15;

// An exact non-negative decimal: 0.d1d2d3... × 10^pointPosition, that is,
// pointPosition digits stand before the point. No digits means zero.
struct Decimal {
    std::string digits;
    int pointPosition = 0;

    bool isZero() const { return digits.empty(); }
};

void stripTrailingZeros(Decimal& d)
{
    const auto last = d.digits.find_last_not_of('0');
    d.digits.erase(last == std::string::npos ? 0 : last + 1);
}

// Adds one unit in the last place of d.digits, carrying to the left.
void incrementLastDigit(Decimal& d)
{
    for (auto it = d.digits.rbegin(); it != d.digits.rend(); ++it) {
        if (*it != '9') {
            ++*it;
            return;
        }
        *it = '0';
    }
    d.digits.insert(d.digits.begin(), '1');
    ++d.pointPosition;
}

// Keeps the first `keep` digits and rounds half away from zero on the digit
// after them. The digits are exact, so "5 and more" is "at or above half".
void roundToDigitCount(Decimal& d, int keep)
{
    if (keep >= static_cast<int>(d.digits.size()))
        return;
    if (keep < 0) {
        d.digits.clear();
        return;
    }
    const bool up = d.digits[static_cast<std::size_t>(keep)] >= '5';
    d.digits.resize(static_cast<std::size_t>(keep));
    if (up) {
        if (d.digits.empty()) {
            d.digits = "1";
            ++d.pointPosition;
        } else {
            incrementLastDigit(d);
        }
    }
    stripTrailingZeros(d);
}

// The decimal digits of |value| in scientific form, correctly rounded to
// `digits` significant digits by the C library (which rounds exactly).
Decimal scientificDigits(double magnitude, int digits, std::string& buffer)
{
    buffer.resize(static_cast<std::size_t>(digits) + 16);
    const int length = std::snprintf(buffer.data(), buffer.size(), "%.*e", digits - 1, magnitude);
    assert(length > 0 && static_cast<std::size_t>(length) < buffer.size());
    const std::string_view text(buffer.data(), static_cast<std::size_t>(length));
    const auto e = text.find('e');
    Decimal d;
    d.digits.reserve(static_cast<std::size_t>(digits));
    for (char c : text.substr(0, e)) {
        if (c != '.')
            d.digits.push_back(c);
    }
    int exponent = 0;
    const auto exponentText = text.substr(e + 1);
    const char* first = exponentText.data() + (exponentText.front() == '+' ? 1 : 0);
    std::from_chars(first, exponentText.data() + exponentText.size(), exponent);
    d.pointPosition = exponent + 1;
    return d;
}

// How many significant digits are enough to print a positive double exactly.
// As m × 2^e with m odd and e < 0 its expansion ends at decimal place -e;
// with e >= 0 it is an integer. One digit spare covers log10 landing just
// below a power of ten.
int exactDigitCount(double magnitude)
{
    int exponent = 0;
    const double fraction = std::frexp(magnitude, &exponent);
    const auto mantissa = static_cast<std::uint64_t>(std::ldexp(fraction, 53));
    exponent += std::countr_zero(mantissa) - 53;
    const int integerDigits = static_cast<int>(std::floor(std::log10(magnitude))) + 1;
    return integerDigits + (exponent < 0 ? -exponent : 0) + 1;
}

// True when the digits after the fifteenth read a half: "5", then only zeros.
bool readsHalf(const Decimal& d)
{
    return d.digits.size() > kSignificantDigits && d.digits[kSignificantDigits] == '5'
           && d.digits.find_first_not_of('0', kSignificantDigits + 1) == std::string::npos;
}

// |value| rounded to 15 significant digits, halves away from zero, judged on
// the exact decimal value of the double. The C library rounds halves to even,
// so a tie is settled here: eighteen correctly rounded digits tell on which
// side of the half the value lies unless they read a half themselves; then
// twenty-eight digits tell, and only if those read a half too is the whole
// expansion printed (up to 767 digits). No step prints more digits than the
// double has, and digits that are already exact settle the tie as they stand.
Decimal roundToSignificant(double magnitude)
{
    if (magnitude == 0.0)
        return {};
    std::string buffer;
    Decimal d = scientificDigits(magnitude, kSignificantDigits + 3, buffer);
    for (const int wider : {28, 767}) {
        if (!readsHalf(d))
            break;
        const int digits = std::min(wider, exactDigitCount(magnitude));
        if (digits <= static_cast<int>(d.digits.size()))
            break;
        d = scientificDigits(magnitude, digits, buffer);
    }
    roundToDigitCount(d, kSignificantDigits);
    return d;
}

std::string fixedText(const Decimal& d)
{
    std::string text;
    const int count = static_cast<int>(d.digits.size());
    if (d.pointPosition <= 0) {
        text = "0.";
        text.append(static_cast<std::size_t>(-d.pointPosition), '0');
        text += d.digits;
        return text;
    }
    if (d.pointPosition >= count) {
        text = d.digits;
        text.append(static_cast<std::size_t>(d.pointPosition - count), '0');
        return text + '.';
    }
    text = d.digits.substr(0, static_cast<std::size_t>(d.pointPosition));
    text += '.';
    text += d.digits.substr(static_cast<std::size_t>(d.pointPosition));
    return text;
}

int decimalPlacesOf(std::string_view pattern)
{
    if (pattern.size() < 2 || pattern.substr(0, 2) != "0."
        || pattern.find_first_not_of('#', 2) != std::string_view::npos)
        throw std::invalid_argument("unsupported number pattern");
    return static_cast<int>(pattern.size() - 2);
}

} // namespace

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

namespace {
bool isDigit(char c) { return c >= '0' && c <= '9'; }
} // namespace

NumberText ScanNumber(std::string_view input)
{
    NumberText number;
    std::size_t i = 0;
    const auto skipBlanks = [&] {
        while (i < input.size() && IsBlank(input[i]))
            ++i;
    };
    const auto peek = [&]() -> char {
        skipBlanks();
        return i < input.size() ? input[i] : '\0';
    };

    if (const char sign = peek(); sign == '+' || sign == '-') {
        if (sign == '-')
            number.text += '-';
        ++i;
    }

    std::string mantissa;
    long long integerDigits = 0;
    long long leadingFractionZeros = 0;
    bool seenPoint = false;
    bool seenSignificant = false;
    for (char c = peek(); isDigit(c) || (c == '.' && !seenPoint); c = peek()) {
        ++i;
        if (c == '.') {
            seenPoint = true;
            mantissa += c;
            continue;
        }
        number.hasDigits = true;
        mantissa += c;
        if (c != '0')
            seenSignificant = true;
        if (!seenPoint && seenSignificant)
            ++integerDigits;
        if (seenPoint && !seenSignificant)
            ++leadingFractionZeros;
    }
    if (!number.hasDigits)
        return number;
    number.text += mantissa;

    long long exponent = 0;
    if (const char e = peek(); e == 'E' || e == 'e') {
        const std::size_t mark = i;
        ++i;
        std::string exponentText = "e";
        bool negative = false;
        if (const char sign = peek(); sign == '+' || sign == '-') {
            negative = sign == '-';
            exponentText += sign;
            ++i;
        }
        bool exponentDigits = false;
        for (char c = peek(); isDigit(c); c = peek()) {
            ++i;
            exponentDigits = true;
            exponentText += c;
            // Saturate: any exponent this large is out of range either way.
            exponent = std::min(exponent * 10 + (c - '0'), kExponentLimit);
        }
        if (exponentDigits) {
            number.text += exponentText;
            if (negative)
                exponent = -exponent;
            number.exponent = exponent;
        } else {
            i = mark; // "1e" is the number 1 followed by text
        }
    }
    number.end = i;
    number.magnitude = (integerDigits > 0 ? integerDigits - 1 : -leadingFractionZeros - 1) + exponent;
    return number;
}

double Val(std::string_view text)
{
    const NumberText number = ScanNumber(text);
    if (!number.hasDigits)
        return 0.0;
    double value = 0.0;
    const char* first = number.text.data();
    const char* last = first + number.text.size();
    const auto [end, error] = std::from_chars(first, last, value);
    if (error == std::errc::result_out_of_range) {
        // Far too small rounds to zero; far too large is an overflow.
        if (number.magnitude < 0)
            return number.text.front() == '-' ? -0.0 : 0.0;
        throw RuntimeError(RuntimeError::Overflow);
    }
    assert(error == std::errc{} && end == last);
    (void)end;
    return value;
}

SignificantDigits Significant(double value)
{
    Decimal d = roundToSignificant(std::fabs(value));
    stripTrailingZeros(d);
    return {value < 0.0 && !d.isZero(), d.digits, d.isZero() ? 0 : d.pointPosition};
}

std::string Format(double value, std::string_view pattern)
{
    // -0 and values that round to 0 keep the sign of the value.
    SignificantDigits s = Significant(value);
    s.negative = value < 0.0;
    return Format(s, pattern);
}

std::string Format(const SignificantDigits& value, std::string_view pattern)
{
    const int decimals = decimalPlacesOf(pattern);
    Decimal d{value.digits, value.pointPosition};
    roundToDigitCount(d, d.pointPosition + decimals);
    if (d.isZero())
        d.pointPosition = 0;
    return (value.negative ? "-" : "") + fixedText(d);
}

std::string Str(double value)
{
    SignificantDigits s = Significant(value);
    s.negative = value < 0.0;
    return Str(s);
}

std::string Str(const SignificantDigits& value)
{
    Decimal d{value.digits, value.pointPosition};
    stripTrailingZeros(d);
    const std::string sign = value.negative ? "-" : " ";
    if (d.isZero())
        return sign + "0";
    const int exponent = d.pointPosition - 1;
    if (exponent >= -5 && exponent < kSignificantDigits) {
        std::string text = fixedText(d);
        if (text.back() == '.')
            text.pop_back();
        return sign + text;
    }
    std::string mantissa = d.digits.substr(0, 1);
    if (d.digits.size() > 1)
        mantissa += '.' + d.digits.substr(1);
    std::array<char, 16> buffer{};
    std::snprintf(buffer.data(), buffer.size(), "E%c%02d", exponent < 0 ? '-' : '+', std::abs(exponent));
    return sign + mantissa + buffer.data();
}

} // namespace zembrel
