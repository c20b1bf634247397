// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "linear.h"

#include "check.h"
#include "conversion.h"
#include "panel_solve.h"

#include <gmpxx.h>

namespace zembrel {

namespace {

struct Coefficients {
    mpq_class a;
    mpq_class b;
};

Coefficients readCoefficients(const Window& window)
{
    mpq_class a = ReadCoefficient(window, linear::a);
    mpq_class b = ReadCoefficient(window, linear::b);
    return {std::move(a), std::move(b)};
}

// x = −b ÷ a, exactly, shown as its nearest double.
double root(const Coefficients& k) { return InRange(exact::SolveLinearExact(k.a, k.b)).x; }

} // namespace

void SolveLinear(Window& window)
{
    // Enabled before anything is read, so even a refused solve allows one check.
    window.setEnabled(linear::check, true);
    const Coefficients k = readCoefficients(window);
    if (k.a == 0) {
        window.MsgBox(linear::kZeroCoefficient, MsgBoxStyle::OkOnly);
        return;
    }
    window.setText(linear::X, Format(root(k), kEighteenDecimals));
}

void CheckLinear(Window& window)
{
    window.setEnabled(linear::check, false);
    // The check re-solves from the coefficients rather than reading X, so
    // it judges the root the present coefficients give.
    const Coefficients k = readCoefficients(window);
    if (k.a == 0) {
        window.MsgBox(linear::kZeroCoefficient, MsgBoxStyle::OkOnly);
        return;
    }
    showVerdict(window, exact::CheckLinearExact(k.a, k.b, root(k)));
}

} // namespace zembrel
