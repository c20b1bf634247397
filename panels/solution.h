// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// One panel's equation as its fields hold it, solved once: how each field
// was read, the kind of equation, the exact answer from the engine, and
// (made when first asked) the working. The panel's solve and check, the
// 解题详情 page and the driver's "analyse" all read this one object; each
// panel derives its own from it for what only its fields need.

#include "controls.h"
#include "equation.h"
#include "line.h"
#include "linear_system.h"
#include "once.h"
#include "textbook.h"
#include "window.h"
#include "working.h"

#include <gmpxx.h>

#include <cstddef>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace zembrel {

struct PanelDefinition;

// A coefficient as read from its field.
struct Reading {
    Field field;
    std::string text;
    mpq_class value;       // the number Val's rules read, exactly
    bool whole = true;     // the number is the whole text, blanks aside
    bool overflow = false; // Val raises error 6: beyond the double range
};

// The kinds of equation the panels tell apart.
enum class EquationKind {
    One,       // a·x + b = 0 with a ≠ 0
    Identity,  // every number solves it
    None,      // no number solves it
    TwoReal,   // a quadratic with Δ > 0
    Double,    // Δ = 0: a quadratic's double root, or a cubic's double and simple roots
    Complex,   // a quadratic with Δ < 0
    Linear,    // a quadratic panel whose a is 0 and whose b is not
    OneReal,   // a cubic with one real root
    Triple,    // x³ = 0
    ThreeReal, // a cubic with three distinct real roots
    Unique,    // a system with one solution
    Infinite,  // a system with infinitely many
};

// The exact values the driver's analysis names.
struct Facts {
    std::optional<mpq_class> discriminant;
    std::optional<mpq_class> vertexX;
    std::optional<mpq_class> vertexY;
    std::optional<mpq_class> sum;
    std::optional<mpq_class> product;
    std::optional<mpq_class> determinant;
};

// A system of the panel's equations, as the engine solves it.
struct PanelSystem {
    int mode = 3; // 2: X and Y only
    engine::LinearSystem equations;
    std::vector<std::size_t> rows; // which of the panel's equations take part
    std::vector<std::string> unknowns;
    std::vector<std::string> parameters; // the free parameters' names, in order
    engine::SystemSolution solution;
};

class PanelSolution {
public:
    PanelSolution() = default;
    PanelSolution(const PanelSolution&) = delete;
    PanelSolution& operator=(const PanelSolution&) = delete;
    virtual ~PanelSolution() = default;

    const PanelDefinition* panel = nullptr;
    std::vector<Reading> read;
    std::optional<std::size_t> overflow; // the first field Val raises error 6 on; nothing below is set then
    EquationKind kind = EquationKind::None;
    present::Line summary; // the kind in one sentence, as the 解题详情 page says it
    // An equation in x: the left side of ... = 0 as read, highest power
    // first, and its solution where it has a degree.
    std::vector<mpq_class> polynomial;
    std::shared_ptr<const engine::PolynomialEquation> equation;
    std::optional<PanelSystem> system;
    // How the panel writes a value's decimals on its page: as its fields do.
    engine::textbook::DecimalWriter decimal;

    // Takes the panel's readings and its decimals; false where a reading
    // overflows (`overflow` is then set and the solve stops there).
    bool begin(const PanelDefinition& definition, std::vector<Reading> readings, std::string_view pattern);

    const Reading& reading(Field field) const;
    const mpq_class& value(Field field) const { return reading(field).value; }

    virtual Facts facts() const { return {}; }
    // The working, made on first use.
    const engine::Working& working() const;

protected:
    virtual engine::Working makeWorking() const = 0;

private:
    mutable engine::Once worked_;
    mutable engine::Working working_;
};

using SolutionPtr = std::shared_ptr<const PanelSolution>;

// The panel's solution for the texts of its coefficient fields (in its
// reading order). One input gives one solution: the last one of each panel
// is kept, so the solve, the check and the page share it.
SolutionPtr SolutionFor(const PanelDefinition& panel, std::vector<std::string> texts);
SolutionPtr SolutionFor(const PanelDefinition& panel, const Window& window);

// Raises Val's error 6 where a coefficient field reads beyond the doubles,
// before the operation writes any field.
void RaiseOnOverflow(const PanelSolution& solution);

// Error 6 where an exact value lies beyond the largest double.
void RaiseBeyondDoubles(const engine::Real& value);

// A field's text for an exact value, rounded once: Format's 15 significant
// digits and the pattern's decimals, or Str's form; error 6 where the value
// lies beyond the largest double.
std::string FormatExact(const engine::Real& value, std::string_view pattern);
std::string StrExact(const engine::Real& value);

// The page's decimals for a panel whose fields use `pattern`.
engine::textbook::DecimalWriter DecimalsAs(std::string_view pattern);

// Whether every shown value, the nearest double of its exact value, lies
// within 1e-7 × the largest of the exact values' magnitudes of its exact
// value: the checks' verdict.
bool ShownValuesHold(std::span<const engine::Real> exact);

} // namespace zembrel
