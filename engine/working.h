// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The working as structured steps: each a reason and the formulas it
// shows. The engine names the reason; the presentation says it in words
// (present/wording.h), prints the formulas, speaks them and lays them out.

#include "formula.h"

#include <vector>

namespace zembrel::engine {

// What a step does. The comment of each names its formulas in order.
enum class Reason {
    // The equation
    Equation, // the equation as read; then each coefficient as read (a = 3)

    // a·x + b = 0
    MoveConstant,        // a·x = −b
    DivideByCoefficient, // x = −b/a = … = …
    EveryNumberSolves,   // 0 = 0
    NoNumberSolves,      // c = 0

    // a·x² + b·x + c = 0
    Discriminant,            // Δ = b² − 4ac = … = …
    TwoRealRoots,            // Δ > 0
    OneDoubleRoot,           // Δ = 0
    NoRealRoots,             // Δ < 0
    QuadraticFormula,        // x = (−b ± √Δ)/(2a)
    ComplexQuadraticFormula, // x = (−b ± i√(−Δ))/(2a)
    DoubleRootFormula,       // x₁ = x₂ = −b/(2a) = …
    Roots,                   // the roots: x₁ = …, x₂ = …
    Vieta,                   // x₁ + x₂ = −b/a = …; x₁x₂ = c/a = …
    Vertex,                  // y = …; the vertex (…, …); the axis x = …
    Factorised,              // the equation in factors

    // x³ + p·x + q = 0
    CubicDiscriminant,  // Δ = (q/2)² + (p/3)³ = … = …
    TripleZeroRoot,     // x³ = 0
    CubicRepeatedRoots, // x₁ = 3q/p = …; x₂ = x₃ = −3q/(2p) = …
    Cardano,            // x = ∛(−q/2 + √Δ) + ∛(−q/2 − √Δ)
    Trigonometric,      // x = 2√(−p/3)·cos(θ/3 − 2kπ/3); cos θ = …
    RationalRootFound,  // the root; the equation in factors
    NoRationalSearch,   // (none): the coefficients are too long to look for a rational root

    // Any equation in one unknown
    MoveTerms,              // left − (right) = 0
    Expand,                 // the sides without parentheses
    Collect,                // the polynomial = 0
    ClearDenominators,      // the multiplier; the equation with whole coefficients
    RationalRootCandidates, // the candidates ±p/q
    TryRoot,                // f(r) = 0
    Divide,                 // (…) ÷ (x − r) = …
    SolveFactor,            // factor = 0; its roots
    NumericRoots,           // factor = 0: no rational root and no formula; its roots to the digits shown

    // Linear systems
    System,            // the system
    XYOnly,            // (none): every Z coefficient is 0, so X and Y are the unknowns
    SystemDeterminant, // D = |…| = …
    CramerUnknown,     // D_x = |…| = …; x = D_x/D = …
    SwapEquations,     // equation i; equation j; the system after
    ScaleEquation,     // equation i; the factor; the system after
    AddMultiple,       // equation i; the factor; equation j; the system after
    Contradiction,     // 0 = c
    UniqueSolution,    // the solution
    GeneralSolution,   // the parameters; the general solution

    // Inequalities
    BoundaryRoots,   // f(x) = 0; its real roots
    NoBoundaryRoots, // f(x) = 0
    SignTable,       // a table: the intervals and the sign of f on each
    SolutionSet,     // the set as relations (x < 1 或 x > 2); as intervals
    Intersection,    // the sets of the inequalities; their common part

    // Typed equations and inequalities
    EquationAsTyped,     // the equation as typed
    SystemAsTyped,       // the equations as typed, under one brace
    InequalityAsTyped,   // the inequality as typed
    InequalitiesAsTyped, // the inequalities as typed, under one brace
    EveryValueSolves,    // 0 = 0; the unknown
    NamePolynomial,      // f(x) = …
    NoCandidateIsRoot,   // f(x) = 0: no candidate of the rational root theorem is a root
    CommonFactor,        // the common factor; the equation in factors
    EquationRoots,       // the roots: x₁ = …, x₂ = x₃ = … (a repeated root once, with each of its names)
    StandardForm,        // the system with the unknowns on the left, in order, and the numbers on the right
    EverySolution,       // the inequality; the interval of every number
    NoSolutionSet,       // the inequality
    NoCommonPart,        // (none)
};

struct Step {
    Reason reason = Reason::Equation;
    std::vector<FormulaPtr> formulas;
};

using Working = std::vector<Step>;

} // namespace zembrel::engine
