// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Exact real numbers that know how to round themselves. A value is a
// rational, a quadratic surd u + v·√m, a part of an algebraic number known
// by a squarefree polynomial and an enclosure that isolates it, or a
// polynomial's value at a real algebraic number. Every sign, comparison and
// rounding is decided for the exact value: from Arb's enclosures at growing
// precision, and, where a value sits exactly on a boundary (0, a tie between
// two roundings), by an exact test.

#include "flint.h"

#include <gmpxx.h>

#include <cstddef>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace zembrel::engine {

// The distinct complex roots of a squarefree integer polynomial, each in an
// enclosure that holds it and no other root: real roots first in ascending
// order, then the others, each root of positive imaginary part followed by
// its conjugate. Enclosures narrow on demand; the order never changes.
class RootSet {
public:
    // Enclosures of every root in the order above, at about `precision` bits.
    using Isolator = std::function<std::vector<Acb>(long precision)>;

    // The roots as Arb isolates them.
    explicit RootSet(FmpzPoly squarefree);
    // The roots from a closed form (a cubic's): `isolate` gives each root's
    // enclosure, `realCount` of them real.
    RootSet(FmpzPoly squarefree, std::size_t realCount, Isolator isolate);
    RootSet(const RootSet&) = delete;
    RootSet& operator=(const RootSet&) = delete;
    ~RootSet() = default;

    const FmpzPoly& polynomial() const { return polynomial_; }
    std::size_t size() const { return size_; }
    std::size_t realCount() const { return realCount_; }
    // Every root's enclosure, with about `precision` bits right.
    std::vector<Acb> enclosures(long precision) const;
    Acb enclose(std::size_t index, long precision) const;

private:
    // Narrows the enclosures to `precision`; the mutex held.
    void refine(long precision) const;
    // Every root, by Arb, to `precision` bits.
    void isolate(acb_ptr roots, long precision) const;

    FmpzPoly polynomial_;
    FmpzPoly scaled_; // P(2^scale_·y), whose roots lie around the unit circle
    long scale_ = 0;
    std::size_t size_ = 0;
    std::size_t realCount_ = 0;
    Isolator isolate_;
    mutable std::mutex mutex_;
    mutable long precision_ = 0;
    mutable std::vector<Acb> roots_;
};

// One root of a RootSet.
struct AlgebraicRoot {
    std::shared_ptr<const RootSet> set;
    std::size_t index = 0;
    bool real() const { return index < set->realCount(); }
};

// Digits a value is rounded to: |value| = 0.d₁d₂…dₙ × 10^pointPosition.
struct RoundedDecimal {
    bool negative = false;
    std::string digits; // no leading or trailing zero; empty for zero
    long pointPosition = 0;
    friend bool operator==(const RoundedDecimal&, const RoundedDecimal&) = default;
};

enum class Tie { ToEven, AwayFromZero };

class Real {
public:
    Real();                       // 0
    Real(const mpq_class& value); // NOLINT(google-explicit-constructor): a rational is a real
    Real(long value);             // NOLINT(google-explicit-constructor)
    // num/den (den ≠ 0) left unreduced until its lowest terms are asked
    // for: rounding and deciding never need them, and reducing numbers of a
    // million digits takes a greatest common divisor of a third of a second.
    static Real Quotient(const mpz_class& num, const mpz_class& den);
    // u + v·√m, m > 1 free of square factors (m = 1 or v = 0: the rational u + v).
    static Real Surd(const mpq_class& u, const mpq_class& v, const mpz_class& m);
    // (U + V·√m)/W, unreduced as Quotient is; m > 1 and no perfect square.
    static Real SurdQuotient(const mpz_class& U, const mpz_class& V, const mpz_class& m, const mpz_class& W);
    // The real or the imaginary part of an algebraic number.
    enum class Part { Real, Imaginary };
    static Real PartOf(const AlgebraicRoot& root, Part part);
    // p(c) for a real algebraic number c.
    static Real ValueAt(const FmpqPoly& p, const AlgebraicRoot& c);

    bool isRational() const;
    const mpq_class& rational() const; // only when isRational(); in lowest terms
    bool isSurd() const;               // u + v√m with v ≠ 0, m > 1 and no square
    const mpq_class& surdU() const;
    const mpq_class& surdV() const;
    const mpz_class& surdM() const;

    int sign() const;
    friend int Compare(const Real& a, const Real& b);
    Real operator-() const;

    // An enclosure with about `precision` bits right (fewer where the value
    // is ill-conditioned; asking for more then gives more).
    Arb enclose(long precision) const;
    // Whether the value is exactly t.
    bool equals(const mpq_class& t) const;

    // The nearest double, ties to even; none beyond the largest double.
    std::optional<double> nearestDouble() const;
    // Rounded once to `digits` significant digits.
    RoundedDecimal significant(int digits, Tie tie) const;
    // The protocol's DECIMAL: 20 significant digits, ties to even.
    std::string decimal20() const;

    struct Data;

private:
    explicit Real(std::shared_ptr<const Data> data) : data_(std::move(data)) {}
    RoundedDecimal roundOnce(int digits, Tie tie) const;
    std::shared_ptr<const Data> data_;
};

// A complex number re + im·i.
struct Complex {
    Real re;
    Real im;
    bool isReal() const { return im.sign() == 0; }
};

// "p" or "p/q" in lowest terms.
std::string RationalText(const mpq_class& value);
// n's digits, "-123".
std::string IntegerText(const mpz_class& n);
// Numbers longer than this take a noticeable time to write in decimal.
inline constexpr std::size_t kLongTextBits = 4096;
// The DECIMAL form of digits: "0.35", "-3.3333333333333333333e-11", "0".
std::string DecimalText(const RoundedDecimal& rounded);
// The value a RoundedDecimal writes, exactly.
mpq_class ValueOf(const RoundedDecimal& rounded);

} // namespace zembrel::engine
