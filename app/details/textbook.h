// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// How the 解题详情 window writes numbers and formulas: as a textbook does,
// in plain Unicode for copying and screen readers, and as rich text for its
// labels. Nothing here computes a root; it only writes what the exact
// analysis gives.

#include "analysis.h"

#include <QString>

#include <span>
#include <string>

namespace zembrel::textbook {

// A coefficient as read: its sign apart, its digits exact where they are few
// ("2.8", "1 × 10³⁰⁰"), else the first fifteen and "…".
struct Number {
    bool negative = false;
    bool zero = false;
    bool one = false; // |value| = 1: a textbook writes x, not 1x
    QString magnitude;
};
Number numberOf(const mpq_class& value);

// One term of a sum: a coefficient and its variable ("x²", "Y", "" for a constant).
struct Term {
    Number coefficient;
    QString variable;
    bool keptWhenZero = false; // the leading coefficient shows a typed 0
};
// "4x² − 2.8x + 0.49"; "0" when every term is dropped.
QString sumOf(std::span<const Term> terms);

// A DECIMAL of the analysis (20 significant digits) to 15 significant digits,
// with "−" and "× 10⁻¹¹": "2.61803398874989".
QString decimal15(const std::string& decimal);
// Whether the decimal is the value itself, not a rounding of it.
bool decimalIsWhole(const std::string& decimal, const QString& exactForm);

QString superscript(int exponent);
// The nearest double of an exact value, for drawing.
double nearestDouble(const mpq_class& value);

// Plain Unicode text as rich text: escaped, square roots under a bar,
// single-letter variables in italics.
QString rich(const QString& text);

// A text of any length shortened to at most `limit` characters, "…" at the cut.
QString shortened(const QString& text, qsizetype limit);

} // namespace zembrel::textbook
