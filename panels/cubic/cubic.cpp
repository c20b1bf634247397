// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "cubic.h"

#include "check.h"
#include "conversion.h"
#include "panel_solve.h"

#include <gmpxx.h>

namespace zembrel {

namespace {

struct Coefficients {
    mpq_class p;
    mpq_class q;
};

Coefficients readCoefficients(const Window& window)
{
    mpq_class p = ReadCoefficient(window, cubic::p);
    mpq_class q = ReadCoefficient(window, cubic::q);
    return {std::move(p), std::move(q)};
}

// The real root when there is one; of three real roots the simple one where
// two coincide, else the one of largest magnitude. Shown as its nearest
// double, and judged against the exact root on the same enclosures.
exact::CubicRoot shownRoot(const Coefficients& k) { return InRange(exact::SolveCubicRootExact(k.p, k.q)); }

} // namespace

void SolveCubic(Window& window)
{
    // Enabled before anything is read, so even a press that overflows allows one check.
    window.setEnabled(cubic::check, true);
    const Coefficients k = readCoefficients(window);
    window.setText(cubic::X, Format(shownRoot(k).x, kEighteenDecimals));
}

void CheckCubic(Window& window)
{
    window.setEnabled(cubic::check, false);
    // The check re-solves from the coefficients rather than reading X,
    // so it judges the root the present coefficients give.
    const Coefficients k = readCoefficients(window);
    showVerdict(window, shownRoot(k).holds);
}

} // namespace zembrel
