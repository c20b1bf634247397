#include "cubic.h"

#include "conversion.h"

#include <array>
#include <string_view>

namespace zembrel {

namespace {

constexpr const char* kNoRoot = "No Root!";

// The double nearest one third, not the exact third.
constexpr double t = 1.0 / 3.0;

// A negative base never reaches Pow, whose fractional powers of negative
// numbers are an error; zero takes the first branch and gives -0.
Number realCubeRoot(Number w)
{
    if (w <= 0)
        return -1 * Pow(w * -1, t);
    return Pow(w, t);
}

struct Coefficients {
    Number p;
    Number q;
};

Coefficients readCoefficients(const Window& window)
{
    const Number p = Val(window.text(Field::Text10));
    const Number q = Val(window.text(Field::Text11));
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

void SolveCubic(Window& window)
{
    // Enabled before anything is read, so even a press without a root allows one check.
    window.setEnabled(Button::Command8, true);
    const Coefficients k = readCoefficients(window);
    const std::optional<Number> X = CardanoRoot(k.p, k.q);
    if (!X) {
        window.Print(kNoRoot);
        return;
    }
    window.setText(Field::Text12, Format(X->value(), "0.##################"));
}

void CheckCubic(Window& window)
{
    window.setEnabled(Button::Command8, false);
    // The check re-solves from the coefficients rather than reading Text12,
    // so it judges the root the present coefficients give.
    const Coefficients k = readCoefficients(window);
    const std::optional<Number> X = CardanoRoot(k.p, k.q);
    if (!X) {
        window.Print(kNoRoot);
        return;
    }
    const Number r = Abs((Pow(*X, 3) + k.p * *X) + k.q);
    // An absolute tolerance, whatever the size of the coefficients.
    if (r <= 1e-07)
        window.MsgBox("计算正确", MsgBoxStyle::OkOnly);
    else
        window.MsgBox("计算可能有误，请刷新后再试。", MsgBoxStyle::OkOnly);
}

namespace {
constexpr std::array<std::string_view, 3> kMessages{
    kNoRoot,
    "计算正确",
    "计算可能有误，请刷新后再试。",
};
} // namespace

const PanelDescriptor kCubicPanel{Panel::Cubic, SolveCubic, CheckCubic, kMessages};

} // namespace zembrel
