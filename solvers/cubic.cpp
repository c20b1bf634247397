// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "cubic.h"

#include "check.h"
#include "conversion.h"

#include <array>
#include <string_view>

namespace zembrel {

namespace {

// The double nearest one third, not the exact third.
constexpr double t = 1.0 / 3.0;

// A negative base never reaches Pow, whose fractional powers of negative
// numbers are an error; zero takes the first branch and gives -0.
Number realCubeRoot(Number w)
{
    if (w <= 0)
        return -Pow(-w, t);
    return Pow(w, t);
}

struct Coefficients {
    Number p;
    Number q;
};

Coefficients readCoefficients(const Window& window)
{
    const Number p = Val(window.text(cubic::p));
    const Number q = Val(window.text(cubic::q));
    return {p, q};
}

} // namespace

std::optional<Number> CardanoRoot(Number p, Number q)
{
    const Number D = Pow(q, 2) / 4 + Pow(p, 3) / 27;
    if (D < 0)
        return std::nullopt;
    const Number s = Sqr(D);
    const Number u = q * -0.5 + s;
    const Number v = q * -0.5 - s;
    const Number A = realCubeRoot(u);
    const Number B = realCubeRoot(v);
    return A + B;
}

Number TrigonometricRoot(Number p, Number q)
{
    const Number m = Sqr(-p / 3);
    Number k = (Abs(q) * 3) / ((Abs(p) * 2) * m);
    // Rounding can carry k just past 1, beyond the arc cosine's reach.
    if (k > 1)
        k = 1;
    const Number phi = Acos(k);
    Number X = (2 * m) * Cos(phi / 3);
    if (q > 0)
        X = -X;
    return X;
}

Number CubicRoot(Number p, Number q)
{
    const std::optional<Number> cardano = CardanoRoot(p, q);
    Number X = cardano ? *cardano : TrigonometricRoot(p, q);
    // The cube roots and the cosine leave X a few units off, and A + B can
    // cancel; a Newton step from so close restores the lost digits.
    for (int step = 0; step < 2; ++step) {
        const Number f = (Pow(X, 3) + p * X) + q;
        const Number g = Pow(X, 2) * 3 + p;
        if (f == 0 || g == 0)
            break;
        X = X - f / g;
    }
    return X;
}

void SolveCubic(Window& window)
{
    // Enabled before anything is read, so even a press that overflows allows one check.
    window.setEnabled(cubic::check, true);
    const Coefficients k = readCoefficients(window);
    const Number X = CubicRoot(k.p, k.q);
    window.setText(cubic::X, Format(X.value(), kEighteenDecimals));
}

void CheckCubic(Window& window)
{
    window.setEnabled(cubic::check, false);
    // The check re-solves from the coefficients rather than reading X,
    // so it judges the root the present coefficients give.
    const Coefficients k = readCoefficients(window);
    const Number X = CubicRoot(k.p, k.q);
    const Number t1 = Pow(X, 3);
    const Number t2 = k.p * X;
    const Number r = (t1 + t2) + k.q;
    const Number S = (Abs(t1) + Abs(t2)) + Abs(k.q);
    showVerdict(window, ResidualHolds(r, S));
}

} // namespace zembrel
