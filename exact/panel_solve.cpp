// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "panel_solve.h"

#include "algebra.h"
#include "rounding.h"

#include <functional>
#include <vector>

namespace zembrel::exact {

namespace {

ExactValue rationalValue(const mpq_class& x) { return MakeValue(x, 0, 1); }

ExactValue enclosedValue(Enclosure enclose)
{
    ExactValue value;
    value.known = false;
    value.enclose = std::move(enclose);
    return value;
}

Interval of(const mpz_class& n, mpfr_prec_t precision) { return Interval::Of(mpq_class(n), precision); }

// num ÷ den for whole numbers, den ≠ 0, without reducing the fraction.
Enclosure quotient(mpz_class num, mpz_class den)
{
    return [num = std::move(num), den = std::move(den)](mpfr_prec_t precision) -> std::optional<Interval> {
        return of(num, precision) / of(den, precision);
    };
}

// The nearest double of a value known by its enclosures. Only a value on a
// tie between two doubles, or one that is a double but reached through
// inexact enclosures, is left undecided by them; `exact` then rounds the
// exact value.
double shownValue(const Enclosure& enclose, const std::function<ExactValue()>& exact, bool& outOfRange)
{
    Rounded rounded = RoundEnclosed(enclose);
    if (!rounded.decided)
        rounded = RoundValue(exact());
    if (!rounded.nearest)
        outOfRange = true;
    return rounded.nearest.value_or(0);
}

double shownRational(const mpz_class& num, const mpz_class& den, bool& outOfRange)
{
    return shownValue(
        quotient(num, den), [&] { return rationalValue(Reduced(num, den)); }, outOfRange);
}

int sign(const mpz_class& x) { return sgn(x); }

// --- Quadratic -----------------------------------------------------------------

// a·x² + b·x + c over whole numbers: a = A/dA and so on, D = N/M exactly.
struct Quadratic {
    mpz_class N; // b² − 4ac times M
    mpz_class M; // dA·dB²·dC > 0
};

Quadratic quadratic(const mpq_class& a, const mpq_class& b, const mpq_class& c)
{
    const mpz_class dB2 = b.get_den() * b.get_den();
    Quadratic k;
    k.M = a.get_den() * dB2 * c.get_den();
    k.N = b.get_num() * b.get_num() * a.get_den() * c.get_den() - 4 * a.get_num() * c.get_num() * dB2;
    return k;
}

// The ±√D root of a·x² + b·x + c, D ≥ 0. Where −b and ±√D would cancel, the
// root comes from the other through x₁·x₂ = c/a, so every enclosure is tight.
Enclosure quadraticRoot(const mpq_class& a, const mpq_class& b, const mpq_class& c, const Quadratic& k, bool plus)
{
    return [a, b, c, k, plus](mpfr_prec_t precision) -> std::optional<Interval> {
        const Interval A = Interval::Of(a, precision);
        const Interval B = Interval::Of(b, precision);
        const Interval root = (of(k.N, precision) / of(k.M, precision)).sqrt();
        const Interval s = plus ? root : -root;
        const bool cancels = (b > 0 && plus) || (b < 0 && !plus);
        if (!cancels || k.N == 0)
            return (-B + s) / (A + A);
        // (−b + s)/(2a) = 2c/(−b − s)
        const Interval C = Interval::Of(c, precision);
        return (C + C) / (-B - s);
    };
}

// --- Cubic ---------------------------------------------------------------------

// The sign of (q/2)² + (p/3)³, that is of 27q² + 4p³, in whole numbers.
int cubicDiscriminantSign(const mpq_class& p, const mpq_class& q)
{
    const mpz_class dP3 = p.get_den() * p.get_den() * p.get_den();
    const mpz_class dQ2 = q.get_den() * q.get_den();
    return sign(27 * q.get_num() * q.get_num() * dP3 + 4 * p.get_num() * p.get_num() * p.get_num() * dQ2);
}

// The discriminant as an unreduced fraction: only its enclosures and its
// sign are ever asked of it.
mpq_class unreducedCubicDiscriminant(const mpq_class& p, const mpq_class& q)
{
    const mpz_class dP3 = p.get_den() * p.get_den() * p.get_den();
    const mpz_class dQ2 = q.get_den() * q.get_den();
    mpq_class disc;
    disc.get_num() = 27 * q.get_num() * q.get_num() * dP3 + 4 * p.get_num() * p.get_num() * p.get_num() * dQ2;
    disc.get_den() = 108 * dQ2 * dP3;
    return disc;
}

// The root the cubic panel shows, as an enclosure.
Enclosure shownCubicRoot(const mpq_class& p, const mpq_class& q)
{
    const int discSign = cubicDiscriminantSign(p, q);
    if (p == 0 && q == 0)
        return [](mpfr_prec_t precision) -> std::optional<Interval> { return Interval::Of(0, precision); };
    if (discSign == 0) // the simple root 3q/p
        return [p, q](mpfr_prec_t precision) -> std::optional<Interval> {
            const Interval Q = Interval::Of(q, precision);
            return (Q + Q + Q) / Interval::Of(p, precision);
        };
    // The enclosures alone: a rational root found would change no digit shown.
    const CubicRoots solved = SolveCubicExact(p, q, unreducedCubicDiscriminant(p, q), false);
    std::vector<const ComplexRoot*> real;
    for (const ComplexRoot& root : solved.roots) {
        if (root.real())
            real.push_back(&root);
    }
    // Three real roots summing to 0: the largest in magnitude lies on the side
    // opposite to q's sign (q = 0: ±√(−p) tie, and the positive one is shown).
    const ExactValue& shown = real.size() == 1 ? real.front()->re : q > 0 ? real.front()->re : real.back()->re;
    if (!shown.known) // an enclosure that may need more precision than asked to exist at all
        return shown.enclose;
    return [shown](mpfr_prec_t precision) -> std::optional<Interval> { return EncloseValue(shown, precision); };
}

// The exact simple or real root, for the rare tie the enclosures leave open.
ExactValue exactCubicRoot(const mpq_class& p, const mpq_class& q)
{
    if (p == 0 && q == 0)
        return rationalValue(0);
    const mpq_class disc = CubicDiscriminant(p, q);
    if (disc == 0)
        return rationalValue(3 * q / p);
    const CubicRoots solved = SolveCubicExact(p, q, disc);
    std::vector<const ComplexRoot*> real;
    for (const ComplexRoot& root : solved.roots) {
        if (root.real())
            real.push_back(&root);
    }
    return real.size() == 1 ? real.front()->re : q > 0 ? real.front()->re : real.back()->re;
}

// --- System --------------------------------------------------------------------

using Row = std::array<mpz_class, 4>; // a, b, c, d of one equation, whole numbers

// Equation i multiplied by the least common multiple of its denominators,
// which leaves its solutions as they were. Decimal denominators are powers
// of 2 and 5, so the multiple is mostly one of them.
Row wholeRow(const SystemExactCoefficients& k, std::size_t i)
{
    const std::array<const mpq_class*, 4> terms{&k.a[i], &k.b[i], &k.c[i], &k.d[i]};
    mpz_class L = 1;
    for (const mpq_class* term : terms) {
        if (!mpz_divisible_p(L.get_mpz_t(), term->get_den().get_mpz_t()))
            mpz_lcm(L.get_mpz_t(), L.get_mpz_t(), term->get_den().get_mpz_t());
    }
    Row row;
    for (std::size_t j = 0; j < 4; ++j) {
        mpz_divexact(row[j].get_mpz_t(), L.get_mpz_t(), terms[j]->get_den().get_mpz_t());
        row[j] *= terms[j]->get_num();
    }
    return row;
}

mpz_class det3(const mpz_class& a1, const mpz_class& b1, const mpz_class& c1, const mpz_class& a2, const mpz_class& b2,
               const mpz_class& c2, const mpz_class& a3, const mpz_class& b3, const mpz_class& c3)
{
    return a1 * (b2 * c3 - b3 * c2) - b1 * (a2 * c3 - a3 * c2) + c1 * (a2 * b3 - a3 * b2);
}

bool holdsAll(std::span<const double> shown, const SystemExactSolution& s, std::size_t count)
{
    std::vector<ExactValue> exact;
    for (std::size_t j = 0; j < count; ++j)
        exact.push_back(enclosedValue(quotient(s.numerators[j], s.determinant)));
    return ShownValuesHold(shown, exact);
}

} // namespace

LinearRoot SolveLinearExact(const mpq_class& a, const mpq_class& b)
{
    LinearRoot r;
    // −b/a = −(nB·dA)/(dB·nA)
    r.x = shownRational(-b.get_num() * a.get_den(), b.get_den() * a.get_num(), r.outOfRange);
    return r;
}

bool CheckLinearExact(const mpq_class& a, const mpq_class& b, double shownX)
{
    const std::array shown{shownX};
    const std::array exact{enclosedValue(quotient(-b.get_num() * a.get_den(), b.get_den() * a.get_num()))};
    return ShownValuesHold(shown, exact);
}

QuadraticSolution SolveQuadraticExact(const mpq_class& a, const mpq_class& b, const mpq_class& c)
{
    QuadraticSolution r;
    const Quadratic k = quadratic(a, b, c);
    r.discriminantSign = sign(k.N);
    if (r.discriminantSign >= 0) {
        r.X1 = shownValue(
            quadraticRoot(a, b, c, k, true), [&] { return PlusRoot(a, b, c, true); }, r.outOfRange);
        r.X2 = shownValue(
            quadraticRoot(a, b, c, k, false), [&] { return PlusRoot(a, b, c, false); }, r.outOfRange);
        return r;
    }
    // −b/(2a) and √(−D)/(2|a|)
    r.re = shownRational(-b.get_num() * a.get_den(), 2 * b.get_den() * a.get_num(), r.outOfRange);
    const mpz_class absA = abs(a.get_num());
    const Enclosure im = [k, a, absA](mpfr_prec_t precision) -> std::optional<Interval> {
        const Interval root = (of(-k.N, precision) / of(k.M, precision)).sqrt();
        return root * of(a.get_den(), precision) / of(2 * absA, precision);
    };
    r.im = shownValue(
        im, [&] { return QuadraticRoots(a, b, c).front().im; }, r.outOfRange);
    return r;
}

bool CheckQuadraticExact(const mpq_class& a, const mpq_class& b, const mpq_class& c, double shownX1, double shownX2)
{
    const Quadratic k = quadratic(a, b, c);
    const std::array shown{shownX1, shownX2};
    const std::array exact{enclosedValue(quadraticRoot(a, b, c, k, true)),
                           enclosedValue(quadraticRoot(a, b, c, k, false))};
    return ShownValuesHold(shown, exact);
}

CubicRoot SolveCubicRootExact(const mpq_class& p, const mpq_class& q)
{
    CubicRoot r;
    const Enclosure root = shownCubicRoot(p, q);
    r.x = shownValue(
        root, [&] { return exactCubicRoot(p, q); }, r.outOfRange);
    const std::array shown{r.x};
    const std::array exact{enclosedValue(root)};
    r.holds = ShownValuesHold(shown, exact);
    return r;
}

bool CheckCubicExact(const mpq_class& p, const mpq_class& q, double shownX)
{
    const std::array shown{shownX};
    const std::array exact{enclosedValue(shownCubicRoot(p, q))};
    return ShownValuesHold(shown, exact);
}

SystemExactSolution SolveSystemExact(const SystemExactCoefficients& k)
{
    SystemExactSolution s;
    const auto allZero = [](const std::array<mpq_class, 3>& x) { return x[0] == 0 && x[1] == 0 && x[2] == 0; };
    if (allZero(k.a) || allZero(k.b))
        return s;
    const Row r1 = wholeRow(k, 0), r2 = wholeRow(k, 1), r3 = wholeRow(k, 2);
    if (allZero(k.c)) {
        s.determinant = r1[0] * r2[1] - r2[0] * r1[1];
        if (s.determinant == 0) {
            const bool same = r1[0] * r2[3] == r2[0] * r1[3] && r1[1] * r2[3] == r2[1] * r1[3];
            s.outcome = same ? SystemExactOutcome::CoincidentLines : SystemExactOutcome::ParallelLines;
            return s;
        }
        s.outcome = SystemExactOutcome::SolvedTwo;
        s.numerators[0] = r1[1] * r2[3] - r2[1] * r1[3];
        s.numerators[1] = r2[0] * r1[3] - r1[0] * r2[3];
    } else {
        // Cramer's rule with the constants −d.
        s.determinant = det3(r1[0], r1[1], r1[2], r2[0], r2[1], r2[2], r3[0], r3[1], r3[2]);
        if (s.determinant == 0) {
            s.outcome = SystemExactOutcome::SingularSystem;
            return s;
        }
        const mpz_class e1 = -r1[3], e2 = -r2[3], e3 = -r3[3];
        s.outcome = SystemExactOutcome::SolvedThree;
        s.numerators[0] = det3(e1, r1[1], r1[2], e2, r2[1], r2[2], e3, r3[1], r3[2]);
        s.numerators[1] = det3(r1[0], e1, r1[2], r2[0], e2, r2[2], r3[0], e3, r3[2]);
        s.numerators[2] = det3(r1[0], r1[1], e1, r2[0], r2[1], e2, r3[0], r3[1], e3);
        s.Z = shownRational(s.numerators[2], s.determinant, s.outOfRange);
    }
    s.X = shownRational(s.numerators[0], s.determinant, s.outOfRange);
    s.Y = shownRational(s.numerators[1], s.determinant, s.outOfRange);
    return s;
}

bool CheckSystemExact(const SystemExactCoefficients& k, const SystemExactSolution& solution, double shownX,
                      double shownY, double shownZ)
{
    if (solution.outcome == SystemExactOutcome::SolvedThree) {
        const std::array shown{shownX, shownY, shownZ};
        return holdsAll(shown, solution, 3);
    }
    if (solution.outcome != SystemExactOutcome::SolvedTwo)
        return false;
    // A typed third equation must hold exactly: a3·X + b3·Y + d3 = 0 with
    // X and Y over the determinant.
    const Row r3 = wholeRow(k, 2);
    const bool thirdTyped = r3[0] != 0 || r3[1] != 0 || r3[3] != 0;
    if (thirdTyped
        && r3[0] * solution.numerators[0] + r3[1] * solution.numerators[1] + r3[3] * solution.determinant != 0)
        return false;
    const std::array shown{shownX, shownY};
    return holdsAll(shown, solution, 2);
}

} // namespace zembrel::exact
