// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "real.h"

#include "once.h"

#include <arb_fmpz_poly.h>
#include <flint/fmpz_poly.h>
#include <mpfr.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <mutex>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace zembrel::engine {

namespace {

constexpr long kStartPrecision = 96;
// Beyond this only two values closer than 10^-300000 of each other could be
// told apart; every exact tie is settled before, by an exact test.
constexpr long kPrecisionLimit = long{1} << 20;
// Two irrational values not told apart at this precision are taken as equal:
// distinct algebraic numbers of the degrees and sizes typed are far apart.
constexpr long kComparisonLimit = long{1} << 14;
// Roots whose mean size is within this many bits of 1 are found as they are.
constexpr long kUnscaledBits = 8;

// num/den in lowest terms. Decimal numbers carry long powers of 2 and 5 in
// both parts: those are counted out first, so that the greatest common
// divisor left to take is mostly of one short number.
mpq_class Reduced(const mpz_class& num, const mpz_class& den)
{
    mpq_class r;
    if (num == 0)
        return r;
    mpz_class n = abs(num);
    mpz_class d = den;
    mpz_class common = 1;
    for (const unsigned long prime : {2UL, 5UL}) {
        const mpz_class p = prime;
        mpz_class nRest = n;
        mpz_class dRest = d;
        const unsigned long inN = mpz_remove(nRest.get_mpz_t(), n.get_mpz_t(), p.get_mpz_t());
        const unsigned long inD = mpz_remove(dRest.get_mpz_t(), d.get_mpz_t(), p.get_mpz_t());
        const unsigned long shared = std::min(inN, inD);
        mpz_class power;
        mpz_ui_pow_ui(power.get_mpz_t(), prime, shared);
        mpz_divexact(n.get_mpz_t(), n.get_mpz_t(), power.get_mpz_t());
        mpz_divexact(d.get_mpz_t(), d.get_mpz_t(), power.get_mpz_t());
        common *= power;
    }
    mpz_class g;
    mpz_gcd(g.get_mpz_t(), n.get_mpz_t(), d.get_mpz_t());
    common *= g;
    mpz_divexact(r.get_num_mpz_t(), num.get_mpz_t(), common.get_mpz_t());
    mpz_divexact(r.get_den_mpz_t(), den.get_mpz_t(), common.get_mpz_t());
    return r;
}

Arb arbOf(const mpq_class& q, long precision)
{
    Arb x;
    const Fmpq f = ToFmpq(q);
    arb_set_fmpq(x.get(), f.get(), precision);
    return x;
}

mpq_class rationalOf(const arf_t x)
{
    Fmpq q;
    arf_get_fmpq(q.get(), x);
    return ToMpq(q.get());
}

// The exact ends of an enclosure.
std::pair<mpq_class, mpq_class> endsOf(const Arb& x)
{
    arf_t lo;
    arf_t hi;
    arf_init(lo);
    arf_init(hi);
    arb_get_interval_arf(lo, hi, x.get(), ARF_PREC_EXACT);
    std::pair<mpq_class, mpq_class> ends{rationalOf(lo), rationalOf(hi)};
    arf_clear(lo);
    arf_clear(hi);
    return ends;
}

mpz_class powerOfTen(unsigned long n)
{
    mpz_class p;
    mpz_ui_pow_ui(p.get_mpz_t(), 10, n);
    return p;
}

// 10^e as a rational, e of either sign.
mpq_class tenTo(long e)
{
    return e >= 0 ? mpq_class(powerOfTen(static_cast<unsigned long>(e)))
                  : mpq_class(mpz_class(1), powerOfTen(static_cast<unsigned long>(-e)));
}

// 10^k, k ≥ 0: the powers a rounding to 15 or 20 digits meets are kept.
const mpz_class& powerOfTenRef(unsigned long k, mpz_class& scratch)
{
    constexpr unsigned long kKept = 64;
    static const std::vector<mpz_class> kept = [] {
        std::vector<mpz_class> powers(kKept);
        powers[0] = 1;
        for (std::size_t i = 1; i < powers.size(); ++i)
            powers[i] = powers[i - 1] * 10;
        return powers;
    }();
    if (k < kKept)
        return kept[k];
    mpz_ui_pow_ui(scratch.get_mpz_t(), 10, k);
    return scratch;
}

// a·10^k for k ≥ 0, and b·10^(−k) for k < 0: the sides of a comparison of
// a/b with 10^k, with no fraction reduced.
void scaleByTen(mpz_class& a, mpz_class& b, long k)
{
    mpz_class scratch;
    const mpz_class& power = powerOfTenRef(static_cast<unsigned long>(std::labs(k)), scratch);
    if (k >= 0)
        a *= power;
    else
        b *= power;
}

// An estimate of the decimal exponent of x > 0's leading digit, from the
// sizes in bits: within one of it.
long estimatedExponent(const mpq_class& x)
{
    const double bits = static_cast<double>(mpz_sizeinbase(x.get_num().get_mpz_t(), 2))
                        - static_cast<double>(mpz_sizeinbase(x.get_den().get_mpz_t(), 2));
    return static_cast<long>(std::floor(bits * 0.30102999566398119521));
}

// The decimal exponent of the leading digit of x > 0: 10^e ≤ x < 10^(e+1).
long leadingExponent(const mpq_class& x)
{
    long e = estimatedExponent(x);
    // x ≥ 10^e exactly when num·10^(−e) ≥ den.
    const auto atLeast = [&x](long k) {
        mpz_class num = x.get_num();
        mpz_class den = x.get_den();
        scaleByTen(den, num, k);
        return num >= den;
    };
    while (!atLeast(e))
        --e;
    while (atLeast(e + 1))
        ++e;
    return e;
}

// x > 0 rounded to n significant digits, exactly.
RoundedDecimal roundExactly(const mpq_class& x, int n, Tie tie)
{
    // q = ⌊x·10^(n−1−e)⌋ has n digits exactly when e is x's leading exponent.
    mpz_class scratch;
    const mpz_class& low = powerOfTenRef(static_cast<unsigned long>(n - 1), scratch);
    const mpz_class high = low * 10;
    long e = estimatedExponent(x);
    mpz_class num;
    mpz_class den;
    mpz_class q;
    mpz_class rest;
    for (;;) {
        num = x.get_num();
        den = x.get_den();
        scaleByTen(num, den, n - 1 - e);
        mpz_tdiv_qr(q.get_mpz_t(), rest.get_mpz_t(), num.get_mpz_t(), den.get_mpz_t());
        if (q >= high)
            ++e;
        else if (q < low)
            --e;
        else
            break;
    }
    rest *= 2;
    const int half = cmp(rest, den);
    if (half > 0 || (half == 0 && (tie == Tie::AwayFromZero || mpz_odd_p(q.get_mpz_t()))))
        ++q;
    RoundedDecimal r;
    r.digits = q.get_str();
    r.pointPosition = e + 1 + static_cast<long>(r.digits.size()) - n;
    const auto last = r.digits.find_last_not_of('0');
    r.digits.erase(last + 1);
    return r;
}

RoundedDecimal roundRational(const mpq_class& x, int n, Tie tie)
{
    if (sgn(x) == 0)
        return {};
    RoundedDecimal r = roundExactly(abs(x), n, tie);
    r.negative = sgn(x) < 0;
    return r;
}

// The boundary between two roundings to n digits just above x > 0: the
// half-way point after x's n-digit truncation.
mpq_class boundaryAbove(const mpq_class& x, int n)
{
    const long e = leadingExponent(x);
    const mpq_class unit = tenTo(e - n + 1);
    const mpq_class steps = x / unit;
    mpz_class whole;
    mpz_fdiv_q(whole.get_mpz_t(), steps.get_num().get_mpz_t(), steps.get_den().get_mpz_t());
    return (mpq_class(whole) + mpq_class(1, 2)) * unit;
}

// The real roots of q (rational coefficients, not zero), each in an isolating enclosure.
std::vector<Acb> realRootsOf(const FmpqPoly& q, long precision)
{
    FmpzPoly whole;
    fmpq_poly_get_numerator(whole.get(), q.get());
    FmpzPoly derivative;
    fmpz_poly_derivative(derivative.get(), whole.get());
    FmpzPoly g;
    fmpz_poly_gcd(g.get(), whole.get(), derivative.get());
    FmpzPoly squarefree;
    fmpz_poly_div(squarefree.get(), whole.get(), g.get());
    std::vector<Acb> real;
    if (fmpz_poly_degree(squarefree.get()) < 1)
        return real;
    const RootSet set(squarefree);
    std::vector<Acb> all = set.enclosures(precision);
    all.resize(set.realCount());
    return all;
}

// P(base + i·t) = A(t) + i·B(t) when alongImaginary, P(t + i·base) otherwise;
// the numbers where both parts vanish are the roots of P on that line.
FmpqPoly rootsOnLine(const FmpzPoly& P, const mpq_class& base, bool alongImaginary)
{
    FmpqPoly p;
    fmpq_poly_set_fmpz_poly(p.get(), P.get());
    FmpqPoly A;
    FmpqPoly B;
    if (alongImaginary) {
        // P(base + y) in y, then y → i·y: the powers of i sort the terms.
        FmpqPoly shift;
        const Fmpq b = ToFmpq(base);
        fmpq_poly_set_coeff_fmpq(shift.get(), 0, b.get());
        fmpq_poly_set_coeff_si(shift.get(), 1, 1);
        FmpqPoly shifted;
        fmpq_poly_compose(shifted.get(), p.get(), shift.get());
        for (long k = 0; k <= fmpq_poly_degree(shifted.get()); ++k) {
            Fmpq c;
            fmpq_poly_get_coeff_fmpq(c.get(), shifted.get(), k);
            if (k % 4 == 2 || k % 4 == 3)
                fmpq_neg(c.get(), c.get());
            fmpq_poly_set_coeff_fmpq(k % 2 == 0 ? A.get() : B.get(), k, c.get());
        }
    } else {
        // P(x + i·d) = Σ P⁽ᵏ⁾(x)·(i·d)ᵏ/k!
        FmpqPoly derivative = p;
        mpq_class factor = 1;
        for (long k = 0; !fmpq_poly_is_zero(derivative.get()); ++k) {
            if (k > 0)
                factor = factor * base / k;
            FmpqPoly term;
            const Fmpq f = ToFmpq((k % 4 == 2 || k % 4 == 3) ? mpq_class(-factor) : factor);
            fmpq_poly_scalar_mul_fmpq(term.get(), derivative.get(), f.get());
            FmpqPoly& part = k % 2 == 0 ? A : B;
            fmpq_poly_add(part.get(), part.get(), term.get());
            FmpqPoly next;
            fmpq_poly_derivative(next.get(), derivative.get());
            derivative = std::move(next);
        }
    }
    FmpqPoly g;
    fmpq_poly_gcd(g.get(), A.get(), B.get());
    return g;
}

} // namespace

