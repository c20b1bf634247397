// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "solving.h"

#include <flint/fmpz_poly.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace zembrel::typed::solving {

namespace {

double log2OfSize(const fmpz_t c)
{
    long exponent = 0;
    mpz_class z = engine::ToMpz(c);
    const double mantissa = mpz_get_d_2exp(&exponent, z.get_mpz_t());
    return std::log2(std::fabs(mantissa)) + static_cast<double>(exponent);
}

} // namespace

// Both bounds keep Arb's root finding within a second or two (measured):
// roots spread over 6000 bits times the degree take two seconds at degree
// 100, over 15000 minutes; two roots 10⁻²⁷⁰ apart in a quartic a second,
// 10⁻³⁵⁰ apart sixteen.

// The sizes of the roots are read from the Newton polygon of the
// coefficients: the upper hull of the points (k, log₂|aₖ|), whose slopes
// are the roots' sizes in bits, negated. Arb's Durand–Kerner iteration
// takes about the cube of degree × spread: 6000 is a second or two at
// degree 100, 15000 minutes.
double RootSpread(const engine::FmpzPoly& p)
{
    struct Point {
        double k;
        double size;
    };
    std::vector<Point> hull;
    for (long k = 0; k <= fmpz_poly_degree(p.get()); ++k) {
        const fmpz* c = fmpz_poly_get_coeff_ptr(p.get(), k);
        if (fmpz_is_zero(c))
            continue;
        const Point next{static_cast<double>(k), log2OfSize(c)};
        while (hull.size() >= 2) {
            const Point& a = hull[hull.size() - 2];
            const Point& b = hull.back();
            const double turn = (b.k - a.k) * (next.size - a.size) - (b.size - a.size) * (next.k - a.k);
            if (turn < 0)
                break;
            hull.pop_back();
        }
        hull.push_back(next);
    }
    if (hull.size() < 2)
        return 0;
    double least = std::numeric_limits<double>::infinity();
    double most = -std::numeric_limits<double>::infinity();
    for (std::size_t i = 1; i < hull.size(); ++i) {
        const double slope = (hull[i].size - hull[i - 1].size) / (hull[i].k - hull[i - 1].k);
        least = std::min(least, slope);
        most = std::max(most, slope);
    }
    return (most - least) * static_cast<double>(fmpz_poly_degree(p.get()));
}

// The discriminant is a_n^(2n−2) times the squares of the roots'
// differences. Hadamard's bound on the Sylvester determinant is what it
// comes to when no two roots are unusually close; every bit it falls short
// is half a bit two roots share: a cluster that Durand–Kerner closes in on
// only one bit at a time. Computed only where the bound allows a deficit
// that matters.
//
// The bound is taken with the roots moved to about their centre where that
// is −1 or 1 (the discriminant does not move): roots around −1 make the
// coefficients large, and the bound with them, though they lie no closer
// together — (x + 1)⁵⁰ = 3 has roots 0.06 apart and looked like a cluster
// of 4500 bits.
double ClusterBits(const engine::FmpzPoly& p)
{
    constexpr long kLargestCentre = 1;
    const long n = fmpz_poly_degree(p.get());
    engine::FmpzPoly centred;
    fmpz_poly_set(centred.get(), p.get());
    {
        // The centre of the roots is −a₍ₙ₋₁₎/(n·aₙ).
        engine::Fmpz denominator;
        fmpz_mul_si(denominator.get(), fmpz_poly_lead(p.get()), n);
        engine::Fmpz centre;
        fmpz_neg(centre.get(), fmpz_poly_get_coeff_ptr(p.get(), n - 1));
        fmpz_mul_2exp(centre.get(), centre.get(), 1);
        fmpz_add(centre.get(), centre.get(), denominator.get());
        fmpz_mul_2exp(denominator.get(), denominator.get(), 1);
        fmpz_fdiv_q(centre.get(), centre.get(), denominator.get()); // ⌊c + ½⌋
        // Only near 0: roots about a far centre are found at the precision
        // of the large coefficients, which is what the plain bound charges.
        if (!fmpz_is_zero(centre.get()) && fmpz_cmp_si(centre.get(), kLargestCentre) <= 0
            && fmpz_cmp_si(centre.get(), -kLargestCentre) >= 0)
            fmpz_poly_taylor_shift(centred.get(), centred.get(), centre.get());
    }
    engine::FmpzPoly derivative;
    fmpz_poly_derivative(derivative.get(), centred.get());
    engine::Fmpz norm;
    engine::Fmpz derivativeNorm;
    fmpz_poly_2norm(norm.get(), centred.get());
    fmpz_poly_2norm(derivativeNorm.get(), derivative.get());
    const double bound = static_cast<double>(n - 1) * log2OfSize(norm.get())
                         + static_cast<double>(n) * log2OfSize(derivativeNorm.get())
                         - log2OfSize(fmpz_poly_lead(p.get()));
    if (bound <= kMaxClusterBits)
        return 0;
    engine::Fmpz discriminant;
    fmpz_poly_discriminant(discriminant.get(), p.get());
    return bound - log2OfSize(discriminant.get());
}

void RequireRootsWithinReach(const engine::Factorisation& f)
{
    for (const engine::Factor& factor : f.factors) {
        // Degrees 1 to 3 have their roots from formulas, not from iteration;
        // a factor is squarefree, so its discriminant is not 0.
        if (factor.degree() < 4)
            continue;
        if (std::labs(fmpz_poly_max_bits(factor.polynomial.get())) > kMaxIteratedBits)
            throw RootsOutOfReach(RootsOutOfReach::Why::Length);
        if (RootSpread(factor.polynomial) > kMaxRootSpread || ClusterBits(factor.polynomial) > kMaxClusterBits)
            throw RootsOutOfReach(RootsOutOfReach::Why::Spread);
    }
}

void RequireFactorisableInTime(const engine::Polynomial& p)
{
    if (p.degree() < 4)
        return;
    mpz_class denominator = 1;
    for (int i = 0; i <= p.degree(); ++i)
        mpz_lcm(denominator.get_mpz_t(), denominator.get_mpz_t(), p.coefficient(i).get_den_mpz_t());
    const std::size_t denominatorBits = mpz_sizeinbase(denominator.get_mpz_t(), 2);
    std::size_t longest = 0;
    for (int i = 0; i <= p.degree(); ++i) {
        const mpq_class& c = p.coefficient(i);
        const std::size_t bits
            = mpz_sizeinbase(c.get_num_mpz_t(), 2) + denominatorBits - mpz_sizeinbase(c.get_den_mpz_t(), 2);
        longest = std::max(longest, bits);
    }
    if (static_cast<double>(p.degree() + 1) * static_cast<double>(longest) > kMaxSquarefreeBits)
        throw RootsOutOfReach(RootsOutOfReach::Why::Length);
}

} // namespace zembrel::typed::solving
