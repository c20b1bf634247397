// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Each analysis and the panels' exact solve and check, on ordinary input
// (integers and up to four significant digits) and on a million-character field.

#include "analysis.h"
#include "million_digits.h"
#include "panel_solve.h"
#include "reader.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

using namespace zembrel::exact;

namespace {

const std::string kMillionDigits = MillionDigits();

std::vector<FieldText> fields(const std::vector<std::string>& texts)
{
    static const char* names[] = {"F1", "F2", "F3", "F4", "F5", "F6", "F7", "F8", "F9", "F10", "F11", "F12"};
    std::vector<FieldText> result;
    for (std::size_t i = 0; i < texts.size(); ++i)
        result.push_back({names[i], texts[i]});
    return result;
}

void analyse(benchmark::State& state, Analysis (*Analyse)(std::span<const FieldText>),
             const std::vector<std::string>& texts)
{
    const std::vector<FieldText> input = fields(texts);
    for (auto _ : state)
        benchmark::DoNotOptimize(Analyse(input));
}

BENCHMARK_CAPTURE(analyse, linear, AnalyseLinear, std::vector<std::string>{"3", "-7.25"});
BENCHMARK_CAPTURE(analyse, quadratic, AnalyseQuadratic, std::vector<std::string>{"1.5", "-3", "0.49"});
BENCHMARK_CAPTURE(analyse, quadratic_complex, AnalyseQuadratic, std::vector<std::string>{"2", "1", "1"});
BENCHMARK_CAPTURE(analyse, cubic_rational, AnalyseCubic, std::vector<std::string>{"-7", "6"});
BENCHMARK_CAPTURE(analyse, cubic_irrational, AnalyseCubic, std::vector<std::string>{"-2.5", "1.3"});
BENCHMARK_CAPTURE(analyse, system_three, AnalyseSystem,
                  std::vector<std::string>{"1", "2", "3", "4", "-5", "6", "7", "8", "9.5", "-1", "2", "3"});
BENCHMARK_CAPTURE(analyse, system_infinite, AnalyseSystem,
                  std::vector<std::string>{"1", "1", "0", "2", "2", "0", "", "", "", "-1", "-2", ""});

BENCHMARK_CAPTURE(analyse, linear_million, AnalyseLinear, std::vector<std::string>{kMillionDigits, "-7"})
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(analyse, quadratic_million, AnalyseQuadratic, std::vector<std::string>{"1", kMillionDigits, "-2"})
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(analyse, cubic_million, AnalyseCubic, std::vector<std::string>{kMillionDigits, "-5"})
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(analyse, system_million, AnalyseSystem,
                  std::vector<std::string>{kMillionDigits, "2", "3", "4", "-5", "6", "7", "8", "9.5", "-1", "2", "3"})
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(analyse, quadratic_tiny_exponent, AnalyseQuadratic,
                  std::vector<std::string>{"1e-999999", "1e300", "1"})
    ->Unit(benchmark::kMillisecond);

void quadraticSolveAndCheck(benchmark::State& state)
{
    for (auto _ : state) {
        const mpq_class a = ReadExact("4").value, b = ReadExact("-2.8").value, c = ReadExact("0.49").value;
        const QuadraticSolution s = SolveQuadraticExact(a, b, c);
        benchmark::DoNotOptimize(CheckQuadraticExact(a, b, c, s.X1, s.X2));
    }
}
BENCHMARK(quadraticSolveAndCheck);

void cubicSolveAndCheck(benchmark::State& state)
{
    for (auto _ : state) {
        const mpq_class p = ReadExact("-2.5").value, q = ReadExact("1.3").value;
        const CubicRoot r = SolveCubicRootExact(p, q);
        benchmark::DoNotOptimize(CheckCubicExact(p, q, r.x));
    }
}
BENCHMARK(cubicSolveAndCheck);

} // namespace
