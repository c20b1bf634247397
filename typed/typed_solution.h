// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// A typed text solved once, for everything that shows it: the driver's
// ["equation", TEXT] and the 输入方程 window read the same TypedSolution.
//
// How a text travels:
//   Read (typed_reader.h): the statements as typed and as exact polynomials
//   → what it is, or the error of what it cannot be:
//       one equation in at most one unknown           → PolynomialAnswer
//       equations of degree at most 1: two or more,
//       or one in two or more unknowns                → SystemAnswer
//       inequalities, all in one unknown or in none   → InequalityAnswer
//   → the answer decided exactly (engine/: FLINT factors, Arb encloses,
//     every sign and comparison is exact), the working a textbook writes,
//     and the doubles a graph draws.
// Each exact value carries its formula, its EXPR (engine/expr.h) where one
// can be written, and its DECIMAL: 20 significant digits, rounded once.

#include "typed_reader.h"

#include "formula.h"
#include "linear_system.h"
#include "polynomial.h"
#include "real.h"
#include "textbook.h"
#include "working.h"

#include <gmpxx.h>

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace zembrel::typed {

// Why the text cannot be solved as written, in Chinese, and the code-point
// index of the first character at fault (none where no one character is).
struct SolutionError {
    std::string message;
    std::optional<std::size_t> at;
};

// An exact value as the answer writes it.
struct Shown {
    engine::FormulaPtr exact;        // the textbook's form; nullptr where it has none
    std::optional<std::string> expr; // EXPR; none where it cannot be written or is too long
};

struct Root {
    engine::Complex value;
    int multiplicity = 1;
    Shown shown;
    std::string re; // DECIMAL
    std::string im;
};

enum class PolynomialKind {
    Roots,    // degree ≥ 1
    Identity, // 0 = 0: every number
    None,     // a nonzero constant = 0
};

// A point of a curve, to draw.
struct DrawnPoint {
    double x = 0;
    double y = 0;
};

// The turning points of y = p(x), each told exactly whether it is a
// maximum, a minimum or neither. Found the first time they are asked for
// and kept, copies sharing them: finding them costs as much again as the
// roots, and only a graph asks.
class TurningPoints {
public:
    TurningPoints() = default; // none
    explicit TurningPoints(const std::vector<mpq_class>& highestFirst);
    const std::vector<engine::CriticalPoint>& exact() const;
    const std::vector<DrawnPoint>& drawn() const; // ±infinity beyond the doubles

private:
    struct Found;
    const Found* found() const;
    std::shared_ptr<Found> found_;
};

struct PolynomialAnswer {
    char unknown = 'x'; // x where the text has none
    int degree = 0;
    std::vector<mpq_class> coefficients; // left − right, highest power first; {0} for 0
    PolynomialKind kind = PolynomialKind::Identity;
    std::vector<Root> roots; // distinct, in the order of engine::Roots
    TurningPoints turningPoints;
};

struct SystemAnswer {
    std::vector<char> unknowns; // in the order of first appearance
    engine::SystemKind kind = engine::SystemKind::None;
    std::size_t rank = 0;
    // a₁x₁ + … + aₙxₙ = b, one row each (engine::LinearSystem's rows).
    std::vector<std::vector<mpq_class>> equations;
    struct Value {
        mpq_class exact;
        std::string decimal;
    };
    std::vector<Value> solution;             // Unique: one per unknown
    std::vector<char> parameters;            // Infinite: the names of the free parameters
    std::vector<engine::FormulaPtr> general; // Infinite: one per unknown, in the parameters
    std::vector<std::string> generalExpr;    // their EXPR, never cut short
};

// Left − right against 0.
struct InequalityPart {
    Relation relation = Relation::Less; // never Equal
    std::vector<mpq_class> coefficients;
};

struct End {
    engine::Real value;
    Shown shown;
    std::string decimal; // DECIMAL
};

// Nothing for an infinite end, which is open.
struct Interval {
    std::optional<End> from;
    std::optional<End> to;
    bool closedFrom = false;
    bool closedTo = false;
};

struct InequalityAnswer {
    char unknown = 'x';
    std::vector<InequalityPart> parts; // in the order typed
    std::vector<Interval> intervals;   // disjoint, ascending, no two that would merge
};

// A solution set as a textbook writes it, each end exact or in its DECIMAL
// digits: "x < 1 或 x > 2", "−1 ≤ x < 3", "x = 1" (not for every number
// nor for none); and "(−∞, 1) ∪ (2, +∞)", ∅ for none.
engine::FormulaPtr SolutionRelations(const std::vector<Interval>& intervals, char unknown);
engine::FormulaPtr SolutionIntervals(const std::vector<Interval>& intervals);

// A value as the 输入方程 page writes its digits: rounded once to 15
// significant digits, halves away from zero, as the main window's fields.
engine::textbook::ShownDecimal PageDecimal(const engine::Real& value);

// What a graph draws, in doubles (±infinity beyond their range).
struct Graph {
    // a·x + b·y = c
    struct Line {
        double a = 0;
        double b = 0;
        double c = 0;
    };
    struct Band {
        std::optional<double> from; // none: −∞
        std::optional<double> to;   // none: +∞
        bool closedFrom = false;
        bool closedTo = false;
    };
    std::vector<double> coefficients; // the polynomial, highest power first
    std::vector<double> realRoots;
    TurningPoints turningPoints; // the polynomial's, shared with its answer
    std::vector<Line> lines;     // a system in two unknowns
    std::vector<Band> bands;     // an inequality's solution
};

using Answer = std::variant<SolutionError, PolynomialAnswer, SystemAnswer, InequalityAnswer>;

struct TypedSolution {
    Answer answer;
    engine::Working working; // empty for an error
    Graph graph;
};

TypedSolution SolveTyped(std::string_view text);

// The parameters of a general solution: the first letters of t, s, r, u,
// v, p, q, … that are not unknowns of the system.
std::vector<char> ParameterNames(const std::vector<char>& unknowns, std::size_t count);

} // namespace zembrel::typed
