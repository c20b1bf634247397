// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// One equation in one unknown: every root from the engine, and the working
// a textbook writes for it. Degree 1 and 2 by their formulas; above, the
// rational roots by the rational root theorem, each tried and divided out,
// then each remaining factor by its formula or numerically.

#include "solving.h"

#include "flint.h"
#include "once.h"

#include <flint/fmpz_factor.h>

#include <algorithm>
#include <set>
#include <stdexcept>

namespace zembrel::typed::solving {

namespace {

using engine::FormulaPtr;
using engine::Reason;

using Whole = std::vector<mpz_class>; // a polynomial with whole coefficients, highest power first

// Rational root candidates are listed only for numbers this short, and
// only so many of them; a root is substituted into f in full only up to
// this degree.
const mpz_class kListedNumbers{"1000000000000"};
constexpr std::size_t kListedCandidates = 40;
constexpr std::size_t kDivisorPairs = 2000;
constexpr std::size_t kSubstitutedDegree = 6;

mpq_class fraction(const mpz_class& num, const mpz_class& den)
{
    mpq_class q(num, den);
    q.canonicalize();
    return q;
}

std::vector<mpq_class> rationals(const Whole& w) { return {w.begin(), w.end()}; }

FormulaPtr formulaOf(const Whole& w, char x) { return PolynomialOf(rationals(w), x); }

// multiplier·p with whole coefficients: the multiplier is the least
// common multiple of the denominators, as a textbook clears them.
Whole wholeOf(const std::vector<mpq_class>& p, mpz_class& multiplier)
{
    multiplier = 1;
    for (const mpq_class& c : p)
        mpz_lcm(multiplier.get_mpz_t(), multiplier.get_mpz_t(), c.get_den().get_mpz_t());
    Whole w;
    for (const mpq_class& c : p)
        w.push_back(c.get_num() * (multiplier / c.get_den()));
    return w;
}

engine::FmpzPoly flintOf(const Whole& w)
{
    engine::FmpzPoly p;
    const long degree = static_cast<long>(w.size()) - 1;
    for (long i = 0; i <= degree; ++i) {
        const engine::Fmpz c = engine::ToFmpz(w[static_cast<std::size_t>(degree - i)]);
        fmpz_poly_set_coeff_fmpz(p.get(), i, c.get());
    }
    return p;
}

Whole wholeOf(const engine::FmpzPoly& p)
{
    Whole w;
    for (long i = fmpz_poly_degree(p.get()); i >= 0; --i) {
        engine::Fmpz c;
        fmpz_poly_get_coeff_fmpz(c.get(), p.get(), i);
        w.push_back(engine::ToMpz(c.get()));
    }
    return w;
}

// w ÷ (den·x − num), exactly: num/den is a root.
Whole dividedByRoot(const Whole& w, const mpq_class& root)
{
    engine::FmpzPoly quotient;
    fmpz_poly_divides(quotient.get(), flintOf(w).get(), flintOf({root.get_den(), -root.get_num()}).get());
    return wholeOf(quotient);
}

std::vector<mpz_class> divisors(const mpz_class& n)
{
    fmpz_factor_t factors;
    fmpz_factor_init(factors);
    const engine::Fmpz N = engine::ToFmpz(abs(n));
    fmpz_factor(factors, N.get());
    std::vector<mpz_class> all{1};
    for (long i = 0; i < factors->num; ++i) {
        const mpz_class prime = engine::ToMpz(factors->p + i);
        const std::size_t before = all.size();
        mpz_class power = 1;
        for (unsigned long k = 0; k < factors->exp[i]; ++k) {
            power *= prime;
            for (std::size_t j = 0; j < before; ++j)
                all.push_back(all[j] * power);
        }
    }
    fmpz_factor_clear(factors);
    return all;
}

// ±p/q with p dividing the constant term and q the leading coefficient,
// positive ones ascending; none where they are too many to list.
std::optional<std::vector<mpq_class>> candidates(const Whole& w)
{
    const mpz_class& leading = w.front();
    const mpz_class& constant = w.back();
    if (abs(leading) > kListedNumbers || abs(constant) > kListedNumbers)
        return std::nullopt;
    const std::vector<mpz_class> ps = divisors(constant);
    const std::vector<mpz_class> qs = divisors(leading);
    if (ps.size() * qs.size() > kDivisorPairs)
        return std::nullopt;
    std::set<mpq_class> found;
    for (const mpz_class& p : ps) {
        for (const mpz_class& q : qs) {
            found.insert(fraction(p, q));
        }
    }
    if (found.size() > kListedCandidates)
        return std::nullopt;
    return std::vector<mpq_class>(found.begin(), found.end());
}

FormulaPtr plusMinus(const mpq_class& c) { return engine::SumOf({{engine::Sign::PlusMinus, engine::Number(c)}}); }

FormulaPtr named(const char* name, const FormulaPtr& argument) { return engine::Func(name, argument); }

// f(r) = c_n·rⁿ + … + c_0 = 0, the substitution written out where it is short.
FormulaPtr tried(const Whole& w, const mpq_class& root)
{
    const FormulaPtr f = named("f", engine::Number(root));
    const bool shortRoot = abs(root.get_num()) < kListedNumbers && root.get_den() < kListedNumbers;
    if (w.size() - 1 > kSubstitutedDegree || !shortRoot)
        return engine::Eq(f, engine::Int(0));
    std::vector<std::pair<engine::Sign, FormulaPtr>> terms;
    const std::size_t degree = w.size() - 1;
    for (std::size_t i = 0; i < w.size(); ++i) {
        const mpz_class& c = w[i];
        if (c == 0)
            continue;
        const long power = static_cast<long>(degree - i);
        const FormulaPtr r = engine::Number(root);
        FormulaPtr term = power == 0 ? engine::Int(abs(c)) : power == 1 ? r : engine::Pow(r, power);
        if (power > 0 && abs(c) != 1)
            term = engine::Times({engine::Int(abs(c)), term});
        terms.emplace_back(c < 0 ? engine::Sign::Minus : engine::Sign::Plus, term);
    }
    return engine::ChainOf(
        f, {{engine::Relation::Equal, engine::SumOf(terms)}, {engine::Relation::Equal, engine::Int(0)}});
}

// A factor in a product: (2x − 1), x, (x² + 1)².
FormulaPtr factorFormula(const Whole& w, int multiplicity, char x)
{
    const FormulaPtr base = formulaOf(w, x);
    return multiplicity == 1 ? base : engine::Pow(base, multiplicity);
}

class Steps {
public:
    Steps(char x, const engine::Factorisation& f, const std::vector<engine::PolyRoot>& engineRoots,
          const std::vector<Root>& roots, engine::Working& working)
        : x_(x), f_(f), engineRoots_(engineRoots), roots_(roots), working_(working)
    {
    }

