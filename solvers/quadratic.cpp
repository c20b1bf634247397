// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "quadratic.h"

#include "check.h"
#include "conversion.h"
#include "number.h"

#include <array>
#include <string>
#include <string_view>

namespace zembrel {

namespace {

struct Equation {
    Number a;
    Number b;
    Number c;
    Number D;
};

// Shared by solve and check. A zero leading coefficient is corrected, not
// refused: the user is told, the a field shows the 1 that is used, and the
// operation goes on with x² + b·x + c = 0.
Equation readEquation(Window& window)
{
    Number a = Val(window.text(quadratic::a));
    const Number b = Val(window.text(quadratic::b));
    const Number c = Val(window.text(quadratic::c));
    if (a == 0) {
        window.MsgBox(quadratic::kZeroLeadingCoefficient, MsgBoxStyle::OkOnly);
        a = 1;
        window.setText(quadratic::a, "1");
    }
    const Number D = Pow(b, 2) - 4 * a * c;
    return {a, b, c, D};
}

struct RealRoots {
    Number X1;
    Number X2;
};

// X1 always takes +Sqr(D), whatever the sign of a. Where -b and ±Sqr(D)
// would cancel, that root comes from the other as c ÷ q instead (the roots
// multiply to c ÷ a), so a small root keeps its digits beside a large one.
RealRoots realRoots(const Equation& k)
{
    const Number s = Sqr(k.D);
    if (k.b > 0) {
        const Number q = (-k.b - s) / 2;
        return {k.c / q, q / k.a};
    }
    if (k.b < 0) {
        const Number q = (-k.b + s) / 2;
        return {q / k.a, k.c / q};
    }
    const Number X1 = (-k.b + s) / (2 * k.a);
    const Number X2 = (-k.b - s) / (2 * k.a);
    return {X1, X2};
}

// Whether X satisfies the equation within the size of its terms.
bool holds(const Equation& k, Number X)
{
    const Number t1 = Pow(X, 2) * k.a;
    const Number t2 = k.b * X;
    const Number r = (t1 + t2) + k.c;
    const Number S = (Abs(t1) + Abs(t2)) + Abs(k.c);
    return ResidualHolds(r, S);
}

void writeComplexRoots(Window& window, const Equation& k)
{
    const Number D = -k.D;
    const Number re = -k.b / (2 * k.a);
    Number im = Sqr(D) / (2 * k.a);
    if (k.a < 0)
        im = Abs(im);
    // Str, not Format: the real part keeps Str's leading blank or minus sign.
    window.setText(quadratic::X1, Str(re.value()) + " +" + Str(im.value()) + " i");
    window.setText(quadratic::X2, Str(re.value()) + " -" + Str(im.value()) + " i");
}

} // namespace

void SolveQuadratic(Window& window)
{
    // Enabled before anything is read, so even a corrected solve allows one check.
    window.setEnabled(quadratic::check, true);
    const Equation k = readEquation(window);
    if (k.D < 0) {
        window.MsgBox(quadratic::kComplexRoots, MsgBoxStyle::Exclamation);
        // Complex roots have nothing for the check to substitute.
        window.setEnabled(quadratic::check, false);
        writeComplexRoots(window, k);
        return;
    }
    const RealRoots roots = realRoots(k);
    window.setText(quadratic::X1, Format(roots.X1.value(), kSixteenDecimals));
    window.setText(quadratic::X2, Format(roots.X2.value(), kSixteenDecimals));
}

void CheckQuadratic(Window& window)
{
    window.setEnabled(quadratic::check, false);
    // The check re-solves from the coefficients rather than reading X1 and
    // X2, so it judges the roots the present coefficients give.
    const Equation k = readEquation(window);
    if (k.D < 0) {
        window.MsgBox(quadratic::kNoRealRoots, MsgBoxStyle::Exclamation);
        return;
    }
    const RealRoots roots = realRoots(k);
    // Both roots are judged, so an overflow in either is always raised.
    const bool firstHolds = holds(k, roots.X1);
    const bool secondHolds = holds(k, roots.X2);
    showVerdict(window, firstHolds && secondHolds);
}

} // namespace zembrel
