// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "solving.h"

#include "expr.h"

#include <cmath>
#include <limits>

namespace zembrel::typed::solving {

namespace {

using engine::Formula;
using engine::FormulaPtr;
using Kind = Formula::Kind;

// Nodes built as typed, past the builders that tidy (SumOf flattens a sum
// inside a sum, Neg cancels two minus signs).
FormulaPtr node(Formula f) { return engine::MakeFormula(std::move(f)); }

// "2.50" and "1e-3" keep their digits; a whole number is its value.
FormulaPtr literal(const std::string& text)
{
    const std::size_t e = text.find_first_of("eE");
    const std::string mantissa = text.substr(0, e);
    long exponent = 0;
    if (e != std::string::npos) {
        std::size_t i = e + 1;
        const bool negative = i < text.size() && text[i] == '-';
        if (i < text.size() && (text[i] == '-' || text[i] == '+'))
            ++i;
        // The reader keeps the exponent within kMaxDecimalExponent, leading zeros aside.
        for (; i < text.size(); ++i)
            exponent = std::min(exponent * 10 + (text[i] - '0'), kMaxDecimalExponent);
        exponent = negative ? -exponent : exponent;
    }
    const bool whole = mantissa.find('.') == std::string::npos && (mantissa.size() == 1 || mantissa[0] != '0');
    if (whole && e == std::string::npos)
        return engine::Int(mpz_class(mantissa));
    return engine::Dec(mantissa, exponent);
}

bool isTimes(Joint joint) { return joint == Joint::Asterisk || joint == Joint::Cross || joint == Joint::Dot; }

FormulaPtr productOf(std::vector<FormulaPtr> factors, bool timesShown)
{
    if (factors.size() == 1)
        return factors.front();
    Formula f(Kind::Product);
    f.children = std::move(factors);
    f.timesShown = timesShown;
    return node(std::move(f));
}

// a/b c is (a/b)·c: a division takes everything before it as its numerator.
FormulaPtr product(const Expr& expr, const std::vector<char>& unknowns)
{
    std::vector<FormulaPtr> factors;
    bool timesShown = false;
    for (const Expr& child : expr.children) {
        FormulaPtr factor = AsWritten(child, unknowns);
        if (child.joint == Joint::Slash || child.joint == Joint::Obelus) {
            factors = {engine::Frac(productOf(std::move(factors), timesShown), std::move(factor))};
            timesShown = false;
            continue;
        }
        timesShown = timesShown || isTimes(child.joint);
        factors.push_back(std::move(factor));
    }
    return productOf(std::move(factors), timesShown);
}

FormulaPtr sum(const Expr& expr, const std::vector<char>& unknowns)
{
    Formula f(Kind::Sum);
    for (const Expr& child : expr.children) {
        f.children.push_back(AsWritten(child, unknowns));
        f.signs.push_back(child.joint == Joint::Minus ? engine::Sign::Minus : engine::Sign::Plus);
    }
    if (f.children.size() > 1)
        return node(std::move(f));
    if (f.signs.front() == engine::Sign::Plus)
        return f.children.front();
    Formula negative(Kind::Negative);
    negative.children = std::move(f.children);
    return node(std::move(negative));
}

bool sameNumbers(const Formula& a, const Formula& b)
{
    return a.integer == b.integer && a.text == b.text && a.exponent == b.exponent && a.subscript == b.subscript;
}

bool sameShape(const Formula& a, const Formula& b)
{
    return a.kind == b.kind && a.signs == b.signs && a.relations == b.relations && a.timesShown == b.timesShown
           && a.bars == b.bars && a.closedLeft == b.closedLeft && a.closedRight == b.closedRight && a.index == b.index
           && a.columns == b.columns && a.children.size() == b.children.size();
}

// n ≥ 0 as a formula.
FormulaPtr magnitude(const mpq_class& n) { return engine::Number(n, engine::NumberStyle::Decimal); }

} // namespace

FormulaPtr Letter(char unknown) { return engine::Sym(std::string(1, unknown)); }

engine::Relation EngineRelation(Relation relation)
{
    switch (relation) {
    case Relation::Equal: return engine::Relation::Equal;
    case Relation::Less: return engine::Relation::Less;
    case Relation::Greater: return engine::Relation::Greater;
    case Relation::LessEqual: return engine::Relation::LessEqual;
    case Relation::GreaterEqual: return engine::Relation::GreaterEqual;
    }
    return engine::Relation::Equal;
}

FormulaPtr AsWritten(const Expr& expr, const std::vector<char>& unknowns)
{
    switch (expr.kind) {
    case Expr::Kind::Number: return literal(expr.number->text);
    case Expr::Kind::Unknown: return Letter(unknowns.at(expr.unknown));
    case Expr::Kind::Sum: return sum(expr, unknowns);
    case Expr::Kind::Product: return product(expr, unknowns);
    case Expr::Kind::Power:
        return engine::Pow(AsWritten(expr.children[0], unknowns), AsWritten(expr.children[1], unknowns));
    case Expr::Kind::Group: break;
    }
    return AsWritten(expr.children.front(), unknowns);
}

FormulaPtr AsWritten(const Statement& statement, const std::vector<char>& unknowns)
{
    return engine::Rel(AsWritten(statement.left, unknowns), EngineRelation(statement.relation),
                       AsWritten(statement.right, unknowns));
}

FormulaPtr TermsFormula(const std::vector<Polynomial::Term>& terms, const std::vector<char>& unknowns)
{
    std::vector<std::pair<engine::Sign, FormulaPtr>> summands;
    for (const Polynomial::Term& term : terms) {
        std::vector<FormulaPtr> factors;
        const mpq_class size = abs(term.coefficient);
        bool constant = true;
        for (std::size_t v = 0; v < term.exponents.size(); ++v) {
            const unsigned long e = term.exponents[v];
            if (e == 0)
                continue;
            constant = false;
            factors.push_back(e == 1 ? Letter(unknowns.at(v))
                                     : engine::Pow(Letter(unknowns.at(v)), static_cast<long>(e)));
        }
        if (size != 1 || constant)
            factors.insert(factors.begin(), magnitude(size));
        summands.emplace_back(term.coefficient < 0 ? engine::Sign::Minus : engine::Sign::Plus, engine::Mul(factors));
    }
    if (summands.empty())
        return engine::Int(0);
    return engine::SumOf(summands);
}

FormulaPtr PolynomialOf(const std::vector<mpq_class>& highestFirst, char unknown)
{
    std::vector<Polynomial::Term> terms;
    const std::size_t degree = highestFirst.size() - 1;
    for (std::size_t i = 0; i < highestFirst.size(); ++i) {
        if (highestFirst[i] != 0)
            terms.push_back({{degree - i}, highestFirst[i]});
    }
    return TermsFormula(terms, {unknown});
}

FormulaPtr Digits(const std::string& decimal)
{
    const bool negative = decimal.front() == '-';
    const std::size_t e = decimal.find('e');
    const std::string mantissa = decimal.substr(negative ? 1 : 0, e - (negative ? 1 : 0));
    const long exponent = e == std::string::npos ? 0 : std::stol(decimal.substr(e + 1));
    const FormulaPtr digits = mantissa.find('.') == std::string::npos && exponent == 0
                                  ? engine::Int(mpz_class(mantissa, 10))
                                  : engine::Dec(mantissa, exponent);
    return negative ? engine::Neg(digits) : digits;
}

FormulaPtr ExactOrDigits(const FormulaPtr& exact, const std::string& decimal)
{
    return exact ? exact : Digits(decimal);
}

FormulaPtr Naming(FormulaPtr name, const FormulaPtr& exact, const std::string& re, const std::string& im)
{
    if (exact)
        return engine::Eq(std::move(name), exact);
    FormulaPtr digits = Digits(re);
    if (im != "0") {
        const bool below = im.front() == '-';
        const FormulaPtr imaginary
            = engine::Mul({Digits(below ? im.substr(1) : im), engine::Sym(engine::symbol::kImaginaryUnit)});
        const engine::Sign sign = below ? engine::Sign::Minus : engine::Sign::Plus;
        digits = re == "0" ? (below ? engine::Neg(imaginary) : imaginary)
                           : engine::SumOf({{engine::Sign::Plus, digits}, {sign, imaginary}});
    }
    return engine::Rel(std::move(name), engine::Relation::Approx, digits);
}

Shown ShownOf(FormulaPtr exact)
{
    Shown shown;
    if (exact)
        shown.expr = engine::ExprText(*exact);
    shown.exact = std::move(exact);
    return shown;
}

bool SameFormula(const Formula& a, const Formula& b)
{
    if (!sameShape(a, b) || !sameNumbers(a, b))
        return false;
    for (std::size_t i = 0; i < a.children.size(); ++i) {
        const FormulaPtr& x = a.children[i];
        const FormulaPtr& y = b.children[i];
        if ((x == nullptr) != (y == nullptr) || (x && !SameFormula(*x, *y)))
            return false;
    }
    return true;
}

double Drawn(const engine::Real& value)
{
    const auto nearest = value.nearestDouble();
    if (nearest)
        return *nearest;
    return value.sign() < 0 ? -std::numeric_limits<double>::infinity() : std::numeric_limits<double>::infinity();
}

} // namespace zembrel::typed::solving