    void solve(const std::vector<mpq_class>& p)
    {
        mpz_class multiplier;
        const Whole w = wholeOf(p, multiplier);
        if (multiplier != 1)
            add(Reason::ClearDenominators, {engine::Int(multiplier), equation(formulaOf(w, x_))});
        switch (w.size() - 1) {
        case 1: linear(w); break;
        case 2: quadratic(w, true); break;
        default: higher(w); break;
        }
        add(Reason::EquationRoots, rootList());
    }

private:
    void add(Reason reason, std::vector<FormulaPtr> formulas) { working_.push_back({reason, std::move(formulas)}); }

    FormulaPtr equation(const FormulaPtr& left) const { return engine::Eq(left, engine::Int(0)); }
    FormulaPtr letter() const { return Letter(x_); }

    // a·x + b = 0: a·x = −b, x = −b/a.
    void linear(const Whole& w)
    {
        const mpz_class& a = w[0];
        const mpz_class& b = w[1];
        if (b != 0)
            add(Reason::MoveConstant, {engine::Eq(formulaOf({a, 0}, x_), engine::Number(mpq_class(-b)))});
        if (a != 1)
            add(Reason::DivideByCoefficient, {engine::Eq(letter(), engine::Number(fraction(-b, a)))});
    }

    // A·x² + B·x + C = 0 by the discriminant and the formula; its double
    // root is x₁ = x₂ where it is the whole equation's.
    void quadratic(const Whole& w, bool whole = false)
    {
        const mpz_class& A = w[0];
        const mpz_class& B = w[1];
        const mpz_class& C = w[2];
        const mpz_class D = B * B - 4 * A * C;
        const FormulaPtr delta = engine::Sym(engine::symbol::kDelta);
        const FormulaPtr a = engine::Sym("a");
        const FormulaPtr b = engine::Sym("b");
        const FormulaPtr c = engine::Sym("c");
        add(Reason::Discriminant,
            {engine::ChainOf(
                delta,
                {{engine::Relation::Equal, engine::Sub(engine::Pow(b, 2), engine::Mul({engine::Int(4), a, c}))},
                 {engine::Relation::Equal, engine::Sub(engine::Pow(engine::Number(mpq_class(B)), 2),
                                                       engine::Times({engine::Int(4), engine::Number(mpq_class(A)),
                                                                      engine::Number(mpq_class(C))}))},
                 {engine::Relation::Equal, engine::Number(mpq_class(D))}})});
        const FormulaPtr twoA = engine::Mul({engine::Int(2), a});
        const FormulaPtr minusB = engine::Number(mpq_class(-B));
        if (D == 0) {
            add(Reason::OneDoubleRoot, {engine::Eq(delta, engine::Int(0))});
            std::vector<std::pair<engine::Relation, FormulaPtr>> rest{
                {engine::Relation::Equal, engine::Frac(engine::Neg(b), twoA)},
                {engine::Relation::Equal, engine::Number(fraction(-B, 2 * A))}};
            if (whole)
                rest.insert(rest.begin(), {engine::Relation::Equal, engine::Sym(std::string(1, x_), "2")});
            add(Reason::DoubleRootFormula,
                {engine::ChainOf(whole ? engine::Sym(std::string(1, x_), "1") : letter(), rest)});
            return;
        }
        const bool real = D > 0;
        add(real ? Reason::TwoRealRoots : Reason::NoRealRoots,
            {engine::Rel(delta, real ? engine::Relation::Greater : engine::Relation::Less, engine::Int(0))});
        const FormulaPtr i = engine::Sym(engine::symbol::kImaginaryUnit);
        const FormulaPtr general = real ? engine::Sqrt(delta) : engine::Mul({i, engine::Sqrt(engine::Neg(delta))});
        const FormulaPtr numbers
            = real ? engine::Sqrt(engine::Int(D)) : engine::Mul({i, engine::Sqrt(engine::Int(-D))});
        add(real ? Reason::QuadraticFormula : Reason::ComplexQuadraticFormula,
            {engine::ChainOf(
                letter(), {{engine::Relation::Equal, engine::Frac(engine::PlusMinusOf(engine::Neg(b), general), twoA)},
                           {engine::Relation::Equal,
                            engine::Frac(engine::PlusMinusOf(minusB, numbers), engine::Number(mpq_class(2 * A)))}})});
    }

