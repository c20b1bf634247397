// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Rounding exact values once, correctly: to the nearest double (what a field
// shows) and to 20 significant decimal digits (the protocol's DECIMAL).

#include <gmpxx.h>
#include <mpfr.h>

#include <functional>
#include <optional>
#include <string>

namespace zembrel::exact {

// The nearest double (ties to even, subnormals included); none when the value
// rounds beyond the largest double.
std::optional<double> NearestDouble(const mpq_class& value);

// "p" or "p/q" in lowest terms.
std::string RationalText(const mpq_class& value);

// Correctly rounded to 20 significant digits (ties to even): "0.35",
// "2.6180339887498948482", "-3.3333333333333333333e-11", "0".
std::string DecimalText(const mpq_class& value);

// A closed interval [lo, hi] of binary numbers known to hold a value.
class Interval {
public:
    explicit Interval(mpfr_prec_t precision);
    Interval(const Interval& other);
    Interval& operator=(const Interval& other);
    ~Interval();

    static Interval Of(const mpq_class& value, mpfr_prec_t precision);
    static Interval Sqrt(const mpz_class& n, mpfr_prec_t precision);
    // Ends given exactly (as binary numbers of at most `precision` bits).
    static Interval Between(mpfr_srcptr lo, mpfr_srcptr hi, mpfr_prec_t precision);

    Interval operator+(const Interval& other) const;
    Interval operator-(const Interval& other) const;
    Interval operator*(const Interval& other) const;
    Interval operator/(const Interval& other) const; // other must not hold 0
    Interval sqrt() const;                           // of the part at or above 0
    Interval operator-() const;

    mpfr_srcptr lo() const { return lo_; }
    mpfr_srcptr hi() const { return hi_; }
    mpfr_prec_t precision() const { return mpfr_get_prec(lo_); }

private:
    mpfr_t lo_{};
    mpfr_t hi_{};
};

// A value known through enclosures that narrow as the precision grows.
using Enclosure = std::function<std::optional<Interval>(mpfr_prec_t precision)>;

struct Rounded {
    std::string decimal;           // DECIMAL
    std::optional<double> nearest; // none: beyond the largest double
    bool decided = true;           // false only when the precision limit was reached first
};

// Raises the precision until both roundings are decided (Ziv's strategy). The
// value must be irrational or the enclosures exact, or a tie never decides;
// the precision stops at a limit that keeps every call well under a second.
Rounded RoundEnclosed(const Enclosure& enclose);

Rounded RoundRational(const mpq_class& value);

} // namespace zembrel::exact
