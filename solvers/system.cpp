// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "system.h"

#include "check.h"
#include "conversion.h"
#include "number.h"

#include <algorithm>
#include <array>
#include <string>
#include <string_view>
#include <utility>

namespace zembrel {

namespace {

struct Message {
    std::string_view text;
    MsgBoxStyle style = MsgBoxStyle::OkOnly;
};

// What the solve and the check say of an outcome without a solution: the
// solve warns with icons, the check answers plainly and words the singular
// case more briefly.
struct Refusal {
    SystemOutcome outcome = SystemOutcome::MissingVariable;
    Message solve;
    Message check;
};

// clang-format off
constexpr std::array kRefusals{
    Refusal{SystemOutcome::MissingVariable, {system::kMissingVariable, MsgBoxStyle::OkOnly},
                                            {system::kMissingVariable, MsgBoxStyle::OkOnly}},
    Refusal{SystemOutcome::ParallelLines,   {system::kParallelLines, MsgBoxStyle::Critical},
                                            {system::kParallelLines, MsgBoxStyle::OkOnly}},
    Refusal{SystemOutcome::SingularSystem,  {system::kSingularSolve, MsgBoxStyle::Exclamation},
                                            {system::kSingularCheck, MsgBoxStyle::OkOnly}},
};
// clang-format on

SystemCoefficients readCoefficients(const Window& window)
{
    // Equation by equation through the X, Y and Z coefficients, then the
    // three constant terms.
    SystemCoefficients k;
    k.a1 = Val(window.text(system::a1));
    k.b1 = Val(window.text(system::b1));
    k.c1 = Val(window.text(system::c1));
    k.a2 = Val(window.text(system::a2));
    k.b2 = Val(window.text(system::b2));
    k.c2 = Val(window.text(system::c2));
    k.a3 = Val(window.text(system::a3));
    k.b3 = Val(window.text(system::b3));
    k.c3 = Val(window.text(system::c3));
    k.d1 = Val(window.text(system::d1));
    k.d2 = Val(window.text(system::d2));
    k.d3 = Val(window.text(system::d3));
    return k;
}

// A determinant no larger than this share of the size of the terms it was
// formed from is only their rounding, and the system is taken as singular:
// decimal coefficients such as 0.1 are not exact doubles, so a singular
// system typed in them rarely comes out exactly 0. Each test asks for an
// exact 0 first, so that a size near the double range cannot overflow when
// the determinant is plainly 0.
constexpr double kRoundingNoise = 1e-13;

// Shows what the solve or the check says of an outcome without a solution;
// false for a solved system.
bool refuse(Window& window, Message Refusal::*use, SystemOutcome outcome)
{
    const auto row = std::ranges::find(kRefusals, outcome, &Refusal::outcome);
    if (row == kRefusals.end())
        return false;
    const Message& message = (*row).*use;
    window.MsgBox(message.text, message.style);
    return true;
}

// Cramer's rule on equations 1 and 2; equation 3 takes part only in the
// missing-variable test and in the check.
SystemSolution solveTwoVariables(const SystemCoefficients& k)
{
    const Number a1 = k.a1, b1 = k.b1, d1 = k.d1;
    const Number a2 = k.a2, b2 = k.b2, d2 = k.d2;
    const Number P1 = a1 * b2;
    const Number P2 = a2 * b1;
    const Number D = P1 - P2;
    if (D == 0 || Abs(D) <= kRoundingNoise * (Abs(P1) + Abs(P2)))
        return {SystemOutcome::ParallelLines};
    const Number X = (b1 * d2 - b2 * d1) / D;
    const Number Y = (a2 * d1 - a1 * d2) / D;
    return {SystemOutcome::SolvedTwo, X.value(), Y.value()};
}

// a, b, c and d of equations 1, 2 and 3.
using EquationFields = std::array<double SystemCoefficients::*, 4>;
// clang-format off
constexpr std::array<EquationFields, 3> kEquations{{
    {&SystemCoefficients::a1, &SystemCoefficients::b1, &SystemCoefficients::c1, &SystemCoefficients::d1},
    {&SystemCoefficients::a2, &SystemCoefficients::b2, &SystemCoefficients::c2, &SystemCoefficients::d2},
    {&SystemCoefficients::a3, &SystemCoefficients::b3, &SystemCoefficients::c3, &SystemCoefficients::d3},
}};
// clang-format on

// The equation whose X coefficient is largest in magnitude (the first of
// equal ones) changes places with equation 1. X comes from equation 1
// divided by a1, and a small a1 would magnify every rounding in Y and Z.
// Nor can a1 then be 0: the missing-variable test has made sure that some
// X coefficient is not.
SystemCoefficients withLargestXFirst(SystemCoefficients k)
{
    std::size_t pivot = 0;
    for (std::size_t i = 1; i < kEquations.size(); ++i) {
        if (Abs(k.*kEquations[i][0]) > Abs(k.*kEquations[pivot][0]))
            pivot = i;
    }
    for (std::size_t j = 0; j < 4; ++j)
        std::swap(k.*kEquations[0][j], k.*kEquations[pivot][j]);
    return k;
}

// The size of the terms behind Δ = β2·γ3 − β3·γ2, down to the products of
// the coefficients: where a1·b2 and a2·b1 cancel in β2, their rounding stays
// in it and is carried into Δ, so β2·γ3 alone understates the noise.
Number reducedDeterminantSize(const SystemCoefficients& k)
{
    const Number a1 = k.a1, b1 = k.b1, c1 = k.c1;
    const Number a2 = k.a2, b2 = k.b2, c2 = k.c2;
    const Number a3 = k.a3, b3 = k.b3, c3 = k.c3;
    const Number beta2 = Abs(a1 * b2) + Abs(a2 * b1);
    const Number gamma2 = Abs(a1 * c2) + Abs(a2 * c1);
    const Number beta3 = Abs(a1 * b3) + Abs(a3 * b1);
    const Number gamma3 = Abs(a1 * c3) + Abs(a3 * c1);
    return beta2 * gamma3 + beta3 * gamma2;
}

// X eliminated with equation 1, the reduced system in Y and Z solved by
// Cramer's rule, and X found from equation 1.
SystemSolution solveThreeVariables(const SystemCoefficients& k)
{
    const Number a1 = k.a1, b1 = k.b1, c1 = k.c1, d1 = k.d1;
    const Number a2 = k.a2, b2 = k.b2, c2 = k.c2, d2 = k.d2;
    const Number a3 = k.a3, b3 = k.b3, c3 = k.c3, d3 = k.d3;

    // Equation k (k = 2, 3) becomes βk·Y + γk·Z + δk = 0.
    const Number beta2 = a1 * b2 - a2 * b1;
    const Number gamma2 = a1 * c2 - a2 * c1;
    const Number delta2 = a1 * d2 - a2 * d1;
    const Number beta3 = a1 * b3 - a3 * b1;
    const Number gamma3 = a1 * c3 - a3 * c1;
    const Number delta3 = a1 * d3 - a3 * d1;

    const Number Q1 = beta2 * gamma3;
    const Number Q2 = beta3 * gamma2;
    const Number Delta = Q1 - Q2;
    // Rounding noise beside Q1 and Q2, or beside the coefficient products
    // that β and γ came from, for when those cancel in β or γ already.
    if (Delta == 0 || Abs(Delta) <= kRoundingNoise * (Abs(Q1) + Abs(Q2))
        || Abs(Delta) <= kRoundingNoise * reducedDeterminantSize(k))
        return {SystemOutcome::SingularSystem};
    const Number Y = (gamma2 * delta3 - gamma3 * delta2) / Delta;
    const Number Z = (beta3 * delta2 - beta2 * delta3) / Delta;

    // Back into equation 1, as three quotients and two differences.
    const Number t1 = (-b1 * Y) / a1;
    const Number t2 = (c1 * Z) / a1;
    const Number t3 = d1 / a1;
    const Number X = (t1 - t2) - t3;
    return {SystemOutcome::SolvedThree, X.value(), Y.value(), Z.value()};
}

} // namespace

SystemSolution ComputeSystem(const SystemCoefficients& k)
{
    if ((k.a1 == 0 && k.a2 == 0 && k.a3 == 0) || (k.b1 == 0 && k.b2 == 0 && k.b3 == 0))
        return {SystemOutcome::MissingVariable};
    if (k.c1 == 0 && k.c2 == 0 && k.c3 == 0)
        return solveTwoVariables(k);
    return solveThreeVariables(withLargestXFirst(k));
}

std::vector<SystemResidual> SystemResiduals(const SystemCoefficients& k, const SystemSolution& s)
{
    const Number X = s.X, Y = s.Y, Z = s.Z;
    std::size_t judged = 0;
    if (s.outcome == SystemOutcome::SolvedThree)
        judged = 3;
    else if (s.outcome == SystemOutcome::SolvedTwo) // a typed third equation must hold too, though unsolved
        judged = k.a3 != 0 || k.b3 != 0 || k.d3 != 0 ? 3 : 2;
    // Every coefficient's term is measured against the largest unknown.
    const Number n = std::max({Abs(X), Abs(Y), Abs(Z)});
    std::vector<SystemResidual> residuals;
    for (std::size_t i = 0; i < judged; ++i) {
        const auto& fields = kEquations[i];
        const Number a = k.*fields[0], b = k.*fields[1], c = k.*fields[2], d = k.*fields[3];
        const Number r = s.outcome == SystemOutcome::SolvedThree ? ((a * X + b * Y) + c * Z) + d : (a * X + b * Y) + d;
        const Number S = ((Abs(a) + Abs(b)) + Abs(c)) * n + Abs(d);
        residuals.push_back({r.value(), S.value()});
    }
    return residuals;
}

void SolveSystem(Window& window)
{
    // Enabled before anything is read, so even a refused solve allows one check.
    window.setEnabled(system::check, true);
    const SystemSolution s = ComputeSystem(readCoefficients(window));
    if (refuse(window, &Refusal::solve, s.outcome))
        return;
    // The arithmetic is all behind us: an overflow has left every field alone.
    window.setText(system::X, Format(s.X, kTwelveDecimals));
    window.setText(system::Y, Format(s.Y, kTwelveDecimals));
    // No Z in two-variable mode; an earlier Z must not stay beside X and Y.
    window.setText(system::Z, s.outcome == SystemOutcome::SolvedThree ? Format(s.Z, kTwelveDecimals) : "");
}

void CheckSystem(Window& window)
{
    window.setEnabled(system::check, false);
    // The check re-solves from the coefficients rather than reading the
    // result fields, so it judges the solution the present coefficients give.
    const SystemCoefficients k = readCoefficients(window);
    const SystemSolution s = ComputeSystem(k);
    if (refuse(window, &Refusal::check, s.outcome))
        return;
    const std::vector<SystemResidual> residuals = SystemResiduals(k, s);
    const bool passed = std::ranges::all_of(residuals, [](SystemResidual e) { return ResidualHolds(e.r, e.S); });
    window.MsgBox(passed ? system::kSolutionRight : system::kSolutionWrong, MsgBoxStyle::OkOnly);
}

} // namespace zembrel
