// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "linear.h"

#include "check.h"
#include "conversion.h"

#include <utility>

namespace zembrel {

namespace linear {

namespace {

using engine::Int;
using engine::Rel;
using engine::Relation;
using engine::Sym;
using present::Line;

class LinearSolution final : public PanelSolution {
public:
    const mpq_class& a() const { return value(linear::a); }
    const mpq_class& b() const { return value(linear::b); }
    // The root, where a ≠ 0.
    const engine::Real& root() const { return equation->roots().front().value.re; }

protected:
    engine::Working makeWorking() const override { return engine::textbook::Linear(a(), b(), equation.get(), decimal); }
};

// The kind of equation in one sentence.
Line summaryOf(EquationKind kind)
{
    switch (kind) {
    case EquationKind::One: return Line(Rel(Sym("a"), Relation::NotEqual, Int(0))) + "，方程有唯一解";
    case EquationKind::Identity: return Line("方程的系数都为 ") + Int(0) + "，任意实数 " + Sym("x") + " 都是方程的解";
    default: return Line("未知数的系数为 ") + Int(0) + " 而常数项不为 " + Int(0) + "，方程无解";
    }
}

std::shared_ptr<const LinearSolution> solutionIn(const Window& window)
{
    return std::static_pointer_cast<const LinearSolution>(SolutionFor(kLinearPanel, window));
}

} // namespace

std::shared_ptr<const PanelSolution> Solve(std::vector<Reading> read)
{
    auto s = std::make_shared<LinearSolution>();
    if (!s->begin(kLinearPanel, std::move(read), kEighteenDecimals))
        return s;
    s->polynomial = {s->a(), s->b()};
    if (s->a() != 0) {
        s->kind = EquationKind::One;
        s->equation
            = std::make_shared<const engine::PolynomialEquation>(engine::Polynomial::FromHighestFirst(s->polynomial));
    } else {
        s->kind = s->b() == 0 ? EquationKind::Identity : EquationKind::None;
    }
    s->summary = summaryOf(s->kind);
    return s;
}

} // namespace linear

void SolveLinear(Window& window)
{
    // Enabled before anything is read, so even a refused solve allows one check.
    window.setEnabled(linear::check, true);
    const auto solution = linear::solutionIn(window);
    const linear::LinearSolution& s = *solution;
    RaiseOnOverflow(s);
    if (s.a() == 0) {
        window.MsgBox(linear::kZeroCoefficient, MsgBoxStyle::OkOnly);
        return;
    }
    // x = −b ÷ a exactly, rounded once to the pattern.
    window.setText(linear::X, FormatExact(s.root(), kEighteenDecimals));
}

void CheckLinear(Window& window)
{
    window.setEnabled(linear::check, false);
    // The check re-solves from the coefficients rather than reading X, so
    // it judges the root the present coefficients give.
    const auto solution = linear::solutionIn(window);
    const linear::LinearSolution& s = *solution;
    RaiseOnOverflow(s);
    if (s.a() == 0) {
        window.MsgBox(linear::kZeroCoefficient, MsgBoxStyle::OkOnly);
        return;
    }
    RaiseBeyondDoubles(s.root());
    const std::array roots{s.root()};
    showVerdict(window, ShownValuesHold(roots));
}

} // namespace zembrel
