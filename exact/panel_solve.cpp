// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "panel_solve.h"

#include "algebra.h"
#include "rounding.h"

#include <vector>

namespace zembrel::exact {

namespace {

ExactValue rationalValue(const mpq_class& x) { return MakeValue(x, 0, 1); }

// The nearest double, or a flag for error 6.
double shownValue(const ExactValue& x, bool& outOfRange)
{
    const std::optional<double> value = RoundValue(x).nearest;
    if (!value)
        outOfRange = true;
    return value.value_or(0);
}

// The exact root the cubic panel shows.
ExactValue shownCubicRoot(const mpq_class& p, const mpq_class& q)
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
    if (real.size() == 1)
        return real.front()->re;
    // Three real roots summing to 0: the largest in magnitude lies on the side
    // opposite to q's sign (q = 0: ±√(−p) tie, and the positive one is shown).
    return q > 0 ? real.front()->re : real.back()->re;
}

} // namespace

LinearRoot SolveLinearExact(const mpq_class& a, const mpq_class& b)
{
    LinearRoot r;
    r.x = shownValue(rationalValue(-b / a), r.outOfRange);
    return r;
}

bool CheckLinearExact(const mpq_class& a, const mpq_class& b, double shownX)
{
    const std::array shown{shownX};
    const std::array exact{rationalValue(-b / a)};
    return ShownValuesHold(shown, exact);
}

QuadraticSolution SolveQuadraticExact(const mpq_class& a, const mpq_class& b, const mpq_class& c)
{
    QuadraticSolution r;
    const mpq_class D = b * b - 4 * a * c;
    r.discriminantSign = sgn(D);
    if (r.discriminantSign >= 0) {
        r.X1 = shownValue(PlusRoot(a, b, c, true), r.outOfRange);
        r.X2 = shownValue(PlusRoot(a, b, c, false), r.outOfRange);
        return r;
    }
    const std::vector<ComplexRoot> roots = zembrel::exact::QuadraticRoots(a, b, c);
    r.re = shownValue(roots.front().re, r.outOfRange);
    r.im = shownValue(roots.front().im, r.outOfRange);
    return r;
}

bool CheckQuadraticExact(const mpq_class& a, const mpq_class& b, const mpq_class& c, double shownX1, double shownX2)
{
    const std::array shown{shownX1, shownX2};
    const std::array exact{PlusRoot(a, b, c, true), PlusRoot(a, b, c, false)};
    return ShownValuesHold(shown, exact);
}

CubicRoot SolveCubicRootExact(const mpq_class& p, const mpq_class& q)
{
    CubicRoot r;
    r.x = shownValue(shownCubicRoot(p, q), r.outOfRange);
    return r;
}

bool CheckCubicExact(const mpq_class& p, const mpq_class& q, double shownX)
{
    const std::array shown{shownX};
    const std::array exact{shownCubicRoot(p, q)};
    return ShownValuesHold(shown, exact);
}

SystemExactSolution SolveSystemExact(const SystemExactCoefficients& k)
{
    SystemExactSolution s;
    const auto allZero = [](const std::array<mpq_class, 3>& x) { return x[0] == 0 && x[1] == 0 && x[2] == 0; };
    if (allZero(k.a) || allZero(k.b))
        return s;
    if (allZero(k.c)) {
        const mpq_class D = k.a[0] * k.b[1] - k.a[1] * k.b[0];
        if (D == 0) {
            const bool same = k.a[0] * k.d[1] == k.a[1] * k.d[0] && k.b[0] * k.d[1] == k.b[1] * k.d[0];
            s.outcome = same ? SystemExactOutcome::CoincidentLines : SystemExactOutcome::ParallelLines;
            return s;
        }
        s.outcome = SystemExactOutcome::SolvedTwo;
        s.exactX = (k.b[0] * k.d[1] - k.b[1] * k.d[0]) / D;
        s.exactY = (k.a[1] * k.d[0] - k.a[0] * k.d[1]) / D;
    } else {
        // Cramer's rule with the constants −d.
        const auto det = [](const std::array<mpq_class, 3>& x, const std::array<mpq_class, 3>& y,
                            const std::array<mpq_class, 3>& z) -> mpq_class {
            return x[0] * (y[1] * z[2] - y[2] * z[1]) - y[0] * (x[1] * z[2] - x[2] * z[1])
                   + z[0] * (x[1] * y[2] - x[2] * y[1]);
        };
        const mpq_class D = det(k.a, k.b, k.c);
        if (D == 0) {
            s.outcome = SystemExactOutcome::SingularSystem;
            return s;
        }
        const std::array<mpq_class, 3> e{-k.d[0], -k.d[1], -k.d[2]};
        s.outcome = SystemExactOutcome::SolvedThree;
        s.exactX = det(e, k.b, k.c) / D;
        s.exactY = det(k.a, e, k.c) / D;
        s.exactZ = det(k.a, k.b, e) / D;
        s.Z = shownValue(rationalValue(s.exactZ), s.outOfRange);
    }
    s.X = shownValue(rationalValue(s.exactX), s.outOfRange);
    s.Y = shownValue(rationalValue(s.exactY), s.outOfRange);
    return s;
}

bool CheckSystemExact(const SystemExactCoefficients& k, const SystemExactSolution& solution, double shownX,
                      double shownY, double shownZ)
{
    if (solution.outcome == SystemExactOutcome::SolvedThree) {
        const std::array shown{shownX, shownY, shownZ};
        const std::array exact{rationalValue(solution.exactX), rationalValue(solution.exactY),
                               rationalValue(solution.exactZ)};
        return ShownValuesHold(shown, exact);
    }
    if (solution.outcome != SystemExactOutcome::SolvedTwo)
        return false;
    const bool thirdTyped = k.a[2] != 0 || k.b[2] != 0 || k.d[2] != 0;
    if (thirdTyped && k.a[2] * solution.exactX + k.b[2] * solution.exactY + k.d[2] != 0)
        return false;
    const std::array shown{shownX, shownY};
    const std::array exact{rationalValue(solution.exactX), rationalValue(solution.exactY)};
    return ShownValuesHold(shown, exact);
}

} // namespace zembrel::exact
