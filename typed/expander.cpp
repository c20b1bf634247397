// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "expander.h"

#include <algorithm>
#include <bit>

namespace zembrel::typed {

namespace {

// ⌈log₂ n⌉ or more: the bits a sum of n coefficients may gain.
std::size_t carryBits(std::size_t n) { return static_cast<std::size_t>(std::bit_width(n)); }

struct Degrees {
    std::vector<long> each;
    long total = 0;
};

// The zero polynomial counts as degree 0, as a constant does.
Degrees degreesOf(const Polynomial& p)
{
    Degrees degrees;
    for (std::size_t v = 0; v < p.unknowns(); ++v)
        degrees.each.push_back(std::max(p.degree(v), 0L));
    degrees.total = std::max(p.totalDegree(), 0L);
    return degrees;
}

Degrees operator+(Degrees a, const Degrees& b)
{
    for (std::size_t v = 0; v < a.each.size(); ++v)
        a.each[v] += b.each[v];
    a.total += b.total;
    return a;
}

void checkDegrees(const Degrees& degrees, std::size_t at)
{
    const bool over = degrees.total > kMaxDegree
                      || std::any_of(degrees.each.begin(), degrees.each.end(), [](long d) { return d > kMaxDegree; });
    if (over)
        Fail(ErrorKind::DegreeOver100, at);
}

// The exponent vectors with e_v ≤ degrees.each[v] and Σ e_v ≤ degrees.total:
// the most terms a polynomial of those degrees can have.
double monomials(const Degrees& degrees)
{
    const auto total = static_cast<std::size_t>(degrees.total);
    std::vector<double> ways(total + 1, 0.0); // ways[t]: vectors so far whose exponents sum to t
    ways[0] = 1;
    for (const long d : degrees.each) {
        std::vector<double> next(total + 1, 0.0);
        for (std::size_t t = 0; t <= total; ++t) {
            for (std::size_t e = 0; e <= static_cast<std::size_t>(d) && t + e <= total; ++e)
                next[t + e] += ways[t];
        }
        ways = std::move(next);
    }
    double count = 0;
    for (const double w : ways)
        count += w;
    return count;
}

// C(n + k − 1, k): the products of k terms out of n, order aside.
double multisets(std::size_t n, unsigned long k)
{
    double count = 1;
    for (unsigned long i = 1; i <= k && count < 1e300; ++i)
        count = count * static_cast<double>(n - 1 + i) / static_cast<double>(i);
    return count;
}

} // namespace

Polynomial Expander::expand(const Expr& expr) { return value(expr).polynomial; }

Polynomial Expander::difference(const Polynomial& left, const Polynomial& right, std::size_t at)
{
    return add(left, -right, at);
}

Expander::Value Expander::value(const Expr& expr)
{
    switch (expr.kind) {
    case Expr::Kind::Number: return {Polynomial(unknowns_, expr.number->value), false};
    case Expr::Kind::Unknown: return {Polynomial::Unknown(unknowns_, expr.unknown), true};
    case Expr::Kind::Sum: return sum(expr);
    case Expr::Kind::Product: return product(expr);
    case Expr::Kind::Power: return power(expr);
    case Expr::Kind::Group: break;
    }
    return value(expr.children.front());
}

Expander::Value Expander::sum(const Expr& expr)
{
    std::vector<Block> blocks;
    bool written = false;
    for (const Expr& child : expr.children) {
        Value term = value(child);
        written = written || term.written;
        if (child.joint == Joint::Minus)
            term.polynomial = -term.polynomial;
        push(blocks, {std::move(term.polynomial), 1, child.jointAt}, Operation::Add);
    }
    return {combine(blocks, Operation::Add), written};
}

// The degree is told where it first passes the limit, reading from the left
// as written: x^60·x^60·0 is refused as x^60·x^60 would be.
Expander::Value Expander::product(const Expr& expr)
{
    std::vector<Block> blocks;
    bool written = false;
    Degrees degrees{std::vector<long>(unknowns_, 0), 0};
    for (const Expr& child : expr.children) {
        Value factor = value(child);
        if (child.joint == Joint::Slash || child.joint == Joint::Obelus) {
            factor.polynomial = reciprocal(factor, child);
        } else {
            degrees = degrees + degreesOf(factor.polynomial);
            checkDegrees(degrees, child.jointAt);
        }
        written = written || factor.written;
        push(blocks, {std::move(factor.polynomial), 1, child.jointAt}, Operation::Multiply);
    }
    return {combine(blocks, Operation::Multiply), written};
}

Expander::Value Expander::power(const Expr& expr)
{
    const Value base = value(expr.children[0]);
    const Expr& exponentExpr = expr.children[1];
    const Value exponentValue = value(exponentExpr);
    const std::size_t at = exponentExpr.jointAt;
    if (exponentValue.written)
        Fail(ErrorKind::ExponentNotWhole, exponentExpr.span.begin);
    const mpq_class k = exponentValue.polynomial.constantTerm();
    if (k.get_den() != 1 || k < 0 || k > kMaxExponent)
        Fail(ErrorKind::ExponentNotWhole, exponentExpr.span.begin);
    const unsigned long n = k.get_num().get_ui();
    const Polynomial& b = base.polynomial;
    if (n == 0 && b.isZero())
        Fail(ErrorKind::ZeroToPowerZero, at);

    Degrees degrees = degreesOf(b);
    for (long& d : degrees.each)
        d *= static_cast<long>(n);
    degrees.total *= static_cast<long>(n);
    checkDegrees(degrees, at);

    const std::size_t terms = b.termCount();
    double resultTerms = 1;
    if (terms > 1) {
        resultTerms = multisets(terms, n);
        if (resultTerms > static_cast<double>(kMaxTerms))
            resultTerms = std::min(resultTerms, monomials(degrees));
        if (resultTerms > static_cast<double>(kMaxTerms))
            Fail(ErrorKind::TooLarge, at);
    }
    // A coefficient of bⁿ is a sum of at most termsⁿ products of n coefficients.
    const std::size_t bits = n * (b.coefficientBits() + (terms > 1 ? carryBits(terms) : 0));
    if (bits > kMaxCoefficientBits)
        Fail(ErrorKind::TooLarge, at);
    // FLINT raises a polynomial of several terms by a recurrence that takes
    // each term of b once for each term of bⁿ, at about five times the work
    // of a product of two coefficients (as measured).
    budget_.charge(5 * static_cast<double>(terms) * resultTerms * Budget::coefficientWork(bits), at);
    return {b.pow(n), base.written};
}

void Expander::push(std::vector<Block>& blocks, Block block, Operation operation)
{
    blocks.push_back(std::move(block));
    while (blocks.size() >= 2 && blocks[blocks.size() - 2].length == blocks.back().length)
        joinLast(blocks, operation);
}

Polynomial Expander::combine(std::vector<Block>& blocks, Operation operation)
{
    while (blocks.size() >= 2)
        joinLast(blocks, operation);
    return std::move(blocks.front().polynomial);
}

void Expander::joinLast(std::vector<Block>& blocks, Operation operation)
{
    Block right = std::move(blocks.back());
    blocks.pop_back();
    Block& left = blocks.back();
    left.polynomial = operation == Operation::Add ? add(left.polynomial, right.polynomial, right.at)
                                                  : multiply(left.polynomial, right.polynomial, right.at);
    left.length += right.length;
}

Polynomial Expander::add(const Polynomial& a, const Polynomial& b, std::size_t at)
{
    const double terms = static_cast<double>(a.termCount() + b.termCount());
    budget_.charge(terms * Budget::coefficientWork(a.coefficientBits() + b.coefficientBits()), at);
    Polynomial result = a + b;
    if (result.termCount() > kMaxTerms || result.coefficientBits() > kMaxCoefficientBits)
        Fail(ErrorKind::TooLarge, at);
    return result;
}

Polynomial Expander::multiply(const Polynomial& a, const Polynomial& b, std::size_t at)
{
    const Degrees degrees = degreesOf(a) + degreesOf(b);
    checkDegrees(degrees, at);
    const double pairs = static_cast<double>(a.termCount()) * static_cast<double>(b.termCount());
    if (pairs > static_cast<double>(kMaxTerms) && monomials(degrees) > static_cast<double>(kMaxTerms))
        Fail(ErrorKind::TooLarge, at);
    const std::size_t bits
        = a.coefficientBits() + b.coefficientBits() + carryBits(std::min(a.termCount(), b.termCount()));
    if (bits > kMaxCoefficientBits)
        Fail(ErrorKind::TooLarge, at);
    budget_.charge(pairs * Budget::coefficientWork(bits), at);
    return a * b;
}

// A divisor is a number however it is written: it is multiplied by its reciprocal.
Polynomial Expander::reciprocal(const Value& divisor, const Expr& expr)
{
    if (divisor.written)
        Fail(ErrorKind::DivisorWithUnknown, expr.span.begin);
    if (divisor.polynomial.isZero())
        Fail(ErrorKind::DivisionByZero, expr.span.begin);
    return Polynomial(unknowns_, 1 / divisor.polynomial.constantTerm());
}

} // namespace zembrel::typed
