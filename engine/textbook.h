// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The working a textbook writes for the equations it has a method for: the
// linear equation, the quadratic by its discriminant and formula, the
// incomplete cubic by Cardano's formula or the cosine form, and linear
// systems by Cramer's rule or elimination. Steps of reasons and formulas,
// built from the exact answers; no words.

#include "equation.h"
#include "formula.h"
#include "linear_system.h"
#include "real.h"
#include "working.h"

#include <gmpxx.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace zembrel::engine::textbook {

// A value's digits as the caller shows them, and whether those digits are
// the value itself.
struct ShownDecimal {
    FormulaPtr formula;
    bool exact = false;
};
using DecimalWriter = std::function<ShownDecimal(const Real&)>;

// x, or x₁, x₂… where there are several roots.
FormulaPtr RootName(const std::string& unknown, std::size_t index, std::size_t count);

// A root's line from the name `next` on, one name for each time it counts
// (x₁ = x₂ = 1 + √2 ≈ 2.41421356237310); `next` moves past its names.
// Beyond this multiplicity only the first name is written.
inline constexpr int kNamedMultiplicity = 3;
FormulaPtr RootLine(const std::string& unknown, std::size_t& next, std::size_t count, const Complex& value,
                    int multiplicity, const FormulaPtr& exact, const DecimalWriter& decimal);

// One line a root: "x₁ = x₂ = 7/20 = 0.35", "x = (3 − √5)/2 ≈ 0.381966011250105",
// "x ≈ 1.16730397826142"; a complex root's decimals as re ± im·i.
std::vector<FormulaPtr> RootLines(const PolynomialEquation& equation, const std::string& unknown,
                                  const DecimalWriter& decimal);
// The decimal of a complex value: re, im·i or re ± im·i.
ShownDecimal ComplexDecimal(const Complex& value, const DecimalWriter& decimal);

// a·x + b = 0, with its coefficients as read.
Working Linear(const mpq_class& a, const mpq_class& b, const PolynomialEquation* equation,
               const DecimalWriter& decimal);

// a·x² + b·x + c = 0, a ≠ 0.
Working Quadratic(const mpq_class& a, const mpq_class& b, const mpq_class& c, const PolynomialEquation& equation,
                  const DecimalWriter& decimal);

// x³ + p·x + q = 0.
Working DepressedCubic(const mpq_class& p, const mpq_class& q, const PolynomialEquation& equation,
                       const DecimalWriter& decimal);

// A linear system with its unknowns' names: Cramer's rule where it is square
// with a determinant that is not 0, elimination otherwise; then the
// solution, the general solution in `parameters`, or the contradiction.
Working LinearSystemWorking(const LinearSystem& system, const std::vector<std::string>& unknowns,
                            const SystemSolution& solution, const std::vector<std::string>& parameters,
                            const DecimalWriter& decimal);

// The system's equations as a textbook writes them: a₁x + b₁y = c₁.
FormulaPtr SystemFormula(const LinearSystem& system, const std::vector<std::string>& unknowns);
// An unknown of a general solution in its parameters: "1 − 2t + s".
FormulaPtr AffineFormula(const Affine& value, const std::vector<std::string>& parameters);

} // namespace zembrel::engine::textbook
