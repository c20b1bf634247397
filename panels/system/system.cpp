// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "system.h"

#include "check.h"
#include "conversion.h"
#include "panel_solve.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace zembrel {

namespace {

using exact::SystemExactCoefficients;
using exact::SystemExactOutcome;
using exact::SystemExactSolution;

struct Message {
    std::string_view text;
    MsgBoxStyle style = MsgBoxStyle::OkOnly;
};

// What the solve and the check say of an outcome without a solution: the
// solve warns with icons, the check answers plainly and words the singular
// case more briefly.
struct Refusal {
    SystemExactOutcome outcome = SystemExactOutcome::MissingVariable;
    Message solve;
    Message check;
};

// clang-format off
constexpr std::array kRefusals{
    Refusal{SystemExactOutcome::MissingVariable, {system::kMissingVariable, MsgBoxStyle::OkOnly},
                                                 {system::kMissingVariable, MsgBoxStyle::OkOnly}},
    Refusal{SystemExactOutcome::ParallelLines,   {system::kParallelLines, MsgBoxStyle::Critical},
                                                 {system::kParallelLines, MsgBoxStyle::OkOnly}},
    Refusal{SystemExactOutcome::CoincidentLines, {system::kCoincidentLines, MsgBoxStyle::Exclamation},
                                                 {system::kCoincidentLines, MsgBoxStyle::OkOnly}},
    Refusal{SystemExactOutcome::SingularSystem,  {system::kSingularSolve, MsgBoxStyle::Exclamation},
                                                 {system::kSingularCheck, MsgBoxStyle::OkOnly}},
};
// clang-format on

SystemExactCoefficients readCoefficients(const Window& window)
{
    // Equation by equation through the X, Y and Z coefficients, then the
    // three constant terms, so that the first of several numbers beyond
    // the double range is the one reported.
    SystemExactCoefficients k;
    for (std::size_t i = 0; i < 3; ++i) {
        k.a[i] = ReadCoefficient(window, system::coefficients[3 * i]);
        k.b[i] = ReadCoefficient(window, system::coefficients[3 * i + 1]);
        k.c[i] = ReadCoefficient(window, system::coefficients[3 * i + 2]);
    }
    for (std::size_t i = 0; i < 3; ++i)
        k.d[i] = ReadCoefficient(window, system::coefficients[9 + i]);
    return k;
}

// Shows what the solve or the check says of an outcome without a solution;
// false for a solved system.
bool refuse(Window& window, Message Refusal::*use, SystemExactOutcome outcome)
{
    const auto row = std::ranges::find(kRefusals, outcome, &Refusal::outcome);
    if (row == kRefusals.end())
        return false;
    const Message& message = (*row).*use;
    window.MsgBox(message.text, message.style);
    return true;
}

} // namespace

void SolveSystem(Window& window)
{
    // Enabled before anything is read, so even a refused solve allows one check.
    window.setEnabled(system::check, true);
    // Two-variable mode (every Z coefficient 0) solves equations 1 and 2;
    // every decision is taken on the exact coefficients.
    const SystemExactSolution s = exact::SolveSystemExact(readCoefficients(window));
    if (refuse(window, &Refusal::solve, s.outcome))
        return;
    InRange(s);
    window.setText(system::X, Format(s.X, kTwelveDecimals));
    window.setText(system::Y, Format(s.Y, kTwelveDecimals));
    // No Z in two-variable mode; an earlier Z must not stay beside X and Y.
    window.setText(system::Z, s.outcome == SystemExactOutcome::SolvedThree ? Format(s.Z, kTwelveDecimals) : "");
}

void CheckSystem(Window& window)
{
    window.setEnabled(system::check, false);
    // The check re-solves from the coefficients rather than reading the
    // result fields, so it judges the solution the present coefficients give.
    const SystemExactCoefficients k = readCoefficients(window);
    const SystemExactSolution s = exact::SolveSystemExact(k);
    if (refuse(window, &Refusal::check, s.outcome))
        return;
    InRange(s);
    const bool passed = exact::CheckSystemExact(k, s, s.X, s.Y, s.Z);
    window.MsgBox(passed ? system::kSolutionRight : system::kSolutionWrong, MsgBoxStyle::OkOnly);
}

} // namespace zembrel
