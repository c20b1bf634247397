// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "rounding.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string>

namespace zembrel::exact {

namespace {

constexpr int kDecimalDigits = 20;
// 2^17 bits: every enclosure at this precision takes milliseconds, and only
// roots closer than 10^-39000 of each other need more.
constexpr mpfr_prec_t kPrecisionLimit = mpfr_prec_t{1} << 17;

// MPFR emulates a double when its exponents are limited to the double's
// range: the smallest subnormal is 0.5 × 2^-1073, the largest finite value
// below 2^1024.
class DoubleRange {
public:
    DoubleRange() : emin_(mpfr_get_emin()), emax_(mpfr_get_emax())
    {
        mpfr_set_emin(-1073);
        mpfr_set_emax(1024);
    }
    ~DoubleRange()
    {
        mpfr_set_emin(emin_);
        mpfr_set_emax(emax_);
    }
    DoubleRange(const DoubleRange&) = delete;
    DoubleRange& operator=(const DoubleRange&) = delete;

private:
    mpfr_exp_t emin_;
    mpfr_exp_t emax_;
};

// y holds a value rounded to 53 bits with ternary t in the wide range; the
// subnormal rounding takes t into account, so nothing is rounded twice.
std::optional<double> finishDouble(mpfr_t y, int t)
{
    const DoubleRange range;
    t = mpfr_check_range(y, t, MPFR_RNDN);
    mpfr_subnormalize(y, t, MPFR_RNDN);
    if (mpfr_inf_p(y))
        return std::nullopt;
    return mpfr_get_d(y, MPFR_RNDN);
}

std::optional<double> nearestDouble(mpfr_srcptr x)
{
    mpfr_t y;
    mpfr_init2(y, 53);
    const int t = mpfr_set(y, x, MPFR_RNDN);
    const std::optional<double> result = finishDouble(y, t);
    mpfr_clear(y);
    return result;
}

// digits: the significant digits; exponent: of the first one.
std::string decimalForm(bool negative, std::string digits, long exponent)
{
    const auto last = digits.find_last_not_of('0');
    digits.erase(last == std::string::npos ? 1 : last + 1);
    std::string text = negative ? "-" : "";
    const long count = static_cast<long>(digits.size());
    if (exponent >= -5 && exponent < kDecimalDigits) {
        if (exponent < 0) {
            text += "0.";
            text.append(static_cast<std::size_t>(-exponent - 1), '0');
            text += digits;
        } else if (exponent + 1 >= count) {
            text += digits;
            text.append(static_cast<std::size_t>(exponent + 1 - count), '0');
        } else {
            text += digits.substr(0, static_cast<std::size_t>(exponent + 1));
            text += '.';
            text += digits.substr(static_cast<std::size_t>(exponent + 1));
        }
        return text;
    }
    text += digits.substr(0, 1);
    if (count > 1)
        text += '.' + digits.substr(1);
    return text + 'e' + std::to_string(exponent);
}

std::string decimalOf(mpfr_srcptr x)
{
    if (mpfr_zero_p(x))
        return "0";
    mpfr_exp_t exponent = 0;
    char* digits = mpfr_get_str(nullptr, &exponent, 10, kDecimalDigits, x, MPFR_RNDN);
    const bool negative = digits[0] == '-';
    std::string text = decimalForm(negative, digits + (negative ? 1 : 0), static_cast<long>(exponent) - 1);
    mpfr_free_str(digits);
    return text;
}

} // namespace

std::optional<double> NearestDouble(const mpq_class& value)
{
    mpfr_t y;
    mpfr_init2(y, 53);
    const int t = mpfr_set_q(y, value.get_mpq_t(), MPFR_RNDN);
    const std::optional<double> result = finishDouble(y, t);
    mpfr_clear(y);
    return result;
}

std::string RationalText(const mpq_class& value) { return value.get_str(10); }

std::string DecimalText(const mpq_class& value)
{
    if (value == 0)
        return "0";
    const mpz_class& num = value.get_num();
    const mpz_class& den = value.get_den();
    const mpz_class absNum = abs(num);
    // floor(log10 |value|), to within one or two, from the sizes in bits.
    const double bits = static_cast<double>(mpz_sizeinbase(absNum.get_mpz_t(), 2))
                        - static_cast<double>(mpz_sizeinbase(den.get_mpz_t(), 2));
    long exponent = static_cast<long>(std::floor(bits * 0.30102999566398120));
    mpz_class low, high;
    mpz_ui_pow_ui(low.get_mpz_t(), 10, kDecimalDigits - 1);
    high = low * 10;
    for (;;) {
        // scaled = |value| × 10^(19 − exponent), as a quotient and remainder.
        const long shift = kDecimalDigits - 1 - exponent;
        mpz_class power;
        mpz_ui_pow_ui(power.get_mpz_t(), 10, static_cast<unsigned long>(shift < 0 ? -shift : shift));
        mpz_class top = absNum, bottom = den;
        if (shift >= 0)
            top *= power;
        else
            bottom *= power;
        mpz_class quotient, remainder;
        mpz_fdiv_qr(quotient.get_mpz_t(), remainder.get_mpz_t(), top.get_mpz_t(), bottom.get_mpz_t());
        if (quotient >= high) {
            ++exponent;
            continue;
        }
        if (quotient < low) {
            --exponent;
            continue;
        }
        const int half = cmp(2 * remainder, bottom);
        if (half > 0 || (half == 0 && mpz_odd_p(quotient.get_mpz_t())))
            ++quotient;
        if (quotient == high) {
            quotient = low;
            ++exponent;
        }
        return decimalForm(num < 0, quotient.get_str(), exponent);
    }
}

Interval::Interval(mpfr_prec_t precision)
{
    mpfr_init2(lo_, precision);
    mpfr_init2(hi_, precision);
    mpfr_set_zero(lo_, 1);
    mpfr_set_zero(hi_, 1);
}

Interval::Interval(const Interval& other) : Interval(other.precision())
{
    mpfr_set(lo_, other.lo_, MPFR_RNDD);
    mpfr_set(hi_, other.hi_, MPFR_RNDU);
}

Interval& Interval::operator=(const Interval& other)
{
    if (this != &other) {
        mpfr_set_prec(lo_, other.precision());
        mpfr_set_prec(hi_, other.precision());
        mpfr_set(lo_, other.lo_, MPFR_RNDD);
        mpfr_set(hi_, other.hi_, MPFR_RNDU);
    }
    return *this;
}

Interval::~Interval()
{
    mpfr_clear(lo_);
    mpfr_clear(hi_);
}

Interval Interval::Of(const mpq_class& value, mpfr_prec_t precision)
{
    Interval r(precision);
    mpfr_set_q(r.lo_, value.get_mpq_t(), MPFR_RNDD);
    mpfr_set_q(r.hi_, value.get_mpq_t(), MPFR_RNDU);
    return r;
}

Interval Interval::Sqrt(const mpz_class& n, mpfr_prec_t precision)
{
    Interval r(precision);
    mpfr_set_z(r.lo_, n.get_mpz_t(), MPFR_RNDD);
    mpfr_sqrt(r.lo_, r.lo_, MPFR_RNDD);
    mpfr_set_z(r.hi_, n.get_mpz_t(), MPFR_RNDU);
    mpfr_sqrt(r.hi_, r.hi_, MPFR_RNDU);
    return r;
}

Interval Interval::Between(mpfr_srcptr lo, mpfr_srcptr hi, mpfr_prec_t precision)
{
    Interval r(precision);
    mpfr_set(r.lo_, lo, MPFR_RNDD);
    mpfr_set(r.hi_, hi, MPFR_RNDU);
    return r;
}

Interval Interval::operator+(const Interval& other) const
{
    Interval r(precision());
    mpfr_add(r.lo_, lo_, other.lo_, MPFR_RNDD);
    mpfr_add(r.hi_, hi_, other.hi_, MPFR_RNDU);
    return r;
}

Interval Interval::operator-(const Interval& other) const
{
    Interval r(precision());
    mpfr_sub(r.lo_, lo_, other.hi_, MPFR_RNDD);
    mpfr_sub(r.hi_, hi_, other.lo_, MPFR_RNDU);
    return r;
}

Interval Interval::operator-() const
{
    Interval r(precision());
    mpfr_neg(r.lo_, hi_, MPFR_RNDD);
    mpfr_neg(r.hi_, lo_, MPFR_RNDU);
    return r;
}

namespace {

using Operation = int (*)(mpfr_ptr, mpfr_srcptr, mpfr_srcptr, mpfr_rnd_t);

// The smallest and largest of op over the four pairs of ends.
void combine(Operation op, mpfr_srcptr a0, mpfr_srcptr a1, mpfr_srcptr b0, mpfr_srcptr b1, mpfr_ptr lo, mpfr_ptr hi)
{
    const std::array<std::array<mpfr_srcptr, 2>, 4> pairs{{{a0, b0}, {a0, b1}, {a1, b0}, {a1, b1}}};
    mpfr_t t;
    mpfr_init2(t, mpfr_get_prec(lo));
    bool first = true;
    for (const auto& [x, y] : pairs) {
        op(t, x, y, MPFR_RNDD);
        if (first || mpfr_less_p(t, lo))
            mpfr_set(lo, t, MPFR_RNDD);
        op(t, x, y, MPFR_RNDU);
        if (first || mpfr_greater_p(t, hi))
            mpfr_set(hi, t, MPFR_RNDU);
        first = false;
    }
    mpfr_clear(t);
}

} // namespace

Interval Interval::operator*(const Interval& other) const
{
    Interval r(precision());
    combine(mpfr_mul, lo_, hi_, other.lo_, other.hi_, r.lo_, r.hi_);
    return r;
}

Interval Interval::operator/(const Interval& other) const
{
    Interval r(precision());
    combine(mpfr_div, lo_, hi_, other.lo_, other.hi_, r.lo_, r.hi_);
    return r;
}

Interval Interval::sqrt() const
{
    Interval r(precision());
    if (mpfr_sgn(lo_) > 0)
        mpfr_sqrt(r.lo_, lo_, MPFR_RNDD);
    if (mpfr_sgn(hi_) > 0)
        mpfr_sqrt(r.hi_, hi_, MPFR_RNDU);
    return r;
}

Rounded RoundEnclosed(const Enclosure& enclose)
{
    Rounded best;
    best.decided = false;
    // 128 bits first: 20 digits need 67, and the enclosures give up a few.
    for (mpfr_prec_t precision = 128; precision <= kPrecisionLimit; precision *= 2) {
        const std::optional<Interval> interval = enclose(precision);
        if (!interval)
            continue;
        const std::string lowDecimal = decimalOf(interval->lo());
        const std::optional<double> lowDouble = nearestDouble(interval->lo());
        best = {lowDecimal, lowDouble, false};
        if (lowDecimal == decimalOf(interval->hi()) && lowDouble == nearestDouble(interval->hi())) {
            best.decided = true;
            return best;
        }
    }
    return best;
}

Rounded RoundRational(const mpq_class& value) { return {DecimalText(value), NearestDouble(value), true}; }

} // namespace zembrel::exact
