// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Polynomials in one unknown with rational coefficients: their exact
// factorisation over the rationals (FLINT), every distinct root with its
// multiplicity and certified enclosures (Arb), the exact form of each root
// where a textbook has one, and the turning points of the curve.

#include "flint.h"
#include "formula.h"
#include "real.h"

#include <gmpxx.h>

#include <cstddef>
#include <memory>
#include <optional>
#include <span>
#include <vector>

namespace zembrel::engine {

class Polynomial {
public:
    Polynomial() = default; // 0
    // Highest power first, as a textbook writes it; leading zeros drop.
    static Polynomial FromHighestFirst(std::span<const mpq_class> coefficients);
    static Polynomial FromLowestFirst(std::vector<mpq_class> coefficients);

    int degree() const { return static_cast<int>(lowestFirst_.size()) - 1; } // −1 for 0
    bool isZero() const { return lowestFirst_.empty(); }
    const mpq_class& coefficient(int power) const; // 0 beyond the degree
    const mpq_class& leading() const { return lowestFirst_.back(); }
    std::vector<mpq_class> highestFirst() const; // {0} for the zero polynomial
    const std::vector<mpq_class>& lowestFirst() const { return lowestFirst_; }
    FmpqPoly flint() const;
    Polynomial derivative() const;
    // The total length of the coefficients in bits: how long exact work on them takes.
    std::size_t bits() const;

private:
    std::vector<mpq_class> lowestFirst_;
};

// A factor over the rationals: a primitive integer polynomial with a
// positive leading coefficient, irreducible unless the factorisation says it
// was not completed.
struct Factor {
    FmpzPoly polynomial;
    int multiplicity = 1;
    int degree() const;
    std::vector<mpq_class> highestFirst() const;
};

struct Factorisation {
    mpq_class unit; // the polynomial is unit × Π factorᵐ
    // Linear factors first (by their root, ascending), then by degree.
    std::vector<Factor> factors;
    // False where the coefficients were too long to factor completely: the
    // factors are then squarefree and coprime, but perhaps not irreducible.
    bool complete = true;
};

// Coefficients longer than this together are not factored completely: a
// field of a million digits must not wait for a factorisation.
inline constexpr std::size_t kFactorBits = 20000;

Factorisation Factorise(const Polynomial& p); // p of degree ≥ 1

// How a root's exact form is written.
enum class RootForm {
    Rational,         // a fraction
    QuadraticFormula, // (−b ± √Δ)/(2a), simplified
    Cardano,          // cube roots of an irreducible cubic with one real root
    Trigonometric,    // cosines of an irreducible cubic with three real roots
    Numeric,          // no exact form: certified decimals only
};

class ClosedForms;

struct PolyRoot {
    Complex value;
    int multiplicity = 1;
    std::size_t factor = 0; // which factor of the factorisation it is a root of
    RootForm form = RootForm::Numeric;
    // Which root of its factor: the index among the factor's roots in the
    // order of Roots() (for a quadratic 0 is the −√Δ root, 1 the +√Δ one).
    std::size_t branch = 0;
    std::optional<AlgebraicRoot> algebraic; // roots of factors of degree ≥ 3
    // Cardano and Trigonometric roots: the exact forms of their factor's roots, by branch.
    std::shared_ptr<const ClosedForms> closedForms;
};

// Every distinct root: real roots first in ascending order, then complex
// roots by ascending real part, each with positive imaginary part before
// its conjugate (and of equal real parts, the smaller imaginary part first).
std::vector<PolyRoot> Roots(const Factorisation& f);

// A root's exact form as a textbook writes it; nullptr where it has none or
// its numbers are too long to write. Made on demand: reducing the fractions
// of a million-digit equation takes a third of a second.
FormulaPtr ExactForm(const PolyRoot& root, const Factorisation& f);

// u ± v·√m over one denominator, "(3 − √5)/2"; times i when imaginary.
FormulaPtr SurdFormula(const mpq_class& u, const mpq_class& v, const mpz_class& m, bool imaginary = false);
// (q/2)² + (p/3)³: the discriminant a textbook takes of x³ + p·x + q.
mpq_class CubicDiscriminant(const mpq_class& p, const mpq_class& q);

// √r simplified: r = k²·m with m free of square factors (those below 10⁴
// where r is long); r ≥ 0.
void SimplestSqrt(const mpq_class& r, mpq_class& k, mpz_class& m);

enum class CriticalKind { Maximum, Minimum, Stationary /* p′ = 0 but no extremum */ };

struct CriticalPoint {
    Real x;
    Real y;
    CriticalKind kind = CriticalKind::Maximum;
    FormulaPtr exactX; // nullptr where none
    FormulaPtr exactY;
};

// The real x where p′(x) = 0, ascending, each told exactly whether it is a
// maximum, a minimum or neither.
std::vector<CriticalPoint> CriticalPoints(const Polynomial& p);

} // namespace zembrel::engine