// ---- RootSet ------------------------------------------------------------------

RootSet::RootSet(FmpzPoly squarefree) : polynomial_(std::move(squarefree))
{
    const long degree = fmpz_poly_degree(polynomial_.get());
    if (degree < 1)
        throw std::invalid_argument("a root set of a constant");
    size_ = static_cast<std::size_t>(degree);
    // Arb's iteration starts around the unit circle, and roots far from it
    // (x⁸⁸ = 10¹⁰⁰⁰: all of them near 2¹⁸⁹) take it thousands of steps to
    // reach: the roots are found as 2^s times those of P(2^s·y), s the
    // mean of their sizes in bits, |a₀/aₙ| = Π|rᵢ|.
    const fmpz* constant = polynomial_.get()->coeffs;
    if (!fmpz_is_zero(constant)) {
        const auto size
            = static_cast<long>(fmpz_bits(constant)) - static_cast<long>(fmpz_bits(fmpz_poly_lead(polynomial_.get())));
        scale_ = size / degree;
    }
    if (std::labs(scale_) < kUnscaledBits)
        scale_ = 0;
    fmpz_poly_set(scaled_.get(), polynomial_.get());
    for (long k = 0; k <= degree && scale_ != 0; ++k) {
        // y^k gains 2^(s·k); for s < 0 the whole is multiplied by 2^(−s·n) to stay whole.
        const long shift = scale_ > 0 ? scale_ * k : -scale_ * (degree - k);
        fmpz_mul_2exp(scaled_.get()->coeffs + k, scaled_.get()->coeffs + k, static_cast<ulong>(shift));
    }
    precision_ = kStartPrecision;
    acb_ptr roots = _acb_vec_init(degree);
    isolate(roots, precision_);
    roots_.resize(size_);
    for (std::size_t i = 0; i < size_; ++i) {
        acb_set(roots_[i].get(), roots + i);
        if (arb_is_zero(acb_imagref(roots + i)))
            realCount_ = i + 1;
    }
    _acb_vec_clear(roots, degree);
    // Each conjugate pair with its upper root first.
    for (std::size_t i = realCount_; i + 1 < size_; i += 2) {
        if (arf_sgn(arb_midref(acb_imagref(roots_[i].get()))) < 0)
            std::swap(roots_[i], roots_[i + 1]);
    }
}

