// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// A formula as plain Unicode text, the way a textbook writes it on one line:
// "x₁ = (3 − √5)/2", "Δ = b² − 4ac = (−3)² − 4 × 1 × 1 = 5". What is copied
// and what a screen reader can read character by character.

#include "formula.h"

#include <string>

namespace zembrel::present {

struct PlainOptions {
    // Numbers longer than this many digits show their first digits and "…".
    std::size_t longestNumber = 400;
};

std::string PlainText(const engine::Formula& formula, const PlainOptions& options = {});

// Digits as subscripts and superscripts: "₁₂", "⁻¹¹".
std::string Subscript(const std::string& digits);
std::string Superscript(const std::string& digits);

} // namespace zembrel::present
