// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// What each panel's solve and check need from the exact core: the decisions
// taken on the exact coefficients, every root shown as the nearest double of
// the exact root, and the checks' verdicts against the exact roots. Signs are
// decided on whole numbers (the coefficients cross-multiplied) and roots
// through enclosures, so no greatest common divisor of long numbers is ever
// taken: a field of a million digits costs a few multiplications. The
// panels read their fields with ReadExact (reader.h) and raise error 6 for a
// field that overflows or for outOfRange here, before writing any field.

#include <gmpxx.h>

#include <array>

namespace zembrel::exact {

// a·x + b = 0 with a ≠ 0.
struct LinearRoot {
    double x = 0;
    bool outOfRange = false; // the root rounds beyond the largest double: error 6
};
LinearRoot SolveLinearExact(const mpq_class& a, const mpq_class& b);
bool CheckLinearExact(const mpq_class& a, const mpq_class& b, double shownX);

// a·x² + b·x + c = 0 with a ≠ 0 (the panel has already put 1 for a zero a).
struct QuadraticSolution {
    int discriminantSign = 0; // of b² − 4ac, exact
    double X1 = 0, X2 = 0;    // D ≥ 0: the +√D root and the −√D root
    double re = 0, im = 0;    // D < 0: −b/(2a) and √(−D)/(2|a|)
    bool outOfRange = false;
};
QuadraticSolution SolveQuadraticExact(const mpq_class& a, const mpq_class& b, const mpq_class& c);
// D ≥ 0 only: both shown roots within 1e-7 × the larger exact root of theirs.
bool CheckQuadraticExact(const mpq_class& a, const mpq_class& b, const mpq_class& c, double shownX1, double shownX2);

// x³ + p·x + q = 0: the root the panel shows.
struct CubicRoot {
    double x = 0;
    bool outOfRange = false;
    bool holds = false; // the check's verdict on x, from the same enclosures
};
CubicRoot SolveCubicRootExact(const mpq_class& p, const mpq_class& q);
bool CheckCubicExact(const mpq_class& p, const mpq_class& q, double shownX);

// The system panel: a·X + b·Y + c·Z + d = 0, equations 1 to 3.
struct SystemExactCoefficients {
    std::array<mpq_class, 3> a, b, c, d;
};
enum class SystemExactOutcome {
    MissingVariable, // every X or every Y coefficient is zero
    ParallelLines,   // two-variable mode, D = 0, distinct lines
    CoincidentLines, // two-variable mode, D = 0, the same line twice
    SolvedTwo,       // two-variable mode: X, Y from equations 1 and 2
    SingularSystem,  // three-variable mode, determinant 0
    SolvedThree,     // three-variable mode: X, Y, Z
};
struct SystemExactSolution {
    SystemExactOutcome outcome = SystemExactOutcome::MissingVariable;
    // X = numerators[0] ÷ determinant, and so on: Cramer's rule on the
    // equations scaled to whole numbers, left unreduced.
    std::array<mpz_class, 3> numerators;
    mpz_class determinant;
    double X = 0, Y = 0, Z = 0;
    bool outOfRange = false;
};
SystemExactSolution SolveSystemExact(const SystemExactCoefficients& k);
// Solved outcomes only: the shown values within 1e-7 × the largest exact
// unknown of theirs, and in two-variable mode a typed third equation that is
// not all 0 holding exactly for the exact solution.
bool CheckSystemExact(const SystemExactCoefficients& k, const SystemExactSolution& solution, double shownX,
                      double shownY, double shownZ);

} // namespace zembrel::exact
