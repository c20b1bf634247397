// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Inequalities in one unknown, solved together, every sign decided exactly.
//
// The irreducible factors of every part are pooled, each once, and their
// real roots sorted: the boundary points, all distinct (distinct
// irreducible polynomials share no root). So a root of one part that is a
// root of another is the same point, found by its factor, not by
// comparing decimals: x² − 2 ≥ 0 and x² − 2 ≤ 0 meet exactly at ±√2.
// Between two consecutive points a rational is chosen from Arb's
// enclosures, and each part's sign there is its exact value's; at a point a
// part is 0 where one of its factors vanishes, and otherwise has the sign
// of the gap beside it. Where coefficients are too long to factor
// completely, the factors are only squarefree, and roots of two of them
// that compare equal are one point.

#include "solving.h"

#include "flint.h"

#include <map>
#include <stdexcept>

namespace zembrel::typed::solving {

namespace {

using engine::FormulaPtr;
using engine::Reason;

// Sorted boundary points are told apart to at most this precision before
// the enclosures are given up on.
constexpr long kStartPrecision = 64;
constexpr long kPrecisionLimit = long{1} << 16;

bool satisfies(int sign, Relation relation)
{
    switch (relation) {
    case Relation::Less: return sign < 0;
    case Relation::Greater: return sign > 0;
    case Relation::LessEqual: return sign <= 0;
    case Relation::GreaterEqual: return sign >= 0;
    case Relation::Equal: return sign == 0;
    }
    return false;
}

mpq_class rationalOf(const arf_t x)
{
    engine::Fmpq q;
    arf_get_fmpq(q.get(), x);
    return engine::ToMpq(q.get());
}

// A rational strictly between a < b: the simplest one between the
// enclosures once they part.
mpq_class between(const engine::Real& a, const engine::Real& b)
{
    for (long precision = kStartPrecision; precision <= kPrecisionLimit; precision *= 2) {
        const engine::Arb x = a.enclose(precision);
        const engine::Arb y = b.enclose(precision);
        arf_t upper;
        arf_t lower;
        arf_init(upper);
        arf_init(lower);
        arb_get_ubound_arf(upper, x.get(), ARF_PREC_EXACT);
        arb_get_lbound_arf(lower, y.get(), ARF_PREC_EXACT);
        // A root far from 1 may be enclosed without bounds at a low precision.
        const bool apart = arf_is_finite(upper) && arf_is_finite(lower) && arf_cmp(upper, lower) < 0;
        if (!apart) {
            arf_clear(upper);
            arf_clear(lower);
            continue;
        }
        const mpq_class lo = rationalOf(upper);
        const mpq_class hi = rationalOf(lower);
        arf_clear(upper);
        arf_clear(lower);
        const engine::Fmpq l = engine::ToFmpq(lo);
        const engine::Fmpq r = engine::ToFmpq(hi);
        engine::Fmpq simplest;
        fmpq_simplest_between(simplest.get(), l.get(), r.get());
        const mpq_class t = engine::ToMpq(simplest.get());
        return t == lo || t == hi ? mpq_class((lo + hi) / 2) : t;
    }
    throw std::runtime_error("two boundary points not told apart");
}

// A whole number beyond the enclosure of x: below it (`below`) or above.
mpq_class beyond(const engine::Real& x, bool below)
{
    arf_t bound;
    arf_init(bound);
    // A root far from 1 may be enclosed without bounds at a low precision.
    for (long precision = kStartPrecision; precision <= kPrecisionLimit; precision *= 2) {
        const engine::Arb e = x.enclose(precision);
        if (below)
            arb_get_lbound_arf(bound, e.get(), ARF_PREC_EXACT);
        else
            arb_get_ubound_arf(bound, e.get(), ARF_PREC_EXACT);
        if (arf_is_finite(bound))
            break;
    }
    if (!arf_is_finite(bound)) {
        arf_clear(bound);
        throw std::runtime_error("a boundary point not enclosed");
    }
    const mpq_class q = rationalOf(bound);
    arf_clear(bound);
    mpz_class whole;
    if (below)
        mpz_fdiv_q(whole.get_mpz_t(), q.get_num_mpz_t(), q.get_den_mpz_t());
    else
        mpz_cdiv_q(whole.get_mpz_t(), q.get_num_mpz_t(), q.get_den_mpz_t());
    return below ? mpq_class(whole - 1) : mpq_class(whole + 1);
}

std::vector<mpz_class> keyOf(const engine::FmpzPoly& p)
{
    std::vector<mpz_class> key;
    for (long i = 0; i <= fmpz_poly_degree(p.get()); ++i) {
        engine::Fmpz c;
        fmpz_poly_get_coeff_fmpz(c.get(), p.get(), i);
        key.push_back(engine::ToMpz(c.get()));
    }
    return key;
}

// A cell is a gap between boundary points (even index 2g: before point g)
// or a point (odd index 2j + 1: point j).
struct Run {
    std::size_t first = 0;
    std::size_t last = 0;
};

std::vector<Run> runsOf(const std::vector<bool>& in)
{
    std::vector<Run> runs;
    for (std::size_t c = 0; c < in.size(); ++c) {
        if (!in[c])
            continue;
        if (!runs.empty() && runs.back().last + 1 == c)
            runs.back().last = c;
        else
            runs.push_back({c, c});
    }
    return runs;
}

class Solver {
public:
    Solver(const Reading& reading, engine::Working& working) : reading_(reading), working_(working)
    {
        answer_.unknown = UnknownOf(reading);
    }

