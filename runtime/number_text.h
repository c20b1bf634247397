// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Where Val's number begins and ends in a text. Val and the exact reader both
// scan with this, so they cannot disagree on which characters make the number.

#include <cstddef>
#include <string>
#include <string_view>

namespace zembrel {

// Exponents are counted up to this and no further: any larger one puts a
// number out of the double range either way (or leaves zero zero).
inline constexpr long long kExponentLimit = 1'000'000'000LL;

// The longest leading number, blanks skipped, in plain characters that
// std::from_chars understands ("-12.5e3").
struct NumberText {
    std::string text;
    bool hasDigits = false;
    long long magnitude = 0; // decimal exponent of the leading significant digit
    long long exponent = 0;  // the E part, saturated at ±kExponentLimit
    std::size_t end = 0;     // where the number ends in the input; 0 without digits
};

NumberText ScanNumber(std::string_view input);

bool IsBlank(char c); // Val skips blanks and tabs wherever they stand

} // namespace zembrel
