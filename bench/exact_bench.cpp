// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The driver's analysis of each panel (the panel's solution made afresh,
// its working, and the JSON line), on ordinary input (integers and up to
// four significant digits) and on a million-character field; and the
// engine alone on a polynomial of degree 10.

#include "equation.h"
#include "exact_number.h"
#include "million_digits.h"
#include "panels.h"
#include "wire_format.h"

#include <benchmark/benchmark.h>

#include <random>
#include <string>
#include <vector>

using namespace zembrel;

namespace {

const std::string kMillionDigits = MillionDigits();

std::vector<Reading> readingsOf(const PanelDefinition& panel, const std::vector<std::string>& texts)
{
    std::vector<Reading> read;
    for (std::size_t i = 0; i < panel.coefficients.size(); ++i) {
        const ExactNumber number = ReadExact(texts.at(i));
        read.push_back({panel.coefficients[i], texts[i], number.value, number.whole, number.overflow});
    }
    return read;
}

void analyse(benchmark::State& state, const PanelDefinition* panel, const std::vector<std::string>& texts)
{
    for (auto _ : state) {
        const auto solution = panel->solutionOf(readingsOf(*panel, texts));
        benchmark::DoNotOptimize(analysisLine(*solution));
    }
}

BENCHMARK_CAPTURE(analyse, linear, &kLinearPanel, std::vector<std::string>{"3", "-7.25"});
BENCHMARK_CAPTURE(analyse, quadratic, &kQuadraticPanel, std::vector<std::string>{"1.5", "-3", "0.49"});
BENCHMARK_CAPTURE(analyse, quadratic_complex, &kQuadraticPanel, std::vector<std::string>{"2", "1", "1"});
BENCHMARK_CAPTURE(analyse, cubic_rational, &kCubicPanel, std::vector<std::string>{"-7", "6"});
BENCHMARK_CAPTURE(analyse, cubic_irrational, &kCubicPanel, std::vector<std::string>{"-2.5", "1.3"});
BENCHMARK_CAPTURE(analyse, system_three, &kSystemPanel,
                  std::vector<std::string>{"1", "2", "3", "4", "-5", "6", "7", "8", "9.5", "-1", "2", "3"});
BENCHMARK_CAPTURE(analyse, system_infinite, &kSystemPanel,
                  std::vector<std::string>{"1", "1", "0", "2", "2", "0", "", "", "", "-1", "-2", ""});

BENCHMARK_CAPTURE(analyse, linear_million, &kLinearPanel, std::vector<std::string>{kMillionDigits, "-7"})
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(analyse, quadratic_million, &kQuadraticPanel, std::vector<std::string>{"1", kMillionDigits, "-2"})
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(analyse, cubic_million, &kCubicPanel, std::vector<std::string>{kMillionDigits, "-5"})
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(analyse, system_million, &kSystemPanel,
                  std::vector<std::string>{kMillionDigits, "2", "3", "4", "-5", "6", "7", "8", "9.5", "-1", "2", "3"})
    ->Unit(benchmark::kMillisecond);

// A degree-10 polynomial with 3-digit coefficients: factored, every root
// enclosed and rounded to the protocol's 20 digits.
void degreeTen(benchmark::State& state)
{
    std::mt19937 random(10);
    std::vector<mpq_class> c;
    for (int i = 0; i <= 10; ++i)
        c.emplace_back(static_cast<int>(random() % 1999) - 999);
    const engine::Polynomial p = engine::Polynomial::FromHighestFirst(c);
    for (auto _ : state) {
        const engine::PolynomialEquation e(p);
        for (const engine::PolyRoot& root : e.roots()) {
            benchmark::DoNotOptimize(root.value.re.decimal20());
            benchmark::DoNotOptimize(root.value.im.decimal20());
        }
    }
}
BENCHMARK(degreeTen)->Unit(benchmark::kMicrosecond);

} // namespace
