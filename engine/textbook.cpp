// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "textbook.h"

#include <utility>

namespace zembrel::engine::textbook {

namespace {

FormulaPtr x(const std::string& unknown) { return Sym(unknown); }
FormulaPtr coefficient(const mpq_class& value) { return Number(value, NumberStyle::Decimal); }
FormulaPtr value(const mpq_class& v) { return Number(v, NumberStyle::Fraction); }
FormulaPtr zero() { return Int(0); }

// "a = 3", as a coefficient was read.
FormulaPtr reading(const char* name, const mpq_class& v) { return Eq(Sym(name), coefficient(v)); }

// x − r, or x + |r|, or x alone for r = 0.
FormulaPtr factorFor(const FormulaPtr& unknown, const mpq_class& r)
{
    if (r == 0)
        return unknown;
    return SumOf({{Sign::Plus, unknown}, {r > 0 ? Sign::Minus : Sign::Plus, value(abs(r))}});
}

// A polynomial equation's left side = 0.
FormulaPtr equationOf(std::vector<mpq_class> highestFirst, const std::string& unknown)
{
    return Eq(PolynomialFormula(highestFirst, x(unknown)), zero());
}

// k·(x − r₁)(x − r₂)… with the rational roots, each to its multiplicity.
FormulaPtr factoredForm(const mpq_class& leading, const std::vector<std::pair<mpq_class, int>>& roots,
                        const FormulaPtr& unknown)
{
    std::vector<FormulaPtr> factors;
    if (leading != 1 && leading != -1)
        factors.push_back(coefficient(leading));
    for (const auto& [r, multiplicity] : roots) {
        const FormulaPtr f = factorFor(unknown, r);
        factors.push_back(multiplicity == 1 ? f : Pow(f, multiplicity));
    }
    const FormulaPtr product = Mul(factors);
    return Eq(leading == -1 ? Neg(product) : product, zero());
}

Step step(Reason reason, std::vector<FormulaPtr> formulas) { return {reason, std::move(formulas)}; }

} // namespace

FormulaPtr RootName(const std::string& unknown, std::size_t index, std::size_t count)
{
    return count == 1 ? Sym(unknown) : Sym(unknown, std::to_string(index + 1));
}

ShownDecimal ComplexDecimal(const Complex& v, const DecimalWriter& decimal)
{
    if (v.im.sign() == 0)
        return decimal(v.re);
    const ShownDecimal im = decimal(v.im.sign() < 0 ? -v.im : v.im);
    const FormulaPtr i = Sym(symbol::kImaginaryUnit);
    const FormulaPtr imaginary = Mul({im.formula, i});
    if (v.re.sign() == 0)
        return {v.im.sign() < 0 ? Neg(imaginary) : imaginary, im.exact};
    const ShownDecimal re = decimal(v.re);
    return {SumOf({{Sign::Plus, re.formula}, {v.im.sign() < 0 ? Sign::Minus : Sign::Plus, imaginary}}),
            re.exact && im.exact};
}

FormulaPtr RootLine(const std::string& unknown, std::size_t& next, std::size_t count, const Complex& value,
                    int multiplicity, const FormulaPtr& exact, const DecimalWriter& decimal)
{
    FormulaPtr first = RootName(unknown, next, count);
    std::vector<std::pair<Relation, FormulaPtr>> rest;
    // x₁ = x₂ = x₃; a root of higher multiplicity keeps its first name alone.
    if (multiplicity <= kNamedMultiplicity) {
        for (int k = 1; k < multiplicity; ++k)
            rest.emplace_back(Relation::Equal, RootName(unknown, next + static_cast<std::size_t>(k), count));
    }
    next += static_cast<std::size_t>(multiplicity);
    const ShownDecimal shown = ComplexDecimal(value, decimal);
    if (exact)
        rest.emplace_back(Relation::Equal, exact);
    // The decimal adds nothing where it writes the exact form again:
    // only a fraction's or an irrational number's digits are shown.
    const bool fraction
        = exact
          && (exact->kind == Formula::Kind::Fraction
              || (exact->kind == Formula::Kind::Negative && exact->children.front()->kind == Formula::Kind::Fraction));
    if (!exact || !shown.exact || fraction)
        rest.emplace_back(shown.exact ? Relation::Equal : Relation::Approx, shown.formula);
    return ChainOf(std::move(first), rest);
}

std::vector<FormulaPtr> RootLines(const PolynomialEquation& equation, const std::string& unknown,
                                  const DecimalWriter& decimal)
{
    std::vector<FormulaPtr> lines;
    const std::size_t count = equation.rootCount();
    std::size_t next = 0;
    for (std::size_t i = 0; i < equation.roots().size(); ++i) {
        const PolyRoot& root = equation.roots()[i];
        lines.push_back(RootLine(unknown, next, count, root.value, root.multiplicity, equation.exactForm(i), decimal));
    }
    return lines;
}

Working Linear(const mpq_class& a, const mpq_class& b, const PolynomialEquation* equation, const DecimalWriter& decimal)
{
    const FormulaPtr u = x("x");
    Working w;
    w.push_back(step(Reason::Equation, {equationOf({a, b}, "x"), reading("a", a), reading("b", b)}));
    if (a == 0 && b == 0) {
        w.push_back(step(Reason::EveryNumberSolves, {Eq(zero(), zero())}));
        return w;
    }
    if (a == 0) {
        w.push_back(step(Reason::NoNumberSolves, {Eq(coefficient(b), zero())}));
        return w;
    }
    // a·x = −b, then x = −b/a = …
    w.push_back(step(Reason::MoveConstant, {Eq(a == 1    ? u
                                               : a == -1 ? Neg(u)
                                                         : Mul({coefficient(a), u}),
                                               coefficient(-b))}));
    std::vector<std::pair<Relation, FormulaPtr>> chain{
        {Relation::Equal, Neg(Frac(Sym("b"), Sym("a")))},
        {Relation::Equal, Frac(coefficient(-b), coefficient(a))},
    };
    if (equation != nullptr) {
        if (const FormulaPtr exact = equation->exactForm(0))
            chain.emplace_back(Relation::Equal, exact);
        const ShownDecimal shown = decimal(equation->roots().front().value.re);
        if (!shown.exact)
            chain.emplace_back(Relation::Approx, shown.formula);
    }
    w.push_back(step(Reason::DivideByCoefficient, {ChainOf(u, chain)}));
    return w;
}

Working Quadratic(const mpq_class& a, const mpq_class& b, const mpq_class& c, const PolynomialEquation& equation,
                  const DecimalWriter& decimal)
{
    const FormulaPtr u = x("x");
    const FormulaPtr delta = Sym(symbol::kDelta);
    const mpq_class D = b * b - 4 * a * c;
    Working w;
    w.push_back(
        step(Reason::Equation, {equationOf({a, b, c}, "x"), reading("a", a), reading("b", b), reading("c", c)}));
    // Δ = b² − 4ac = (b)² − 4 × a × c = D
    w.push_back(step(Reason::Discriminant,
                     {ChainOf(delta, {{Relation::Equal, Sub(Pow(Sym("b"), 2), Mul({Int(4), Sym("a"), Sym("c")}))},
                                      {Relation::Equal,
                                       Sub(Pow(coefficient(b), 2), Times({Int(4), coefficient(a), coefficient(c)}))},
                                      {Relation::Equal, value(D)}})}));
    const FormulaPtr twoA = Mul({Int(2), Sym("a")});
    const FormulaPtr minusB = Neg(Sym("b"));
    if (D > 0) {
        w.push_back(step(Reason::TwoRealRoots, {Rel(delta, Relation::Greater, zero())}));
        w.push_back(step(Reason::QuadraticFormula, {Eq(u, Frac(PlusMinusOf(minusB, Sqrt(delta)), twoA))}));
        w.push_back(step(Reason::Roots, RootLines(equation, "x", decimal)));
    } else if (D == 0) {
        w.push_back(step(Reason::OneDoubleRoot, {Eq(delta, zero())}));
        std::vector<std::pair<Relation, FormulaPtr>> chain{{Relation::Equal, Sym("x", "2")},
                                                           {Relation::Equal, Neg(Frac(Sym("b"), twoA))}};
        for (const FormulaPtr& line : RootLines(equation, "x", decimal)) {
            const auto& parts = line->children;
            for (std::size_t k = 2; k < parts.size(); ++k)
                chain.emplace_back(line->relations[k - 1], parts[k]);
        }
        w.push_back(step(Reason::DoubleRootFormula, {ChainOf(Sym("x", "1"), chain)}));
    } else {
        w.push_back(step(Reason::NoRealRoots, {Rel(delta, Relation::Less, zero())}));
        w.push_back(
            step(Reason::ComplexQuadraticFormula,
                 {Eq(u, Frac(PlusMinusOf(minusB, Mul({Sym(symbol::kImaginaryUnit), Sqrt(Neg(delta))})), twoA))}));
        w.push_back(step(Reason::Roots, RootLines(equation, "x", decimal)));
    }
    const FormulaPtr x1 = Sym("x", "1");
    const FormulaPtr x2 = Sym("x", "2");
    w.push_back(step(
        Reason::Vieta,
        {ChainOf(Add(x1, x2), {{Relation::Equal, Neg(Frac(Sym("b"), Sym("a")))}, {Relation::Equal, value(-b / a)}}),
         ChainOf(Mul({x1, x2}), {{Relation::Equal, Frac(Sym("c"), Sym("a"))}, {Relation::Equal, value(c / a)}})}));
    const mpq_class h = -b / (2 * a);
    const mpq_class k = c - b * b / (4 * a);
    w.push_back(step(Reason::Vertex, {Eq(Sym("y"), PolynomialFormula(std::vector<mpq_class>{a, b, c}, u)),
                                      PointOf(value(h), value(k)), Eq(u, value(h))}));
    // With rational roots the left side factors: a(x − x₁)(x − x₂).
    std::vector<std::pair<mpq_class, int>> rational;
    for (const PolyRoot& root : equation.roots()) {
        if (root.form != RootForm::Rational)
            return w;
        rational.emplace_back(root.value.re.rational(), root.multiplicity);
    }
    w.push_back(step(Reason::Factorised, {factoredForm(a, rational, u)}));
    return w;
}

Working DepressedCubic(const mpq_class& p, const mpq_class& q, const PolynomialEquation& equation,
                       const DecimalWriter& decimal)
{
    const FormulaPtr u = x("x");
    const FormulaPtr delta = Sym(symbol::kDelta);
    const mpq_class disc = CubicDiscriminant(p, q);
    Working w;
    w.push_back(step(Reason::Equation, {equationOf({1, 0, p, q}, "x"), reading("p", p), reading("q", q)}));
    const FormulaPtr half = Frac(Sym("q"), Int(2));
    const FormulaPtr third = Frac(Sym("p"), Int(3));
    w.push_back(step(Reason::CubicDiscriminant,
                     {ChainOf(delta, {{Relation::Equal, Add(Pow(half, 2), Pow(third, 3))},
                                      {Relation::Equal, Add(Pow(value(q / 2), 2), Pow(value(p / 3), 3))},
                                      {Relation::Equal, value(disc)}})}));
    const bool complete = equation.factorisation().complete;
    if (p == 0 && q == 0) {
        w.push_back(step(Reason::TripleZeroRoot, {Eq(Pow(u, 3), zero())}));
    } else if (disc == 0) {
        w.push_back(step(
            Reason::CubicRepeatedRoots,
            {ChainOf(Sym("x", "1"),
                     {{Relation::Equal, Frac(Mul({Int(3), Sym("q")}), Sym("p"))}, {Relation::Equal, value(3 * q / p)}}),
             ChainOf(Sym("x", "2"), {{Relation::Equal, Sym("x", "3")},
                                     {Relation::Equal, Neg(Frac(Mul({Int(3), Sym("q")}), Mul({Int(2), Sym("p")})))},
                                     {Relation::Equal, value(-3 * q / (2 * p))}})}));
    } else {
        const FormulaPtr minusHalf = Neg(half);
        if (disc > 0) {
            w.push_back(step(Reason::Cardano, {Eq(u, Add(RootOf(Add(minusHalf, Sqrt(delta)), 3),
                                                         RootOf(Sub(minusHalf, Sqrt(delta)), 3)))}));
        } else {
            const FormulaPtr theta = Sym(symbol::kTheta);
            const FormulaPtr angle = Sub(Frac(theta, Int(3)), Frac(Mul({Int(2), Sym("k"), Sym(symbol::kPi)}), Int(3)));
            w.push_back(step(Reason::Trigonometric,
                             {Eq(u, Mul({Int(2), Sqrt(Neg(third)), Func("cos", angle)})),
                              Eq(Func("cos", theta), Mul({Frac(Mul({Int(3), Sym("q")}), Mul({Int(2), Sym("p")})),
                                                          Sqrt(Neg(Frac(Int(3), Sym("p"))))}))}));
        }
        // A rational root splits the cubic into (x − r)(x² + r·x + r² + p).
        for (const PolyRoot& root : equation.roots()) {
            if (complete && root.form == RootForm::Rational) {
                const mpq_class r = root.value.re.rational();
                const FormulaPtr quadratic = PolynomialFormula(std::vector<mpq_class>{1, r, r * r + p}, u);
                w.push_back(
                    step(Reason::RationalRootFound, {Eq(u, value(r)), Eq(Mul({factorFor(u, r), quadratic}), zero())}));
                break;
            }
        }
        if (!complete)
            w.push_back(step(Reason::NoRationalSearch, {}));
    }
    w.push_back(step(Reason::Roots, RootLines(equation, "x", decimal)));
    return w;
}

// ---- systems ----------------------------------------------------------------------

FormulaPtr SystemFormula(const LinearSystem& system, const std::vector<std::string>& unknowns)
{
    std::vector<FormulaPtr> rows;
    for (const std::vector<mpq_class>& row : system.equations) {
        std::vector<std::pair<Sign, FormulaPtr>> terms;
        for (std::size_t j = 0; j < system.unknowns; ++j) {
            const mpq_class& c = row[j];
            if (c == 0)
                continue;
            const mpq_class magnitude = abs(c);
            const FormulaPtr term = magnitude == 1 ? Sym(unknowns[j]) : Mul({coefficient(magnitude), Sym(unknowns[j])});
            terms.emplace_back(c < 0 ? Sign::Minus : Sign::Plus, term);
        }
        const FormulaPtr left = terms.empty() ? zero() : SumOf(terms);
        rows.push_back(Eq(left, coefficient(row[system.unknowns])));
    }
    return rows.size() == 1 ? rows.front() : CasesOf(rows);
}

FormulaPtr AffineFormula(const Affine& v, const std::vector<std::string>& parameters)
{
    std::vector<std::pair<Sign, FormulaPtr>> terms;
    if (v.constant != 0)
        terms.emplace_back(Sign::Plus, value(v.constant));
    for (std::size_t k = 0; k < v.coefficients.size(); ++k) {
        const mpq_class& c = v.coefficients[k];
        if (c == 0)
            continue;
        const mpq_class magnitude = abs(c);
        const FormulaPtr term = magnitude == 1 ? Sym(parameters[k]) : Mul({value(magnitude), Sym(parameters[k])});
        terms.emplace_back(c < 0 ? Sign::Minus : Sign::Plus, term);
    }
    return terms.empty() ? zero() : SumOf(terms);
}

namespace {

// The coefficient matrix with column j replaced by the constants when j < n.
FormulaPtr determinantFormula(const LinearSystem& s, std::size_t replaced)
{
    std::vector<std::vector<FormulaPtr>> rows;
    for (const std::vector<mpq_class>& row : s.equations) {
        std::vector<FormulaPtr> cells;
        for (std::size_t j = 0; j < s.unknowns; ++j)
            cells.push_back(coefficient(row[j == replaced ? s.unknowns : j]));
        rows.push_back(std::move(cells));
    }
    return MatrixOf(std::move(rows), true);
}

std::string subscriptOf(const std::string& unknown) { return unknown; }

} // namespace

Working LinearSystemWorking(const LinearSystem& system, const std::vector<std::string>& unknowns,
                            const SystemSolution& solution, const std::vector<std::string>& parameters,
                            const DecimalWriter& decimal)
{
    Working w;
    w.push_back(step(Reason::System, {SystemFormula(system, unknowns)}));
    const std::size_t n = system.unknowns;
    const bool cramer = n >= 2 && n <= 3 && system.equations.size() == n && solution.kind == SystemKind::Unique;
    if (cramer) {
        // Where the solution came by Cramer's rule, its determinants are known.
        const auto determinant = [&](std::size_t replaced) {
            return solution.cramer.size() == n + 1 ? solution.cramer[replaced == n ? 0 : replaced + 1]
                                                   : SystemDeterminant(system, replaced);
        };
        const mpq_class D = determinant(n);
        w.push_back(
            step(Reason::SystemDeterminant,
                 {ChainOf(Sym("D"), {{Relation::Equal, determinantFormula(system, n)}, {Relation::Equal, value(D)}})}));
        for (std::size_t j = 0; j < n; ++j) {
            const mpq_class Dj = determinant(j);
            const FormulaPtr name = Sym("D", subscriptOf(unknowns[j]));
            const ShownDecimal shown = decimal(Real(solution.values[j]));
            std::vector<std::pair<Relation, FormulaPtr>> chain{{Relation::Equal, Frac(name, Sym("D"))},
                                                               {Relation::Equal, value(solution.values[j])}};
            if (!shown.exact)
                chain.emplace_back(Relation::Approx, shown.formula);
            w.push_back(step(Reason::CramerUnknown, {ChainOf(name, {{Relation::Equal, determinantFormula(system, j)},
                                                                    {Relation::Equal, value(Dj)}}),
                                                     ChainOf(Sym(unknowns[j]), chain)}));
        }
    } else {
        LinearSystem after{n, {}};
        // A solution found without its steps (most are solved by Cramer's rule) has them found now.
        std::vector<EliminationStep> found;
        if (solution.steps.empty())
            found = SolveLinearSystem(system, true).steps;
        for (const EliminationStep& e : solution.steps.empty() ? found : solution.steps) {
            after.equations = e.after;
            const FormulaPtr shown = SystemFormula(after, unknowns);
            switch (e.operation) {
            case EliminationStep::Operation::Swap:
                w.push_back(step(Reason::SwapEquations,
                                 {Int(static_cast<long>(e.row + 1)), Int(static_cast<long>(e.other + 1)), shown}));
                break;
            case EliminationStep::Operation::Scale:
                w.push_back(step(Reason::ScaleEquation, {Int(static_cast<long>(e.row + 1)), value(e.factor), shown}));
                break;
            case EliminationStep::Operation::Eliminate:
                w.push_back(step(Reason::AddMultiple, {Int(static_cast<long>(e.row + 1)), value(e.factor),
                                                       Int(static_cast<long>(e.other + 1)), shown}));
                break;
            }
        }
    }
    switch (solution.kind) {
    case SystemKind::None:
        w.push_back(
            step(Reason::Contradiction, {Eq(zero(), value(solution.reduced.at(*solution.contradiction).at(n)))}));
        break;
    case SystemKind::Unique: {
        std::vector<FormulaPtr> values;
        for (std::size_t j = 0; j < n; ++j)
            values.push_back(Eq(Sym(unknowns[j]), value(solution.values[j])));
        w.push_back(step(Reason::UniqueSolution, {ListOf(values)}));
        break;
    }
    case SystemKind::Infinite: {
        std::vector<FormulaPtr> names;
        for (std::size_t k = 0; k < solution.freeUnknowns.size(); ++k)
            names.push_back(Eq(Sym(unknowns[solution.freeUnknowns[k]]), Sym(parameters[k])));
        std::vector<FormulaPtr> values;
        for (std::size_t j = 0; j < n; ++j)
            values.push_back(Eq(Sym(unknowns[j]), AffineFormula(solution.general[j], parameters)));
        w.push_back(step(Reason::GeneralSolution, {ListOf(names), CasesOf(values)}));
        break;
    }
    }
    return w;
}

} // namespace zembrel::engine::textbook
