// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "formula.h"

#include "kept_blocks.h"

#include <mpfr.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <memory>
#include <new>
#include <optional>
#include <stdexcept>
#include <utility>

namespace zembrel::engine {

namespace {

using Kind = Formula::Kind;

// Nodes come and go by the hundred with every working. glibc keeps only
// seven freed blocks of a size at hand per thread; the rest of a tree's
// nodes took its slow path, a fifth of an analysis. Each thread keeps the
// nodes it frees, up to a bound, for the next ones it makes.
void releaseNode(void* block) { ::operator delete(block); }

template <class T>
struct NodeAllocator {
    using value_type = T;
    NodeAllocator() = default;
    template <class U>
    explicit(false) NodeAllocator(const NodeAllocator<U>& /*other*/)
    {
    }

    T* allocate(std::size_t n)
    {
        if (void* block = n == 1 ? KeptBlocks<sizeof(T), releaseNode>::take() : nullptr)
            return static_cast<T*>(block);
        return static_cast<T*>(::operator new(n * sizeof(T)));
    }
    void deallocate(T* p, std::size_t n)
    {
        if (n != 1 || !KeptBlocks<sizeof(T), releaseNode>::keep(p))
            ::operator delete(p);
    }
    friend bool operator==(const NodeAllocator& /*a*/, const NodeAllocator& /*b*/) { return true; }
};

FormulaPtr node(Formula f) { return MakeFormula(std::move(f)); }

FormulaPtr withChildren(Kind kind, std::vector<FormulaPtr> children)
{
    Formula f(kind);
    f.children = std::move(children);
    return node(std::move(f));
}

} // namespace

FormulaPtr MakeFormula(Formula f)
{
    return std::allocate_shared<const Formula>(NodeAllocator<Formula>(), std::move(f));
}

namespace {

FormulaPtr integerNode(const mpz_class& n)
{
    Formula f(Kind::Integer);
    f.integer = n;
    return node(std::move(f));
}

// The small whole numbers of every working (exponents, the 2 and 4 of the
// formulas, coefficients) are made once and shared: a formula never changes.
constexpr long kSharedIntegers = 100;

const FormulaPtr& sharedInteger(long n)
{
    static const std::vector<FormulaPtr> shared = [] {
        std::vector<FormulaPtr> all;
        for (long k = 0; k < kSharedIntegers; ++k)
            all.push_back(integerNode(mpz_class(k)));
        return all;
    }();
    return shared[static_cast<std::size_t>(n)];
}

} // namespace

FormulaPtr Int(const mpz_class& n)
{
    if (n < 0)
        throw std::invalid_argument("a negative integer node");
    if (n < kSharedIntegers)
        return sharedInteger(n.get_si());
    return integerNode(n);
}

FormulaPtr Int(long n)
{
    if (n >= 0 && n < kSharedIntegers)
        return sharedInteger(n);
    return Int(mpz_class(n));
}

FormulaPtr Dec(std::string mantissa, long exponent)
{
    Formula f(Kind::Decimal);
    f.text = std::move(mantissa);
    f.exponent = exponent;
    return node(std::move(f));
}

FormulaPtr Sym(std::string name, std::string subscript)
{
    Formula f(Kind::Symbol);
    f.text = std::move(name);
    f.subscript = std::move(subscript);
    return node(std::move(f));
}

FormulaPtr Neg(FormulaPtr a)
{
    if (a->kind == Kind::Negative)
        return a->children.front();
    return withChildren(Kind::Negative, {std::move(a)});
}

FormulaPtr SumOf(const std::vector<std::pair<Sign, FormulaPtr>>& terms)
{
    Formula f(Kind::Sum);
    for (const auto& [givenSign, givenTerm] : terms) {
        Sign sign = givenSign;
        FormulaPtr term = givenTerm;
        // A negative term is subtracted, a subtracted negative added, so
        // that a sum never shows "+ −3".
        if (term->kind == Kind::Negative && sign != Sign::PlusMinus) {
            sign = sign == Sign::Plus ? Sign::Minus : Sign::Plus;
            term = term->children.front();
        }
        // A sum inside a sum is flattened where its signs allow.
        if (term->kind == Kind::Sum && sign == Sign::Plus) {
            for (std::size_t i = 0; i < term->children.size(); ++i) {
                f.children.push_back(term->children[i]);
                f.signs.push_back(term->signs[i]);
            }
            continue;
        }
        f.children.push_back(std::move(term));
        f.signs.push_back(sign);
    }
    if (f.children.size() == 1 && f.signs.front() == Sign::Plus)
        return f.children.front();
    if (f.children.size() == 1 && f.signs.front() == Sign::Minus)
        return Neg(f.children.front());
    return node(std::move(f));
}

FormulaPtr Add(FormulaPtr a, FormulaPtr b) { return SumOf({{Sign::Plus, std::move(a)}, {Sign::Plus, std::move(b)}}); }
FormulaPtr Sub(FormulaPtr a, FormulaPtr b) { return SumOf({{Sign::Plus, std::move(a)}, {Sign::Minus, std::move(b)}}); }
FormulaPtr PlusMinusOf(FormulaPtr a, FormulaPtr b)
{
    return SumOf({{Sign::Plus, std::move(a)}, {Sign::PlusMinus, std::move(b)}});
}

FormulaPtr Mul(std::vector<FormulaPtr> factors)
{
    if (factors.size() == 1)
        return factors.front();
    return withChildren(Kind::Product, std::move(factors));
}

FormulaPtr Times(std::vector<FormulaPtr> factors)
{
    if (factors.size() == 1)
        return factors.front();
    Formula f(Kind::Product);
    f.children = std::move(factors);
    f.timesShown = true;
    return node(std::move(f));
}

FormulaPtr Frac(FormulaPtr numerator, FormulaPtr denominator)
{
    return withChildren(Kind::Fraction, {std::move(numerator), std::move(denominator)});
}

FormulaPtr Pow(FormulaPtr base, FormulaPtr exponent)
{
    return withChildren(Kind::Power, {std::move(base), std::move(exponent)});
}

FormulaPtr Pow(FormulaPtr base, long exponent) { return Pow(std::move(base), Int(exponent)); }

FormulaPtr Sqrt(FormulaPtr radicand) { return RootOf(std::move(radicand), 2); }

FormulaPtr RootOf(FormulaPtr radicand, int index)
{
    Formula f(Kind::Root);
    f.children = {std::move(radicand)};
    f.index = index;
    return node(std::move(f));
}

FormulaPtr Func(std::string name, FormulaPtr argument)
{
    Formula f(Kind::Function);
    f.text = std::move(name);
    f.children = {std::move(argument)};
    return node(std::move(f));
}

FormulaPtr ChainOf(FormulaPtr first, const std::vector<std::pair<Relation, FormulaPtr>>& rest)
{
    Formula f(Kind::Chain);
    f.children.push_back(std::move(first));
    for (const auto& [relation, side] : rest) {
        f.relations.push_back(relation);
        f.children.push_back(side);
    }
    return node(std::move(f));
}

FormulaPtr Eq(FormulaPtr a, FormulaPtr b) { return ChainOf(std::move(a), {{Relation::Equal, std::move(b)}}); }
FormulaPtr Rel(FormulaPtr a, Relation relation, FormulaPtr b)
{
    return ChainOf(std::move(a), {{relation, std::move(b)}});
}

FormulaPtr MatrixOf(std::vector<std::vector<FormulaPtr>> rows, bool determinant)
{
    Formula f(Kind::Matrix);
    f.columns = rows.empty() ? 0 : rows.front().size();
    for (auto& row : rows) {
        if (row.size() != f.columns)
            throw std::invalid_argument("a matrix with rows of different lengths");
        for (auto& cell : row)
            f.children.push_back(std::move(cell));
    }
    f.bars = determinant;
    return node(std::move(f));
}

FormulaPtr CasesOf(std::vector<FormulaPtr> equations) { return withChildren(Kind::Cases, std::move(equations)); }

FormulaPtr IntervalOf(FormulaPtr from, FormulaPtr to, bool closedLeft, bool closedRight)
{
    Formula f(Kind::Interval);
    f.closedLeft = closedLeft && from != nullptr;
    f.closedRight = closedRight && to != nullptr;
    f.children = {std::move(from), std::move(to)};
    return node(std::move(f));
}

FormulaPtr UnionOf(std::vector<FormulaPtr> parts)
{
    if (parts.size() == 1)
        return parts.front();
    return withChildren(Kind::Union, std::move(parts));
}

FormulaPtr OrOf(std::vector<FormulaPtr> alternatives)
{
    if (alternatives.size() == 1)
        return alternatives.front();
    return withChildren(Kind::Or, std::move(alternatives));
}

FormulaPtr AndOf(std::vector<FormulaPtr> conditions)
{
    if (conditions.size() == 1)
        return conditions.front();
    return withChildren(Kind::And, std::move(conditions));
}

FormulaPtr ListOf(std::vector<FormulaPtr> items)
{
    if (items.size() == 1)
        return items.front();
    return withChildren(Kind::List, std::move(items));
}

FormulaPtr PointOf(FormulaPtr x, FormulaPtr y) { return withChildren(Kind::Point, {std::move(x), std::move(y)}); }

namespace {

// The digits of the terminating decimal |num|/den, den > 1, with at most
// `places` places after the point, or nothing when it needs more (or does
// not terminate).
std::optional<std::string> shortDecimal(const mpz_class& num, const mpz_class& den, unsigned long places)
{
    // Within 10^places, so that counting its fives is short.
    if (mpz_sizeinbase(den.get_mpz_t(), 2) > 4 * places)
        return std::nullopt;
    const unsigned long twos = mpz_scan1(den.get_mpz_t(), 0);
    mpz_class rest;
    mpz_tdiv_q_2exp(rest.get_mpz_t(), den.get_mpz_t(), twos);
    unsigned long fives = 0;
    while (mpz_divisible_ui_p(rest.get_mpz_t(), 5) != 0) {
        mpz_divexact_ui(rest.get_mpz_t(), rest.get_mpz_t(), 5);
        ++fives;
    }
    const unsigned long needed = std::max(twos, fives);
    if (rest != 1 || needed > places)
        return std::nullopt;
    // |num|/den = |num|·2^(needed − twos)·5^(needed − fives)/10^needed
    mpz_class scaled;
    mpz_ui_pow_ui(scaled.get_mpz_t(), 5, needed - fives);
    mpz_mul_2exp(scaled.get_mpz_t(), scaled.get_mpz_t(), needed - twos);
    scaled *= num;
    std::string digits = scaled.get_str();
    if (digits.front() == '-')
        digits.erase(0, 1);
    if (digits.size() <= needed)
        digits.insert(0, needed + 1 - digits.size(), '0');
    digits.insert(digits.size() - needed, 1, '.');
    return digits;
}

// |n| as a node.
FormulaPtr magnitudeOf(const mpz_class& n)
{
    if (mpz_fits_slong_p(n.get_mpz_t()) != 0 && n > LONG_MIN)
        return Int(std::labs(n.get_si()));
    return Int(mpz_class(abs(n)));
}

constexpr unsigned long kDecimalPlaces = 30;
constexpr std::size_t kDecimalDigits = 40;

} // namespace

FormulaPtr Number(const mpq_class& value, NumberStyle style)
{
    const mpz_class& num = value.get_num();
    const mpz_class& den = value.get_den();
    FormulaPtr f;
    if (den == 1) {
        f = magnitudeOf(num);
    } else if (style == NumberStyle::Decimal && mpz_sizeinbase(num.get_mpz_t(), 10) <= kDecimalDigits) {
        if (auto digits = shortDecimal(num, den, kDecimalPlaces))
            f = Dec(std::move(*digits));
    }
    if (!f)
        f = Frac(magnitudeOf(num), Int(den));
    return sgn(num) < 0 ? Neg(f) : f;
}

FormulaPtr PolynomialFormula(std::span<const mpq_class> coefficients, const FormulaPtr& unknown, NumberStyle style)
{
    std::vector<std::pair<Sign, FormulaPtr>> terms;
    const long degree = static_cast<long>(coefficients.size()) - 1;
    for (long i = 0; i <= degree; ++i) {
        const mpq_class& c = coefficients[static_cast<std::size_t>(i)];
        if (c == 0)
            continue;
        const long power = degree - i;
        const Sign sign = c < 0 ? Sign::Minus : Sign::Plus;
        const mpq_class magnitude = abs(c);
        if (power == 0) {
            terms.emplace_back(sign, Number(magnitude, style));
            continue;
        }
        FormulaPtr x = power == 1 ? unknown : Pow(unknown, power);
        if (magnitude == 1)
            terms.emplace_back(sign, std::move(x));
        else
            terms.emplace_back(sign, Mul({Number(magnitude, style), std::move(x)}));
    }
    if (terms.empty())
        return Int(0);
    return SumOf(terms);
}

std::size_t DigitCount(const mpz_class& n)
{
    const std::size_t estimate = mpz_sizeinbase(n.get_mpz_t(), 10); // exact or one too many
    if (estimate <= 1)
        return 1;
    // n ≥ 10^(estimate − 1) decides it; the leading 64 bits tell unless n is
    // that close to a power of ten, which only the power itself is here.
    mpfr_t x;
    mpfr_init2(x, 64);
    mpfr_set_z(x, n.get_mpz_t(), MPFR_RNDZ);
    mpfr_log10(x, x, MPFR_RNDZ);
    const double log10 = mpfr_get_d(x, MPFR_RNDZ);
    mpfr_clear(x);
    const auto below = static_cast<double>(estimate - 1);
    if (log10 >= below + 1e-9)
        return estimate;
    if (log10 < below - 1e-9)
        return estimate - 1;
    mpz_class power;
    mpz_ui_pow_ui(power.get_mpz_t(), 10, estimate - 1);
    return n >= power ? estimate : estimate - 1;
}

std::string DigitsToShow(const mpz_class& n, std::size_t limit)
{
    if (mpz_sizeinbase(n.get_mpz_t(), 10) <= limit)
        return n.get_str();
    // The leading digits from a binary approximation, cut rather than rounded.
    mpfr_t x;
    mpfr_init2(x, static_cast<mpfr_prec_t>(limit * 4 + 64));
    mpfr_set_z(x, n.get_mpz_t(), MPFR_RNDZ);
    mpfr_exp_t exponent = 0;
    char* digits = mpfr_get_str(nullptr, &exponent, 10, limit + 1, x, MPFR_RNDZ);
    std::string text(digits, limit);
    mpfr_free_str(digits);
    mpfr_clear(x);
    if (static_cast<std::size_t>(exponent) <= limit)
        return n.get_str();
    return text + "…";
}

bool NeedsGroupingAsFactor(const Formula& formula)
{
    return formula.kind == Kind::Negative || formula.kind == Kind::Sum || formula.kind == Kind::Fraction;
}

std::size_t NodeCount(const Formula& formula)
{
    std::size_t count = 1;
    for (const FormulaPtr& child : formula.children) {
        if (child)
            count += NodeCount(*child);
    }
    return count;
}

} // namespace zembrel::engine
