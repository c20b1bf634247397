// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "multivariate.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <stdexcept>
#include <utility>

namespace zembrel::typed {

namespace {

// One FLINT context for each number of unknowns, made once and only read
// after: polynomials of the same count share it, from any thread.
class Contexts {
public:
    Contexts()
    {
        for (std::size_t n = 0; n < contexts_.size(); ++n)
            fmpq_mpoly_ctx_init(&contexts_[n], static_cast<slong>(n), ORD_LEX);
    }
    ~Contexts()
    {
        for (fmpq_mpoly_ctx_struct& context : contexts_)
            fmpq_mpoly_ctx_clear(&context);
    }
    Contexts(const Contexts&) = delete;
    Contexts& operator=(const Contexts&) = delete;

    const fmpq_mpoly_ctx_struct* operator[](std::size_t unknowns) const { return &contexts_[unknowns]; }

private:
    std::array<fmpq_mpoly_ctx_struct, kMaxUnknowns + 1> contexts_{};
};

const fmpq_mpoly_ctx_struct* contextFor(std::size_t unknowns)
{
    if (unknowns > kMaxUnknowns)
        throw std::out_of_range("a polynomial has at most kMaxUnknowns unknowns");
    static const Contexts contexts;
    return contexts[unknowns];
}

// An fmpq, owned.
class Rational {
public:
    Rational() { fmpq_init(value_); }
    explicit Rational(const mpq_class& value)
    {
        fmpq_init(value_);
        fmpq_set_mpq(value_, value.get_mpq_t());
    }
    ~Rational() { fmpq_clear(value_); }
    Rational(const Rational&) = delete;
    Rational& operator=(const Rational&) = delete;

