// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "exact_decimal.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace zembrel::fuzzing {

namespace {

// An unsigned integer in limbs of nine decimal digits, least significant first.
using BigInteger = std::vector<std::uint32_t>;
constexpr std::uint32_t kLimbBase = 1'000'000'000;

void multiply(BigInteger& n, std::uint32_t factor)
{
    std::uint64_t carry = 0;
    for (auto& limb : n) {
        const std::uint64_t product = std::uint64_t{limb} * factor + carry;
        limb = static_cast<std::uint32_t>(product % kLimbBase);
        carry = product / kLimbBase;
    }
    while (carry != 0) {
        n.push_back(static_cast<std::uint32_t>(carry % kLimbBase));
        carry /= kLimbBase;
    }
}

// Multiplies by base^count, `chunk` factors at a time.
void multiplyByPower(BigInteger& n, std::uint32_t base, int count, int chunk)
{
    while (count > 0) {
        const int step = count < chunk ? count : chunk;
        std::uint32_t factor = 1;
        for (int i = 0; i < step; ++i)
            factor *= base;
        multiply(n, factor);
        count -= step;
    }
}

std::string decimalText(const BigInteger& n)
{
    std::string text = std::to_string(n.back());
    for (auto it = n.rbegin() + 1; it != n.rend(); ++it) {
        char limb[16];
        std::snprintf(limb, sizeof limb, "%09u", static_cast<unsigned>(*it));
        text += limb;
    }
    return text;
}

void stripTrailingZeros(ExactDecimal& d)
{
    while (!d.digits.empty() && d.digits.back() == '0')
        d.digits.pop_back();
    if (d.digits.empty())
        d.pointPosition = 0;
}

// Keeps the first `keep` digits, rounding half away from zero on the rest.
void keepDigits(ExactDecimal& d, int keep)
{
    if (keep >= static_cast<int>(d.digits.size()))
        return;
    if (keep < 0) {
        // Less than a tenth of the rounding unit: nowhere near half of it.
        d.digits.clear();
        stripTrailingZeros(d);
        return;
    }
    const bool up = d.digits[static_cast<std::size_t>(keep)] >= '5';
    d.digits.resize(static_cast<std::size_t>(keep));
    if (up) {
        int i = keep - 1;
        while (i >= 0 && d.digits[static_cast<std::size_t>(i)] == '9')
            d.digits[static_cast<std::size_t>(i--)] = '0';
        if (i >= 0) {
            ++d.digits[static_cast<std::size_t>(i)];
        } else {
            d.digits.insert(d.digits.begin(), '1');
            ++d.pointPosition;
        }
    }
    stripTrailingZeros(d);
}

} // namespace

ExactDecimal exactDecimalOf(double value)
{
    if (value == 0.0)
        return {};
    // |value| = mantissa × 2^exponent with an integer mantissa below 2^53.
    int exponent = 0;
    const double fraction = std::frexp(std::fabs(value), &exponent);
    const auto mantissa = static_cast<std::uint64_t>(std::ldexp(fraction, 53));
    exponent -= 53;

    BigInteger n{static_cast<std::uint32_t>(mantissa % kLimbBase),
                 static_cast<std::uint32_t>(mantissa / kLimbBase % kLimbBase),
                 static_cast<std::uint32_t>(mantissa / kLimbBase / kLimbBase)};
    while (n.size() > 1 && n.back() == 0)
        n.pop_back();

    ExactDecimal d;
    if (exponent >= 0) {
        multiplyByPower(n, 2, exponent, 29);
        d.digits = decimalText(n);
        d.pointPosition = static_cast<int>(d.digits.size());
    } else {
        // m × 2^-k = m × 5^k × 10^-k.
        multiplyByPower(n, 5, -exponent, 12);
        d.digits = decimalText(n);
        d.pointPosition = static_cast<int>(d.digits.size()) + exponent;
    }
    stripTrailingZeros(d);
    return d;
}

void roundToDecimals(ExactDecimal& d, int decimals) { keepDigits(d, d.pointPosition + decimals); }

void roundToSignificantDigits(ExactDecimal& d, int count) { keepDigits(d, count); }

std::optional<double> nearestDouble(const ExactDecimal& d, bool negative)
{
    if (d.digits.empty())
        return negative ? -0.0 : 0.0;
    const std::string text = (negative ? "-0." : "0.") + d.digits + "e" + std::to_string(d.pointPosition);
    const double value = std::strtod(text.c_str(), nullptr);
    if (std::isinf(value))
        return std::nullopt;
    return value;
}

} // namespace zembrel::fuzzing
