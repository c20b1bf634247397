// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "polynomial.h"

#include "once.h"

#include <arb_fmpz_poly.h>
#include <flint/fmpz_factor.h>
#include <flint/fmpz_poly_factor.h>
#include <flint/nmod_poly.h>
#include <flint/ulong_extras.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <memory>
#include <stdexcept>
#include <utility>

namespace zembrel::engine {

namespace {

// Numbers longer than this are searched for square factors among the
// primes below 100 only: their exact forms are never written out.
constexpr std::size_t kLongNumberBits = 10000;
// Numbers this short are factored completely.
constexpr std::size_t kFactoredBits = 128;
constexpr unsigned long kTrialPrimes = 10000;

std::size_t bitsOf(const mpz_class& n) { return mpz_sizeinbase(n.get_mpz_t(), 2); }

// ---- integer forms --------------------------------------------------------------

// L·p with whole coefficients, lowest power first, L the least common
// multiple of the denominators. Decimal denominators are powers of 10 that
// mostly divide one another, so no greatest common divisor is taken then.
std::vector<mpz_class> wholeOf(const Polynomial& p, mpz_class& multiple)
{
    multiple = 1;
    for (const mpq_class& c : p.lowestFirst()) {
        if (!mpz_divisible_p(multiple.get_mpz_t(), c.get_den().get_mpz_t()))
            mpz_lcm(multiple.get_mpz_t(), multiple.get_mpz_t(), c.get_den().get_mpz_t());
    }
    std::vector<mpz_class> whole(p.lowestFirst().size());
    for (std::size_t i = 0; i < whole.size(); ++i) {
        const mpq_class& c = p.lowestFirst()[i];
        mpz_divexact(whole[i].get_mpz_t(), multiple.get_mpz_t(), c.get_den().get_mpz_t());
        whole[i] *= c.get_num();
    }
    return whole;
}

FmpzPoly polyOf(const std::vector<mpz_class>& lowestFirst)
{
    FmpzPoly P;
    for (std::size_t i = 0; i < lowestFirst.size(); ++i) {
        const Fmpz c = ToFmpz(lowestFirst[i]);
        fmpz_poly_set_coeff_fmpz(P.get(), static_cast<long>(i), c.get());
    }
    return P;
}

mpz_class coefficientOf(const FmpzPoly& P, long i)
{
    Fmpz c;
    fmpz_poly_get_coeff_fmpz(c.get(), P.get(), i);
    return ToMpz(c.get());
}

// P made primitive with a positive leading coefficient where that is cheap;
// `scale` multiplies what it divided out. Long polynomials stay as they are.
FmpzPoly normalised(FmpzPoly P, mpq_class& scale)
{
    const long degree = fmpz_poly_degree(P.get());
    Fmpz content;
    const long bits = std::labs(fmpz_poly_max_bits(P.get()));
    if (static_cast<std::size_t>(bits) * static_cast<std::size_t>(degree + 1) <= kFactorBits)
        fmpz_poly_content(content.get(), P.get());
    else
        fmpz_one(content.get());
    if (fmpz_sgn(fmpz_poly_lead(P.get())) < 0)
        fmpz_neg(content.get(), content.get());
    fmpz_poly_scalar_divexact_fmpz(P.get(), P.get(), content.get());
    scale *= mpq_class(ToMpz(content.get()));
    return P;
}

// ---- square roots ---------------------------------------------------------------

// n = k²·m, n > 0, with m free of square factors: completely for short n,
// of the primes below 10⁴ (below 100 for long n) and a square cofactor otherwise.
void squareParts(const mpz_class& n, mpz_class& k, mpz_class& m)
{
    k = 1;
    m = 1;
    if (bitsOf(n) <= kFactoredBits) {
        const Fmpz N = ToFmpz(n);
        fmpz_factor_t factors;
        fmpz_factor_init(factors);
        fmpz_factor(factors, N.get());
        for (long i = 0; i < factors->num; ++i) {
            const mpz_class p = ToMpz(factors->p + i);
            mpz_class power;
            mpz_pow_ui(power.get_mpz_t(), p.get_mpz_t(), factors->exp[i] / 2);
            k *= power;
            if (factors->exp[i] % 2 == 1)
                m *= p;
        }
        fmpz_factor_clear(factors);
        return;
    }
    mpz_class rest = n;
    const unsigned long limit = bitsOf(n) > kLongNumberBits ? 100 : kTrialPrimes;
    n_primes_t primes;
    n_primes_init(primes);
    for (unsigned long prime = n_primes_next(primes); prime < limit && rest > 1; prime = n_primes_next(primes)) {
        if (!mpz_divisible_ui_p(rest.get_mpz_t(), prime))
            continue;
        const mpz_class p = prime;
        const unsigned long count = mpz_remove(rest.get_mpz_t(), rest.get_mpz_t(), p.get_mpz_t());
        mpz_class power;
        mpz_pow_ui(power.get_mpz_t(), p.get_mpz_t(), count / 2);
        k *= power;
        if (count % 2 == 1)
            m *= prime;
    }
    n_primes_clear(primes);
    if (rest > 1 && mpz_perfect_square_p(rest.get_mpz_t())) {
        mpz_class root;
        mpz_sqrt(root.get_mpz_t(), rest.get_mpz_t());
        k *= root;
    } else {
        m *= rest;
    }
}

bool isSquare(const mpz_class& n) { return n >= 0 && mpz_perfect_square_p(n.get_mpz_t()) != 0; }

mpz_class squareRoot(const mpz_class& n)
{
    mpz_class r;
    mpz_sqrt(r.get_mpz_t(), n.get_mpz_t());
    return r;
}

// ---- the quadratic --------------------------------------------------------------

struct Quadratic {
    mpz_class A, B, C; // A·x² + B·x + C, A > 0
    mpz_class D;       // B² − 4AC
};

Quadratic quadraticOf(const FmpzPoly& P)
{
    Quadratic q{coefficientOf(P, 2), coefficientOf(P, 1), coefficientOf(P, 0), 0};
    q.D = q.B * q.B - 4 * q.A * q.C;
    return q;
}

// ---- the cubic in closed form ---------------------------------------------------

// a·x³ + b·x² + c·x + d = 0 through x = t + shift, t³ + P·t + Q = 0.
struct Depressed {
    mpz_class a, b, c, d;
    mpq_class P, Q, shift;
};

Depressed depressedOf(const FmpzPoly& F)
{
    Depressed k{coefficientOf(F, 3), coefficientOf(F, 2), coefficientOf(F, 1), coefficientOf(F, 0), 0, 0, 0};
    const mpz_class& a = k.a;
    const mpz_class& b = k.b;
    const mpz_class& c = k.c;
    const mpz_class& d = k.d;
    k.P = mpq_class(3 * a * c - b * b, 3 * a * a);
    k.Q = mpq_class(2 * b * b * b - 9 * a * b * c + 27 * a * a * d, 27 * a * a * a);
    k.P.canonicalize();
    k.Q.canonicalize();
    k.shift = mpq_class(-b, 3 * a);
    k.shift.canonicalize();
    return k;
}

Arb roundedArb(const mpz_class& n, long precision)
{
    Arb x;
    arb_set_round_fmpz(x.get(), ToFmpz(n).get(), precision);
    return x;
}

// The sign of the cubic's (Q/2)² + (P/3)³, which is −D/(108a⁴) with D =
// 18abcd − 4b³d + b²c² − 4ac³ − 27a²d². For long coefficients an enclosure
// of D decides it at once unless D is 0 or very nearly; multiplying them
// out takes a second at a million digits.
int discriminantSign(const mpz_class& a, const mpz_class& b, const mpz_class& c, const mpz_class& d)
{
    const auto exact = [&] {
        return -sgn(18 * a * b * c * d - 4 * b * b * b * d + b * b * c * c - 4 * a * c * c * c - 27 * a * a * d * d);
    };
    if (bitsOf(a) + bitsOf(b) + bitsOf(c) + bitsOf(d) <= kFactorBits)
        return exact();
    constexpr long kPrecision = 128;
    const Arb A = roundedArb(a, kPrecision);
    const Arb B = roundedArb(b, kPrecision);
    const Arb C = roundedArb(c, kPrecision);
    const Arb E = roundedArb(d, kPrecision);
    Arb D;
    Arb t;
    arb_mul(t.get(), A.get(), B.get(), kPrecision);
    arb_mul(t.get(), t.get(), C.get(), kPrecision);
    arb_mul(t.get(), t.get(), E.get(), kPrecision);
    arb_mul_ui(D.get(), t.get(), 18, kPrecision);
    arb_pow_ui(t.get(), B.get(), 3, kPrecision);
    arb_mul(t.get(), t.get(), E.get(), kPrecision);
    arb_submul_ui(D.get(), t.get(), 4, kPrecision);
    arb_mul(t.get(), B.get(), C.get(), kPrecision);
    arb_addmul(D.get(), t.get(), t.get(), kPrecision);
    arb_pow_ui(t.get(), C.get(), 3, kPrecision);
    arb_mul(t.get(), t.get(), A.get(), kPrecision);
    arb_submul_ui(D.get(), t.get(), 4, kPrecision);
    arb_mul(t.get(), A.get(), E.get(), kPrecision);
    arb_sqr(t.get(), t.get(), kPrecision);
    arb_submul_ui(D.get(), t.get(), 27, kPrecision);
    if (arb_is_positive(D.get()))
        return -1;
    if (arb_is_negative(D.get()))
        return 1;
    return exact();
}

// num/den to about `precision` bits. Each is rounded first: long numbers
// would otherwise be divided in full for a few hundred bits.
Arb arbQuotient(const mpz_class& num, const mpz_class& den, long precision)
{
    Arb x;
    arb_div(x.get(), roundedArb(num, precision + 8).get(), roundedArb(den, precision + 8).get(), precision);
    return x;
}

// A real root far smaller than the others comes out of the cosines or the
// cube roots as the difference of nearly equal numbers, its digits lost.
// The three roots multiply to −d/a exactly, so that root is also −d/a over
// the other two, which have lost nothing: the narrower enclosure is kept.
void sharpenSmallestReal(std::vector<Acb>& roots, std::size_t realCount, const Arb& product, long precision)
{
    std::size_t small = 0;
    for (std::size_t i = 1; i < realCount; ++i) {
        if (arf_cmpabs(arb_midref(acb_realref(roots[i].get())), arb_midref(acb_realref(roots[small].get()))) < 0)
            small = i;
    }
    Acb others;
    acb_one(others.get());
    for (std::size_t i = 0; i < roots.size(); ++i) {
        if (i != small)
            acb_mul(others.get(), others.get(), roots[i].get(), precision);
    }
    if (acb_contains_zero(others.get()))
        return;
    Acb quotient;
    acb_set_arb(quotient.get(), product.get());
    acb_div(quotient.get(), quotient.get(), others.get(), precision);
    // The root is real: the quotient's imaginary part is only rounding.
    arb_struct* root = acb_realref(roots[small].get());
    if (mag_cmp(arb_radref(acb_realref(quotient.get())), arb_radref(root)) < 0)
        arb_set(root, acb_realref(quotient.get()));
}

// The three roots of a squarefree cubic in Arb from Cardano's formula (one
// real root) or the cosine form (three): real roots ascending, then the
// upper complex root and its conjugate.
RootSet::Isolator cubicIsolator(const mpz_class& a, const mpz_class& b, const mpz_class& c, const mpz_class& d,
                                int discSign)
{
    // P = (3ac − b²)/(3a²), Q = (2b³ − 9abc + 27a²d)/(27a³), shift = −b/(3a),
    // multiplied out once rather than at every precision asked for.
    struct Whole {
        mpz_class Pn, Pd, Qn, Qd, shiftNum, shiftDen, productNum, productDen;
    };
    auto k = std::make_shared<const Whole>(Whole{3 * a * c - b * b, 3 * a * a,
                                                 2 * b * b * b - 9 * a * b * c + 27 * a * a * d, 27 * a * a * a, -b,
                                                 3 * a, -d, a});
    return [k = std::move(k), discSign](long precision) -> std::vector<Acb> {
        const long wp = precision + 32;
        const mpz_class& Qn = k->Qn;
        const Arb P = arbQuotient(k->Pn, k->Pd, wp);
        const Arb Q = arbQuotient(Qn, k->Qd, wp);
        const Arb shift = arbQuotient(k->shiftNum, k->shiftDen, wp);
        std::vector<Acb> roots(3);
        Arb t;
        if (discSign > 0) {
            // A = ∛(−Q/2 ∓ √Δ) on the side where nothing cancels, B = −P/(3A).
            Arb disc;
            Arb halfQ;
            arb_mul_2exp_si(halfQ.get(), Q.get(), -1);
            arb_sqr(disc.get(), halfQ.get(), wp);
            Arb thirdP;
            arb_div_ui(thirdP.get(), P.get(), 3, wp);
            Arb cube;
            arb_pow_ui(cube.get(), thirdP.get(), 3, wp);
            arb_add(disc.get(), disc.get(), cube.get(), wp);
            Arb s;
            arb_sqrt(s.get(), disc.get(), wp);
            Arb w;
            arb_neg(w.get(), halfQ.get());
            const bool negative = sgn(Qn) > 0;
            if (negative)
                arb_sub(w.get(), w.get(), s.get(), wp);
            else
                arb_add(w.get(), w.get(), s.get(), wp);
            Arb A;
            arb_abs(A.get(), w.get());
            arb_root_ui(A.get(), A.get(), 3, wp);
            if (negative)
                arb_neg(A.get(), A.get());
            Arb B;
            arb_div(B.get(), thirdP.get(), A.get(), wp);
            arb_neg(B.get(), B.get());
            arb_add(t.get(), A.get(), B.get(), wp);
            arb_add(acb_realref(roots[0].get()), t.get(), shift.get(), precision);
            // −(A + B)/2 ± (√3/2)·|A − B|·i
            Arb re;
            arb_mul_2exp_si(re.get(), t.get(), -1);
            arb_sub(re.get(), shift.get(), re.get(), precision);
            Arb im;
            arb_sub(im.get(), A.get(), B.get(), wp);
            arb_abs(im.get(), im.get());
            Arb root3;
            arb_sqrt_ui(root3.get(), 3, wp);
            arb_mul(im.get(), im.get(), root3.get(), wp);
            arb_mul_2exp_si(im.get(), im.get(), -1);
            acb_set_arb_arb(roots[1].get(), re.get(), im.get());
            arb_neg(im.get(), im.get());
            acb_set_arb_arb(roots[2].get(), re.get(), im.get());
            sharpenSmallestReal(roots, 1, arbQuotient(k->productNum, k->productDen, wp), precision);
            return roots;
        }
        // t_k = 2√(−P/3)·cos(θ/3 − 2kπ/3), cos θ = (3Q/(2P))·√(−3/P): k = 2, 1, 0 ascending.
        Arb r;
        arb_div_si(r.get(), P.get(), -3, wp);
        arb_sqrt(r.get(), r.get(), wp);
        arb_mul_2exp_si(r.get(), r.get(), 1);
        Arb cosTheta;
        arb_div(cosTheta.get(), Q.get(), P.get(), wp);
        arb_mul_ui(cosTheta.get(), cosTheta.get(), 3, wp);
        arb_mul_2exp_si(cosTheta.get(), cosTheta.get(), -1);
        Arb ratio; // −3/P
        arb_set_si(ratio.get(), -3);
        arb_div(ratio.get(), ratio.get(), P.get(), wp);
        arb_sqrt(ratio.get(), ratio.get(), wp);
        arb_mul(cosTheta.get(), cosTheta.get(), ratio.get(), wp);
        Arb theta;
        arb_acos(theta.get(), cosTheta.get(), wp);
        Arb pi;
        arb_const_pi(pi.get(), wp);
        for (int k = 0; k < 3; ++k) {
            Arb angle;
            arb_mul_si(angle.get(), pi.get(), -2L * k, wp);
            arb_add(angle.get(), angle.get(), theta.get(), wp);
            arb_div_ui(angle.get(), angle.get(), 3, wp);
            arb_cos(angle.get(), angle.get(), wp);
            arb_mul(angle.get(), angle.get(), r.get(), wp);
            arb_add(acb_realref(roots[static_cast<std::size_t>(2 - k)].get()), angle.get(), shift.get(), precision);
        }
        sharpenSmallestReal(roots, 3, arbQuotient(k->productNum, k->productDen, wp), precision);
        return roots;
    };
}

} // namespace

// ---- Polynomial -----------------------------------------------------------------

Polynomial Polynomial::FromHighestFirst(std::span<const mpq_class> coefficients)
{
    return FromLowestFirst(std::vector<mpq_class>(coefficients.rbegin(), coefficients.rend()));
}

Polynomial Polynomial::FromLowestFirst(std::vector<mpq_class> coefficients)
{
    while (!coefficients.empty() && coefficients.back() == 0)
        coefficients.pop_back();
    Polynomial p;
    p.lowestFirst_ = std::move(coefficients);
    return p;
}

const mpq_class& Polynomial::coefficient(int power) const
{
    static const mpq_class zero;
    return power >= 0 && power < static_cast<int>(lowestFirst_.size()) ? lowestFirst_[static_cast<std::size_t>(power)]
                                                                       : zero;
}

std::vector<mpq_class> Polynomial::highestFirst() const
{
    if (lowestFirst_.empty())
        return {mpq_class(0)};
    return {lowestFirst_.rbegin(), lowestFirst_.rend()};
}

FmpqPoly Polynomial::flint() const
{
    FmpqPoly p;
    for (std::size_t i = 0; i < lowestFirst_.size(); ++i) {
        const Fmpq c = ToFmpq(lowestFirst_[i]);
        fmpq_poly_set_coeff_fmpq(p.get(), static_cast<long>(i), c.get());
    }
    return p;
}

Polynomial Polynomial::derivative() const
{
    std::vector<mpq_class> d;
    for (std::size_t i = 1; i < lowestFirst_.size(); ++i)
        d.push_back(lowestFirst_[i] * static_cast<long>(i));
    return FromLowestFirst(std::move(d));
}

std::size_t Polynomial::bits() const
{
    std::size_t total = 0;
    for (const mpq_class& c : lowestFirst_)
        total += bitsOf(c.get_num()) + bitsOf(c.get_den());
    return total;
}

int Factor::degree() const { return static_cast<int>(fmpz_poly_degree(polynomial.get())); }

std::vector<mpq_class> Factor::highestFirst() const
{
    std::vector<mpq_class> c;
    for (long i = fmpz_poly_degree(polynomial.get()); i >= 0; --i)
        c.emplace_back(coefficientOf(polynomial, i));
    return c;
}

// ---- factorisation --------------------------------------------------------------

namespace {

// den·x − num, the factor whose root is num/den.
FmpzPoly linearFactor(const mpz_class& num, const mpz_class& den) { return polyOf({-num, den}); }

// The root of a linear factor, as whole numbers num/den, den > 0.
std::pair<mpz_class, mpz_class> linearRoot(const FmpzPoly& F)
{
    mpz_class num = -coefficientOf(F, 0);
    mpz_class den = coefficientOf(F, 1);
    if (den < 0) {
        num = -num;
        den = -den;
    }
    return {num, den};
}

void addFactor(Factorisation& f, FmpzPoly F, int multiplicity)
{
    // What normalising divided out of the factor, the unit takes back.
    mpq_class scale = 1;
    F = normalised(std::move(F), scale);
    for (int i = 0; i < multiplicity; ++i)
        f.unit *= scale;
    f.factors.push_back({std::move(F), multiplicity});
}

// P to the power m, split into linear factors where its discriminant is a square.
void factorQuadratic(Factorisation& f, FmpzPoly P, int m = 1)
{
    const Quadratic q = quadraticOf(P);
    mpz_class fourA;
    mpz_pow_ui(fourA.get_mpz_t(), mpz_class(4 * q.A).get_mpz_t(), static_cast<unsigned long>(m));
    if (q.D == 0) {
        // A·x² + B·x + C = (2A·x + B)²/(4A)
        f.unit /= fourA;
        addFactor(f, polyOf({q.B, 2 * q.A}), 2 * m);
    } else if (isSquare(q.D)) {
        // A·x² + B·x + C = (2A·x + B − s)(2A·x + B + s)/(4A), s = √Δ
        const mpz_class s = squareRoot(q.D);
        f.unit /= fourA;
        addFactor(f, polyOf({q.B - s, 2 * q.A}), m);
        addFactor(f, polyOf({q.B + s, 2 * q.A}), m);
    } else {
        addFactor(f, std::move(P), m);
    }
}

// A cubic whose discriminant is 0 has rational roots only:
// −b/(3a) three times where b² = 3ac, else a double root
// (9ad − bc)/(2(b² − 3ac)) and a simple one (4abc − 9a²d − b³)/(a(b² − 3ac)).
void factorRepeatedCubic(Factorisation& f, const FmpzPoly& P)
{
    const mpz_class a = coefficientOf(P, 3);
    const mpz_class b = coefficientOf(P, 2);
    const mpz_class c = coefficientOf(P, 1);
    const mpz_class d = coefficientOf(P, 0);
    const mpz_class e = b * b - 3 * a * c;
    if (e == 0) {
        // a(x + b/(3a))³ = (3a·x + b)³/(27a²)
        f.unit /= 27 * a * a;
        addFactor(f, polyOf({b, 3 * a}), 3);
        return;
    }
    const mpz_class doubleNum = 9 * a * d - b * c;
    const mpz_class doubleDen = 2 * e;
    const mpz_class simpleNum = 4 * a * b * c - 9 * a * a * d - b * b * b;
    const mpz_class simpleDen = a * e;
    // a(x − r₂)²(x − r₁) = a·(D₂x − N₂)²·(D₁x − N₁)/(D₂²·D₁); D₁ is negative
    // with a, and GMP's rationals take only a positive denominator.
    mpq_class scale(a, doubleDen * doubleDen * simpleDen);
    scale.canonicalize();
    f.unit *= scale;
    addFactor(f, linearFactor(doubleNum, doubleDen), 2);
    addFactor(f, linearFactor(simpleNum, simpleDen), 1);
}

void factorWithFlint(Factorisation& f, const FmpzPoly& P)
{
    fmpz_poly_factor_t fac;
    fmpz_poly_factor_init(fac);
    fmpz_poly_factor(fac, P.get());
    f.unit *= mpq_class(ToMpz(&fac->c));
    for (long i = 0; i < fac->num; ++i) {
        FmpzPoly F;
        fmpz_poly_set(F.get(), fac->p + i);
        addFactor(f, std::move(F), static_cast<int>(fac->exp[i]));
    }
    fmpz_poly_factor_clear(fac);
}

std::size_t bitsOf(const FmpzPoly& P)
{
    std::size_t bits = 0;
    for (long i = 0; i <= fmpz_poly_degree(P.get()); ++i)
        bits += fmpz_bits(P.get()->coeffs + i);
    return bits;
}

// A squarefree factor short enough is factored completely, so that every
// rational root and every root of a quadratic factor has its exact form
// beside long factors; a long one of degree 2 is split where it can be.
void addSquarefreeFactor(Factorisation& f, FmpzPoly F, int m)
{
    const long degree = fmpz_poly_degree(F.get());
    if (degree > 2 && bitsOf(F) <= kFactorBits) {
        fmpz_poly_factor_t fac;
        fmpz_poly_factor_init(fac);
        fmpz_poly_factor(fac, F.get());
        mpz_class content = ToMpz(&fac->c);
        mpz_pow_ui(content.get_mpz_t(), content.get_mpz_t(), static_cast<unsigned long>(m));
        f.unit *= mpq_class(content);
        for (long i = 0; i < fac->num; ++i) {
            FmpzPoly irreducible;
            fmpz_poly_set(irreducible.get(), fac->p + i);
            addFactor(f, std::move(irreducible), m * static_cast<int>(fac->exp[i]));
        }
        fmpz_poly_factor_clear(fac);
    } else if (degree == 2 && fmpz_sgn(fmpz_poly_lead(F.get())) > 0) {
        factorQuadratic(f, std::move(F), m);
    } else {
        addFactor(f, std::move(F), m);
    }
}

// True when P is certainly squarefree: P and P′ are coprime modulo a prime
// that does not divide the leading coefficient. (A prime dividing the
// discriminant says nothing, and the caller goes the long way.)
bool squarefreeModuloPrime(const FmpzPoly& P)
{
    const mp_limb_t prime = n_nextprime(UWORD(1) << 62, 1);
    if (fmpz_fdiv_ui(fmpz_poly_lead(P.get()), prime) == 0)
        return false;
    nmod_poly_t p;
    nmod_poly_t derivative;
    nmod_poly_init(p, prime);
    nmod_poly_init(derivative, prime);
    fmpz_poly_get_nmod_poly(p, P.get());
    nmod_poly_derivative(derivative, p);
    nmod_poly_gcd(derivative, p, derivative);
    const bool coprime = nmod_poly_degree(derivative) == 0;
    nmod_poly_clear(p);
    nmod_poly_clear(derivative);
    return coprime;
}

void gcdOf(FmpzPoly& g, const FmpzPoly& a, const FmpzPoly& b)
{
    if (!fmpz_poly_gcd_heuristic(g.get(), a.get(), b.get()))
        fmpz_poly_gcd(g.get(), a.get(), b.get());
}

// The squarefree factors of a polynomial whose coefficients are too long to
// factor completely. FLINT's own squarefree factorisation takes its modular
// gcd, which for coefficients of a million bits runs for minutes; the
// heuristic gcd (a gcd of two long integers) takes about a second. On it,
// Yun's steps: with A = gcd(P, P′), B₁ = P/A and C₁ = P′/A − B₁′, the factor
// of multiplicity i is Aᵢ = gcd(Bᵢ, Cᵢ), then Bᵢ₊₁ = Bᵢ/Aᵢ and
// Cᵢ₊₁ = Cᵢ/Aᵢ − Bᵢ₊₁′.
void addSquarefreeFactors(Factorisation& f, const FmpzPoly& whole)
{
    FmpzPoly P;
    Fmpz content;
    fmpz_poly_content(content.get(), whole.get());
    if (fmpz_sgn(fmpz_poly_lead(whole.get())) < 0)
        fmpz_neg(content.get(), content.get());
    fmpz_poly_scalar_divexact_fmpz(P.get(), whole.get(), content.get());
    f.unit *= mpq_class(ToMpz(content.get()));
    if (squarefreeModuloPrime(P)) {
        addSquarefreeFactor(f, std::move(P), 1);
        return;
    }
    FmpzPoly derivative;
    FmpzPoly A;
    FmpzPoly B;
    FmpzPoly C;
    fmpz_poly_derivative(derivative.get(), P.get());
    gcdOf(A, P, derivative);
    fmpz_poly_div(B.get(), P.get(), A.get());
    fmpz_poly_div(C.get(), derivative.get(), A.get());
    const long degree = fmpz_poly_degree(P.get());
    for (long i = 1; fmpz_poly_degree(B.get()) > 0; ++i) {
        if (i > degree)
            throw std::runtime_error("squarefree factors beyond the degree");
        fmpz_poly_derivative(derivative.get(), B.get());
        fmpz_poly_sub(C.get(), C.get(), derivative.get());
        gcdOf(A, B, C);
        fmpz_poly_div(B.get(), B.get(), A.get());
        fmpz_poly_div(C.get(), C.get(), A.get());
        if (fmpz_poly_degree(A.get()) > 0)
            addSquarefreeFactor(f, A, static_cast<int>(i));
    }
}

// Linear factors first, by their roots; then by degree.
void sortFactors(Factorisation& f)
{
    std::stable_sort(f.factors.begin(), f.factors.end(), [](const Factor& x, const Factor& y) {
        if (x.degree() != y.degree())
            return x.degree() < y.degree();
        if (x.degree() != 1)
            return false;
        const auto [xn, xd] = linearRoot(x.polynomial);
        const auto [yn, yd] = linearRoot(y.polynomial);
        return xn * yd < yn * xd;
    });
}

} // namespace

Factorisation Factorise(const Polynomial& p)
{
    if (p.degree() < 1)
        throw std::invalid_argument("factorising a constant");
    mpz_class L;
    FmpzPoly P = polyOf(wholeOf(p, L));
    Factorisation f;
    f.unit = mpq_class(mpz_class(1), L);
    const bool small = p.bits() <= kFactorBits;
    switch (p.degree()) {
    case 1: addFactor(f, std::move(P), 1); break;
    case 2: {
        mpq_class scale = 1;
        P = normalised(std::move(P), scale);
        f.unit *= scale;
        factorQuadratic(f, std::move(P));
        break;
    }
    default:
        if (small) {
            factorWithFlint(f, P);
        } else if (p.degree() == 3) {
            // Too long to factor: squarefree exactly when the discriminant is not 0.
            const int disc
                = discriminantSign(coefficientOf(P, 3), coefficientOf(P, 2), coefficientOf(P, 1), coefficientOf(P, 0));
            if (disc == 0) {
                factorRepeatedCubic(f, P);
            } else {
                addFactor(f, std::move(P), 1);
                f.complete = false;
            }
        } else {
            addSquarefreeFactors(f, P);
            f.complete = false;
        }
    }
    f.unit.canonicalize();
    sortFactors(f);
    return f;
}

// A power of a fraction in lowest terms is in lowest terms: raising the
// numerator and the denominator apart spares the common factors GMP would
// look for, most of the work for long numbers.
mpq_class CubicDiscriminant(const mpq_class& p, const mpq_class& q)
{
    const auto power = [](const mpq_class& x, unsigned long n) {
        mpq_class y;
        mpz_pow_ui(y.get_num_mpz_t(), x.get_num_mpz_t(), n);
        mpz_pow_ui(y.get_den_mpz_t(), x.get_den_mpz_t(), n);
        return y;
    };
    return power(q / 2, 2) + power(p / 3, 3);
}

// ---- roots ----------------------------------------------------------------------

// The exact forms of an irreducible cubic's three roots, made when one is
// first asked for: they share their radicals, and most are never written.
class ClosedForms {
public:
    ClosedForms(Factor factor, RootForm form) : factor_(std::move(factor)), form_(form) {}
    FormulaPtr at(std::size_t branch) const;

private:
    Factor factor_;
    RootForm form_;
    mutable Once made_;
    mutable std::array<FormulaPtr, 3> forms_;
};

namespace {

void quadraticRoots(const Factor& F, std::size_t index, std::vector<PolyRoot>& roots)
{
    const Quadratic q = quadraticOf(F.polynomial);
    const mpz_class twoA = 2 * q.A;
    for (std::size_t branch = 0; branch < 2; ++branch) {
        PolyRoot r;
        r.multiplicity = F.multiplicity;
        r.factor = index;
        r.form = RootForm::QuadraticFormula;
        r.branch = branch;
        // Real: the −√Δ root first. Complex: the upper root first.
        const long sign = branch == 0 ? -1 : 1;
        if (q.D > 0) {
            r.value = {Real::SurdQuotient(-q.B, sign, q.D, twoA), Real()};
        } else {
            const mpz_class minusD = -q.D;
            const Real im = isSquare(minusD) ? Real::Quotient(-sign * squareRoot(minusD), twoA)
                                             : Real::SurdQuotient(0, -sign, minusD, twoA);
            r.value = {Real::Quotient(-q.B, twoA), im};
        }
        roots.push_back(std::move(r));
    }
}

void algebraicRoots(const Factor& F, std::size_t index, bool complete, std::vector<PolyRoot>& roots)
{
    std::shared_ptr<const RootSet> set;
    RootForm form = RootForm::Numeric;
    std::shared_ptr<const ClosedForms> closed;
    if (F.degree() == 3) {
        const mpz_class a = coefficientOf(F.polynomial, 3);
        const mpz_class b = coefficientOf(F.polynomial, 2);
        const mpz_class c = coefficientOf(F.polynomial, 1);
        const mpz_class d = coefficientOf(F.polynomial, 0);
        const int disc = discriminantSign(a, b, c, d);
        set = std::make_shared<const RootSet>(F.polynomial, disc > 0 ? 1 : 3, cubicIsolator(a, b, c, d, disc));
        if (complete) {
            form = disc > 0 ? RootForm::Cardano : RootForm::Trigonometric;
            closed = std::make_shared<ClosedForms>(F, form);
        }
    } else {
        set = std::make_shared<const RootSet>(F.polynomial);
    }
    for (std::size_t i = 0; i < set->size(); ++i) {
        const AlgebraicRoot root{set, i};
        PolyRoot r;
        r.value = {Real::PartOf(root, Real::Part::Real), Real::PartOf(root, Real::Part::Imaginary)};
        r.multiplicity = F.multiplicity;
        r.factor = index;
        r.form = form;
        r.branch = i;
        r.algebraic = root;
        r.closedForms = closed;
        roots.push_back(std::move(r));
    }
}

bool rootBefore(const PolyRoot& x, const PolyRoot& y)
{
    const bool xReal = !x.algebraic ? x.value.im.sign() == 0 : x.algebraic->real();
    const bool yReal = !y.algebraic ? y.value.im.sign() == 0 : y.algebraic->real();
    if (xReal != yReal)
        return xReal;
    const int re = Compare(x.value.re, y.value.re);
    if (re != 0 || xReal)
        return re < 0;
    const int size
        = Compare(x.value.im.sign() < 0 ? -x.value.im : x.value.im, y.value.im.sign() < 0 ? -y.value.im : y.value.im);
    if (size != 0)
        return size < 0;
    return x.value.im.sign() > y.value.im.sign();
}

} // namespace

std::vector<PolyRoot> Roots(const Factorisation& f)
{
    std::vector<PolyRoot> roots;
    for (std::size_t i = 0; i < f.factors.size(); ++i) {
        const Factor& F = f.factors[i];
        if (F.degree() == 1) {
            const auto [num, den] = linearRoot(F.polynomial);
            PolyRoot r;
            r.value = {Real::Quotient(num, den), Real()};
            r.multiplicity = F.multiplicity;
            r.factor = i;
            r.form = RootForm::Rational;
            roots.push_back(std::move(r));
        } else if (F.degree() == 2) {
            quadraticRoots(F, i, roots);
        } else {
            algebraicRoots(F, i, f.complete, roots);
        }
    }
    std::stable_sort(roots.begin(), roots.end(), rootBefore);
    return roots;
}

// ---- exact forms ----------------------------------------------------------------

void SimplestSqrt(const mpq_class& r, mpq_class& k, mpz_class& m)
{
    // √(n/d) = √(n·d)/d
    const mpz_class nd = r.get_num() * r.get_den();
    if (nd == 0) {
        k = 0;
        m = 1;
        return;
    }
    mpz_class whole;
    squareParts(nd, whole, m);
    k = mpq_class(whole, r.get_den());
    k.canonicalize();
}

namespace {

// |v|·√m as a number: "√5", "3√2", "√5/2", "3√2/4" (m = 1: rational).
FormulaPtr surdMagnitude(const mpq_class& magnitude, const mpz_class& m)
{
    if (m == 1)
        return Number(magnitude);
    const FormulaPtr root = Sqrt(Int(m));
    const FormulaPtr top = magnitude.get_num() == 1 ? root : Mul({Int(magnitude.get_num()), root});
    return magnitude.get_den() == 1 ? top : Frac(top, Int(magnitude.get_den()));
}

constexpr std::size_t kLongestFormBits = 3400; // about 1000 digits

bool tooLong(const mpq_class& x) { return bitsOf(x.get_num()) + bitsOf(x.get_den()) > kLongestFormBits; }

} // namespace

FormulaPtr SurdFormula(const mpq_class& u, const mpq_class& v, const mpz_class& m, bool imaginary)
{
    if (imaginary) {
        const FormulaPtr i = Sym(symbol::kImaginaryUnit);
        const mpq_class magnitude = abs(v);
        const FormulaPtr im = m == 1 && magnitude == 1 ? i : Mul({surdMagnitude(magnitude, m), i});
        if (u == 0)
            return v < 0 ? Neg(im) : im;
        return SumOf({{Sign::Plus, Number(u)}, {v < 0 ? Sign::Minus : Sign::Plus, im}});
    }
    if (m == 1 || v == 0)
        return Number(u + (m == 1 ? v : mpq_class(0)));
    if (u == 0)
        return v < 0 ? Neg(surdMagnitude(abs(v), m)) : surdMagnitude(v, m);
    // Over one denominator: "(3 − √5)/2".
    mpz_class L;
    mpz_lcm(L.get_mpz_t(), u.get_den().get_mpz_t(), v.get_den().get_mpz_t());
    const mpz_class U = u.get_num() * (L / u.get_den());
    const mpz_class V = abs(v.get_num()) * (L / v.get_den());
    const FormulaPtr root = Sqrt(Int(m));
    const FormulaPtr term = V == 1 ? root : Mul({Int(V), root});
    const FormulaPtr top
        = SumOf({{U < 0 ? Sign::Minus : Sign::Plus, Int(abs(U))}, {v < 0 ? Sign::Minus : Sign::Plus, term}});
    return L == 1 ? top : Frac(top, Int(L));
}

namespace {

FormulaPtr quadraticForm(const PolyRoot& root, const Factor& F)
{
    const Quadratic q = quadraticOf(F.polynomial);
    if (bitsOf(q.D) > kLongNumberBits)
        return nullptr;
    // (−B ± √Δ)/(2A) with √|Δ|/(2A) = k√m
    const mpq_class u(-q.B, 2 * q.A);
    mpq_class k;
    mpz_class m;
    SimplestSqrt(mpq_class(abs(q.D), 4 * q.A * q.A), k, m);
    const bool upper = q.D < 0 ? root.branch == 0 : root.branch == 1;
    mpq_class uu = u;
    uu.canonicalize();
    return SurdFormula(uu, upper ? k : mpq_class(-k), m, q.D < 0);
}

// √r simplified as a formula, r > 0 rational.
FormulaPtr sqrtFormula(const mpq_class& r)
{
    mpq_class k;
    mpz_class m;
    SimplestSqrt(r, k, m);
    return SurdFormula(0, k, m);
}

using CubicForms = std::array<FormulaPtr, 3>;

// The roots of an irreducible cubic with one real root, by branch: the
// real root, then the upper and the lower complex root.
CubicForms cardanoForms(const Factor& F)
{
    const Depressed k = depressedOf(F.polynomial);
    if (tooLong(k.P) || tooLong(k.Q))
        return {};
    const mpq_class discriminant = CubicDiscriminant(k.P, k.Q);
    if (tooLong(discriminant))
        return {};
    const auto withShift = [&k](std::vector<std::pair<Sign, FormulaPtr>> terms) {
        if (k.shift != 0)
            terms.insert(terms.begin(), {Sign::Plus, Number(k.shift)});
        return SumOf(terms);
    };
    if (k.P == 0) {
        // t³ = −Q: one of u, v is 0, so the roots are ∛(−Q) and −∛(−Q)/2 ± (√3/2)·∛|Q|·i.
        const FormulaPtr w = RootOf(Number(-k.Q), 3);
        const FormulaPtr imaginary
            = Mul({Frac(Sqrt(Int(3)), Int(2)), RootOf(Number(abs(k.Q)), 3), Sym(symbol::kImaginaryUnit)});
        const FormulaPtr half = Frac(w, Int(2));
        return {withShift({{Sign::Plus, w}}), withShift({{Sign::Minus, half}, {Sign::Plus, imaginary}}),
                withShift({{Sign::Minus, half}, {Sign::Minus, imaginary}})};
    }
    // u, v = ∛(−Q/2 ± √Δ); the complex roots −(u + v)/2 ± (√3/2)(u − v)i
    const FormulaPtr minusHalfQ = Number(-k.Q / 2);
    const FormulaPtr rootDisc = sqrtFormula(discriminant);
    const FormulaPtr u = RootOf(Add(minusHalfQ, rootDisc), 3);
    const FormulaPtr v = RootOf(Sub(minusHalfQ, rootDisc), 3);
    const FormulaPtr half = Frac(Add(u, v), Int(2));
    const FormulaPtr imaginary = Mul({Frac(Sqrt(Int(3)), Int(2)), Sub(u, v), Sym(symbol::kImaginaryUnit)});
    return {withShift({{Sign::Plus, u}, {Sign::Plus, v}}), withShift({{Sign::Minus, half}, {Sign::Plus, imaginary}}),
            withShift({{Sign::Minus, half}, {Sign::Minus, imaginary}})};
}

// The three real roots of an irreducible cubic, ascending:
// 2√(−P/3)·cos(⅓·arccos((3Q/(2P))·√(−3/P)) − 2kπ/3) for k = 2, 1, 0.
CubicForms trigonometricForms(const Factor& F)
{
    const Depressed k = depressedOf(F.polynomial);
    if (tooLong(k.P) || tooLong(k.Q))
        return {};
    mpq_class s;
    mpz_class m;
    SimplestSqrt(-k.P / 3, s, m);
    const FormulaPtr amplitude = SurdFormula(0, 2 * s, m);
    mpq_class t;
    mpz_class n;
    SimplestSqrt(-3 / k.P, t, n);
    const FormulaPtr argument = SurdFormula(0, 3 * k.Q / (2 * k.P) * t, n);
    const FormulaPtr third = Mul({Frac(Int(1), Int(3)), Func("arccos", argument)});
    CubicForms forms;
    for (std::size_t branch = 0; branch < forms.size(); ++branch) {
        const long kIndex = 2 - static_cast<long>(branch);
        FormulaPtr angle = third;
        if (kIndex > 0)
            angle = Sub(third, Frac(Mul({Int(2 * kIndex), Sym(symbol::kPi)}), Int(3)));
        const FormulaPtr value = Mul({amplitude, Func("cos", angle)});
        forms[branch] = k.shift == 0 ? value : Add(Number(k.shift), value);
    }
    return forms;
}

} // namespace

FormulaPtr ClosedForms::at(std::size_t branch) const
{
    made_.call([this] { forms_ = form_ == RootForm::Cardano ? cardanoForms(factor_) : trigonometricForms(factor_); });
    return forms_.at(branch);
}

FormulaPtr ExactForm(const PolyRoot& root, const Factorisation& f)
{
    const Factor& F = f.factors.at(root.factor);
    switch (root.form) {
    case RootForm::Rational: {
        if (!root.value.re.isRational())
            return nullptr;
        const mpq_class& value = root.value.re.rational();
        return tooLong(value) ? nullptr : Number(value);
    }
    case RootForm::QuadraticFormula: return quadraticForm(root, F);
    case RootForm::Cardano:
    case RootForm::Trigonometric:
        // The three roots share most of their form: made together, once.
        return root.closedForms ? root.closedForms->at(root.branch) : nullptr;
    case RootForm::Numeric: return nullptr;
    }
    return nullptr;
}

// ---- turning points -------------------------------------------------------------

namespace {

// p(u + v√m) = A + B√m, exactly.
std::pair<mpq_class, mpq_class> valueAtSurd(const Polynomial& p, const mpq_class& u, const mpq_class& v,
                                            const mpz_class& m)
{
    mpq_class A = 0;
    mpq_class B = 0;
    for (auto c = p.lowestFirst().rbegin(); c != p.lowestFirst().rend(); ++c) {
        const mpq_class a = A * u + B * v * m + *c;
        B = A * v + B * u;
        A = a;
    }
    return {A, B};
}

mpq_class valueAt(const Polynomial& p, const mpq_class& x)
{
    mpq_class y = 0;
    for (auto c = p.lowestFirst().rbegin(); c != p.lowestFirst().rend(); ++c)
        y = y * x + *c;
    return y;
}

struct PointValue {
    Real value;
    FormulaPtr exact;
};

// p at a root of p′, and the sign of q there.
PointValue valueAtRoot(const Polynomial& p, const PolyRoot& root, const Factorisation& f)
{
    const Factor& F = f.factors.at(root.factor);
    if (root.form == RootForm::Rational) {
        const mpq_class y = valueAt(p, root.value.re.rational());
        return {Real(y), tooLong(y) ? nullptr : Number(y)};
    }
    if (root.form == RootForm::QuadraticFormula) {
        const Quadratic q = quadraticOf(F.polynomial);
        mpq_class u(-q.B, 2 * q.A);
        u.canonicalize();
        mpq_class v(root.branch == 1 ? 1 : -1, 2 * q.A);
        v.canonicalize();
        const auto [A, B] = valueAtSurd(p, u, v, q.D);
        mpq_class k;
        mpz_class m;
        SimplestSqrt(mpq_class(q.D), k, m);
        const mpq_class coefficient = B * k;
        const bool shortForm = !tooLong(A) && !tooLong(coefficient) && bitsOf(m) <= kLongestFormBits;
        return {Real::Surd(A, coefficient, m), shortForm ? SurdFormula(A, coefficient, m) : nullptr};
    }
    return {Real::ValueAt(p.flint(), *root.algebraic), nullptr};
}

} // namespace

std::vector<CriticalPoint> CriticalPoints(const Polynomial& p)
{
    std::vector<CriticalPoint> points;
    if (p.degree() < 2)
        return points;
    if (p.degree() == 2) {
        // The vertex by its formula, x = −b/(2a), y = c − b²/(4a): each step
        // meets a short number or squares, so two long numbers are never
        // reduced against each other (through p′'s root, a million-digit b
        // took a second).
        const mpq_class& a = p.coefficient(2);
        const mpq_class& b = p.coefficient(1);
        const mpq_class x = -b / (2 * a);
        mpq_class y;
        mpq_mul(y.get_mpq_t(), b.get_mpq_t(), b.get_mpq_t());
        y = p.coefficient(0) - y / (4 * a);
        CriticalPoint vertex{Real(x), Real(y), a > 0 ? CriticalKind::Minimum : CriticalKind::Maximum,
                             tooLong(x) ? nullptr : Number(x), tooLong(y) ? nullptr : Number(y)};
        points.push_back(std::move(vertex));
        return points;
    }
    const Polynomial q = p.derivative();
    const Factorisation f = Factorise(q);
    for (const PolyRoot& root : Roots(f)) {
        if (root.value.im.sign() != 0)
            continue;
        // The first derivative of p′ that is not 0 at x tells on which side
        // p′ is positive: p′ changes sign at x exactly when the
        // multiplicity is odd.
        Polynomial higher = q;
        for (int i = 0; i < root.multiplicity; ++i)
            higher = higher.derivative();
        const int s = valueAtRoot(higher, root, f).value.sign();
        CriticalPoint point;
        point.x = root.value.re;
        point.exactX = ExactForm(root, f);
        PointValue y = valueAtRoot(p, root, f);
        point.y = std::move(y.value);
        point.exactY = std::move(y.exact);
        point.kind = root.multiplicity % 2 == 0 ? CriticalKind::Stationary
                     : s > 0                    ? CriticalKind::Minimum
                                                : CriticalKind::Maximum;
        points.push_back(std::move(point));
    }
    return points;
}

} // namespace zembrel::engine
