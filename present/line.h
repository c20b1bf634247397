// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// A line of a page: Chinese words with formulas among them ("由求根公式
// x = (−b ± √Δ)/(2a)，得"). Each line has its printed, spoken and LaTeX
// forms, made from the same pieces.

#include "formula.h"
#include "working.h"

#include <string>
#include <variant>
#include <vector>

namespace zembrel::present {

using Piece = std::variant<std::string, engine::FormulaPtr>;

struct Line {
    std::vector<Piece> pieces;

    Line() = default;
    explicit Line(std::string text) { pieces.emplace_back(std::move(text)); }
    explicit Line(engine::FormulaPtr formula) { pieces.emplace_back(std::move(formula)); }
    Line& operator+=(Piece piece);
    Line& operator+=(const Line& other);
    bool empty() const { return pieces.empty(); }
};

Line operator+(Line line, Piece piece);
Line operator+(Line line, const Line& other);

// As printed on one line, for copying; as spoken, for a screen reader (no
// symbol, formulas in Mandarin words); as LaTeX, words in \text{}.
std::string PlainLine(const Line& line);
std::string SpokenLine(const Line& line);
std::string LatexLine(const Line& line);

// A step of the working as a line: its reason's sentence, its formulas in place.
Line StepLine(const engine::Step& step);

} // namespace zembrel::present
