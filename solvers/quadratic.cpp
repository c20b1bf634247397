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

constexpr std::string_view kZeroLeadingCoefficient = "一元二次方程二次项系数不能为0！";
constexpr std::string_view kComplexRoots = "请注意：方程有两个共轭虚数根。";
constexpr std::string_view kNoRealRoots = "方程无实数解！";

constexpr std::array kMessages{kZeroLeadingCoefficient, kComplexRoots, kNoRealRoots, kCheckPassed, kCheckFailed};

struct Equation {
    Number a;
    Number b;
    Number c;
    Number D;
};

// Shared by solve and check. A zero leading coefficient is corrected, not
// refused: the user is told, Text4 shows the 1 that is used, and the
// operation goes on with x² + b·x + c = 0.
Equation readEquation(Window& window)
{
    Number a = Val(window.text(Field::Text4));
    const Number b = Val(window.text(Field::Text5));
    const Number c = Val(window.text(Field::Text6));
    if (a == 0) {
        window.MsgBox(kZeroLeadingCoefficient, MsgBoxStyle::OkOnly);
        a = 1;
        window.setText(Field::Text4, "1");
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
        const Number q = ((-1) * k.b - s) / 2;
        return {k.c / q, q / k.a};
    }
    if (k.b < 0) {
        const Number q = ((-1) * k.b + s) / 2;
        return {q / k.a, k.c / q};
    }
    const Number X1 = (-1 * k.b + Sqr(k.D)) / (2 * k.a);
    const Number X2 = (-1 * k.b - Sqr(k.D)) / (2 * k.a);
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
    const Number D = k.D * -1;
    const Number re = (-1 * k.b) / (2 * k.a);
    Number im = Sqr(D) / (2 * k.a);
    if (k.a < 0)
        im = Abs(im);
    // Str, not Format: the real part keeps Str's leading blank or minus sign.
    window.setText(Field::Text7, Str(re.value()) + " +" + Str(im.value()) + " i");
    window.setText(Field::Text8, Str(re.value()) + " -" + Str(im.value()) + " i");
}

} // namespace

void SolveQuadratic(Window& window)
{
    // Enabled before anything is read, so even a corrected solve allows one check.
    window.setEnabled(Button::Command7, true);
    const Equation k = readEquation(window);
    if (k.D < 0) {
        window.MsgBox(kComplexRoots, MsgBoxStyle::Exclamation);
        // Complex roots have nothing for the check to substitute.
        window.setEnabled(Button::Command7, false);
        writeComplexRoots(window, k);
        return;
    }
    const RealRoots roots = realRoots(k);
    window.setText(Field::Text7, Format(roots.X1.value(), kSixteenDecimals));
    window.setText(Field::Text8, Format(roots.X2.value(), kSixteenDecimals));
}

void CheckQuadratic(Window& window)
{
    window.setEnabled(Button::Command7, false);
    // The check re-solves from the coefficients rather than reading Text7 and
    // Text8, so it judges the roots the present coefficients give.
    const Equation k = readEquation(window);
    if (k.D < 0) {
        window.MsgBox(kNoRealRoots, MsgBoxStyle::Exclamation);
        return;
    }
    const RealRoots roots = realRoots(k);
    // Both roots are judged, so an overflow in either is always raised.
    const bool firstHolds = holds(k, roots.X1);
    const bool secondHolds = holds(k, roots.X2);
    showVerdict(window, firstHolds && secondHolds);
}

const PanelDescriptor kQuadraticPanel{Panel::Quadratic, SolveQuadratic, CheckQuadratic, kMessages};

} // namespace zembrel