RootSet::RootSet(FmpzPoly squarefree, std::size_t realCount, Isolator isolate)
    : polynomial_(std::move(squarefree)), isolate_(std::move(isolate))
{
    size_ = static_cast<std::size_t>(fmpz_poly_degree(polynomial_.get()));
    realCount_ = realCount;
    precision_ = kStartPrecision;
    roots_ = isolate_(precision_);
}

void RootSet::isolate(acb_ptr roots, long precision) const
{
    const long degree = static_cast<long>(size_);
    arb_fmpz_poly_complex_roots(roots, scaled_.get(), 0, precision);
    for (long i = 0; i < degree; ++i)
        acb_mul_2exp_si(roots + i, roots + i, scale_);
}

void RootSet::refine(long precision) const
{
    if (precision > precision_ && isolate_) {
        roots_ = isolate_(precision);
        precision_ = precision;
    } else if (precision > precision_) {
        const long degree = static_cast<long>(size_);
        acb_ptr fresh = _acb_vec_init(degree);
        isolate(fresh, precision);
        // The same roots, narrower: each new enclosure lies inside one old one.
        std::vector<Acb> next(size_);
        for (std::size_t i = 0; i < size_; ++i) {
            for (long j = 0; j < degree; ++j) {
                if (acb_overlaps(roots_[i].get(), fresh + j)) {
                    acb_set(next[i].get(), fresh + j);
                    break;
                }
            }
        }
        _acb_vec_clear(fresh, degree);
        roots_ = std::move(next);
        precision_ = precision;
    }
}

std::vector<Acb> RootSet::enclosures(long precision) const
{
    const std::lock_guard lock(mutex_);
    refine(precision);
    return roots_;
}

// One root, without copying the others.
Acb RootSet::enclose(std::size_t index, long precision) const
{
    const std::lock_guard lock(mutex_);
    refine(precision);
    return roots_.at(index);
}

