// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// A whole solve and check of each panel, through the event table and the
// recording window, as one button press after the other.

#include "recording_window.h"
#include "system.h"

#include <benchmark/benchmark.h>

#include <string>
#include <string_view>
#include <utility>
#include <vector>

using namespace zembrel;

namespace {

struct PanelCase {
    const char* name;
    std::vector<std::pair<Field, std::string_view>> fields;
    Button solve;
    Button check;
};

// clang-format off
const PanelCase kPanels[] = {
    {"linear", {{Field::Text1, "2"}, {Field::Text2, "-4"}}, Button::Command1, Button::Command6},
    {"linear_inexact", {{Field::Text1, "3"}, {Field::Text2, "1"}}, Button::Command1, Button::Command6},
    {"quadratic_real", {{Field::Text4, "1"}, {Field::Text5, "-3"}, {Field::Text6, "2"}}, Button::Command2,
     Button::Command7},
    {"quadratic_complex", {{Field::Text4, "1"}, {Field::Text5, "2"}, {Field::Text6, "5"}}, Button::Command2,
     Button::Command7},
    {"cubic", {{Field::Text10, "-6"}, {Field::Text11, "-9"}}, Button::Command3, Button::Command8},
    {"cubic_three_roots", {{Field::Text10, "-3"}, {Field::Text11, "1"}}, Button::Command3, Button::Command8},
    {"system_two",
     {{Field::Text13, "2"}, {Field::Text14, "3"}, {Field::Text9, "-8"},
      {Field::Text16, "1"}, {Field::Text17, "-1"}, {Field::Text25, "1"}},
     Button::Command4, Button::Command5},
    {"system_three",
     {{Field::Text13, "1"}, {Field::Text14, "1"}, {Field::Text15, "1"}, {Field::Text9, "-6"},
      {Field::Text16, "1"}, {Field::Text17, "-1"}, {Field::Text18, "2"}, {Field::Text25, "-5"},
      {Field::Text19, "2"}, {Field::Text20, "1"}, {Field::Text21, "-1"}, {Field::Text26, "-1"}},
     Button::Command4, Button::Command5},
};
// clang-format on

void solveAndCheck(benchmark::State& state, const PanelCase& panel)
{
    HeadlessSession session([](const Recorded&) {}, false);
    for (const auto& [field, text] : panel.fields)
        session.type(field, text);
    for (auto _ : state) {
        session.click(panel.solve);
        session.click(panel.check);
    }
}

// The system panel's arithmetic alone, without fields or texts.
void computeSystem(benchmark::State& state, const SystemCoefficients& k)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(ComputeSystem(k));
}

// clang-format off
const SystemCoefficients kTwoVariables{2, 3, 0, -8, 1, -1, 0, 1, 0, 0, 0, 0};
const SystemCoefficients kThreeVariables{1, 1, 1, -6, 2, -1, 1, -3, 1, 2, -1, -2};
// clang-format on

BENCHMARK_CAPTURE(computeSystem, two_variables, kTwoVariables);
BENCHMARK_CAPTURE(computeSystem, three_variables, kThreeVariables);

[[maybe_unused]] const bool registered = [] {
    for (const auto& panel : kPanels)
        benchmark::RegisterBenchmark((std::string("SolveAndCheck/") + panel.name).c_str(), solveAndCheck, panel);
    return true;
}();

} // namespace