    InequalityAnswer solve(Graph& graph)
    {
        readParts();
        findPoints();
        choosePointsBetween();
        for (Part& part : parts_)
            decideSigns(part);
        const bool shown = parts_.size() <= kShownParts;
        typedStep();
        for (std::size_t i = 0; i < parts_.size() && shown; ++i)
            partSteps(i);

        // Every part satisfied: a cell is in when all of them count it.
        std::vector<long> count(2 * points_.size() + 2, 0);
        bool impossible = false;
        std::size_t constraints = 0;
        for (const Part& part : parts_) {
            if (!part.factorisation) {
                impossible = impossible || !satisfies(sgn(part.p.coefficient(0)), part.relation);
                continue;
            }
            ++constraints;
            for (const Run& run : partRuns(part)) {
                ++count[run.first];
                --count[run.last + 1];
            }
        }
        std::vector<bool> in(2 * points_.size() + 1, false);
        long running = 0;
        for (std::size_t c = 0; c < in.size(); ++c) {
            running += count[c];
            in[c] = !impossible && static_cast<std::size_t>(running) == constraints;
        }
        answer_.intervals = intervalsOf(in);
        for (const Interval& interval : answer_.intervals) {
            graph.bands.push_back({interval.from ? std::optional<double>(Drawn(interval.from->value)) : std::nullopt,
                                   interval.to ? std::optional<double>(Drawn(interval.to->value)) : std::nullopt,
                                   interval.closedFrom, interval.closedTo});
        }
        if (parts_.size() > 1)
            finalStep();
        return std::move(answer_);
    }

private:
    struct Part {
        const Statement* statement = nullptr;
        Relation relation = Relation::Less;
        engine::Polynomial p;
        std::optional<engine::Factorisation> factorisation; // degree ≥ 1
        std::vector<std::size_t> factors;                   // the pooled index of each factor
        std::vector<std::size_t> points;                    // the points where it is 0, ascending
        std::vector<int> gapSigns;                          // before, between and after its points
    };

    void readParts()
    {
        std::map<std::vector<mpz_class>, std::size_t> pooled;
        pool_.unit = 1;
        for (const Statement& statement : reading_.statements) {
            Part part;
            part.statement = &statement;
            part.relation = statement.relation;
            const std::vector<mpq_class> coefficients
                = reading_.unknowns.empty() ? std::vector<mpq_class>{statement.difference.constantTerm()}
                                            : statement.difference.coefficients(0);
            answer_.parts.push_back({statement.relation, coefficients});
            part.p = engine::Polynomial::FromHighestFirst(coefficients);
            if (part.p.degree() >= 1) {
                RequireFactorisableInTime(part.p);
                part.factorisation = engine::Factorise(part.p);
                RequireRootsWithinReach(*part.factorisation);
                pool_.complete = pool_.complete && part.factorisation->complete;
                for (const engine::Factor& factor : part.factorisation->factors) {
                    const auto [at, added] = pooled.try_emplace(keyOf(factor.polynomial), pool_.factors.size());
                    if (added)
                        pool_.factors.push_back({factor.polynomial, 1});
                    part.factors.push_back(at->second);
                }
            }
            parts_.push_back(std::move(part));
        }
    }

