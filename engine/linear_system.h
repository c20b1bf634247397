// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Linear systems of any number of equations and unknowns over the
// rationals: the rank, and the unique solution, none, or the general
// solution in parameters (FLINT's exact reduced row echelon form); the
// elimination as a textbook does it, step by step; and Cramer's rule in
// whole numbers for square systems.

#include <gmpxx.h>

#include <cstddef>
#include <optional>
#include <vector>

namespace zembrel::engine {

// a₁x₁ + … + aₙxₙ = b, one row each: the n coefficients, then b.
struct LinearSystem {
    std::size_t unknowns = 0;
    std::vector<std::vector<mpq_class>> equations;
};

enum class SystemKind { Unique, None, Infinite };

// An unknown as constant + Σ coefficients[k]·(parameter k).
struct Affine {
    mpq_class constant;
    std::vector<mpq_class> coefficients;
};

// One step of Gauss–Jordan elimination and the equations after it.
struct EliminationStep {
    enum class Operation {
        Swap,      // rows `row` and `other` change places
        Scale,     // row `row` is multiplied by `factor`
        Eliminate, // `factor` times row `other` is added to row `row`
    };
    Operation operation = Operation::Swap;
    std::size_t row = 0;
    std::size_t other = 0;
    mpq_class factor;
    std::vector<std::vector<mpq_class>> after;
};

struct SystemSolution {
    SystemKind kind = SystemKind::None;
    std::size_t rank = 0;
    std::vector<mpq_class> values;               // Unique: one per unknown
    std::vector<std::size_t> freeUnknowns;       // Infinite: the unknowns that become the parameters, in order
    std::vector<Affine> general;                 // Infinite: every unknown in the parameters
    std::vector<std::vector<mpq_class>> reduced; // the reduced row echelon form, rows of n + 1
    std::optional<std::size_t> contradiction;    // None: a row of `reduced` that reads 0 = 1
    std::vector<EliminationStep> steps;          // the elimination that leads to `reduced`
    // A square system of up to three unknowns: its determinant D, then
    // D_1 … D_n (each column replaced by the right sides) where D ≠ 0.
    std::vector<mpq_class> cramer;
};

// The elimination's steps are kept only `withSteps`: each holds every
// equation, which for thousands of equations is more than is worth keeping.
SystemSolution SolveLinearSystem(const LinearSystem& system, bool withSteps = true);

// Cramer's rule for n equations in n unknowns, in whole numbers: each
// equation multiplied by the common multiple of its denominators, so that
// nothing is reduced. The unknown j is numerators[j] / determinant.
struct Cramer {
    mpz_class determinant; // of the scaled equations; 0 exactly when the system's is
    std::vector<mpz_class> numerators;
    mpz_class scale; // the product of the equations' multiples
    // D and D_j of the equations as given, in lowest terms (made on demand:
    // long numbers take a greatest common divisor each).
    mpq_class systemDeterminant() const;
    mpq_class replacedDeterminant(std::size_t j) const;
};
Cramer SolveByCramer(const LinearSystem& square);

// The determinant of a square matrix of rationals.
mpq_class Determinant(const std::vector<std::vector<mpq_class>>& matrix);
// The determinant of a square system's coefficients, with column `replaced`
// taken from the right sides (none where `replaced` is the number of unknowns).
mpq_class SystemDeterminant(const LinearSystem& square, std::size_t replaced);

} // namespace zembrel::engine