// ---- Real ---------------------------------------------------------------------

struct Real::Data {
    enum class Kind { Rational, Surd, Part, ValueAt };
    Kind kind = Kind::Rational;
    mpz_class num; // Rational: num/den, den > 0, perhaps not in lowest terms
    mpz_class den = 1;
    mutable Once reduced;
    mutable mpq_class q; // Rational: num/den in lowest terms once reduced; Surd: u
    mutable mpq_class v; // Surd: (num + sv·√m)/den = u + v√m, u and v in lowest terms once reduced
    mpz_class sv;
    mpz_class m;
    AlgebraicRoot root;
    Part part = Part::Real;
    FmpqPoly poly;        // ValueAt
    bool negated = false; // Part and ValueAt: the value is the negative
    // Roundings already made: a page writes the same value at the same
    // digits in several places (the roots, the working, the graph).
    struct Rounding {
        int digits;
        Tie tie;
        RoundedDecimal value;
    };
    mutable std::mutex roundingsLock;
    mutable std::vector<Rounding> roundings;
};

Real::Real() : Real(mpq_class(0)) {}

Real::Real(const mpq_class& value)
{
    auto data = std::make_shared<Data>();
    data->num = value.get_num();
    data->den = value.get_den();
    data->q = value;
    data->reduced.markDone();
    data_ = std::move(data);
}

Real Real::Quotient(const mpz_class& num, const mpz_class& den)
{
    if (den == 0)
        throw std::invalid_argument("a quotient by zero");
    auto data = std::make_shared<Data>();
    data->num = sgn(den) < 0 ? mpz_class(-num) : num;
    data->den = abs(den);
    return Real(std::shared_ptr<const Data>(std::move(data)));
}

Real::Real(long value) : Real(mpq_class(value)) {}

Real Real::Surd(const mpq_class& u, const mpq_class& v, const mpz_class& m)
{
    if (m == 1 || v == 0)
        return Real(mpq_class(u + (m == 1 ? v : mpq_class(0))));
    auto data = std::make_shared<Data>();
    data->kind = Data::Kind::Surd;
    mpz_lcm(data->den.get_mpz_t(), u.get_den().get_mpz_t(), v.get_den().get_mpz_t());
    data->num = u.get_num() * (data->den / u.get_den());
    data->sv = v.get_num() * (data->den / v.get_den());
    data->m = m;
    data->q = u;
    data->v = v;
    data->reduced.markDone();
    return Real(std::shared_ptr<const Data>(std::move(data)));
}

Real Real::SurdQuotient(const mpz_class& U, const mpz_class& V, const mpz_class& m, const mpz_class& W)
{
    if (W == 0)
        throw std::invalid_argument("a quotient by zero");
    if (V == 0)
        return Quotient(U, W);
    auto data = std::make_shared<Data>();
    data->kind = Data::Kind::Surd;
    const bool flip = W < 0;
    data->num = flip ? mpz_class(-U) : U;
    data->sv = flip ? mpz_class(-V) : V;
    data->den = abs(W);
    data->m = m;
    return Real(std::shared_ptr<const Data>(std::move(data)));
}

Real Real::PartOf(const AlgebraicRoot& root, Part part)
{
    if (part == Part::Imaginary && root.real())
        return Real();
    // A root of a linear factor is a rational.
    if (root.set->size() == 1) {
        const fmpz_poly_struct* P = root.set->polynomial().get();
        return Real(mpq_class(-ToMpz(P->coeffs), ToMpz(P->coeffs + 1)));
    }
    auto data = std::make_shared<Data>();
    data->kind = Data::Kind::Part;
    data->root = root;
    data->part = part;
    return Real(std::shared_ptr<const Data>(std::move(data)));
}

Real Real::ValueAt(const FmpqPoly& p, const AlgebraicRoot& c)
{
    if (c.set->size() == 1 || fmpq_poly_degree(p.get()) < 1) {
        const Real x = PartOf(c, Part::Real);
        Fmpq value;
        const Fmpq at = ToFmpq(x.isRational() ? x.rational() : mpq_class(0));
        fmpq_poly_evaluate_fmpq(value.get(), p.get(), at.get());
        return Real(ToMpq(value.get()));
    }
    auto data = std::make_shared<Data>();
    data->kind = Data::Kind::ValueAt;
    data->root = c;
    data->poly = p;
    return Real(std::shared_ptr<const Data>(std::move(data)));
}

bool Real::isRational() const { return data_->kind == Data::Kind::Rational; }
const mpq_class& Real::rational() const
{
    const Data& d = *data_;
    d.reduced.call([&d] { d.q = Reduced(d.num, d.den); });
    return d.q;
}
bool Real::isSurd() const { return data_->kind == Data::Kind::Surd; }
const mpq_class& Real::surdU() const
{
    const Data& d = *data_;
    d.reduced.call([&d] {
        d.q = Reduced(d.num, d.den);
        d.v = Reduced(d.sv, d.den);
    });
    return d.q;
}
const mpq_class& Real::surdV() const
{
    surdU();
    return data_->v;
}
const mpz_class& Real::surdM() const { return data_->m; }

