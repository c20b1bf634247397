// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "budget.h"

#include "lexer.h"

#include <cmath>

namespace zembrel::typed {

double Budget::coefficientWork(std::size_t bits)
{
    const double words = 1.0 + static_cast<double>(bits) / 64;
    return kWordWork * words * (1 + std::log2(words));
}

void Budget::charge(double units, std::size_t at)
{
    if (units > left_)
        Fail(ErrorKind::TooLarge, at);
    left_ -= units;
}

} // namespace zembrel::typed