    void findPoints()
    {
        if (pool_.factors.empty())
            return;
        roots_ = engine::Roots(pool_);
        factorPoints_.resize(pool_.factors.size());
        for (std::size_t r = 0; r < roots_.size(); ++r) {
            const engine::PolyRoot& root = roots_[r];
            if (!root.value.isReal())
                continue;
            // Only factors that may not be irreducible can share a root.
            const bool same
                = !pool_.complete && !points_.empty() && Compare(roots_[points_.back()].value.re, root.value.re) == 0;
            if (!same)
                points_.push_back(r);
            factorPoints_[root.factor].push_back(points_.size() - 1);
        }
        ends_.resize(points_.size());
    }

    const engine::Real& valueOf(std::size_t point) const { return roots_[points_[point]].value.re; }

    // tests_[g] lies in gap g: before point g, after point g − 1.
    void choosePointsBetween()
    {
        const std::size_t m = points_.size();
        if (m == 0) {
            tests_ = {mpq_class(0)};
            return;
        }
        tests_.push_back(beyond(valueOf(0), true));
        for (std::size_t g = 1; g < m; ++g)
            tests_.push_back(between(valueOf(g - 1), valueOf(g)));
        tests_.push_back(beyond(valueOf(m - 1), false));
    }

    void decideSigns(Part& part) const
    {
        if (!part.factorisation)
            return;
        for (const std::size_t factor : part.factors)
            part.points.insert(part.points.end(), factorPoints_[factor].begin(), factorPoints_[factor].end());
        std::sort(part.points.begin(), part.points.end());
        part.points.erase(std::unique(part.points.begin(), part.points.end()), part.points.end());
        const engine::FmpqPoly p = part.p.flint();
        const auto signAt = [&p](const mpq_class& t) {
            engine::Fmpq value;
            const engine::Fmpq at = engine::ToFmpq(t);
            fmpq_poly_evaluate_fmpq(value.get(), p.get(), at.get());
            return fmpq_sgn(value.get());
        };
        part.gapSigns.push_back(signAt(tests_.front()));
        for (const std::size_t point : part.points)
            part.gapSigns.push_back(signAt(tests_[point + 1]));
    }

    // The runs of global cells where the part holds: each of its own gaps
    // covers the cells between its points, each of its points one cell.
    std::vector<Run> partRuns(const Part& part) const
    {
        std::vector<Run> runs;
        const auto hold = [&runs](std::size_t first, std::size_t last) {
            if (!runs.empty() && runs.back().last + 1 == first)
                runs.back().last = last;
            else
                runs.push_back({first, last});
        };
        const bool pointIn = satisfies(0, part.relation);
        std::size_t first = 0;
        for (std::size_t k = 0; k <= part.points.size(); ++k) {
            const bool last = k == part.points.size();
            const std::size_t point = last ? 0 : 2 * part.points[k] + 1;
            if (satisfies(part.gapSigns[k], part.relation))
                hold(first, last ? 2 * points_.size() : point - 1);
            if (last)
                break;
            if (pointIn)
                hold(point, point);
            first = point + 1;
        }
        return runs;
    }

    const End& endAt(std::size_t point)
    {
        std::optional<End>& end = ends_[point];
        if (!end) {
            const engine::PolyRoot& root = roots_[points_[point]];
            end = End{root.value.re, ShownOf(engine::ExactForm(root, pool_)), root.value.re.decimal20()};
        }
        return *end;
    }