Real Real::operator-() const
{
    switch (data_->kind) {
    case Data::Kind::Rational: return Quotient(-data_->num, data_->den);
    case Data::Kind::Surd: return SurdQuotient(-data_->num, -data_->sv, data_->m, data_->den);
    default: {
        auto data = std::make_shared<Data>();
        data->kind = data_->kind;
        data->root = data_->root;
        data->part = data_->part;
        data->poly = data_->poly;
        data->negated = !data_->negated;
        return Real(std::shared_ptr<const Data>(std::move(data)));
    }
    }
}

Arb Real::enclose(long precision) const
{
    const Data& d = *data_;
    Arb x;
    switch (d.kind) {
    case Data::Kind::Rational: {
        const Fmpz num = ToFmpz(d.num);
        const Fmpz den = ToFmpz(d.den);
        arb_fmpz_div_fmpz(x.get(), num.get(), den.get(), precision);
        return x;
    }
    case Data::Kind::Surd: {
        // (U + V√m)/W. Where U and V√m have opposite signs they cancel, by
        // as many bits as the root is small (the smaller root of
        // x² + 10¹⁰⁰⁰x + 1 loses 6600): then the same value is taken as
        // (U² − V²m)/(W(U − V√m)), whose terms add.
        const long working = precision + 32;
        const Fmpz m = ToFmpz(d.m);
        arb_sqrt_fmpz(x.get(), m.get(), working);
        const bool cancelling = sgn(d.num) != 0 && sgn(d.num) != sgn(d.sv);
        const Fmpz V = ToFmpz(cancelling ? mpz_class(-d.sv) : d.sv);
        arb_mul_fmpz(x.get(), x.get(), V.get(), working);
        const Fmpz U = ToFmpz(d.num);
        arb_add_fmpz(x.get(), x.get(), U.get(), working);
        const Fmpz W = ToFmpz(d.den);
        if (cancelling) {
            arb_mul_fmpz(x.get(), x.get(), W.get(), working);
            const Fmpz N = ToFmpz(d.num * d.num - d.sv * d.sv * d.m);
            Arb numerator;
            arb_set_fmpz(numerator.get(), N.get());
            arb_div(x.get(), numerator.get(), x.get(), precision);
        } else {
            arb_div_fmpz(x.get(), x.get(), W.get(), precision);
        }
        return x;
    }
    case Data::Kind::Part: {
        const Acb z = d.root.set->enclose(d.root.index, precision);
        arb_set(x.get(), d.part == Part::Real ? acb_realref(z.get()) : acb_imagref(z.get()));
        break;
    }
    case Data::Kind::ValueAt: {
        // The root as precise as asked, so that deciding a sign at the first
        // precision costs no second isolation of the roots; evaluated a
        // little wider. Where the value's condition eats bits, the callers
        // ask again with more.
        const Acb c = d.root.set->enclose(d.root.index, precision);
        FmpzPoly numerator;
        fmpq_poly_get_numerator(numerator.get(), d.poly.get());
        arb_fmpz_poly_evaluate_arb(x.get(), numerator.get(), acb_realref(c.get()), precision + 32);
        Fmpz den;
        fmpz_set(den.get(), fmpq_poly_denref(d.poly.get()));
        arb_div_fmpz(x.get(), x.get(), den.get(), precision);
        break;
    }
    }
    if (d.negated)
        arb_neg(x.get(), x.get());
    return x;
}

