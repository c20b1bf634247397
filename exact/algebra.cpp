// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "algebra.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <memory>
#include <numbers>
#include <utility>

namespace zembrel::exact {

namespace {

// Trial division stops here; a cofactor left is tested as a perfect square.
constexpr unsigned long kTrialDivisionLimit = 10'000;
// Numbers longer than this in bits get trial division by the small primes only,
// so that a million-digit discriminant costs milliseconds.
constexpr std::size_t kLongNumberBits = 10'000;
// A rational root of the cubic is looked for while y = D·x, the integer
// form's roots, have at most this many bits; beyond, the roots are rounded
// without an exact form.
constexpr std::size_t kRationalSearchBits = 20'000;

const std::vector<unsigned long>& smallPrimes()
{
    static const std::vector<unsigned long> primes = [] {
        std::vector<bool> composite(kTrialDivisionLimit + 1, false);
        std::vector<unsigned long> list;
        for (unsigned long n = 2; n <= kTrialDivisionLimit; ++n) {
            if (composite[n])
                continue;
            list.push_back(n);
            for (unsigned long k = n * n; k <= kTrialDivisionLimit; k += n)
                composite[k] = true;
        }
        return list;
    }();
    return primes;
}

// n = k² · m with m free of the squares of the primes tried.
void squareParts(mpz_class n, mpz_class& k, mpz_class& m)
{
    k = 1;
    const bool isLong = mpz_sizeinbase(n.get_mpz_t(), 2) > kLongNumberBits;
    for (const unsigned long prime : smallPrimes()) {
        if (isLong && prime > 100)
            break;
        if (n < prime)
            break;
        if (!mpz_divisible_ui_p(n.get_mpz_t(), prime))
            continue;
        // All factors of the prime at once: 10^2000000 must not take a million divisions.
        const mpz_class p = prime;
        unsigned long count = 0;
        if (prime == 2) {
            count = mpz_scan1(n.get_mpz_t(), 0);
            n >>= count;
        } else {
            count = mpz_remove(n.get_mpz_t(), n.get_mpz_t(), p.get_mpz_t());
        }
        mpz_class power;
        mpz_pow_ui(power.get_mpz_t(), p.get_mpz_t(), count / 2);
        k *= power;
        if (count % 2 == 1)
            n *= prime;
    }
    if (n > 1 && mpz_perfect_square_p(n.get_mpz_t())) {
        mpz_class root;
        mpz_sqrt(root.get_mpz_t(), n.get_mpz_t());
        k *= root;
        n = 1;
    }
    m = n;
}

// x³ + p·x + q with what every enclosure needs computed once: the exact
// discriminant's sign and value, and p and q over their denominators.
struct Cubic {
    mpq_class p, q, disc;
    mpz_class P2Q2; // p's denominator times q's
    // The enclosures found so far, by precision: every root and part asks.
    std::map<mpfr_prec_t, std::optional<std::vector<Interval>>> enclosures;
};

// The sign of x³ + p·x + q at a binary number x = X·2^e, in integers only:
// no gcd of the long numbers a rational would reduce by.
int cubicSign(const Cubic& c, mpfr_srcptr x)
{
    mpz_class X;
    const mpfr_exp_t e = mpfr_get_z_2exp(X.get_mpz_t(), x);
    const mpz_class& P1 = c.p.get_num();
    const mpz_class& P2 = c.p.get_den();
    const mpz_class& Q1 = c.q.get_num();
    const mpz_class& Q2 = c.q.get_den();
    if (e >= 0) {
        X <<= static_cast<mp_bitcnt_t>(e);
        return sgn(X * X * X * c.P2Q2 + P1 * X * Q2 + Q1 * P2);
    }
    const auto s = static_cast<mp_bitcnt_t>(-e);
    mpz_class t1 = X * X * X * c.P2Q2;
    mpz_class t2 = P1 * X * Q2;
    t2 <<= 2 * s;
    mpz_class t3 = Q1 * P2;
    t3 <<= 3 * s;
    return sgn(t1 + t2 + t3);
}

// Newton's method on x³ + p·x + q at the working precision of x.
void polish(mpfr_t x, const mpq_class& p, const mpq_class& q)
{
    const mpfr_prec_t precision = mpfr_get_prec(x);
    mpfr_t f, g, t, P, Q;
    mpfr_inits2(precision + 16, f, g, t, P, Q, static_cast<mpfr_ptr>(nullptr));
    // p and q rounded once: Newton only approximates (the enclosure is proven
    // afterwards), and a rational of a million digits would cost every step
    // a product of that length.
    mpfr_set_q(P, p.get_mpq_t(), MPFR_RNDN);
    mpfr_set_q(Q, q.get_mpq_t(), MPFR_RNDN);
    // From the closed forms' start quadratic convergence needs a few steps;
    // near a double root it is slower, and the enclosure then asks for more bits.
    for (int step = 0; step < 12; ++step) {
        mpfr_sqr(t, x, MPFR_RNDN);
        mpfr_mul(f, t, x, MPFR_RNDN);
        mpfr_mul_ui(g, t, 3, MPFR_RNDN);
        mpfr_add(g, g, P, MPFR_RNDN);
        mpfr_mul(t, x, P, MPFR_RNDN);
        mpfr_add(f, f, t, MPFR_RNDN);
        mpfr_add(f, f, Q, MPFR_RNDN);
        if (mpfr_zero_p(f) || mpfr_zero_p(g))
            break;
        mpfr_div(t, f, g, MPFR_RNDN);
        mpfr_sub(x, x, t, MPFR_RNDN);
        if (mpfr_zero_p(t) || mpfr_zero_p(x) || mpfr_get_exp(t) < mpfr_get_exp(x) - precision + 8)
            break;
    }
    mpfr_clears(f, g, t, P, Q, static_cast<mpfr_ptr>(nullptr));
}

// Approximations of the real roots of x³ + p·x + q (q ≠ 0, discriminant ≠ 0):
// Cardano's form for one real root, the cosine form for three.
std::vector<mpfr_ptr> approximateRealRoots(const Cubic& c, mpfr_prec_t precision,
                                           std::vector<std::array<__mpfr_struct, 1>>& storage)
{
    const mpfr_prec_t work = precision + 32;
    const mpq_class& p = c.p;
    const mpq_class& q = c.q;
    const mpq_class& disc = c.disc;
    std::vector<mpfr_ptr> roots;
    mpfr_t s, a, t;
    mpfr_inits2(work, s, a, t, static_cast<mpfr_ptr>(nullptr));
    if (disc > 0) {
        storage.resize(1);
        mpfr_init2(storage[0].data(), work);
        // A = ∛(−q/2 − sign(q)·√disc) has no cancellation; B = −p/(3A).
        mpfr_set_q(s, disc.get_mpq_t(), MPFR_RNDN);
        mpfr_sqrt(s, s, MPFR_RNDN);
        if (q > 0)
            mpfr_neg(s, s, MPFR_RNDN);
        mpq_class halfQ = q / 2;
        mpfr_sub_q(a, s, halfQ.get_mpq_t(), MPFR_RNDN);
        mpfr_cbrt(a, a, MPFR_RNDN);
        mpq_class thirdP = p / 3;
        mpfr_set_q(t, thirdP.get_mpq_t(), MPFR_RNDN);
        mpfr_div(t, t, a, MPFR_RNDN);
        mpfr_sub(storage[0].data(), a, t, MPFR_RNDN);
    } else {
        storage.resize(3);
        // x_k = 2√(−p/3)·cos(φ/3 − 2πk/3), cos φ = (3q/(2p))·√(−3/p).
        mpq_class thirdP = -p / 3;
        mpfr_set_q(s, thirdP.get_mpq_t(), MPFR_RNDN);
        mpfr_sqrt(s, s, MPFR_RNDN);
        mpq_class ratio = 3 * q / (2 * p);
        mpq_class minusThreeOverP = -3 / p;
        mpfr_set_q(a, minusThreeOverP.get_mpq_t(), MPFR_RNDN);
        mpfr_sqrt(a, a, MPFR_RNDN);
        mpfr_mul_q(a, a, ratio.get_mpq_t(), MPFR_RNDN);
        if (mpfr_cmp_si(a, 1) > 0)
            mpfr_set_si(a, 1, MPFR_RNDN);
        if (mpfr_cmp_si(a, -1) < 0)
            mpfr_set_si(a, -1, MPFR_RNDN);
        mpfr_acos(a, a, MPFR_RNDN);
        mpfr_div_ui(a, a, 3, MPFR_RNDN);
        mpfr_t third;
        mpfr_init2(third, work);
        mpfr_const_pi(third, MPFR_RNDN);
        mpfr_mul_ui(third, third, 2, MPFR_RNDN);
        mpfr_div_ui(third, third, 3, MPFR_RNDN);
        for (unsigned k = 0; k < 3; ++k) {
            mpfr_init2(storage[k].data(), work);
            mpfr_mul_ui(t, third, k, MPFR_RNDN);
            mpfr_sub(t, a, t, MPFR_RNDN);
            mpfr_cos(t, t, MPFR_RNDN);
            mpfr_mul(t, t, s, MPFR_RNDN);
            mpfr_mul_ui(storage[k].data(), t, 2, MPFR_RNDN);
        }
        mpfr_clear(third);
    }
    for (auto& root : storage) {
        polish(root.data(), p, q);
        roots.push_back(root.data());
    }
    mpfr_clears(s, a, t, static_cast<mpfr_ptr>(nullptr));
    return roots;
}

// The real roots of x³ + p·x + q enclosed in disjoint intervals at least
// `precision` bits narrow, each proven by a change of sign of the exact
// polynomial at its ends; none when this precision cannot separate them.
std::optional<std::vector<Interval>> computeRealRoots(const Cubic& c, mpfr_prec_t precision);

std::optional<std::vector<Interval>> encloseRealRoots(Cubic& c, mpfr_prec_t precision)
{
    const auto known = c.enclosures.find(precision);
    if (known != c.enclosures.end())
        return known->second;
    return c.enclosures[precision] = computeRealRoots(c, precision);
}

std::optional<std::vector<Interval>> computeRealRoots(const Cubic& c, mpfr_prec_t precision)
{
    std::vector<std::array<__mpfr_struct, 1>> storage;
    const std::vector<mpfr_ptr> roots = approximateRealRoots(c, precision, storage);
    std::vector<Interval> intervals;
    bool ok = true;
    mpfr_t lo, hi;
    mpfr_inits2(precision + 40, lo, hi, static_cast<mpfr_ptr>(nullptr));
    for (mpfr_ptr x : roots) {
        if (!ok || mpfr_zero_p(x) || !mpfr_number_p(x)) {
            ok = false;
            continue;
        }
        // x ± 2^(exponent − precision + 8): a margin of a few hundred units.
        const mpfr_exp_t margin = mpfr_get_exp(x) - precision + 8;
        mpfr_set_ui_2exp(lo, 1, margin, MPFR_RNDN);
        mpfr_add(hi, x, lo, MPFR_RNDU);
        mpfr_sub(lo, x, lo, MPFR_RNDD);
        if (cubicSign(c, lo) * cubicSign(c, hi) >= 0) {
            ok = false;
            continue;
        }
        intervals.push_back(Interval::Between(lo, hi, precision + 40));
    }
    mpfr_clears(lo, hi, static_cast<mpfr_ptr>(nullptr));
    for (auto& root : storage)
        mpfr_clear(root.data());
    if (!ok)
        return std::nullopt;
    std::sort(intervals.begin(), intervals.end(),
              [](const Interval& x, const Interval& y) { return mpfr_less_p(x.lo(), y.lo()); });
    for (std::size_t i = 1; i < intervals.size(); ++i) {
        if (!mpfr_less_p(intervals[i - 1].hi(), intervals[i].lo()))
            return std::nullopt;
    }
    return intervals;
}

ExactValue rationalValue(const mpq_class& x)
{
    ExactValue v;
    v.u = x;
    v.v = 0;
    return v;
}

ExactValue enclosedValue(Enclosure enclose)
{
    ExactValue v;
    v.known = false;
    v.enclose = std::move(enclose);
    return v;
}

ComplexRoot realRoot(ExactValue value, int multiplicity = 1)
{
    return {std::move(value), rationalValue(0), multiplicity};
}

// A textbook cubic mostly has a small rational root: try the whole numbers
// next to D times each real root found in doubles, and prove one by putting it
// in. Finding none proves nothing; the enclosures then decide.
std::optional<mpq_class> rationalRootNearDoubles(const Cubic& c, const mpz_class& D, const mpz_class& P,
                                                 const mpz_class& Q)
{
    const double p = c.p.get_d();
    const double q = c.q.get_d();
    const double scale = D.get_d();
    if (!std::isfinite(p) || !std::isfinite(q) || !(scale < 0x1p50))
        return std::nullopt;
    std::vector<double> roots;
    const double disc = q * q / 4 + p * p * p / 27;
    if (disc >= 0) {
        const double s = std::sqrt(disc);
        roots.push_back(std::cbrt(-q / 2 + s) + std::cbrt(-q / 2 - s));
    } else {
        const double m = 2 * std::sqrt(-p / 3);
        const double phi = std::acos(std::clamp(3 * q / (p * m), -1.0, 1.0));
        for (int k = 0; k < 3; ++k)
            roots.push_back(m * std::cos((phi - 2 * std::numbers::pi * k) / 3));
    }
    // Smallest first, as the enclosures would find them.
    std::sort(roots.begin(), roots.end());
    for (const double x : roots) {
        const double y = std::nearbyint(x * scale);
        if (!(std::abs(y) < 0x1p52))
            continue;
        for (const double candidate : {y - 1, y, y + 1}) {
            const mpz_class n(candidate); // a whole number below 2^53: exact
            if (n * n * n + P * n + Q == 0) {
                mpq_class root(n, D);
                root.canonicalize();
                return root;
            }
        }
    }
    return std::nullopt;
}

// The integer y with y³ + P·y + Q = 0 near D·x for a real root x, if any.
std::optional<mpq_class> rationalCubicRoot(Cubic& c, bool& searched)
{
    const mpq_class& p = c.p;
    const mpq_class& q = c.q;
    // x = y/D turns x³ + px + q into the monic integer cubic y³ + P·y + Q.
    // Long coefficients are refused from their lengths, before the products.
    const auto size = [](const mpz_class& n) { return mpz_sizeinbase(n.get_mpz_t(), 2); };
    const std::size_t sizeP = size(p.get_num()) + 2 * size(q.get_den()) + size(p.get_den());
    const std::size_t sizeQ = size(q.get_num()) + 2 * size(q.get_den()) + 3 * size(p.get_den());
    if (std::max(sizeP / 2, sizeQ / 3) > kRationalSearchBits + 8) {
        searched = false;
        return std::nullopt;
    }
    const mpz_class D = p.get_den() * q.get_den();
    const mpz_class P = p.get_num() * q.get_den() * q.get_den() * p.get_den();
    const mpz_class Q = q.get_num() * q.get_den() * q.get_den() * p.get_den() * p.get_den() * p.get_den();
    const std::size_t bits = std::max(mpz_sizeinbase(P.get_mpz_t(), 2) / 2, mpz_sizeinbase(Q.get_mpz_t(), 2) / 3) + 4;
    if (bits > kRationalSearchBits) {
        searched = false;
        return std::nullopt;
    }
    if (std::optional<mpq_class> quick = rationalRootNearDoubles(c, D, P, Q))
        return quick;
    const std::size_t bitsOfD = mpz_sizeinbase(D.get_mpz_t(), 2);
    // On the enclosures' own ladder of precisions, so that rounding the roots
    // afterwards finds them already computed.
    mpfr_prec_t start = 128;
    while (start < static_cast<mpfr_prec_t>(bits + bitsOfD + 32))
        start *= 2;
    for (mpfr_prec_t precision = start; precision <= 8 * start; precision *= 2) {
        const std::optional<std::vector<Interval>> intervals = encloseRealRoots(c, precision);
        if (!intervals)
            continue;
        mpfr_t y;
        mpfr_init2(y, precision + 64);
        std::optional<mpq_class> found;
        for (const Interval& x : *intervals) {
            mpfr_mul_z(y, x.lo(), D.get_mpz_t(), MPFR_RNDN);
            mpfr_round(y, y);
            mpz_class n;
            mpfr_get_z(n.get_mpz_t(), y, MPFR_RNDN);
            if (n * n * n + P * n + Q == 0) {
                found = mpq_class(n, D);
                found->canonicalize();
                break;
            }
        }
        mpfr_clear(y);
        return found;
    }
    return std::nullopt;
}

} // namespace

namespace {

// Divides every factor `prime` out of n and counts them.
unsigned long removeAll(mpz_class& n, unsigned long prime)
{
    if (prime == 2) {
        const unsigned long count = mpz_scan1(n.get_mpz_t(), 0);
        n >>= count;
        return count;
    }
    if (!mpz_divisible_ui_p(n.get_mpz_t(), prime))
        return 0;
    const mpz_class p = prime;
    // A long number that is mostly a power of the prime, as a decimal's
    // denominator is: guess that power from the length and divide it out at
    // once; removing a million factors one square at a time takes far longer.
    unsigned long count = 0;
    const double bitsPerFactor = std::log2(static_cast<double>(prime));
    const auto bits = static_cast<double>(mpz_sizeinbase(n.get_mpz_t(), 2));
    if (bits > 4096) {
        const auto guess = static_cast<unsigned long>((bits - 128) / bitsPerFactor);
        mpz_class power;
        mpz_ui_pow_ui(power.get_mpz_t(), prime, guess);
        if (mpz_divisible_p(n.get_mpz_t(), power.get_mpz_t())) {
            mpz_divexact(n.get_mpz_t(), n.get_mpz_t(), power.get_mpz_t());
            count = guess;
        }
    }
    return count + mpz_remove(n.get_mpz_t(), n.get_mpz_t(), p.get_mpz_t());
}

} // namespace

mpq_class Reduced(mpz_class num, mpz_class den)
{
    if (den < 0) {
        num = -num;
        den = -den;
    }
    mpq_class r;
    if (num == 0)
        return r;
    mpz_class n = abs(num);
    mpz_class d = den;
    mpz_class common = 1;
    for (const unsigned long prime : {2UL, 3UL, 5UL}) {
        const unsigned long shared = std::min(removeAll(n, prime), removeAll(d, prime));
        mpz_class power;
        mpz_ui_pow_ui(power.get_mpz_t(), prime, shared);
        common *= power;
    }
    mpz_class g;
    mpz_gcd(g.get_mpz_t(), n.get_mpz_t(), d.get_mpz_t());
    common *= g;
    mpz_divexact(r.get_num_mpz_t(), num.get_mpz_t(), common.get_mpz_t());
    mpz_divexact(r.get_den_mpz_t(), den.get_mpz_t(), common.get_mpz_t());
    return r;
}

std::vector<mpz_class> WholeTerms(std::span<const mpq_class* const> terms, mpz_class& multiple)
{
    multiple = 1;
    for (const mpq_class* term : terms) {
        if (!mpz_divisible_p(multiple.get_mpz_t(), term->get_den().get_mpz_t()))
            mpz_lcm(multiple.get_mpz_t(), multiple.get_mpz_t(), term->get_den().get_mpz_t());
    }
    std::vector<mpz_class> whole(terms.size());
    for (std::size_t j = 0; j < terms.size(); ++j) {
        mpz_divexact(whole[j].get_mpz_t(), multiple.get_mpz_t(), terms[j]->get_den().get_mpz_t());
        whole[j] *= terms[j]->get_num();
    }
    return whole;
}

void SimplestSqrt(const mpq_class& r, mpq_class& k, mpz_class& m)
{
    mpz_class whole;
    const bool isLong
        = mpz_sizeinbase(r.get_num().get_mpz_t(), 2) + mpz_sizeinbase(r.get_den().get_mpz_t(), 2) > kLongNumberBits;
    if (isLong) {
        // No exact form is written for numbers this long, so the square
        // factors are not looked for (counting a million factors of 5 out
        // of a product takes seconds): √(n/d) = √(n·d)/d, or a rational
        // root where both are squares.
        if (mpz_perfect_square_p(r.get_num().get_mpz_t()) && mpz_perfect_square_p(r.get_den().get_mpz_t())) {
            mpz_class top, bottom;
            mpz_sqrt(top.get_mpz_t(), r.get_num().get_mpz_t());
            mpz_sqrt(bottom.get_mpz_t(), r.get_den().get_mpz_t());
            k = mpq_class(top, bottom); // lowest terms, as r is
            m = 1;
            return;
        }
        k = mpq_class(1, r.get_den());
        m = r.get_num() * r.get_den();
        return;
    }
    if (mpz_perfect_square_p(r.get_den().get_mpz_t())) {
        // √(n/d) = √n/√d: decimal denominators are mostly squares, and so
        // the long numerator is never multiplied by them.
        mpz_class root;
        mpz_sqrt(root.get_mpz_t(), r.get_den().get_mpz_t());
        squareParts(r.get_num(), whole, m);
        k = Reduced(whole, root);
    } else {
        // √(n/d) = √(n·d)/d
        squareParts(r.get_num() * r.get_den(), whole, m);
        k = Reduced(whole, r.get_den());
    }
}

mpq_class CubicDiscriminant(const mpq_class& p, const mpq_class& q)
{
    // (q/2)² + (p/3)³ = (27q² + 4p³)/108, in whole numbers.
    const mpz_class dP3 = p.get_den() * p.get_den() * p.get_den();
    const mpz_class dQ2 = q.get_den() * q.get_den();
    return Reduced(27 * q.get_num() * q.get_num() * dP3 + 4 * p.get_num() * p.get_num() * p.get_num() * dQ2,
                   108 * dQ2 * dP3);
}

mpq_class QuadraticDiscriminant(const mpq_class& a, const mpq_class& b, const mpq_class& c)
{
    const mpz_class dB2 = b.get_den() * b.get_den();
    return Reduced(b.get_num() * b.get_num() * a.get_den() * c.get_den() - 4 * a.get_num() * c.get_num() * dB2,
                   a.get_den() * dB2 * c.get_den());
}

mpq_class Quotient(const mpq_class& x, const mpq_class& y)
{
    return Reduced(x.get_num() * y.get_den(), x.get_den() * y.get_num());
}

std::vector<ComplexRoot> QuadraticRoots(const mpq_class& a, const mpq_class& b, const mpq_class& c)
{
    const mpq_class D = QuadraticDiscriminant(a, b, c);
    const mpq_class u = Quotient(-b, 2 * a);
    if (D == 0)
        return {realRoot(rationalValue(u), 2)};
    mpq_class k;
    mpz_class m;
    SimplestSqrt(D > 0 ? mpq_class(D) : mpq_class(-D), k, m);
    const mpq_class w = Quotient(k, 2 * abs(a));
    if (D > 0) {
        if (m == 1)
            return {realRoot(rationalValue(u - w)), realRoot(rationalValue(u + w))};
        ExactValue low = MakeValue(u, -w, m);
        ExactValue high = MakeValue(u, w, m);
        return {realRoot(low), realRoot(high)};
    }
    ComplexRoot upper{rationalValue(u), MakeValue(0, w, m), 1};
    ComplexRoot lower{rationalValue(u), MakeValue(0, -w, m), 1};
    return {upper, lower};
}

ExactValue PlusRoot(const mpq_class& a, const mpq_class& b, const mpq_class& c, bool plus)
{
    const mpq_class D = QuadraticDiscriminant(a, b, c);
    const mpq_class u = Quotient(-b, 2 * a);
    mpq_class k;
    mpz_class m;
    SimplestSqrt(D, k, m);
    // (−b ± √D)/(2a): the sign of a decides which way ±√D moves the root.
    mpq_class w = Quotient(k, 2 * a);
    if (!plus)
        w = -w;
    if (m == 1)
        return rationalValue(u + w);
    return MakeValue(u, w, m);
}

CubicRoots SolveCubicExact(const mpq_class& p, const mpq_class& q)
{
    return SolveCubicExact(p, q, CubicDiscriminant(p, q));
}

CubicRoots SolveCubicExact(const mpq_class& p, const mpq_class& q, const mpq_class& discriminant, bool findRational)
{
    CubicRoots result;
    const auto cubic = std::make_shared<Cubic>(Cubic{p, q, discriminant, p.get_den() * q.get_den(), {}});
    const mpq_class& disc = cubic->disc;
    if (p == 0 && q == 0) {
        result.roots = {realRoot(rationalValue(0), 3)};
        result.rationalRoot = 0;
        return result;
    }
    if (disc == 0) {
        const mpq_class simple = Quotient(3 * q, p);
        const mpq_class twice = Quotient(-3 * q, 2 * p);
        result.rationalRoot = simple;
        result.roots = {realRoot(rationalValue(std::min(simple, twice)), simple < twice ? 1 : 2),
                        realRoot(rationalValue(std::max(simple, twice)), simple < twice ? 2 : 1)};
        return result;
    }
    if (!findRational)
        result.searched = false;
    else
        result.rationalRoot = q == 0 ? std::optional<mpq_class>(0) : rationalCubicRoot(*cubic, result.searched);
    if (result.rationalRoot) {
        // x³ + px + q = (x − r)(x² + r·x + r² + p)
        const mpq_class& r = *result.rationalRoot;
        std::vector<ComplexRoot> rest = QuadraticRoots(1, r, r * r + p);
        std::vector<ComplexRoot> roots{realRoot(rationalValue(r))};
        for (auto& root : rest)
            roots.push_back(std::move(root));
        // Real roots ascending, then the complex ones as the quadratic gave them.
        std::stable_sort(roots.begin(), roots.end(), [](const ComplexRoot& x, const ComplexRoot& y) {
            if (x.real() != y.real())
                return x.real();
            if (!x.real())
                return false;
            // Distinct roots: a precision that separates them is soon found.
            for (mpfr_prec_t precision = 128; precision <= 8192; precision *= 2) {
                const Interval a = EncloseValue(x.re, precision);
                const Interval b = EncloseValue(y.re, precision);
                if (mpfr_less_p(a.hi(), b.lo()))
                    return true;
                if (mpfr_less_p(b.hi(), a.lo()))
                    return false;
            }
            return false;
        });
        result.roots = std::move(roots);
        return result;
    }
    const std::size_t count = disc > 0 ? 1 : 3;
    for (std::size_t i = 0; i < count; ++i) {
        result.roots.push_back(realRoot(enclosedValue([cubic, i](mpfr_prec_t precision) -> std::optional<Interval> {
            std::optional<std::vector<Interval>> intervals = encloseRealRoots(*cubic, precision);
            if (!intervals || intervals->size() <= i)
                return std::nullopt;
            return (*intervals)[i];
        })));
    }
    if (count == 1) {
        // The other two are −r/2 ± i·√(3r²/4 + p).
        const Enclosure real = result.roots[0].re.enclose;
        const auto part = [real, cubic](bool imaginary, int side) {
            return enclosedValue([real, cubic, imaginary, side](mpfr_prec_t precision) -> std::optional<Interval> {
                const std::optional<Interval> r = real(precision);
                if (!r)
                    return std::nullopt;
                if (!imaginary)
                    return -(*r) / Interval::Of(2, precision);
                Interval im
                    = (Interval::Of(mpq_class(3, 4), precision) * (*r) * (*r) + Interval::Of(cubic->p, precision))
                          .sqrt();
                return side > 0 ? im : -im;
            });
        };
        result.roots.push_back({part(false, 1), part(true, 1), 1});
        result.roots.push_back({part(false, -1), part(true, -1), 1});
    }
    return result;
}

Interval EncloseValue(const ExactValue& value, mpfr_prec_t precision)
{
    if (!value.known) {
        if (std::optional<Interval> interval = value.enclose(precision))
            return *interval;
        return Interval::Of(0, precision); // never reached: enclosures exist at the precisions asked
    }
    if (value.m == 1 || value.v == 0)
        return Interval::Of(value.u + value.v, precision);
    const Interval surd = Interval::Of(value.v, precision) * Interval::Sqrt(value.m, precision);
    if (value.u == 0 || sgn(value.u) == sgn(value.v))
        return Interval::Of(value.u, precision) + surd;
    // u + v√m = (u² − v²m)/(u − v√m): the two terms no longer cancel. With
    // u = a/b and v = c/d, u² − v²m = (a²d² − c²b²m)/(b²d²), kept in integers:
    // reducing it would take a gcd of numbers twice as long as the coefficients.
    const mpz_class& a = value.u.get_num();
    const mpz_class& b = value.u.get_den();
    const mpz_class& c = value.v.get_num();
    const mpz_class& d = value.v.get_den();
    const mpz_class bd = b * d;
    const mpz_class top = a * a * d * d - c * c * b * b * value.m;
    return Interval::Of(mpq_class(top), precision) / Interval::Of(mpq_class(bd * bd), precision)
           / (Interval::Of(value.u, precision) - surd);
}

Rounded RoundValue(const ExactValue& value)
{
    if (value.known && (value.m == 1 || value.v == 0))
        return RoundRational(value.u + value.v);
    if (!value.known)
        return RoundEnclosed(value.enclose);
    return RoundEnclosed(
        [value](mpfr_prec_t precision) -> std::optional<Interval> { return EncloseValue(value, precision); });
}

bool ShownValuesHold(std::span<const double> shown, std::span<const ExactValue> exact)
{
    for (mpfr_prec_t precision = 128; precision <= (mpfr_prec_t{1} << 14); precision *= 2) {
        // A root known only by its enclosure may need more precision than
        // this to be enclosed at all: then ask again at the next.
        const bool enclosed = std::ranges::all_of(
            exact, [precision](const ExactValue& value) { return value.known || value.enclose(precision); });
        if (!enclosed)
            continue;
        std::vector<Interval> values;
        mpfr_t largest, tolerance, t;
        mpfr_inits2(precision, largest, tolerance, t, static_cast<mpfr_ptr>(nullptr));
        mpfr_set_zero(largest, 1);
        for (const ExactValue& value : exact) {
            values.push_back(EncloseValue(value, precision));
            // The smallest the magnitude can be: a lower bound keeps the verdict honest.
            const Interval& v = values.back();
            if (mpfr_sgn(v.lo()) > 0)
                mpfr_max(largest, largest, v.lo(), MPFR_RNDD);
            else if (mpfr_sgn(v.hi()) < 0) {
                mpfr_neg(t, v.hi(), MPFR_RNDD);
                mpfr_max(largest, largest, t, MPFR_RNDD);
            }
        }
        // 1e-7 from below.
        mpfr_set_ui(tolerance, 1, MPFR_RNDD);
        mpfr_div_ui(tolerance, tolerance, 10'000'000, MPFR_RNDD);
        mpfr_mul(tolerance, tolerance, largest, MPFR_RNDD);
        bool allHold = true;
        bool undecided = false;
        for (std::size_t i = 0; i < values.size(); ++i) {
            // |shown − exact| ≤ max(shown − lo, hi − shown), from above.
            mpfr_t s;
            mpfr_init2(s, 64);
            mpfr_set_d(s, shown[i], MPFR_RNDN);
            mpfr_sub(t, s, values[i].lo(), MPFR_RNDU);
            mpfr_t other;
            mpfr_init2(other, precision);
            mpfr_sub(other, values[i].hi(), s, MPFR_RNDU);
            mpfr_max(t, t, other, MPFR_RNDU);
            if (mpfr_greater_p(t, tolerance)) {
                // The distance from below, to tell a real miss from a wide enclosure.
                mpfr_sub(other, s, values[i].hi(), MPFR_RNDD);
                mpfr_sub(t, values[i].lo(), s, MPFR_RNDD);
                mpfr_max(t, t, other, MPFR_RNDD);
                if (mpfr_greater_p(t, tolerance) || mpfr_zero_p(largest))
                    allHold = false;
                else
                    undecided = true;
            }
            mpfr_clear(other);
            mpfr_clear(s);
        }
        mpfr_clears(largest, tolerance, t, static_cast<mpfr_ptr>(nullptr));
        if (!undecided || !allHold)
            return allHold;
    }
    return true;
}

} // namespace zembrel::exact
