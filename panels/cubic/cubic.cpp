// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "cubic.h"

#include "check.h"
#include "conversion.h"

#include <utility>

namespace zembrel {

namespace cubic {

namespace {

using engine::Int;
using engine::Rel;
using engine::Relation;
using engine::Sym;
using present::Line;

class CubicSolution final : public PanelSolution {
public:
    const mpq_class& p() const { return value(cubic::p); }
    const mpq_class& q() const { return value(cubic::q); }

    // The root the field shows: the real root where there is one; of three
    // real roots the simple one where two coincide, else the one of largest
    // magnitude (three roots summing to 0: on the side opposite to q's sign,
    // and the positive one where q = 0).
    const engine::Real& shownRoot() const
    {
        const std::vector<engine::PolyRoot>& roots = equation->roots();
        switch (kind) {
        case EquationKind::OneReal:
        case EquationKind::Triple: return roots.front().value.re;
        case EquationKind::Double: return (roots.front().multiplicity == 1 ? roots.front() : roots.back()).value.re;
        default: return (q() > 0 ? roots.front() : roots.back()).value.re;
        }
    }

    Facts facts() const override
    {
        if (overflow)
            return {};
        Facts f;
        f.discriminant = engine::CubicDiscriminant(p(), q());
        return f;
    }

protected:
    engine::Working makeWorking() const override
    {
        return engine::textbook::DepressedCubic(p(), q(), *equation, decimal);
    }
};

std::shared_ptr<const CubicSolution> solutionIn(const Window& window)
{
    return std::static_pointer_cast<const CubicSolution>(SolutionFor(kCubicPanel, window));
}

// The kind of equation in one sentence.
Line summaryOf(EquationKind kind)
{
    const auto delta = [](Relation r) { return Line(Rel(Sym(engine::symbol::kDelta), r, Int(0))); };
    switch (kind) {
    case EquationKind::OneReal: return delta(Relation::Greater) + "，方程有一个实数根和两个共轭虚数根";
    case EquationKind::Double: return delta(Relation::Equal) + "，方程有三个实数根，其中两个相等";
    case EquationKind::Triple:
        return Line(engine::ChainOf(Sym("p"), {{Relation::Equal, Sym("q")}, {Relation::Equal, Int(0)}}))
               + "，方程有三个相等的实数根 " + engine::Eq(Sym("x"), Int(0));
    default: return delta(Relation::Less) + "，方程有三个不相等的实数根";
    }
}

EquationKind kindOf(const CubicSolution& s)
{
    const std::vector<engine::PolyRoot>& roots = s.equation->roots();
    if (roots.size() == 1)
        return EquationKind::Triple;
    if (roots.size() == 2)
        return EquationKind::Double;
    return roots[1].value.isReal() ? EquationKind::ThreeReal : EquationKind::OneReal;
}

} // namespace

std::shared_ptr<const PanelSolution> Solve(std::vector<Reading> read)
{
    auto s = std::make_shared<CubicSolution>();
    if (!s->begin(kCubicPanel, std::move(read), kEighteenDecimals))
        return s;
    s->polynomial = {1, 0, s->p(), s->q()};
    s->equation
        = std::make_shared<const engine::PolynomialEquation>(engine::Polynomial::FromHighestFirst(s->polynomial));
    s->kind = kindOf(*s);
    s->summary = summaryOf(s->kind);
    return s;
}

} // namespace cubic

void SolveCubic(Window& window)
{
    // Enabled before anything is read, so even a press that overflows allows one check.
    window.setEnabled(cubic::check, true);
    const auto solution = cubic::solutionIn(window);
    RaiseOnOverflow(*solution);
    window.setText(cubic::X, FormatExact(solution->shownRoot(), kEighteenDecimals));
}

void CheckCubic(Window& window)
{
    window.setEnabled(cubic::check, false);
    // The check re-solves from the coefficients rather than reading X,
    // so it judges the root the present coefficients give.
    const auto solution = cubic::solutionIn(window);
    RaiseOnOverflow(*solution);
    RaiseBeyondDoubles(solution->shownRoot());
    const std::array roots{solution->shownRoot()};
    showVerdict(window, ShownValuesHold(roots));
}

} // namespace zembrel