bool Real::equals(const mpq_class& t) const
{
    const Data& d = *data_;
    switch (d.kind) {
    case Data::Kind::Rational: return d.num * t.get_den() == t.get_num() * d.den;
    case Data::Kind::Surd: return false; // irrational
    case Data::Kind::Part: {
        // A value asked about is mostly not t (a decimal near it, a test
        // point): an enclosure that leaves t out says so at once.
        {
            const Arb e = enclose(kStartPrecision);
            Fmpq target;
            SetFmpq(target.get(), t);
            if (!arb_contains_fmpq(e.get(), target.get()))
                return false;
        }
        const mpq_class target = d.negated ? mpq_class(-t) : t;
        const RootSet& set = *d.root.set;
        if (d.part == Part::Imaginary && d.root.real())
            return target == 0;
        // The roots of P on the line Re z = t (or Im z = t) are the roots of
        // gcd(A, B); the root is one of them when one of those falls in its
        // enclosure, which holds no other root of P.
        const bool alongImaginary = d.part == Part::Real;
        const FmpqPoly g = rootsOnLine(set.polynomial(), target, alongImaginary);
        if (fmpq_poly_degree(g.get()) < 1)
            return false;
        for (long precision = kStartPrecision; precision <= kPrecisionLimit; precision *= 2) {
            const std::vector<Acb> roots = set.enclosures(precision);
            const std::vector<Acb> onLine = realRootsOf(g, precision);
            bool inside = false;
            bool ambiguous = false;
            for (const Acb& w : onLine) {
                Acb candidate;
                const Arb fixed = arbOf(target, precision);
                arb_set(acb_realref(candidate.get()), alongImaginary ? fixed.get() : acb_realref(w.get()));
                arb_set(acb_imagref(candidate.get()), alongImaginary ? acb_realref(w.get()) : fixed.get());
                std::size_t hits = 0;
                bool ours = false;
                for (std::size_t j = 0; j < roots.size(); ++j) {
                    if (acb_overlaps(candidate.get(), roots[j].get())) {
                        ++hits;
                        ours = ours || j == d.root.index;
                    }
                }
                if (hits > 1)
                    ambiguous = true;
                else if (ours)
                    inside = true;
            }
            if (!ambiguous)
                return inside;
        }
        return false;
    }
    case Data::Kind::ValueAt: {
        // p(c) = t exactly when c is a root of gcd(M, p − t).
        const mpq_class target = d.negated ? mpq_class(-t) : t;
        FmpqPoly shifted = d.poly;
        Fmpq c0;
        fmpq_poly_get_coeff_fmpq(c0.get(), shifted.get(), 0);
        const Fmpq tt = ToFmpq(target);
        fmpq_sub(c0.get(), c0.get(), tt.get());
        fmpq_poly_set_coeff_fmpq(shifted.get(), 0, c0.get());
        FmpqPoly M;
        fmpq_poly_set_fmpz_poly(M.get(), d.root.set->polynomial().get());
        FmpqPoly g;
        fmpq_poly_gcd(g.get(), M.get(), shifted.get());
        if (fmpq_poly_degree(g.get()) < 1)
            return false;
        for (long precision = kStartPrecision; precision <= kPrecisionLimit; precision *= 2) {
            const Acb c = d.root.set->enclose(d.root.index, precision);
            std::size_t hits = 0;
            for (const Acb& w : realRootsOf(g, precision))
                hits += acb_overlaps(w.get(), c.get()) ? 1 : 0;
            // g's roots are roots of M, which the enclosure of c isolates.
            if (hits <= 1)
                return hits == 1;
        }
        return false;
    }
    }
    return false;
}

int Real::sign() const
{
    const Data& d = *data_;
    if (d.kind == Data::Kind::Rational)
        return sgn(d.num);
    if (d.kind == Data::Kind::Surd) {
        // U + V√m against 0 (W > 0): compare U² with V²·m where the signs differ.
        const int su = sgn(d.num);
        const int sv = sgn(d.sv);
        if (su == 0 || su == sv)
            return sv;
        const int c = cmp(d.num * d.num, d.sv * d.sv * d.m);
        return c > 0 ? su : sv;
    }
    if (d.kind == Data::Kind::Part && d.part == Part::Imaginary && !d.root.real()) {
        // Never 0, and known by its place: the upper root of each pair comes
        // first. (Enclosing it may take long where its formula cancels, and
        // the exact test of 0 isolates every root of the polynomial again.)
        const bool upper = (d.root.index - d.root.set->realCount()) % 2 == 0;
        return upper != d.negated ? 1 : -1;
    }
    bool zeroTested = false;
    for (long precision = kStartPrecision; precision <= kPrecisionLimit; precision *= 2) {
        const Arb x = enclose(precision);
        if (arb_is_positive(x.get()))
            return 1;
        if (arb_is_negative(x.get()))
            return -1;
        if (!zeroTested) {
            if (equals(0))
                return 0;
            zeroTested = true;
        }
    }
    throw std::runtime_error("a sign beyond the precision limit");
}

namespace {

// Two parts of roots of one polynomial that are equal by symmetry: the real
// parts of a conjugate pair, and its imaginary parts up to their signs.
bool sameBySymmetry(const Real::Data& a, const Real::Data& b)
{
    using Kind = Real::Data::Kind;
    if (a.kind != Kind::Part || b.kind != Kind::Part || a.root.set != b.root.set || a.part != b.part)
        return false;
    const std::size_t realCount = a.root.set->realCount();
    const auto pair = [realCount](std::size_t i) { return i < realCount ? i : realCount + (i - realCount) / 2 * 2; };
    if (a.root.index == b.root.index)
        return a.negated == b.negated;
    if (a.root.index < realCount || pair(a.root.index) != pair(b.root.index))
        return false;
    // A conjugate pair: equal real parts, opposite imaginary parts.
    return a.part == Real::Part::Real ? a.negated == b.negated : a.negated != b.negated;
}

} // namespace

namespace {

// Narrowed as far as the precision asked lets it: relatively, or for a
// value at or about 0 (the real part of an imaginary root), absolutely.
bool narrow(const Arb& x, long precision)
{
    return arb_rel_accuracy_bits(x.get()) >= precision / 2 || mag_cmp_2exp_si(arb_radref(x.get()), -precision / 2) <= 0;
}

} // namespace

