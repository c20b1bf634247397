// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "linear_system.h"

#include "flint.h"

#include <flint/fmpz_mat.h>

#include <optional>
#include <stdexcept>
#include <utility>

namespace zembrel::engine {

namespace {

using Rows = std::vector<std::vector<mpq_class>>;

FmpqMat augmentedOf(const LinearSystem& s)
{
    FmpqMat m(static_cast<long>(s.equations.size()), static_cast<long>(s.unknowns + 1));
    for (std::size_t i = 0; i < s.equations.size(); ++i) {
        for (std::size_t j = 0; j <= s.unknowns; ++j)
            SetFmpq(m.at(static_cast<long>(i), static_cast<long>(j)), s.equations[i].at(j));
    }
    return m;
}

Rows rowsOf(const FmpqMat& m)
{
    Rows rows(static_cast<std::size_t>(m.rows()));
    for (long i = 0; i < m.rows(); ++i) {
        for (long j = 0; j < m.columns(); ++j)
            rows[static_cast<std::size_t>(i)].push_back(ToMpq(m.at(i, j)));
    }
    return rows;
}

// Gauss–Jordan as a textbook does it: for each column the first row from
// the top that can be its pivot, swapped up, scaled to 1, and the column
// cleared above and below. Each operation is kept with the rows after it.
std::vector<EliminationStep> eliminate(Rows rows, std::size_t unknowns)
{
    std::vector<EliminationStep> steps;
    const auto record = [&](EliminationStep step) {
        step.after = rows;
        steps.push_back(std::move(step));
    };
    std::size_t r = 0;
    for (std::size_t col = 0; col < unknowns && r < rows.size(); ++col) {
        std::size_t pivot = r;
        while (pivot < rows.size() && rows[pivot][col] == 0)
            ++pivot;
        if (pivot == rows.size())
            continue;
        if (pivot != r) {
            std::swap(rows[r], rows[pivot]);
            record({EliminationStep::Operation::Swap, r, pivot, 0, {}});
        }
        if (rows[r][col] != 1) {
            const mpq_class factor = 1 / rows[r][col];
            for (mpq_class& x : rows[r])
                x *= factor;
            record({EliminationStep::Operation::Scale, r, r, factor, {}});
        }
        for (std::size_t i = 0; i < rows.size(); ++i) {
            if (i == r || rows[i][col] == 0)
                continue;
            const mpq_class factor = -rows[i][col];
            for (std::size_t k = 0; k <= unknowns; ++k)
                rows[i][k] += factor * rows[r][k];
            record({EliminationStep::Operation::Eliminate, i, r, factor, {}});
        }
        ++r;
    }
    return steps;
}

// Row i multiplied by the least common multiple of its denominators.
std::vector<mpz_class> wholeRow(const std::vector<mpq_class>& row, mpz_class& multiple)
{
    multiple = 1;
    for (const mpq_class& x : row) {
        if (!mpz_divisible_p(multiple.get_mpz_t(), x.get_den().get_mpz_t()))
            mpz_lcm(multiple.get_mpz_t(), multiple.get_mpz_t(), x.get_den().get_mpz_t());
    }
    std::vector<mpz_class> whole(row.size());
    for (std::size_t j = 0; j < row.size(); ++j) {
        mpz_divexact(whole[j].get_mpz_t(), multiple.get_mpz_t(), row[j].get_den().get_mpz_t());
        whole[j] *= row[j].get_num();
    }
    return whole;
}

mpz_class determinantOf(const std::vector<std::vector<mpz_class>>& rows, std::size_t n, std::size_t replaced)
{
    fmpz_mat_t m;
    fmpz_mat_init(m, static_cast<long>(n), static_cast<long>(n));
    for (std::size_t i = 0; i < n; ++i) {
        for (std::size_t j = 0; j < n; ++j) {
            const mpz_class& x = rows[i][j == replaced ? n : j];
            fmpz_set_mpz(fmpz_mat_entry(m, static_cast<long>(i), static_cast<long>(j)), x.get_mpz_t());
        }
    }
    Fmpz det;
    fmpz_mat_det(det.get(), m);
    fmpz_mat_clear(m);
    return ToMpz(det.get());
}

// Up to three unknowns, the determinant by cofactors in rationals: where
// one coefficient is long, every product and sum meets it beside short
// numbers only, so no two long numbers are reduced against each other
// (FLINT clears the denominators and reduces once at the end, which takes
// a quarter of a second at a million digits).
constexpr std::size_t kCofactorSize = 3;

// The determinant of the n×n matrix whose (i, j) entry is entry(i, j).
template <class Entry>
mpq_class cofactorDeterminant(std::size_t n, Entry entry)
{
    if (n == 0)
        return 1;
    // In FLINT's rationals, which hold short numbers without allocating.
    std::vector<Fmpq> m;
    for (std::size_t i = 0; i < n; ++i) {
        for (std::size_t j = 0; j < n; ++j)
            m.push_back(ToFmpq(entry(i, j)));
    }
    const auto at = [&m, n](std::size_t i, std::size_t j) { return m[i * n + j].get(); };
    Fmpq det;
    Fmpq t;
    // a_ri·a_sj − a_rj·a_si into `out`
    const auto minor2 = [&](fmpq_t out, std::size_t r, std::size_t s, std::size_t i, std::size_t j) {
        fmpq_mul(out, at(r, i), at(s, j));
        fmpq_mul(t.get(), at(r, j), at(s, i));
        fmpq_sub(out, out, t.get());
    };
    if (n == 1) {
        fmpq_set(det.get(), at(0, 0));
    } else if (n == 2) {
        minor2(det.get(), 0, 1, 0, 1);
    } else {
        Fmpq minor;
        minor2(minor.get(), 1, 2, 1, 2);
        fmpq_mul(det.get(), at(0, 0), minor.get());
        minor2(minor.get(), 1, 2, 0, 2);
        fmpq_submul(det.get(), at(0, 1), minor.get());
        minor2(minor.get(), 1, 2, 0, 1);
        fmpq_addmul(det.get(), at(0, 2), minor.get());
    }
    return ToMpq(det.get());
}

// D, then D_1 … D_n where D ≠ 0, of a square system of up to three unknowns.
std::vector<mpq_class> cramerDeterminants(const LinearSystem& system)
{
    std::vector<mpq_class> determinants;
    const std::size_t n = system.unknowns;
    if (n == 0 || n > kCofactorSize || system.equations.size() != n)
        return determinants;
    determinants.push_back(SystemDeterminant(system, n));
    if (determinants.front() == 0)
        return determinants;
    for (std::size_t j = 0; j < n; ++j)
        determinants.push_back(SystemDeterminant(system, j));
    return determinants;
}

std::size_t bitsOf(const mpq_class& x)
{
    return mpz_sizeinbase(x.get_num_mpz_t(), 2) + mpz_sizeinbase(x.get_den_mpz_t(), 2);
}

// A coefficient this long makes a gcd with the determinant worth avoiding;
// the others must together be this short for the way round to be short.
constexpr std::size_t kLongEntryBits = 20000;
constexpr std::size_t kShortRestBits = 4000;

// x_j = D_j/D for each j, in lowest terms. GMP reduces each quotient by a
// gcd of the two, a third of a second where both have a million digits. A
// determinant is affine in each entry: where one coefficient a is long and
// the rest short, D = a·C + R and D_j = a·C_j + R_j with C, R, C_j and R_j
// short, so with C ≠ 0, D_j = t·D + (R_j − t·R) for t = C_j/C, and
// x_j = t + (R_j − t·R)/D: every operation meets the long number beside
// short ones only.
std::vector<mpq_class> cramerQuotients(const LinearSystem& system, const std::vector<mpq_class>& determinants)
{
    const std::size_t n = system.unknowns;
    const mpq_class& D = determinants[0];
    std::size_t longest = 0;
    std::size_t total = 0;
    std::pair<std::size_t, std::size_t> at;
    for (std::size_t i = 0; i < n; ++i) {
        for (std::size_t k = 0; k <= n; ++k) {
            const std::size_t bits = bitsOf(system.equations[i][k]);
            total += bits;
            if (k < n && bits > longest) {
                longest = bits;
                at = {i, k};
            }
        }
    }
    std::vector<mpq_class> x;
    const auto plain = [&] {
        for (std::size_t j = 0; j < n; ++j)
            x.emplace_back(determinants[j + 1] / D);
        return x;
    };
    if (longest <= kLongEntryBits || total - longest > kShortRestBits)
        return plain();
    // The determinant with column `replaced` (n: none) replaced, and a in place of the long coefficient.
    const auto determinantWith = [&system, n, at](std::size_t replaced, const mpq_class& a) {
        return cofactorDeterminant(n, [&](std::size_t i, std::size_t j) -> const mpq_class& {
            const std::size_t column = j == replaced ? n : j;
            return std::pair(i, column) == at ? a : system.equations[i][column];
        });
    };
    const mpq_class zero = 0;
    const mpq_class one = 1;
    const mpq_class R = determinantWith(n, zero);
    const mpq_class C = determinantWith(n, one) - R;
    if (C == 0)
        return plain(); // D is short: so is its gcd with anything
    for (std::size_t j = 0; j < n; ++j) {
        const mpq_class Rj = determinantWith(j, zero);
        const mpq_class t = (determinantWith(j, one) - Rj) / C;
        x.emplace_back(t + (Rj - t * R) / D);
    }
    return x;
}

mpq_class reduced(const mpz_class& num, const mpz_class& den)
{
    mpq_class q(num, den);
    q.canonicalize();
    return q;
}

} // namespace

SystemSolution SolveLinearSystem(const LinearSystem& system, bool withSteps)
{
    SystemSolution s;
    const std::size_t n = system.unknowns;
    s.cramer = cramerDeterminants(system);
    if (s.cramer.size() == n + 1) {
        // Cramer's rule: x_j = D_j/D.
        s.kind = SystemKind::Unique;
        s.rank = n;
        s.values = cramerQuotients(system, s.cramer);
        for (std::size_t i = 0; i < n; ++i) {
            std::vector<mpq_class> row(n + 1);
            row[i] = 1;
            row[n] = s.values[i];
            s.reduced.push_back(std::move(row));
        }
        if (withSteps)
            s.steps = eliminate(system.equations, n);
        return s;
    }
    FmpqMat augmented = augmentedOf(system);
    FmpqMat echelon(augmented.rows(), augmented.columns());
    const long rank = fmpq_mat_rref(echelon.get(), augmented.get());
    s.reduced = rowsOf(echelon);
    if (withSteps)
        s.steps = eliminate(rowsOf(augmented), n);

    // The pivot of each nonzero row; a pivot in the constants' column is 0 = 1.
    std::vector<std::size_t> pivots;
    for (long i = 0; i < rank; ++i) {
        std::size_t j = 0;
        while (s.reduced[static_cast<std::size_t>(i)][j] == 0)
            ++j;
        if (j == n)
            s.contradiction = static_cast<std::size_t>(i);
        else
            pivots.push_back(j);
    }
    s.rank = pivots.size();
    if (s.contradiction) {
        s.kind = SystemKind::None;
        return s;
    }
    if (s.rank == n) {
        s.kind = SystemKind::Unique;
        s.values.resize(n);
        for (std::size_t i = 0; i < n; ++i)
            s.values[pivots[i]] = s.reduced[i][n];
        return s;
    }
    s.kind = SystemKind::Infinite;
    std::vector<bool> isPivot(n, false);
    for (const std::size_t j : pivots)
        isPivot[j] = true;
    for (std::size_t j = 0; j < n; ++j) {
        if (!isPivot[j])
            s.freeUnknowns.push_back(j);
    }
    const std::size_t parameters = s.freeUnknowns.size();
    s.general.assign(n, Affine{0, std::vector<mpq_class>(parameters)});
    for (std::size_t k = 0; k < parameters; ++k)
        s.general[s.freeUnknowns[k]].coefficients[k] = 1;
    // x_pivot = b − Σ a_free·x_free
    for (std::size_t i = 0; i < pivots.size(); ++i) {
        Affine& x = s.general[pivots[i]];
        x.constant = s.reduced[i][n];
        for (std::size_t k = 0; k < parameters; ++k)
            x.coefficients[k] = -s.reduced[i][s.freeUnknowns[k]];
    }
    return s;
}

Cramer SolveByCramer(const LinearSystem& square)
{
    const std::size_t n = square.unknowns;
    if (square.equations.size() != n)
        throw std::invalid_argument("Cramer's rule needs as many equations as unknowns");
    Cramer c;
    c.scale = 1;
    std::vector<std::vector<mpz_class>> whole;
    for (const std::vector<mpq_class>& row : square.equations) {
        mpz_class multiple;
        whole.push_back(wholeRow(row, multiple));
        c.scale *= multiple;
    }
    c.determinant = determinantOf(whole, n, n);
    for (std::size_t j = 0; j < n; ++j)
        c.numerators.push_back(determinantOf(whole, n, j));
    return c;
}

mpq_class Cramer::systemDeterminant() const { return reduced(determinant, scale); }
mpq_class Cramer::replacedDeterminant(std::size_t j) const { return reduced(numerators.at(j), scale); }

mpq_class SystemDeterminant(const LinearSystem& square, std::size_t replaced)
{
    const std::size_t n = square.unknowns;
    const auto entry = [&square, n, replaced](std::size_t i, std::size_t j) -> const mpq_class& {
        return square.equations[i][j == replaced ? n : j];
    };
    if (n <= kCofactorSize)
        return cofactorDeterminant(n, entry);
    std::vector<std::vector<mpq_class>> matrix(n);
    for (std::size_t i = 0; i < n; ++i) {
        for (std::size_t j = 0; j < n; ++j)
            matrix[i].push_back(entry(i, j));
    }
    return Determinant(matrix);
}

mpq_class Determinant(const std::vector<std::vector<mpq_class>>& matrix)
{
    if (matrix.size() <= kCofactorSize) {
        return cofactorDeterminant(
            matrix.size(), [&matrix](std::size_t i, std::size_t j) -> const mpq_class& { return matrix[i][j]; });
    }
    const long n = static_cast<long>(matrix.size());
    FmpqMat m(n, n);
    for (long i = 0; i < n; ++i) {
        for (long j = 0; j < n; ++j)
            SetFmpq(m.at(i, j), matrix[static_cast<std::size_t>(i)].at(static_cast<std::size_t>(j)));
    }
    Fmpq det;
    fmpq_mat_det(det.get(), m.get());
    return ToMpq(det.get());
}

} // namespace zembrel::engine