    void higher(Whole w)
    {
        if (!f_.complete) {
            // Coefficients too long to factor: the squarefree factors, numerically.
            add(Reason::NoRationalSearch, {});
            for (std::size_t i = 0; i < f_.factors.size(); ++i)
                solveFactor(i);
            return;
        }
        // x = 0 as often as the lowest powers are missing: x^k taken out first.
        std::size_t k = 0;
        while (w[w.size() - 1 - k] == 0)
            ++k;
        if (k > 0) {
            w.resize(w.size() - k);
            const FormulaPtr common = k == 1 ? letter() : engine::Pow(letter(), static_cast<long>(k));
            if (w.size() > 1)
                add(Reason::CommonFactor, {common, equation(engine::Mul({common, formulaOf(w, x_)}))});
            add(Reason::SolveFactor, {equation(common), engine::Eq(letter(), engine::Int(0))});
        }
        switch (w.size() - 1) {
        case 0: return;
        case 1:
            add(Reason::SolveFactor,
                {equation(formulaOf(w, x_)), engine::Eq(letter(), engine::Number(fraction(-w[1], w[0])))});
            return;
        case 2: quadratic(w); return;
        default: break;
        }
        rationalRoots(w);
        if (f_.factors.size() > 1 || f_.factors.front().multiplicity > 1)
            add(Reason::Factorised, {equation(factored())});
        // Down to a quadratic, its formula finishes; else what is left has no
        // rational root: each irreducible factor by its formula, or numerically.
        if (w.size() == 3) {
            quadratic(w);
            return;
        }
        for (std::size_t i = 0; i < f_.factors.size(); ++i) {
            const int degree = f_.factors[i].degree();
            if (degree == 2)
                quadratic(wholeOf(f_.factors[i].polynomial));
            if (degree >= 2)
                solveFactor(i);
        }
    }