    std::vector<Interval> intervalsOf(const std::vector<bool>& in)
    {
        std::vector<Interval> intervals;
        const std::size_t lastCell = in.size() - 1;
        for (const Run& run : runsOf(in)) {
            Interval interval;
            // A run from a gap is open at the point before it; from a point, closed there.
            if (run.first % 2 == 1) {
                interval.from = endAt(run.first / 2);
                interval.closedFrom = true;
            } else if (run.first > 0) {
                interval.from = endAt(run.first / 2 - 1);
            }
            if (run.last % 2 == 1) {
                interval.to = endAt(run.last / 2);
                interval.closedTo = true;
            } else if (run.last < lastCell) {
                interval.to = endAt(run.last / 2);
            }
            intervals.push_back(std::move(interval));
        }
        return intervals;
    }

    // ---- the working ----------------------------------------------------------

    FormulaPtr x() const { return Letter(answer_.unknown); }

    FormulaPtr endFormula(std::size_t point) { return endFormula(endAt(point)); }
    static FormulaPtr endFormula(const End& end) { return ExactOrDigits(end.shown.exact, end.decimal); }

    FormulaPtr intervalsFormula(const std::vector<Interval>& intervals) const { return SolutionIntervals(intervals); }
    FormulaPtr relationsFormula(const std::vector<Interval>& intervals) const
    {
        return SolutionRelations(intervals, answer_.unknown);
    }

    bool everyNumber(const std::vector<Interval>& intervals) const
    {
        return intervals.size() == 1 && !intervals.front().from && !intervals.front().to;
    }

    void add(Reason reason, std::vector<FormulaPtr> formulas) { working_.push_back({reason, std::move(formulas)}); }

    void typedStep()
    {
        std::vector<FormulaPtr> typed;
        for (const Part& part : parts_) {
            const Statement& s = *part.statement;
            const bool shown = s.span.end - s.span.begin <= kShownStatementLength;
            typed.push_back(shown ? AsWritten(s, reading_.unknowns) : standardFormula(part));
        }
        if (typed.size() == 1)
            add(Reason::InequalityAsTyped, typed);
        else if (parts_.size() <= kShownParts)
            add(Reason::InequalitiesAsTyped, {engine::CasesOf(typed)});
    }

    FormulaPtr polynomialFormula(const Part& part) const
    {
        return PolynomialOf(part.p.highestFirst(), answer_.unknown);
    }

    FormulaPtr standardFormula(const Part& part) const
    {
        return engine::Rel(polynomialFormula(part), EngineRelation(part.relation), engine::Int(0));
    }

    FormulaPtr factoredFormula(const Part& part) const
    {
        const engine::Factorisation& f = *part.factorisation;
        std::vector<FormulaPtr> factors;
        const mpq_class size = abs(f.unit);
        if (size != 1)
            factors.push_back(engine::Number(size));
        for (const engine::Factor& factor : f.factors) {
            const FormulaPtr base = PolynomialOf(factor.highestFirst(), answer_.unknown);
            factors.push_back(factor.multiplicity == 1 ? base : engine::Pow(base, factor.multiplicity));
        }
        const FormulaPtr product = engine::Mul(factors);
        return f.unit < 0 ? engine::Neg(product) : product;
    }

    // The part's own intervals, from its own points and signs.
    std::vector<Interval> ownIntervals(const Part& part)
    {
        std::vector<bool> in;
        for (std::size_t k = 0; k <= part.points.size(); ++k) {
            in.push_back(satisfies(part.gapSigns[k], part.relation));
            if (k < part.points.size())
                in.push_back(satisfies(0, part.relation));
        }
        std::vector<Interval> intervals;
        for (const Run& run : runsOf(in)) {
            Interval interval;
            const auto point = [&part](std::size_t cell) { return part.points[cell / 2]; };
            if (run.first % 2 == 1) {
                interval.from = endAt(point(run.first));
                interval.closedFrom = true;
            } else if (run.first > 0) {
                interval.from = endAt(point(run.first - 1));
            }
            if (run.last % 2 == 1) {
                interval.to = endAt(point(run.last));
                interval.closedTo = true;
            } else if (run.last + 1 < in.size()) {
                interval.to = endAt(point(run.last + 1));
            }
            intervals.push_back(std::move(interval));
        }
        return intervals;
    }

