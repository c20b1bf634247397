// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <optional>
#include <string>

namespace zembrel::fuzzing {

// A non-negative decimal 0.d1d2d3... × 10^pointPosition; no digits is zero.
struct ExactDecimal {
    std::string digits;
    int pointPosition = 0;
};

// The exact decimal value of |value| for a finite double, worked out with
// big-integer arithmetic on its binary mantissa and exponent. Slow, and on
// purpose unrelated to the C library's number printing, so that it can judge
// code that relies on it.
ExactDecimal exactDecimalOf(double value);

// Keeps at most `decimals` digits after the point, rounding half away from
// zero on the exact remainder.
void roundToDecimals(ExactDecimal& d, int decimals);

// Keeps `count` significant digits, rounding half away from zero.
void roundToSignificantDigits(ExactDecimal& d, int count);

// The double nearest to the decimal with the given sign, by strtod; nothing
// when it lies beyond the double range.
std::optional<double> nearestDouble(const ExactDecimal& d, bool negative);

} // namespace zembrel::fuzzing