    fmpq* get() { return value_; }
    mpq_class value() const
    {
        mpq_class result;
        fmpq_get_mpq(result.get_mpq_t(), value_);
        return result;
    }

private:
    fmpq_t value_{};
};

} // namespace

Polynomial::Polynomial() : Polynomial(0) {}

Polynomial::Polynomial(std::size_t unknowns) : unknowns_(unknowns), context_(contextFor(unknowns))
{
    fmpq_mpoly_init(poly_, context_);
}

Polynomial::Polynomial(std::size_t unknowns, const mpq_class& constant) : Polynomial(unknowns)
{
    Rational value(constant);
    fmpq_mpoly_set_fmpq(poly_, value.get(), context_);
}

Polynomial Polynomial::Unknown(std::size_t unknowns, std::size_t index)
{
    if (index >= unknowns)
        throw std::out_of_range("no such unknown");
    Polynomial result(unknowns);
    fmpq_mpoly_gen(result.poly_, static_cast<slong>(index), result.context_);
    return result;
}

Polynomial::Polynomial(const Polynomial& other) : Polynomial(other.unknowns_)
{
    fmpq_mpoly_set(poly_, other.poly_, context_);
}

Polynomial::Polynomial(Polynomial&& other) noexcept : unknowns_(other.unknowns_), context_(other.context_)
{
    fmpq_mpoly_init(poly_, context_);
    fmpq_mpoly_swap(poly_, other.poly_, context_);
}

Polynomial& Polynomial::operator=(const Polynomial& other)
{
    if (this != &other) {
        Polynomial copy(other);
        *this = std::move(copy);
    }
    return *this;
}

Polynomial& Polynomial::operator=(Polynomial&& other) noexcept
{
    // Swapping the contexts with the values keeps each with its own.
    std::swap(unknowns_, other.unknowns_);
    std::swap(context_, other.context_);
    std::swap(*poly_, *other.poly_);
    return *this;
}

Polynomial::~Polynomial() { fmpq_mpoly_clear(poly_, context_); }

const fmpq_mpoly_ctx_struct* Polynomial::sameContext(const Polynomial& other) const
{
    if (other.unknowns_ != unknowns_)
        throw std::invalid_argument("polynomials in different unknowns");
    return context_;
}

std::size_t Polynomial::termCount() const { return static_cast<std::size_t>(fmpq_mpoly_length(poly_, context_)); }

bool Polynomial::isZero() const { return fmpq_mpoly_is_zero(poly_, context_) != 0; }

bool Polynomial::isConstant() const { return fmpq_mpoly_is_fmpq(poly_, context_) != 0; }

long Polynomial::degree(std::size_t unknown) const
{
    if (unknown >= unknowns_)
        throw std::out_of_range("no such unknown");
    return fmpq_mpoly_degree_si(poly_, static_cast<slong>(unknown), context_);
}

long Polynomial::totalDegree() const { return fmpq_mpoly_total_degree_si(poly_, context_); }

std::size_t Polynomial::coefficientBits() const
{
    if (isZero())
        return 0;
    // Each coefficient is content·z with z a whole number of the integer part.
    const fmpq* content = poly_->content;
    const auto wholeBits = static_cast<std::size_t>(std::abs(fmpz_mpoly_max_bits(poly_->zpoly)));
    return std::max(fmpz_bits(fmpq_numref(content)) + wholeBits, fmpz_bits(fmpq_denref(content)));
}

mpq_class Polynomial::coefficient(std::span<const unsigned long> exponents) const
{
    if (exponents.size() != unknowns_)
        throw std::invalid_argument("one exponent per unknown");
    Rational value;
    fmpq_mpoly_get_coeff_fmpq_ui(value.get(), poly_, exponents.data(), context_);
    return value.value();
}

mpq_class Polynomial::constantTerm() const
{
    const std::vector<unsigned long> none(unknowns_, 0);
    return coefficient(none);
}

std::vector<Polynomial::Term> Polynomial::terms() const
{
    std::vector<Term> result(termCount());
    Rational value;
    for (std::size_t i = 0; i < result.size(); ++i) {
        result[i].exponents.resize(unknowns_);
        fmpq_mpoly_get_term_exp_ui(result[i].exponents.data(), poly_, static_cast<slong>(i), context_);
        fmpq_mpoly_get_term_coeff_fmpq(value.get(), poly_, static_cast<slong>(i), context_);
        result[i].coefficient = value.value();
    }
    return result;
}

std::vector<mpq_class> Polynomial::coefficients(std::size_t unknown) const
{
    const long n = std::max(degree(unknown), 0L);
    std::vector<mpq_class> result(static_cast<std::size_t>(n) + 1);
    for (Term& term : terms()) {
        for (std::size_t other = 0; other < unknowns_; ++other) {
            if (other != unknown && term.exponents[other] != 0)
                throw std::invalid_argument("the polynomial has another unknown");
        }
        result[static_cast<std::size_t>(n) - term.exponents[unknown]] = std::move(term.coefficient);
    }
    return result;
}

Polynomial Polynomial::operator-() const
{
    Polynomial result(unknowns_);
    fmpq_mpoly_neg(result.poly_, poly_, context_);
    return result;
}

Polynomial Polynomial::operator+(const Polynomial& other) const
{
    Polynomial result(unknowns_);
    fmpq_mpoly_add(result.poly_, poly_, other.poly_, sameContext(other));
    return result;
}

Polynomial Polynomial::operator-(const Polynomial& other) const
{
    Polynomial result(unknowns_);
    fmpq_mpoly_sub(result.poly_, poly_, other.poly_, sameContext(other));
    return result;
}

Polynomial Polynomial::operator*(const Polynomial& other) const
{
    Polynomial result(unknowns_);
    fmpq_mpoly_mul(result.poly_, poly_, other.poly_, sameContext(other));
    return result;
}

Polynomial Polynomial::operator/(const mpq_class& divisor) const
{
    if (divisor == 0)
        throw std::domain_error("division by 0");
    Polynomial result(unknowns_);
    Rational value(divisor);
    fmpq_mpoly_scalar_div_fmpq(result.poly_, poly_, value.get(), context_);
    return result;
}

Polynomial Polynomial::pow(unsigned long exponent) const
{
    Polynomial result(unknowns_);
    fmpq_mpoly_pow_ui(result.poly_, poly_, exponent, context_);
    return result;
}

bool Polynomial::operator==(const Polynomial& other) const
{
    return unknowns_ == other.unknowns_ && fmpq_mpoly_equal(poly_, other.poly_, context_) != 0;
}

} // namespace zembrel::typed
