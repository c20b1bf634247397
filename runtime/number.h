// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <compare>

namespace zembrel {

// A double whose every arithmetic result is checked the way the runtime
// checks it: a result beyond the double range raises error 6, a division by
// zero error 11, an invalid argument error 5. Integer constants widen to
// Number implicitly, so formulas read as they are written: 4 * a * c.
class Number {
public:
    constexpr Number() noexcept = default;
    constexpr Number(double value) noexcept : value_(value) {} // NOLINT(google-explicit-constructor)

    constexpr double value() const noexcept { return value_; }

    // Negation is exact and cannot overflow; -0 stays apart from 0 as in x * -1.
    friend constexpr Number operator-(Number a) noexcept { return Number(-a.value_); }
    friend Number operator+(Number a, Number b);
    friend Number operator-(Number a, Number b);
    friend Number operator*(Number a, Number b);
    friend Number operator/(Number a, Number b);

    // Exact comparison; -0 equals 0.
    friend constexpr bool operator==(Number a, Number b) noexcept { return a.value_ == b.value_; }
    friend constexpr std::partial_ordering operator<=>(Number a, Number b) noexcept { return a.value_ <=> b.value_; }

private:
    double value_ = 0.0;
};

// Square root; a negative argument raises error 5.
Number Sqr(Number x);
// Magnitude.
Number Abs(Number x);
// The power operator: std::pow with the exponent as a double, also for
// integer exponents, so that b ^ 2 rounds exactly as the runtime's does.
// A negative base with a non-integer exponent raises error 5.
Number Pow(Number base, Number exponent);
// The angle in [0, π] whose cosine is x; x outside [-1, 1] raises error 5.
Number Acos(Number x);
// Cosine of an angle in radians; every finite angle has one.
Number Cos(Number x);

} // namespace zembrel
