// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// A formula as a Chinese mathematics teacher reads it aloud, for a screen
// reader's Chinese voice: "x₁ = (3 − √5)/2" is "x 一 等于 二分之 左括号 三减根号五 右括号".
// The words alone determine the formula: an operand that is more than one
// piece is spoken between 左括号 and 右括号, and every construct has words
// that open and close it (docs/spoken-mathematics.md has the conventions).
// The text holds Chinese words, Chinese punctuation and single letters set
// apart by spaces (x, a, D, i), so that a voice spells them as letters;
// never a digit or a mathematical sign.

#include "formula.h"

#include <cstddef>
#include <string>

namespace zembrel::present {

struct SpokenOptions {
    // Significant digits a decimal is spoken to (rounded half away from zero,
    // said with 约); 0 speaks every digit. The visual text keeps them all.
    std::size_t decimalDigits = 6;
    // A number with more digits before its point is spoken as its length and
    // first digits ("一个四百零一位数 开头是一二三四五六"), and no decimal is spoken
    // to more significant digits than this.
    std::size_t longestNumber = 30;
};

std::string Spoken(const engine::Formula& formula, const SpokenOptions& options = {});

// A whole number in digits as Chinese numerals: "123" → "一百二十三",
// "100010" → "十万零一十", "" and "0" → "零".
std::string ChineseNumeral(const std::string& digits);

// A decimal in digits ("1.41421356237310") rounded half away from zero to
// `significant` significant digits, trailing zeros after the point dropped
// ("1.41421"); unchanged when it has no more digits than that.
std::string RoundedDecimal(const std::string& digits, std::size_t significant);

} // namespace zembrel::present
