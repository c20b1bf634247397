// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// A whole solve and check of each panel, through the event table and the
// recording window, as one button press after the other.

#include "million_digits.h"
#include "panels.h"
#include "recording_window.h"

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

const std::string kMillionDigits = MillionDigits();

// clang-format off
const PanelCase kPanels[] = {
    {"linear", {{linear::a, "2"}, {linear::b, "-4"}}, linear::solve, linear::check},
    {"linear_inexact", {{linear::a, "3"}, {linear::b, "1"}}, linear::solve, linear::check},
    {"quadratic_real", {{quadratic::a, "1"}, {quadratic::b, "-3"}, {quadratic::c, "2"}}, quadratic::solve,
     quadratic::check},
    {"quadratic_complex", {{quadratic::a, "1"}, {quadratic::b, "2"}, {quadratic::c, "5"}}, quadratic::solve,
     quadratic::check},
    {"cubic", {{cubic::p, "-6"}, {cubic::q, "-9"}}, cubic::solve, cubic::check},
    {"cubic_three_roots", {{cubic::p, "-3"}, {cubic::q, "1"}}, cubic::solve, cubic::check},
    {"system_two",
     {{system::a1, "2"}, {system::b1, "3"}, {system::d1, "-8"},
      {system::a2, "1"}, {system::b2, "-1"}, {system::d2, "1"}},
     system::solve, system::check},
    {"system_three",
     {{system::a1, "1"}, {system::b1, "1"}, {system::c1, "1"}, {system::d1, "-6"},
      {system::a2, "1"}, {system::b2, "-1"}, {system::c2, "2"}, {system::d2, "-5"},
      {system::a3, "2"}, {system::b3, "1"}, {system::c3, "-1"}, {system::d3, "-1"}},
     system::solve, system::check},
    {"linear_million", {{linear::a, kMillionDigits}, {linear::b, "-7"}}, linear::solve, linear::check},
    {"quadratic_million", {{quadratic::a, "1"}, {quadratic::b, kMillionDigits}, {quadratic::c, "-2"}},
     quadratic::solve, quadratic::check},
    {"cubic_million", {{cubic::p, kMillionDigits}, {cubic::q, "-5"}}, cubic::solve, cubic::check},
    {"system_million",
     {{system::a1, kMillionDigits}, {system::b1, "1"}, {system::c1, "1"}, {system::d1, "-6"},
      {system::a2, "1"}, {system::b2, "-1"}, {system::c2, "2"}, {system::d2, "-5"},
      {system::a3, "2"}, {system::b3, "1"}, {system::c3, "-1"}, {system::d3, "-1"}},
     system::solve, system::check},
};
// clang-format on

// Each press pair on a new input: the first field's text alternates with
// the same number and a blank after it, so that every solve makes its
// solution afresh (the check then shares it, as it does for a user).
void solveAndCheck(benchmark::State& state, const PanelCase& panel)
{
    HeadlessSession session([](const Recorded&) {}, false);
    for (const auto& [field, text] : panel.fields)
        session.type(field, text);
    const auto& [first, text] = panel.fields.front();
    const std::string texts[] = {std::string(text), std::string(text) + " "};
    std::size_t turn = 0;
    for (auto _ : state) {
        session.type(first, texts[turn++ % 2]);
        session.click(panel.solve);
        session.click(panel.check);
    }
}

[[maybe_unused]] const bool registered = [] {
    for (const auto& panel : kPanels)
        benchmark::RegisterBenchmark((std::string("SolveAndCheck/") + panel.name).c_str(), solveAndCheck, panel);
    return true;
}();

} // namespace
