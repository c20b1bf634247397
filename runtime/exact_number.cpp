// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "exact_number.h"

#include "number_text.h"

#include <mpfr.h>

#include <algorithm>
#include <string>

namespace zembrel {

namespace {

bool blankFrom(std::string_view text, std::size_t from)
{
    return std::all_of(text.begin() + static_cast<std::ptrdiff_t>(std::min(from, text.size())), text.end(), IsBlank);
}

// The largest decimal magnitude a double reaches: 1.79e308.
constexpr long long kLargestMagnitude = 308;

// Whether the value rounds to a finite double (ties to even, as Val rounds).
bool roundsToDouble(const mpq_class& value)
{
    mpfr_t y;
    mpfr_init2(y, 53);
    const mpfr_exp_t emax = mpfr_get_emax();
    mpfr_set_emax(1024);
    const int t = mpfr_set_q(y, value.get_mpq_t(), MPFR_RNDN);
    mpfr_check_range(y, t, MPFR_RNDN);
    const bool finite = mpfr_inf_p(y) == 0;
    mpfr_set_emax(emax);
    mpfr_clear(y);
    return finite;
}

} // namespace

ExactNumber ReadExact(std::string_view text)
{
    const NumberText number = ScanNumber(text);
    ExactNumber result;
    result.whole = blankFrom(text, number.hasDigits ? number.end : 0);
    if (!number.hasDigits)
        return result;

    // number.text is "-12.5e3": sign, digits with at most one point, exponent.
    const std::string_view scanned = number.text;
    const bool negative = scanned.front() == '-';
    const std::string_view mantissa = scanned.substr(negative ? 1 : 0, scanned.find('e') - (negative ? 1 : 0));
    std::string digits;
    digits.reserve(mantissa.size());
    long long fractionDigits = 0;
    bool afterPoint = false;
    for (const char c : mantissa) {
        if (c == '.') {
            afterPoint = true;
            continue;
        }
        digits += c;
        if (afterPoint)
            ++fractionDigits;
    }
    const auto first = digits.find_first_not_of('0');
    if (first == std::string::npos)
        return result; // zero, whatever its exponent
    const auto last = digits.find_last_not_of('0');
    const long long trailingZeros = static_cast<long long>(digits.size() - 1 - last);
    digits = digits.substr(first, last + 1 - first);

    // Beyond the doubles: Val's error 6. The value is still told, as far as
    // a field's own digits could write it out.
    if (number.magnitude > kLargestMagnitude) {
        result.overflow = true;
        if (number.magnitude > kFlushMagnitude)
            return result;
    }
    if (number.magnitude < -kFlushMagnitude) {
        result.flushed = true;
        return result;
    }
    // |value| = digits × 10^scale, and |scale| stays within a few million here.
    const long long scale = number.exponent - fractionDigits + trailingZeros;
    mpz_class integer(digits, 10);
    mpz_class power;
    mpz_ui_pow_ui(power.get_mpz_t(), 10, static_cast<unsigned long>(scale < 0 ? -scale : scale));
    if (scale >= 0) {
        result.value = integer * power;
    } else {
        // Lowest terms without a gcd of million-digit numbers: the digits end
        // in no 0, so 2 or 5 (not both) is all that 10^-scale can share with them.
        const unsigned long places = static_cast<unsigned long>(-scale);
        const mp_bitcnt_t twos = std::min<mp_bitcnt_t>(mpz_scan1(integer.get_mpz_t(), 0), places);
        mpz_class shared = 1;
        if (mpz_divisible_ui_p(integer.get_mpz_t(), 5)) {
            mpz_class rest;
            const mpz_class five = 5;
            const unsigned long count = mpz_remove(rest.get_mpz_t(), integer.get_mpz_t(), five.get_mpz_t());
            mpz_pow_ui(shared.get_mpz_t(), five.get_mpz_t(), std::min<unsigned long>(count, places));
        }
        integer >>= twos;
        mpz_divexact(integer.get_mpz_t(), integer.get_mpz_t(), shared.get_mpz_t());
        mpz_divexact(power.get_mpz_t(), power.get_mpz_t(), shared.get_mpz_t());
        power >>= twos;
        result.value.get_num() = integer;
        result.value.get_den() = power;
    }
    if (negative)
        result.value = -result.value;
    if (number.magnitude == kLargestMagnitude && !roundsToDouble(result.value))
        result.overflow = true;
    return result;
}

} // namespace zembrel
