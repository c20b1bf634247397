// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// How much a typed equation may ask for. Each bound keeps any text, up to a
// million characters, to an answer or an error within about a second.

#include <cstddef>

namespace zembrel::typed {

// Distinct unknowns in the whole text.
inline constexpr std::size_t kMaxUnknowns = 10;
// Every intermediate polynomial: degree in each unknown and total degree.
inline constexpr long kMaxDegree = 100;
// An exponent is a whole number from 0 to this.
inline constexpr long kMaxExponent = 100;
// Terms of any intermediate polynomial.
inline constexpr std::size_t kMaxTerms = 100'000;
// The written exponent of a number (1e100000), in magnitude.
inline constexpr long kMaxDecimalExponent = 100'000;
// The numerator and the denominator of every coefficient, in bits: a
// million-digit number with the largest exponent still fits.
inline constexpr std::size_t kMaxCoefficientBits = std::size_t{1} << 22;
// Parentheses and exponents within exponents, one inside the other.
inline constexpr std::size_t kMaxNesting = 200;
// The work the numbers and the expansions of one text may take, estimated
// before each operation, in units of about a nanosecond: what stays within
// the limits above but would still take long (a thousand products of
// polynomials of a thousand terms, ten thousand numbers of a hundred thousand
// digits) is refused. kWordWork is the unit's share of one operation
// on a word of a coefficient.
inline constexpr double kMaxWork = 5e8;
inline constexpr double kWordWork = 4;

} // namespace zembrel::typed
