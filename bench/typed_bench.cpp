// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// A typed text solved whole, working and graph included: classroom sizes
// (each well under a millisecond) and the limits (degree 100, ten
// unknowns, coefficients of a thousand digits).

#include "typed_solution.h"

#include <benchmark/benchmark.h>

#include <random>
#include <string>

using namespace zembrel::typed;

namespace {

// Σ cₖxᵏ with random coefficients of `digits` digits, highest power first.
std::string polynomial(int degree, int digits, unsigned seed)
{
    std::mt19937 random(seed);
    std::string text;
    for (int k = degree; k >= 0; --k) {
        std::string c(1, static_cast<char>('1' + random() % 9));
        while (static_cast<int>(c.size()) < digits)
            c += static_cast<char>('0' + random() % 10);
        text += (random() % 2 == 0 ? " + " : " - ") + c + "x^" + std::to_string(k);
    }
    return text;
}

// n equations in the ten letters a, b, … with coefficients of `digits` digits.
std::string system(int n, int digits, unsigned seed)
{
    static const char letters[] = "abcdfghjkl";
    std::mt19937 random(seed);
    std::string text;
    for (int i = 0; i < n; ++i) {
        for (int j = 0; j < n; ++j) {
            std::string c(1, static_cast<char>('1' + random() % 9));
            while (static_cast<int>(c.size()) < digits)
                c += static_cast<char>('0' + random() % 10);
            text += (random() % 2 == 0 ? " + " : " - ") + c + letters[j];
        }
        text += " = " + std::to_string(random() % 1000) + (i + 1 < n ? ", " : "");
    }
    return text;
}

void solve(benchmark::State& state, const std::string& text)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(SolveTyped(text));
}

BENCHMARK_CAPTURE(solve, quadratic, std::string("(x − 1)(x + 2) = 3"));
BENCHMARK_CAPTURE(solve, cubic_rational_roots, std::string("2x³ − 3x² − 11x + 6 = 0"));
BENCHMARK_CAPTURE(solve, degree_10_three_digits, polynomial(10, 3, 10) + " = 0");
BENCHMARK_CAPTURE(solve, degree_12_repeated_roots, std::string("(x²−2)(x²+1)(2x−1)²(x³−2)(x+3)³ = 0"));
BENCHMARK_CAPTURE(solve, system_four_unknowns, system(4, 3, 4));
BENCHMARK_CAPTURE(solve, system_infinite, std::string("x + y + z + w = 2, 2x + 2y + 2z + 2w = 4, x − y = 1"));
BENCHMARK_CAPTURE(solve, quartic_inequality, std::string("x⁴ − 5x² + 4 < 0"));
BENCHMARK_CAPTURE(solve, inequality_system, std::string("x² − 2 ≥ 0, x³ − 2x < 1, 2x − 1 > −5"));

BENCHMARK_CAPTURE(solve, degree_100_thousand_digits, polynomial(100, 1000, 100) + " = 0")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(solve, degree_100_inequality, polynomial(100, 3, 101) + " > 0")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(solve, ten_unknowns_thousand_digits, system(10, 1000, 10))->Unit(benchmark::kMillisecond);

} // namespace
