// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The work left for reading one text (see kMaxWork), charged by every
// operation on numbers before it is done. Internal to the reader.

#include "typed_limits.h"

#include <cstddef>

namespace zembrel::typed {

class Budget {
public:
    // The work of one operation on coefficients of `bits` bits: a product,
    // or the greatest common divisor that keeps a fraction in lowest terms,
    // about w·log₂ w in words w as GMP does them.
    static double coefficientWork(std::size_t bits);

    // TooLarge at `at` when the work left does not cover `units`.
    void charge(double units, std::size_t at);

private:
    double left_ = kMaxWork;
};

} // namespace zembrel::typed
