// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>
#include <string_view>

namespace zembrel {

// Text to number. Blanks and tabs anywhere are skipped, then the longest
// leading number is read: an optional sign, digits with at most one ".", and
// an optional exponent "E" (or "e") with an optional sign and digits. The
// point is "." whatever the locale. Text without a leading number gives 0,
// trailing text is ignored. A number beyond the double range raises error 6.
double Val(std::string_view text);

// A value rounded to at most 15 significant digits, halves away from zero:
// |value| = 0.d₁d₂…dₙ × 10^pointPosition, no trailing zero digit. What Format
// and Str write, whatever the value came from: a double, or an exact root
// rounded once (the exact engine makes these for exact values).
struct SignificantDigits {
    bool negative = false; // −0 is not negative
    std::string digits;    // empty for zero
    int pointPosition = 0;
};
SignificantDigits Significant(double value);

// Number to text under a pattern "0." followed by N "#" signs. The value is
// rounded to 15 significant digits, then to at most N decimals, halves away
// from zero at both steps. At least one digit stands before the point,
// trailing zero decimals are dropped but the point stays ("2."), and there is
// never an exponent. Any other pattern is a programming error
// (std::invalid_argument).
std::string Format(double value, std::string_view pattern);
std::string Format(const SignificantDigits& value, std::string_view pattern);

// The patterns the panels write their results with.
inline constexpr std::string_view kEighteenDecimals = "0.##################"; // linear and cubic
inline constexpr std::string_view kSixteenDecimals = "0.################";    // quadratic
inline constexpr std::string_view kTwelveDecimals = "0.############";         // system

// Number to text for display in a sentence: a leading blank for values of
// zero and above, "-" for negative ones, at most 15 significant digits, no
// trailing zeros and no point for whole numbers (" 2", "-0.5"). Magnitudes
// from 1E+15 up and below 1E-05 use the exponent form (" 1.5E+20").
std::string Str(double value);
std::string Str(const SignificantDigits& value);

} // namespace zembrel