    // The rational root theorem on w (no root 0): the candidates, and each
    // rational root tried and divided out as often as it repeats, until a
    // quadratic is left.
    void rationalRoots(Whole& w)
    {
        const auto listed = candidates(w);
        add(Reason::NamePolynomial, {engine::Eq(named("f", letter()), formulaOf(w, x_))});
        if (listed) {
            std::vector<FormulaPtr> formulas;
            for (const mpq_class& c : *listed)
                formulas.push_back(plusMinus(c));
            add(Reason::RationalRootCandidates, formulas);
        }
        const Whole f = w;
        bool found = false;
        for (const engine::Factor& factor : f_.factors) {
            if (factor.degree() != 1 || w.size() <= 3)
                continue;
            const Whole linear = wholeOf(factor.polynomial);
            const mpq_class root = fraction(-linear[1], linear[0]);
            if (root == 0)
                continue;
            found = true;
            add(Reason::TryRoot, {tried(f, root)});
            for (int m = 0; m < factor.multiplicity && w.size() > 3; ++m) {
                const Whole quotient = dividedByRoot(w, root);
                add(Reason::Divide,
                    {engine::Eq(engine::Frac(formulaOf(w, x_), formulaOf(linear, x_)), formulaOf(quotient, x_))});
                w = quotient;
            }
        }
        if (!found && listed)
            add(Reason::NoCandidateIsRoot, {engine::Eq(named("f", letter()), engine::Int(0))});
    }

    FormulaPtr factored() const
    {
        std::vector<FormulaPtr> factors;
        for (const engine::Factor& factor : f_.factors)
            factors.push_back(factorFormula(wholeOf(factor.polynomial), factor.multiplicity, x_));
        return engine::Mul(factors);
    }

    // The roots of factor i: exactly where there is a formula, else to 20 digits.
    void solveFactor(std::size_t i)
    {
        std::vector<FormulaPtr> formulas{equation(formulaOf(wholeOf(f_.factors[i].polynomial), x_))};
        bool exact = true;
        for (std::size_t r = 0; r < engineRoots_.size(); ++r) {
            if (engineRoots_[r].factor != i)
                continue;
            exact = exact && roots_[r].shown.exact != nullptr;
            formulas.push_back(Naming(letter(), roots_[r].shown.exact, roots_[r].re, roots_[r].im));
        }
        add(exact ? Reason::SolveFactor : Reason::NumericRoots, formulas);
    }

    // x₁ = …, x₂ = x₃ = … : each distinct root once, with every name it has.
    std::vector<FormulaPtr> rootList() const
    {
        std::size_t count = 0;
        for (const Root& r : roots_)
            count += static_cast<std::size_t>(r.multiplicity);
        std::vector<FormulaPtr> formulas;
        std::size_t next = 1;
        for (const Root& r : roots_) {
            const auto name = [&](std::size_t k) {
                return count == 1 ? letter() : engine::Sym(std::string(1, x_), std::to_string(k));
            };
            std::vector<std::pair<engine::Relation, FormulaPtr>> names;
            for (int m = 1; m < r.multiplicity; ++m)
                names.emplace_back(engine::Relation::Equal, name(next + static_cast<std::size_t>(m)));
            const FormulaPtr value = Naming(name(next), r.shown.exact, r.re, r.im);
            // Naming gives name = value or name ≈ value: the other names go between.
            names.emplace_back(value->relations.front(), value->children[1]);
            formulas.push_back(engine::ChainOf(name(next), names));
            next += static_cast<std::size_t>(r.multiplicity);
        }
        return formulas;
    }

