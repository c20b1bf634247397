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

constexpr std::string_view kZeroCoefficient = "一次项系数不能为0！";

constexpr std::array kMessages{kZeroCoefficient, kCheckPassed, kCheckFailed};

struct Coefficients {
    Number a;
    Number b;
};

Coefficients readCoefficients(const Window& window)
{
    const Number a = Val(window.text(Field::Text1));
    const Number b = Val(window.text(Field::Text2));
    return {a, b};
}

Number root(Coefficients k) { return (k.b * -1) / k.a; }

} // namespace

void SolveLinear(Window& window)
{
    // Enabled before anything is read, so even a refused solve allows one check.
    window.setEnabled(Button::Command6, true);
    const Coefficients k = readCoefficients(window);
    if (k.a == 0) {
        window.MsgBox(kZeroCoefficient, MsgBoxStyle::OkOnly);
        return;
    }
    const Number X = root(k);
    window.setText(Field::Text3, Format(X.value(), kEighteenDecimals));
}

void CheckLinear(Window& window)
{
    window.setEnabled(Button::Command6, false);
    // The check re-solves from the coefficients rather than reading Text3, so
    // it judges the root the present coefficients give.
    const Coefficients k = readCoefficients(window);
    if (k.a == 0) {
        window.MsgBox(kZeroCoefficient, MsgBoxStyle::OkOnly);
        return;
    }
    const Number x = root(k);
    const Number t = k.a * x;
    const Number r = t + k.b;
    const Number S = Abs(t) + Abs(k.b);
    showVerdict(window, ResidualHolds(r, S));
}

const PanelDescriptor kLinearPanel{Panel::Linear, SolveLinear, CheckLinear, kMessages};

} // namespace zembrel
