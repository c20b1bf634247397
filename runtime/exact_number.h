// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// A field's text read as the exact rational number Val's rules find in it:
// what the exact engine takes as the coefficient the user typed.

#include <gmpxx.h>

#include <string_view>

namespace zembrel {

// Numbers smaller than 10^-kFlushMagnitude in magnitude are read as 0, as Val
// reads them. Only an E exponent reaches below what a field's own digits can
// write (a million characters: "0.000…1"), and holding 10^-1000000000 exactly
// would take a gigabyte and minutes; every such number is far below the
// smallest double, which is why Val gives 0 for it too.
inline constexpr long long kFlushMagnitude = 1'000'000;

struct ExactNumber {
    mpq_class value;
    bool whole = true; // the number is the whole text, blanks aside
    // Val raises error 6: the value rounds beyond the largest double. The
    // value is then 0 only past 10^kFlushMagnitude.
    bool overflow = false;
    bool flushed = false; // not zero, but below 10^-kFlushMagnitude: read as 0
};

ExactNumber ReadExact(std::string_view text);

} // namespace zembrel