namespace zembrel::typed {

using engine::FormulaPtr;

namespace {

FormulaPtr endFormula(const End& end) { return solving::ExactOrDigits(end.shown.exact, end.decimal); }

} // namespace

FormulaPtr SolutionIntervals(const std::vector<Interval>& intervals)
{
    if (intervals.empty())
        return engine::Sym(engine::symbol::kEmptySet);
    std::vector<FormulaPtr> parts;
    parts.reserve(intervals.size());
    for (const Interval& i : intervals) {
        parts.push_back(engine::IntervalOf(i.from ? endFormula(*i.from) : nullptr, i.to ? endFormula(*i.to) : nullptr,
                                           i.closedFrom, i.closedTo));
    }
    return engine::UnionOf(parts);
}

engine::textbook::ShownDecimal PageDecimal(const engine::Real& value)
{
    constexpr int kPageDigits = 15;
    const engine::RoundedDecimal rounded = value.significant(kPageDigits, engine::Tie::AwayFromZero);
    return {solving::Digits(engine::DecimalText(rounded)), value.equals(engine::ValueOf(rounded))};
}

FormulaPtr SolutionRelations(const std::vector<Interval>& intervals, char unknown)
{
    using engine::Relation;
    const FormulaPtr x = solving::Letter(unknown);
    std::vector<FormulaPtr> alternatives;
    for (const Interval& i : intervals) {
        if (!i.from && i.to) {
            alternatives.push_back(
                engine::Rel(x, i.closedTo ? Relation::LessEqual : Relation::Less, endFormula(*i.to)));
        } else if (i.from && !i.to) {
            alternatives.push_back(
                engine::Rel(x, i.closedFrom ? Relation::GreaterEqual : Relation::Greater, endFormula(*i.from)));
        } else if (i.from && i.to && Compare(i.from->value, i.to->value) == 0) {
            alternatives.push_back(engine::Eq(x, endFormula(*i.from)));
        } else if (i.from && i.to) {
            alternatives.push_back(engine::ChainOf(
                endFormula(*i.from), {{i.closedFrom ? Relation::LessEqual : Relation::Less, x},
                                      {i.closedTo ? Relation::LessEqual : Relation::Less, endFormula(*i.to)}}));
        }
    }
    return engine::OrOf(alternatives);
}

} // namespace zembrel::typed