    FormulaPtr signTable(const Part& part)
    {
        std::vector<FormulaPtr> head{x()};
        std::vector<FormulaPtr> signs{polynomialFormula(part)};
        const auto signFormula = [](int s) {
            return s == 0 ? engine::Int(0) : engine::Sym(s > 0 ? engine::symbol::kPositive : engine::symbol::kNegative);
        };
        for (std::size_t k = 0; k <= part.points.size(); ++k) {
            const FormulaPtr from = k == 0 ? nullptr : endFormula(part.points[k - 1]);
            const FormulaPtr to = k == part.points.size() ? nullptr : endFormula(part.points[k]);
            head.push_back(engine::IntervalOf(from, to, false, false));
            signs.push_back(signFormula(part.gapSigns[k]));
            if (to) {
                head.push_back(to);
                signs.push_back(signFormula(0));
            }
        }
        return engine::MatrixOf({head, signs}, false);
    }

    void partSteps(std::size_t i)
    {
        const Part& part = parts_[i];
        AddMoves(*part.statement, reading_.unknowns, working_);
        const FormulaPtr standard = standardFormula(part);
        if (!part.factorisation) {
            if (satisfies(sgn(part.p.coefficient(0)), part.relation))
                add(Reason::EverySolution, {standard, engine::IntervalOf(nullptr, nullptr, false, false)});
            else
                add(Reason::NoSolutionSet, {standard});
            return;
        }
        const engine::Factorisation& f = *part.factorisation;
        const FormulaPtr factored = factoredFormula(part);
        if (f.complete && part.p.degree() >= 2 && !SameFormula(*factored, *polynomialFormula(part)))
            add(Reason::Factorised, {engine::Rel(factored, EngineRelation(part.relation), engine::Int(0))});
        const FormulaPtr boundary = engine::Eq(polynomialFormula(part), engine::Int(0));
        if (part.points.empty()) {
            add(Reason::NoBoundaryRoots, {boundary});
        } else {
            std::vector<FormulaPtr> formulas{boundary};
            for (std::size_t k = 0; k < part.points.size(); ++k) {
                const FormulaPtr name = part.points.size() == 1
                                            ? x()
                                            : engine::Sym(std::string(1, answer_.unknown), std::to_string(k + 1));
                const std::size_t point = part.points[k];
                formulas.push_back(Naming(name, endAt(point).shown.exact, endAt(point).decimal, "0"));
            }
            add(Reason::BoundaryRoots, formulas);
        }
        if (part.points.size() <= kSignTablePoints)
            add(Reason::SignTable, {signTable(part)});
        const std::vector<Interval> own = ownIntervals(part);
        if (own.empty())
            add(Reason::NoSolutionSet, {standard});
        else if (everyNumber(own))
            add(Reason::EverySolution, {standard, intervalsFormula(own)});
        else
            add(Reason::SolutionSet, {relationsFormula(own), intervalsFormula(own)});
    }

    void finalStep()
    {
        const std::vector<Interval>& all = answer_.intervals;
        if (all.empty())
            add(Reason::NoCommonPart, {});
        else if (everyNumber(all))
            add(Reason::Intersection, {intervalsFormula(all)});
        else
            add(Reason::Intersection, {relationsFormula(all), intervalsFormula(all)});
    }

    const Reading& reading_;
    engine::Working& working_;
    InequalityAnswer answer_;
    std::vector<Part> parts_;
    engine::Factorisation pool_; // every part's irreducible factors, each once
    std::vector<engine::PolyRoot> roots_;
    std::vector<std::size_t> points_;                    // the real roots (into roots_), ascending, each value once
    std::vector<std::vector<std::size_t>> factorPoints_; // the points of each pooled factor
    std::vector<mpq_class> tests_;                       // one rational in each gap
    std::vector<std::optional<End>> ends_;               // made once asked for
};

} // namespace

InequalityAnswer SolveInequalities(const Reading& reading, engine::Working& working, Graph& graph)
{
    return Solver(reading, working).solve(graph);
}

} // namespace zembrel::typed::solving
