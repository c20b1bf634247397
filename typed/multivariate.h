// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// A polynomial with rational coefficients in the unknowns of a statement,
// numbered 0, 1, … in the order a Reading lists them: FLINT's fmpq_mpoly,
// owned. Terms are kept highest first in lexicographic order, unknown 0
// weighing most; the zero polynomial has no term and degree −1.

#include "typed_limits.h"

#include <flint/fmpq_mpoly.h>
#include <gmpxx.h>

#include <span>
#include <vector>

namespace zembrel::typed {

class Polynomial {
public:
    struct Term {
        std::vector<unsigned long> exponents; // one per unknown
        mpq_class coefficient;                // never 0
    };

    Polynomial(); // 0, in no unknown
    explicit Polynomial(std::size_t unknowns);
    Polynomial(std::size_t unknowns, const mpq_class& constant);
    static Polynomial Unknown(std::size_t unknowns, std::size_t index);

    Polynomial(const Polynomial& other);
    Polynomial(Polynomial&& other) noexcept;
    Polynomial& operator=(const Polynomial& other);
    Polynomial& operator=(Polynomial&& other) noexcept;
    ~Polynomial();

    std::size_t unknowns() const { return unknowns_; }
    std::size_t termCount() const;
    bool isZero() const;
    bool isConstant() const; // 0 included
    long degree(std::size_t unknown) const;
    long totalDegree() const;
    // An upper bound on the bits of every coefficient's numerator and
    // denominator in lowest terms; 0 for the zero polynomial.
    std::size_t coefficientBits() const;

    mpq_class coefficient(std::span<const unsigned long> exponents) const;
    mpq_class constantTerm() const;
    std::vector<Term> terms() const;
    // a_n, …, a_1, a_0 of a polynomial in `unknown` alone (no other unknown
    // may appear, else std::invalid_argument); {0} for the zero polynomial.
    std::vector<mpq_class> coefficients(std::size_t unknown) const;

    Polynomial operator-() const;
    Polynomial operator+(const Polynomial& other) const;
    Polynomial operator-(const Polynomial& other) const;
    Polynomial operator*(const Polynomial& other) const;
    Polynomial operator/(const mpq_class& divisor) const; // divisor ≠ 0
    Polynomial pow(unsigned long exponent) const;         // 0⁰ = 1
    bool operator==(const Polynomial& other) const;

    // For the rest of FLINT.
    const fmpq_mpoly_struct* get() const { return poly_; }
    fmpq_mpoly_struct* get() { return poly_; }
    const fmpq_mpoly_ctx_struct* context() const { return context_; }

private:
    const fmpq_mpoly_ctx_struct* sameContext(const Polynomial& other) const;

    std::size_t unknowns_ = 0;
    const fmpq_mpoly_ctx_struct* context_;
    fmpq_mpoly_t poly_{};
};

} // namespace zembrel::typed
