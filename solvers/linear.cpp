#include "linear.h"

#include "conversion.h"
#include "number.h"
#include "residual.h"

namespace zembrel {

namespace {

constexpr const char* kZeroCoefficient = "一次项系数不能为0！";

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
    window.setText(Field::Text3, Format(X.value(), "0.##################"));
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
    if (ResidualHolds(r, S))
        window.MsgBox("计算正确", MsgBoxStyle::OkOnly);
    else
        window.MsgBox("计算可能有误，请刷新后再试。", MsgBoxStyle::OkOnly);
}

} // namespace zembrel
