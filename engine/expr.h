// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// A formula in the driver protocol's EXPR form: integers, + - * /,
// parentheses, sqrt(N) for a whole N > 1, I for the imaginary unit, and the
// letters of parameters ("3/2 + sqrt(5)/2", "-1/4 - sqrt(7)/4*I").

#include "formula.h"

#include <optional>
#include <string>

namespace zembrel::engine {

// None where the formula holds what EXPR cannot write (a cube root, a
// cosine, ±) or where the text would be longer than `limit` characters.
std::optional<std::string> ExprText(const Formula& formula, std::size_t limit = 1000);

} // namespace zembrel::engine
