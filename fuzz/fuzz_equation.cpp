// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Any bytes as ["equation", TEXT]: an answer or an error, one line of
// JSON, and an answer that holds up against the text read again on its own:
// roots in their order with multiplicities that add up to the degree,
// every real simple root inside its rounding, a unique solution that
// satisfies every equation exactly, a general solution that does for
// several values of its parameters, and a solution set that is disjoint,
// ascending, never two intervals that would merge, and right at points
// on both sides of every end.

#include "solution_json.h"
#include "typed_solution.h"

#include <flint/fmpq_mpoly.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string_view>

namespace {

using namespace zembrel;
using namespace zembrel::typed;

void require(bool holds, const char* what)
{
    if (!holds) {
        std::fprintf(stderr, "%s\n", what);
        std::abort();
    }
}

std::size_t characters(std::string_view text)
{
    std::size_t count = 0;
    for (const char c : text)
        count += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return count;
}

mpq_class tenTo(long e)
{
    mpz_class p;
    mpz_ui_pow_ui(p.get_mpz_t(), 10, static_cast<unsigned long>(e < 0 ? -e : e));
    return e < 0 ? mpq_class(1, p) : mpq_class(p);
}

// A DECIMAL's value and the size of its twentieth significant digit.
std::pair<mpq_class, mpq_class> decimalOf(const std::string& text)
{
    require(!text.empty(), "an empty DECIMAL");
    const std::size_t e = text.find('e');
    std::string mantissa = text.substr(0, e);
    const long exponent = e == std::string::npos ? 0 : std::stol(text.substr(e + 1));
    const bool negative = mantissa[0] == '-';
    if (negative)
        mantissa.erase(0, 1);
    const std::size_t point = mantissa.find('.');
    const long places = point == std::string::npos ? 0 : static_cast<long>(mantissa.size() - point - 1);
    if (point != std::string::npos)
        mantissa.erase(point, 1);
    const std::size_t first = std::min(mantissa.find_first_not_of('0'), mantissa.size() - 1);
    const auto digits = static_cast<long>(mantissa.size() - first);
    require(digits <= 20, "a DECIMAL of more than 20 digits");
    const mpq_class unit = tenTo(exponent - places);
    const mpq_class value = mpq_class(mpz_class(mantissa, 10)) * unit;
    return {negative ? mpq_class(-value) : value, unit * tenTo(digits - 20)};
}

// The statement's left − right at the point, exactly.
mpq_class valueAt(const Polynomial& p, const std::vector<mpq_class>& point)
{
    std::vector<fmpq_t> values(point.size());
    std::vector<fmpq*> pointers;
    for (std::size_t i = 0; i < point.size(); ++i) {
        fmpq_init(values[i]);
        fmpq_set_mpq(values[i], point[i].get_mpq_t());
        pointers.push_back(values[i]);
    }
    fmpq_t result;
    fmpq_init(result);
    fmpq_mpoly_evaluate_all_fmpq(result, p.get(), pointers.data(), p.context());
    mpq_class y;
    fmpq_get_mpq(y.get_mpq_t(), result);
    fmpq_clear(result);
    for (fmpq_t& v : values)
        fmpq_clear(v);
    return y;
}

mpq_class valueAt(const std::vector<mpq_class>& highestFirst, const mpq_class& x)
{
    mpq_class y = 0;
    for (const mpq_class& c : highestFirst)
        y = y * x + c;
    return y;
}

// The root lies within half a unit of its DECIMAL, and the polynomial
// changes sign across that interval exactly when the roots inside it have
// an odd multiplicity in all.
void checkRounding(const PolynomialAnswer& a, const Root& root)
{
    const auto [value, unit] = decimalOf(root.re);
    const mpq_class lo = value - unit / 2;
    const mpq_class hi = value + unit / 2;
    require(Compare(engine::Real(lo), root.value.re) <= 0 && Compare(root.value.re, engine::Real(hi)) <= 0,
            "a real root outside its rounding");
    const int below = sgn(valueAt(a.coefficients, lo));
    const int above = sgn(valueAt(a.coefficients, hi));
    if (below == 0 || above == 0)
        return;
    int inside = 0;
    for (const Root& r : a.roots) {
        if (r.im == "0" && Compare(engine::Real(lo), r.value.re) < 0 && Compare(r.value.re, engine::Real(hi)) < 0)
            inside += r.multiplicity;
    }
    require((below != above) == (inside % 2 == 1), "roots inside a rounding against the signs at its ends");
}

void checkPolynomial(const PolynomialAnswer& a)
{
    require(!a.coefficients.empty(), "no coefficients");
    require(a.coefficients.size() == 1 || a.coefficients.front() != 0, "a leading zero");
    require(a.degree == static_cast<int>(a.coefficients.size()) - 1, "the degree is not the coefficients'");
    const bool zero = a.coefficients.size() == 1 && a.coefficients.front() == 0;
    require((a.kind == PolynomialKind::Roots) == (a.degree >= 1), "a kind against the degree");
    require(a.degree >= 1 || (a.kind == PolynomialKind::Identity) == zero, "identity is not the zero polynomial");
    int count = 0;
    bool complexSeen = false;
    for (std::size_t i = 0; i < a.roots.size(); ++i) {
        const Root& r = a.roots[i];
        require(r.multiplicity >= 1, "a multiplicity below 1");
        count += r.multiplicity;
        const bool real = r.im == "0";
        require(real == r.value.isReal(), "the DECIMAL's imaginary part against the value's");
        require(!real || !complexSeen, "a real root after a complex one");
        complexSeen = complexSeen || !real;
        if (i > 0 && real)
            require(Compare(a.roots[i - 1].value.re, r.value.re) < 0, "real roots not ascending");
        if (real)
            checkRounding(a, r);
        decimalOf(r.im);
    }
    require(count == std::max(a.degree, 0), "multiplicities do not add up to the degree");
}

// A formula of integers, fractions, sums, products and parameters, at the
// parameters' values.
mpq_class evaluate(const engine::Formula& f, const std::map<std::string, mpq_class>& values)
{
    using Kind = engine::Formula::Kind;
    switch (f.kind) {
    case Kind::Integer: return mpq_class(f.integer);
    case Kind::Symbol: return values.at(f.text);
    case Kind::Negative: return -evaluate(*f.children.front(), values);
    case Kind::Fraction: return evaluate(*f.children[0], values) / evaluate(*f.children[1], values);
    case Kind::Sum: {
        mpq_class s = 0;
        for (std::size_t i = 0; i < f.children.size(); ++i) {
            const mpq_class term = evaluate(*f.children[i], values);
            s += f.signs[i] == engine::Sign::Minus ? mpq_class(-term) : term;
        }
        return s;
    }
    case Kind::Product: {
        mpq_class p = 1;
        for (const engine::FormulaPtr& child : f.children)
            p *= evaluate(*child, values);
        return p;
    }
    default: require(false, "a general solution of another kind of formula");
    }
    return 0;
}

void checkSystem(const SystemAnswer& a, const Reading& reading)
{
    const std::size_t n = reading.unknowns.size();
    require(a.unknowns == reading.unknowns, "unknowns not as read");
    require(a.rank <= n && a.rank <= reading.statements.size(), "a rank beyond the size");
    const auto holds = [&reading](const std::vector<mpq_class>& point) {
        for (const Statement& s : reading.statements) {
            if (valueAt(s.difference, point) != 0)
                return false;
        }
        return true;
    };
    if (a.kind == engine::SystemKind::Unique) {
        require(a.rank == n && a.solution.size() == n, "a unique solution without full rank");
        std::vector<mpq_class> point;
        for (const SystemAnswer::Value& v : a.solution) {
            point.push_back(v.exact);
            const auto [value, unit] = decimalOf(v.decimal);
            require(abs(value - v.exact) <= unit / 2, "a decimal that does not round the solution");
        }
        require(holds(point), "the unique solution does not satisfy the equations");
    }
    if (a.kind == engine::SystemKind::Infinite) {
        require(a.parameters.size() == n - a.rank && a.general.size() == n, "parameters against the rank");
        for (const std::string& expr : a.generalExpr)
            require(!expr.empty(), "a general solution without its EXPR");
        for (int trial = 0; trial < 3; ++trial) {
            std::map<std::string, mpq_class> values;
            for (std::size_t k = 0; k < a.parameters.size(); ++k)
                values[std::string(1, a.parameters[k])] = mpq_class(trial * static_cast<long>(k + 2) - 1, k + 1);
            std::vector<mpq_class> point;
            for (const engine::FormulaPtr& x : a.general)
                point.push_back(evaluate(*x, values));
            require(holds(point), "a general solution that does not satisfy the equations");
        }
    }
}

bool satisfiesAll(const Reading& reading, const mpq_class& x)
{
    for (const Statement& s : reading.statements) {
        const int sign = sgn(valueAt(s.difference, std::vector<mpq_class>(reading.unknowns.size(), x)));
        const bool holds = s.relation == Relation::Less        ? sign < 0
                           : s.relation == Relation::Greater   ? sign > 0
                           : s.relation == Relation::LessEqual ? sign <= 0
                                                               : sign >= 0;
        if (!holds)
            return false;
    }
    return true;
}

bool inIntervals(const InequalityAnswer& a, const mpq_class& x)
{
    const engine::Real at(x);
    for (const Interval& i : a.intervals) {
        const int fromSide = i.from ? Compare(at, i.from->value) : 1;
        const int toSide = i.to ? Compare(at, i.to->value) : -1;
        if ((i.closedFrom ? fromSide >= 0 : fromSide > 0) && (i.closedTo ? toSide <= 0 : toSide < 0))
            return true;
    }
    return false;
}

void checkInequality(const InequalityAnswer& a, const Reading& reading)
{
    require(a.parts.size() == reading.statements.size(), "a part for each inequality");
    for (std::size_t k = 0; k < a.intervals.size(); ++k) {
        const Interval& i = a.intervals[k];
        require(!i.closedFrom || i.from, "an infinite end closed");
        require(!i.closedTo || i.to, "an infinite end closed");
        if (i.from && i.to) {
            const int c = Compare(i.from->value, i.to->value);
            require(c < 0 || (c == 0 && i.closedFrom && i.closedTo), "an interval backwards or empty");
        }
        if (k == 0)
            continue;
        const Interval& before = a.intervals[k - 1];
        require(before.to && i.from, "an infinite end inside the set");
        const int c = Compare(before.to->value, i.from->value);
        require(c < 0 || (c == 0 && !before.closedTo && !i.closedFrom), "intervals that overlap or would merge");
    }
    if (reading.unknowns.size() > 1 || a.intervals.size() > 50)
        return;
    std::vector<mpq_class> points{mpq_class(-1000000), mpq_class(0), mpq_class(1000000)};
    for (const Interval& i : a.intervals) {
        for (const std::optional<End>& end : {i.from, i.to}) {
            if (!end)
                continue;
            const auto [near, unit] = decimalOf(end->decimal);
            if (end->value.isRational())
                points.push_back(end->value.rational());
            // Beside the end, closer than any other end of a short text lies.
            const mpq_class step = abs(near) / 1000000000 + mpq_class(1, 1000000000);
            points.push_back(near - step);
            points.push_back(near + step);
        }
    }
    for (const mpq_class& x : points)
        require(inIntervals(a, x) == satisfiesAll(reading, x), "the solution set is wrong at a point");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const TypedSolution solution = SolveTyped(text);
    const std::string line = solutionLine(solution);
    require(line.rfind("[\"solution\", {", 0) == 0 && line.find('\n') == std::string::npos, "not one solution line");
    if (const auto* error = std::get_if<SolutionError>(&solution.answer)) {
        require(!error->message.empty(), "an error without a message");
        require(!error->at || *error->at <= characters(text), "an error's place outside the text");
        require(solution.working.empty(), "an error with working");
        return 0;
    }
    require(!solution.working.empty(), "an answer without working");
    const auto read = Read(text);
    require(std::holds_alternative<Reading>(read), "an answer to a text that does not read");
    const Reading& reading = std::get<Reading>(read);
    if (const auto* polynomial = std::get_if<PolynomialAnswer>(&solution.answer))
        checkPolynomial(*polynomial);
    else if (const auto* system = std::get_if<SystemAnswer>(&solution.answer))
        checkSystem(*system, reading);
    else if (const auto* inequality = std::get_if<InequalityAnswer>(&solution.answer))
        checkInequality(*inequality, reading);
    return 0;
}