    char x_;
    const engine::Factorisation& f_;
    const std::vector<engine::PolyRoot>& engineRoots_;
    const std::vector<Root>& roots_;
    engine::Working& working_;
};

} // namespace

char UnknownOf(const Reading& reading) { return reading.unknowns.empty() ? 'x' : reading.unknowns.front(); }

PolynomialAnswer SolvePolynomial(const Reading& reading, engine::Working& working, Graph& graph)
{
    const Statement& statement = reading.statements.front();
    PolynomialAnswer answer;
    answer.unknown = UnknownOf(reading);
    answer.coefficients = reading.unknowns.empty() ? std::vector<mpq_class>{statement.difference.constantTerm()}
                                                   : statement.difference.coefficients(0);
    const engine::Polynomial p = engine::Polynomial::FromHighestFirst(answer.coefficients);
    answer.degree = std::max(p.degree(), 0);
    for (const mpq_class& c : answer.coefficients)
        graph.coefficients.push_back(Drawn(c));

    const FormulaPtr x = Letter(answer.unknown);
    const bool shown = statement.span.end - statement.span.begin <= kShownStatementLength;
    working.push_back({Reason::EquationAsTyped,
                       {shown ? AsWritten(statement, reading.unknowns)
                              : engine::Eq(PolynomialOf(answer.coefficients, answer.unknown), engine::Int(0))}});
    AddMoves(statement, reading.unknowns, working);
    if (p.degree() < 1) {
        answer.kind = p.isZero() ? PolynomialKind::Identity : PolynomialKind::None;
        if (p.isZero())
            working.push_back({Reason::EveryValueSolves, {engine::Eq(engine::Int(0), engine::Int(0)), x}});
        else
            working.push_back({Reason::NoNumberSolves, {engine::Eq(engine::Number(p.coefficient(0)), engine::Int(0))}});
        return answer;
    }

    answer.kind = PolynomialKind::Roots;
    RequireFactorisableInTime(p);
    const engine::Factorisation f = engine::Factorise(p);
    RequireRootsWithinReach(f);
    const std::vector<engine::PolyRoot> roots = engine::Roots(f);
    for (const engine::PolyRoot& root : roots) {
        answer.roots.push_back({root.value, root.multiplicity, ShownOf(engine::ExactForm(root, f)),
                                root.value.re.decimal20(), root.value.im.decimal20()});
        if (root.value.isReal())
            graph.realRoots.push_back(Drawn(root.value.re));
    }
    answer.turningPoints = TurningPoints(answer.coefficients);
    graph.turningPoints = answer.turningPoints;
    Steps(answer.unknown, f, roots, answer.roots, working).solve(answer.coefficients);
    return answer;
}

} // namespace zembrel::typed::solving

namespace zembrel::typed {

struct TurningPoints::Found {
    engine::Polynomial p;
    engine::Once once;
    std::vector<engine::CriticalPoint> exact;
    std::vector<DrawnPoint> drawn;
};

TurningPoints::TurningPoints(const std::vector<mpq_class>& highestFirst) : found_(std::make_shared<Found>())
{
    found_->p = engine::Polynomial::FromHighestFirst(highestFirst);
}

const TurningPoints::Found* TurningPoints::found() const
{
    if (!found_)
        return nullptr;
    Found& f = *found_;
    f.once.call([&f] {
        try {
            if (f.p.degree() >= 2) {
                const engine::Polynomial derivative = f.p.derivative();
                solving::RequireFactorisableInTime(derivative);
                solving::RequireRootsWithinReach(engine::Factorise(derivative));
            }
            f.exact = engine::CriticalPoints(f.p);
        } catch (const std::exception&) {
            // Turning points too far apart in size to find in time, or
            // closer than the arithmetic can tell: none drawn.
            f.exact.clear();
        }
        for (const engine::CriticalPoint& point : f.exact)
            f.drawn.push_back({solving::Drawn(point.x), solving::Drawn(point.y)});
    });
    return found_.get();
}

const std::vector<engine::CriticalPoint>& TurningPoints::exact() const
{
    static const std::vector<engine::CriticalPoint> none;
    const Found* f = found();
    return f ? f->exact : none;
}

const std::vector<DrawnPoint>& TurningPoints::drawn() const
{
    static const std::vector<DrawnPoint> none;
    const Found* f = found();
    return f ? f->drawn : none;
}

} // namespace zembrel::typed
