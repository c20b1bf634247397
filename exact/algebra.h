// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The exact roots of the panels' equations, shared by the analysis and by the
// panels' solve and check.

#include "rounding.h"

#include <gmpxx.h>

#include <optional>
#include <span>
#include <vector>

namespace zembrel::exact {

// u + v·√m, times i when imaginary; m = 1 makes it rational (v counts then).
// A number without an exact form (an irrational root of a cubic) carries its
// enclosure instead.
struct ExactValue {
    mpq_class u;
    mpq_class v;
    mpz_class m = 1;
    bool known = true; // false: only `enclose` knows the value
    Enclosure enclose;

    bool rational() const { return known && (m == 1 || v == 0); }
    mpq_class rationalValue() const { return u + v; } // when rational and real
};

inline ExactValue MakeValue(const mpq_class& u, const mpq_class& v, const mpz_class& m)
{
    ExactValue value;
    value.u = u;
    value.v = v;
    value.m = m;
    return value;
}

struct ComplexRoot {
    ExactValue re;
    ExactValue im; // zero for a real root
    int multiplicity = 1;
    bool real() const { return im.known && im.u == 0 && im.v == 0; }
};

// num/den in lowest terms (den ≠ 0). Decimal numbers carry long powers of 2
// and 5, and the formulas a few 3s, in both parts: those are counted out, so
// the greatest common divisor left to take is mostly of one short number, and
// a coefficient of a million digits costs milliseconds rather than seconds.
mpq_class Reduced(mpz_class num, mpz_class den);

// Terms multiplied by the least common multiple of their denominators, which
// leaves an equation's solutions as they were: whole numbers, and that multiple.
std::vector<mpz_class> WholeTerms(std::span<const mpq_class* const> terms, mpz_class& multiple);

// √r = k·√m with m free of every square factor below 10^4 (and a perfect
// square cofactor taken out); r ≥ 0. For r of more than 10 000 bits, whose
// exact form is never written, only a rational root is told apart (m = 1).
void SimplestSqrt(const mpq_class& r, mpq_class& k, mpz_class& m);

// b² − 4ac, and x ÷ y (y ≠ 0), reduced as Reduced does.
mpq_class QuadraticDiscriminant(const mpq_class& a, const mpq_class& b, const mpq_class& c);
mpq_class Quotient(const mpq_class& x, const mpq_class& y);

// Roots of a·x² + b·x + c with a ≠ 0, in the protocol's order.
std::vector<ComplexRoot> QuadraticRoots(const mpq_class& a, const mpq_class& b, const mpq_class& c);

// The +√D root of a·x² + b·x + c (D = b² − 4ac ≥ 0).
ExactValue PlusRoot(const mpq_class& a, const mpq_class& b, const mpq_class& c, bool plus);

// Roots of x³ + p·x + q in the protocol's order; rationalRoot tells whether an
// exact form was found for every root.
struct CubicRoots {
    std::vector<ComplexRoot> roots;
    std::optional<mpq_class> rationalRoot;
    bool searched = true; // false: the coefficients were too long to look for a rational root
};
CubicRoots SolveCubicExact(const mpq_class& p, const mpq_class& q);
// Without findRational the roots are known by their enclosures only, which is
// all rounding them needs: no exact form, and no search for a rational root.
CubicRoots SolveCubicExact(const mpq_class& p, const mpq_class& q, const mpq_class& discriminant,
                           bool findRational = true);
mpq_class CubicDiscriminant(const mpq_class& p, const mpq_class& q);

Interval EncloseValue(const ExactValue& value, mpfr_prec_t precision);
Rounded RoundValue(const ExactValue& value);

// The checks' verdict: every shown value lies within 1e-7 × (the largest
// magnitude among the exact values) of its exact value. Decided on the exact
// values; only a shown value exactly on the bound is left to the precision limit.
bool ShownValuesHold(std::span<const double> shown, std::span<const ExactValue> exact);

} // namespace zembrel::exact
