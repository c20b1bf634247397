// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Inside SolveTyped: the statements as formulas, the moves that bring a
// statement to "polynomial = 0", and the three solvers, each given a
// Reading already classified. Internal to the typed solution.

#include "typed_solution.h"

#include <cstddef>
#include <exception>
#include <string>
#include <utility>
#include <vector>

namespace zembrel::typed::solving {

// ---- formulas (formulas.cpp) ---------------------------------------------------

engine::FormulaPtr Letter(char unknown);
engine::Relation EngineRelation(Relation relation);

// A side as typed: its numbers with their digits ("2.50", "1e-3"), its
// products and divisions in the order written, sums inside sums kept, so
// that every bracket a printer needs is where the student put it.
engine::FormulaPtr AsWritten(const Expr& expr, const std::vector<char>& unknowns);
engine::FormulaPtr AsWritten(const Statement& statement, const std::vector<char>& unknowns);

// Terms of a polynomial in a Reading's unknowns, in the order given:
// "x² − 3x + 2", "2x + 3y − 1"; 0 for none.
engine::FormulaPtr TermsFormula(const std::vector<Polynomial::Term>& terms, const std::vector<char>& unknowns);
// A polynomial in one unknown, highest power first.
engine::FormulaPtr PolynomialOf(const std::vector<mpq_class>& highestFirst, char unknown);

// A DECIMAL as digits: "1.4142135623730950488", "−1.5 × 10⁻¹¹".
engine::FormulaPtr Digits(const std::string& decimal);
// name = exact form, or name ≈ its DECIMALs where it has none.
engine::FormulaPtr Naming(engine::FormulaPtr name, const engine::FormulaPtr& exact, const std::string& re,
                          const std::string& im);
// The exact form, or the DECIMAL where there is none.
engine::FormulaPtr ExactOrDigits(const engine::FormulaPtr& exact, const std::string& decimal);

Shown ShownOf(engine::FormulaPtr exact);
bool SameFormula(const engine::Formula& a, const engine::Formula& b);
double Drawn(const engine::Real& value);

// ---- moves (moves.cpp) ---------------------------------------------------------

// The statement brought to "left − right relation 0", as a textbook does:
// 移项 where the right side is not 0, 去括号 where there are brackets,
// 合并同类项 where terms are still to be collected. Each step only where
// it changes what is written.
void AddMoves(const Statement& statement, const std::vector<char>& unknowns, engine::Working& working);

// ---- what the engine can find in time (root_spread.cpp) -------------------------

// How far apart the sizes of the polynomial's roots lie, in bits, times
// its degree: what finding them numerically costs.
double RootSpread(const engine::FmpzPoly& p);
inline constexpr double kMaxRootSpread = 4000;
// How many bits the closest roots share, twice (0 where too few to matter).
double ClusterBits(const engine::FmpzPoly& p);
inline constexpr double kMaxClusterBits = 1800;

// Factors of degree 4 or more with longer coefficients (about 1000 digits)
// are not taken: their roots, and rounding parts of them that nearly
// cancel, take Arb seconds to minutes.
inline constexpr long kMaxIteratedBits = 3400;

// A polynomial of degree 4 or more whose coefficients, cleared of their
// denominators, hold more bits than this together is not taken: splitting
// it into its squarefree factors is a gcd of integers that long, a second
// at this size (measured at degree 13 and at degree 99), and what is left
// of degree 4 or more would be refused above anyway.
inline constexpr double kMaxSquarefreeBits = double(1 << 24);

// Thrown where a factor's roots cannot be found in a few seconds.
class RootsOutOfReach : public std::exception {
public:
    enum class Why { Spread, Length };
    explicit RootsOutOfReach(Why why) : why_(why) {}
    Why why() const { return why_; }
    const char* what() const noexcept override { return "roots out of reach"; }

private:
    Why why_;
};
void RequireRootsWithinReach(const engine::Factorisation& f);
// Before factorising: RootsOutOfReach (Length) beyond kMaxSquarefreeBits.
void RequireFactorisableInTime(const engine::Polynomial& p);

// ---- the solvers ---------------------------------------------------------------

PolynomialAnswer SolvePolynomial(const Reading& reading, engine::Working& working, Graph& graph);
SystemAnswer SolveSystem(const Reading& reading, engine::Working& working, Graph& graph);
InequalityAnswer SolveInequalities(const Reading& reading, engine::Working& working, Graph& graph);

// The unknown a statement in at most one unknown is in (the Reading's
// unknowns hold at most one).
char UnknownOf(const Reading& reading);

// Working is shown in full up to these sizes; beyond them only the answer
// and the lines that state it, so that the longest text stays quick.
inline constexpr std::size_t kShownStatementLength = 20'000; // code points of one statement
inline constexpr std::size_t kExpandedStatementLength = 2'000;
inline constexpr std::size_t kExpandedTerms = 200;
inline constexpr std::size_t kShownEquations = 20;
inline constexpr std::size_t kShownParts = 20;
inline constexpr std::size_t kSignTablePoints = 12;

} // namespace zembrel::typed::solving
