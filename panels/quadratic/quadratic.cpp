// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "quadratic.h"

#include "check.h"
#include "conversion.h"

#include <string>
#include <utility>

namespace zembrel {

namespace quadratic {

namespace {

using engine::Int;
using engine::Rel;
using engine::Relation;
using engine::Sym;
using present::Line;

class QuadraticSolution final : public PanelSolution {
public:
    const mpq_class& a() const { return value(quadratic::a); }
    const mpq_class& b() const { return value(quadratic::b); }
    const mpq_class& c() const { return value(quadratic::c); }

    // a ≠ 0 and Δ ≥ 0: the root with +√Δ and the one with −√Δ. The roots
    // come in ascending order, so which is which follows the sign of a.
    const engine::Real& plusRoot() const { return (a() > 0 ? roots().back() : roots().front()).value.re; }
    const engine::Real& minusRoot() const { return (a() > 0 ? roots().front() : roots().back()).value.re; }
    // a ≠ 0 and Δ < 0: the root with positive imaginary part.
    const engine::Complex& upperRoot() const { return roots().front().value; }

    Facts facts() const override
    {
        if (a() == 0 || overflow)
            return {};
        Facts f;
        f.discriminant = b() * b() - 4 * a() * c();
        f.vertexX = -b() / (2 * a());
        f.vertexY = c() - b() * b() / (4 * a());
        f.sum = -b() / a();
        f.product = c() / a();
        return f;
    }

protected:
    engine::Working makeWorking() const override
    {
        if (a() == 0)
            return engine::textbook::Linear(b(), c(), equation.get(), decimal);
        return engine::textbook::Quadratic(a(), b(), c(), *equation, decimal);
    }

private:
    const std::vector<engine::PolyRoot>& roots() const { return equation->roots(); }
};

std::shared_ptr<const QuadraticSolution> solutionIn(const Window& window)
{
    return std::static_pointer_cast<const QuadraticSolution>(SolutionFor(kQuadraticPanel, window));
}

// The kind of equation in one sentence.
Line summaryOf(EquationKind kind)
{
    const auto delta = [](Relation r) { return Line(Rel(Sym(engine::symbol::kDelta), r, Int(0))); };
    const auto zero = [](std::vector<std::string> names) {
        std::vector<std::pair<Relation, engine::FormulaPtr>> rest;
        for (std::size_t i = 1; i < names.size(); ++i)
            rest.emplace_back(Relation::Equal, Sym(names[i]));
        rest.emplace_back(Relation::Equal, Int(0));
        return Line(engine::ChainOf(Sym(names[0]), rest));
    };
    switch (kind) {
    case EquationKind::TwoReal: return delta(Relation::Greater) + "，方程有两个不相等的实数根";
    case EquationKind::Double: return delta(Relation::Equal) + "，方程有两个相等的实数根";
    case EquationKind::Complex: return delta(Relation::Less) + "，方程没有实数根，有两个共轭虚数根";
    case EquationKind::Linear: return zero({"a"}) + "，方程是一元一次方程，有唯一解";
    case EquationKind::Identity: return zero({"a", "b", "c"}) + "，任意实数 " + Sym("x") + " 都是方程的解";
    default: return zero({"a", "b"}) + " 而 " + Rel(Sym("c"), Relation::NotEqual, Int(0)) + "，方程无解";
    }
}

EquationKind kindOf(const QuadraticSolution& s)
{
    if (s.a() == 0)
        return s.b() != 0 ? EquationKind::Linear : s.c() == 0 ? EquationKind::Identity : EquationKind::None;
    const std::vector<engine::PolyRoot>& roots = s.equation->roots();
    if (roots.size() == 1)
        return EquationKind::Double;
    return roots.front().value.isReal() ? EquationKind::TwoReal : EquationKind::Complex;
}

} // namespace

std::shared_ptr<const PanelSolution> Solve(std::vector<Reading> read)
{
    auto s = std::make_shared<QuadraticSolution>();
    if (!s->begin(kQuadraticPanel, std::move(read), kSixteenDecimals))
        return s;
    s->polynomial = {s->a(), s->b(), s->c()};
    const engine::Polynomial p = engine::Polynomial::FromHighestFirst(s->polynomial);
    if (p.degree() >= 1)
        s->equation = std::make_shared<const engine::PolynomialEquation>(p);
    s->kind = kindOf(*s);
    s->summary = summaryOf(s->kind);
    return s;
}

} // namespace quadratic

namespace {

// Shared by solve and check. A zero leading coefficient is corrected, not
// refused: the user is told, the a field shows the 1 that is used, and the
// operation goes on with x² + b·x + c = 0, the fields' new equation.
std::shared_ptr<const quadratic::QuadraticSolution> readEquation(Window& window)
{
    auto s = quadratic::solutionIn(window);
    RaiseOnOverflow(*s);
    if (s->a() != 0)
        return s;
    window.MsgBox(quadratic::kZeroLeadingCoefficient, MsgBoxStyle::OkOnly);
    window.setText(quadratic::a, "1");
    return quadratic::solutionIn(window);
}

} // namespace

void SolveQuadratic(Window& window)
{
    // Enabled before anything is read, so even a corrected solve allows one check.
    window.setEnabled(quadratic::check, true);
    const auto solution = readEquation(window);
    const quadratic::QuadraticSolution& s = *solution;
    if (s.kind == EquationKind::Complex) {
        window.MsgBox(quadratic::kComplexRoots, MsgBoxStyle::Exclamation);
        // Complex roots have nothing for the check to substitute.
        window.setEnabled(quadratic::check, false);
        // Str, not Format: the real part keeps Str's leading blank or minus sign.
        const engine::Complex& root = s.upperRoot();
        const std::string re = StrExact(root.re);
        const std::string im = StrExact(root.im);
        window.setText(quadratic::X1, re + " +" + im + " i");
        window.setText(quadratic::X2, re + " -" + im + " i");
        return;
    }
    // Both texts before either field: a root beyond the doubles writes neither.
    const std::string X1 = FormatExact(s.plusRoot(), kSixteenDecimals);
    const std::string X2 = FormatExact(s.minusRoot(), kSixteenDecimals);
    window.setText(quadratic::X1, X1);
    window.setText(quadratic::X2, X2);
}

void CheckQuadratic(Window& window)
{
    window.setEnabled(quadratic::check, false);
    // The check re-solves from the coefficients rather than reading X1 and
    // X2, so it judges the roots the present coefficients give.
    const auto solution = readEquation(window);
    const quadratic::QuadraticSolution& s = *solution;
    if (s.kind == EquationKind::Complex) {
        window.MsgBox(quadratic::kNoRealRoots, MsgBoxStyle::Exclamation);
        return;
    }
    RaiseBeyondDoubles(s.plusRoot());
    RaiseBeyondDoubles(s.minusRoot());
    const std::array roots{s.plusRoot(), s.minusRoot()};
    showVerdict(window, ShownValuesHold(roots));
}

} // namespace zembrel