int Compare(const Real& a, const Real& b)
{
    if (sameBySymmetry(*a.data_, *b.data_))
        return 0;
    if (a.isRational() && b.isRational())
        return cmp(a.data_->num * b.data_->den, b.data_->num * a.data_->den);
    if (b.isRational() && b.sign() == 0)
        return a.sign();
    bool equalTested = false;
    // A rational and an algebraic number known to differ are told apart
    // however close they are: the loop then runs to the precision limit.
    bool knownUnequal = false;
    for (long precision = kStartPrecision; precision <= kPrecisionLimit; precision *= 2) {
        const Arb x = a.enclose(precision);
        const Arb y = b.enclose(precision);
        if (!arb_overlaps(x.get(), y.get()))
            return arb_lt(x.get(), y.get()) ? -1 : 1;
        if (!equalTested) {
            equalTested = true;
            // Equal only where both sides can be pinned to one rational.
            if (a.isRational() && b.equals(a.rational()))
                return 0;
            if (b.isRational() && a.equals(b.rational()))
                return 0;
            // (Only short rationals reach here: long ones are told apart above.)
            if (a.isSurd() && b.isSurd() && a.surdM() == b.surdM()
                && a.data_->num * b.data_->den == b.data_->num * a.data_->den
                && a.data_->sv * b.data_->den == b.data_->sv * a.data_->den)
                return 0;
            if (a.data_ == b.data_)
                return 0;
            knownUnequal = a.isRational() || b.isRational();
        }
        // Only enclosures as narrow as the precision asked: a long cubic's
        // root from Cardano's formula cancels hundreds of thousands of bits
        // before its enclosure narrows at all.
        if (precision >= kComparisonLimit && !knownUnequal && narrow(x, precision) && narrow(y, precision))
            break;
    }
    // Irrational values this close are the same algebraic number reached
    // two ways (two real parts of one conjugate pair, say).
    return 0;
}

std::optional<double> Real::nearestDouble() const
{
    if (isRational() && mpz_sizeinbase(data_->num.get_mpz_t(), 2) + mpz_sizeinbase(data_->den.get_mpz_t(), 2) < 4096) {
        mpfr_t y;
        mpfr_init2(y, 53);
        const mpfr_exp_t emin = mpfr_get_emin();
        const mpfr_exp_t emax = mpfr_get_emax();
        mpfr_set_emin(-1073);
        mpfr_set_emax(1024);
        int t = mpfr_set_q(y, rational().get_mpq_t(), MPFR_RNDN);
        t = mpfr_check_range(y, t, MPFR_RNDN);
        mpfr_subnormalize(y, t, MPFR_RNDN);
        std::optional<double> result;
        if (!mpfr_inf_p(y))
            result = mpfr_get_d(y, MPFR_RNDN);
        mpfr_set_emin(emin);
        mpfr_set_emax(emax);
        mpfr_clear(y);
        return result;
    }
    for (long precision = kStartPrecision; precision <= kPrecisionLimit; precision *= 2) {
        const Arb x = enclose(precision);
        arf_t lo;
        arf_t hi;
        arf_init(lo);
        arf_init(hi);
        arb_get_interval_arf(lo, hi, x.get(), ARF_PREC_EXACT);
        const double dlo = arf_get_d(lo, ARF_RND_NEAR);
        const double dhi = arf_get_d(hi, ARF_RND_NEAR);
        arf_clear(lo);
        arf_clear(hi);
        if (dlo == dhi) {
            if (std::isinf(dlo))
                return std::nullopt;
            return dlo;
        }
        // Adjacent doubles: the value may sit exactly on the half-way point.
        if (std::nextafter(dlo, std::numeric_limits<double>::infinity()) == dhi) {
            mpq_class middle;
            if (std::isinf(dhi) || std::isinf(dlo)) {
                // Between the largest double and infinity: 2^1024 − 2^970.
                mpz_class top;
                mpz_ui_pow_ui(top.get_mpz_t(), 2, 1024);
                mpz_class step;
                mpz_ui_pow_ui(step.get_mpz_t(), 2, 970);
                middle = mpq_class(top - step);
                if (std::isinf(dlo))
                    middle = -middle;
            } else {
                middle = (mpq_class(dlo) + mpq_class(dhi)) / 2;
            }
            if (equals(middle))
                return Real(middle).nearestDouble();
        }
    }
    const double middle = arf_get_d(arb_midref(enclose(kPrecisionLimit).get()), ARF_RND_NEAR);
    return std::isinf(middle) ? std::nullopt : std::optional<double>(middle);
}

RoundedDecimal Real::significant(int digits, Tie tie) const
{
    {
        const std::lock_guard lock(data_->roundingsLock);
        for (const Data::Rounding& r : data_->roundings) {
            if (r.digits == digits && r.tie == tie)
                return r.value;
        }
    }
    RoundedDecimal rounded = roundOnce(digits, tie);
    const std::lock_guard lock(data_->roundingsLock);
    data_->roundings.push_back({digits, tie, rounded});
    return rounded;
}

