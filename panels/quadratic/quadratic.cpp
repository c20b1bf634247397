// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "quadratic.h"

#include "check.h"
#include "conversion.h"
#include "panel_solve.h"

#include <gmpxx.h>

#include <string>

namespace zembrel {

namespace {

struct Equation {
    mpq_class a;
    mpq_class b;
    mpq_class c;
};

// Shared by solve and check. A zero leading coefficient is corrected, not
// refused: the user is told, the a field shows the 1 that is used, and the
// operation goes on with x² + b·x + c = 0.
Equation readEquation(Window& window)
{
    Equation k{ReadCoefficient(window, quadratic::a), ReadCoefficient(window, quadratic::b),
               ReadCoefficient(window, quadratic::c)};
    if (k.a == 0) {
        window.MsgBox(quadratic::kZeroLeadingCoefficient, MsgBoxStyle::OkOnly);
        k.a = 1;
        window.setText(quadratic::a, "1");
    }
    return k;
}

void writeComplexRoots(Window& window, const exact::QuadraticSolution& roots)
{
    // Str, not Format: the real part keeps Str's leading blank or minus sign.
    window.setText(quadratic::X1, Str(roots.re) + " +" + Str(roots.im) + " i");
    window.setText(quadratic::X2, Str(roots.re) + " -" + Str(roots.im) + " i");
}

} // namespace

void SolveQuadratic(Window& window)
{
    // Enabled before anything is read, so even a corrected solve allows one check.
    window.setEnabled(quadratic::check, true);
    const Equation k = readEquation(window);
    // D = b² − 4ac decided exactly; every root shown is its exact root's nearest double.
    const exact::QuadraticSolution roots = InRange(exact::SolveQuadraticExact(k.a, k.b, k.c));
    if (roots.discriminantSign < 0) {
        window.MsgBox(quadratic::kComplexRoots, MsgBoxStyle::Exclamation);
        // Complex roots have nothing for the check to substitute.
        window.setEnabled(quadratic::check, false);
        writeComplexRoots(window, roots);
        return;
    }
    window.setText(quadratic::X1, Format(roots.X1, kSixteenDecimals));
    window.setText(quadratic::X2, Format(roots.X2, kSixteenDecimals));
}

void CheckQuadratic(Window& window)
{
    window.setEnabled(quadratic::check, false);
    // The check re-solves from the coefficients rather than reading X1 and
    // X2, so it judges the roots the present coefficients give.
    const Equation k = readEquation(window);
    const exact::QuadraticSolution roots = exact::SolveQuadraticExact(k.a, k.b, k.c);
    if (roots.discriminantSign < 0) {
        window.MsgBox(quadratic::kNoRealRoots, MsgBoxStyle::Exclamation);
        return;
    }
    InRange(roots);
    showVerdict(window, exact::CheckQuadraticExact(k.a, k.b, k.c, roots.X1, roots.X2));
}

} // namespace zembrel
