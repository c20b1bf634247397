// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "linear.h"

#include "check.h"
#include "conversion.h"
#include "number.h"

#include <array>
#include <string_view>

namespace zembrel {

namespace {

struct Coefficients {
    Number a;
    Number b;
};

Coefficients readCoefficients(const Window& window)
{
    const Number a = Val(window.text(linear::a));
    const Number b = Val(window.text(linear::b));
    return {a, b};
}

Number root(Coefficients k) { return -k.b / k.a; }

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
    const Number X = root(k);
    window.setText(linear::X, Format(X.value(), kEighteenDecimals));
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
    const Number x = root(k);
    const Number t = k.a * x;
    const Number r = t + k.b;
    const Number S = Abs(t) + Abs(k.b);
    showVerdict(window, ResidualHolds(r, S));
}

} // namespace zembrel