RoundedDecimal Real::roundOnce(int digits, Tie tie) const
{
    if (isRational() && mpz_sizeinbase(data_->num.get_mpz_t(), 2) + mpz_sizeinbase(data_->den.get_mpz_t(), 2) < 4096)
        return roundRational(rational(), digits, tie);
    const int s = sign();
    if (s == 0)
        return {};
    for (long precision = kStartPrecision; precision <= kPrecisionLimit; precision *= 2) {
        auto [lo, hi] = endsOf(enclose(precision));
        if (s < 0) {
            std::swap(lo, hi);
            lo = -lo;
            hi = -hi;
        }
        if (sgn(lo) <= 0)
            continue;
        RoundedDecimal a = roundExactly(lo, digits, tie);
        const RoundedDecimal b = roundExactly(hi, digits, tie);
        if (a == b) {
            a.negative = s < 0;
            return a;
        }
        const mpq_class boundary = boundaryAbove(lo, digits);
        if (boundary <= hi && boundaryAbove(boundary, digits) > hi && equals(s < 0 ? mpq_class(-boundary) : boundary))
            return roundRational(s < 0 ? mpq_class(-boundary) : boundary, digits, tie);
    }
    throw std::runtime_error("a rounding beyond the precision limit");
}

std::string Real::decimal20() const { return DecimalText(significant(20, Tie::ToEven)); }

namespace {

// n = 2^a·5^b·m with m free of 2 and 5, where b is large: the denominators
// of decimals. Found by one division by a power of 5, which costs a
// twentieth of converting a million-digit number to decimal.
std::optional<std::string> decimalPowerText(const mpz_class& n)
{
    constexpr unsigned long kFivesLimb = 7450580596923828125UL; // 5^27, the largest in a limb
    constexpr unsigned long kFewest = 27;
    const std::size_t bits = mpz_sizeinbase(n.get_mpz_t(), 2);
    if (n <= 0 || bits <= kLongTextBits)
        return std::nullopt;
    const unsigned long twos = mpz_scan1(n.get_mpz_t(), 0);
    mpz_class odd;
    mpz_fdiv_q_2exp(odd.get_mpz_t(), n.get_mpz_t(), twos);
    if (twos < kFewest || mpz_divisible_ui_p(odd.get_mpz_t(), kFivesLimb) == 0)
        return std::nullopt;
    // All but about 64 bits of the odd part, if it is a power of 5 times a short m.
    const double log2Of5 = std::log2(5.0);
    const auto oddBits = static_cast<double>(mpz_sizeinbase(odd.get_mpz_t(), 2));
    unsigned long fives = std::max(kFewest, static_cast<unsigned long>(std::floor((oddBits - 64) / log2Of5)));
    mpz_class power;
    mpz_ui_pow_ui(power.get_mpz_t(), 5, fives);
    if (mpz_divisible_p(odd.get_mpz_t(), power.get_mpz_t()) == 0)
        return std::nullopt;
    mpz_class m;
    mpz_divexact(m.get_mpz_t(), odd.get_mpz_t(), power.get_mpz_t());
    fives += mpz_remove(m.get_mpz_t(), m.get_mpz_t(), mpz_class(5).get_mpz_t());
    const unsigned long zeros = std::min(twos, fives);
    mpz_class rest;
    mpz_ui_pow_ui(rest.get_mpz_t(), 5, fives - zeros);
    rest *= m;
    mpz_mul_2exp(rest.get_mpz_t(), rest.get_mpz_t(), twos - zeros);
    std::string text = rest.get_str();
    text.append(zeros, '0');
    return text;
}

} // namespace

std::string IntegerText(const mpz_class& n)
{
    if (auto text = decimalPowerText(n))
        return std::move(*text);
    return n.get_str();
}

std::string RationalText(const mpq_class& value)
{
    std::string text = IntegerText(value.get_num());
    if (value.get_den() != 1)
        text += "/" + IntegerText(value.get_den());
    return text;
}

std::string DecimalText(const RoundedDecimal& r)
{
    if (r.digits.empty())
        return "0";
    std::string text = r.negative ? "-" : "";
    const long exponent = r.pointPosition - 1; // of the first digit
    const long count = static_cast<long>(r.digits.size());
    if (exponent >= -5 && exponent < 20) {
        if (exponent < 0) {
            text += "0.";
            text.append(static_cast<std::size_t>(-exponent - 1), '0');
            text += r.digits;
        } else if (exponent + 1 >= count) {
            text += r.digits;
            text.append(static_cast<std::size_t>(exponent + 1 - count), '0');
        } else {
            text += r.digits.substr(0, static_cast<std::size_t>(exponent + 1));
            text += '.';
            text += r.digits.substr(static_cast<std::size_t>(exponent + 1));
        }
        return text;
    }
    text += r.digits.substr(0, 1);
    if (count > 1)
        text += '.' + r.digits.substr(1);
    return text + 'e' + std::to_string(exponent);
}

mpq_class ValueOf(const RoundedDecimal& r)
{
    if (r.digits.empty())
        return 0;
    const mpq_class magnitude
        = mpq_class(mpz_class(r.digits)) * tenTo(r.pointPosition - static_cast<long>(r.digits.size()));
    return r.negative ? mpq_class(-magnitude) : magnitude;
}

} // namespace zembrel::engine
