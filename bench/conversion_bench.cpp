// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Val, Format under each result pattern, and Str, on representative values.

#include "conversion.h"

#include <benchmark/benchmark.h>

#include <string>
#include <string_view>

using namespace zembrel;

namespace {

struct TextCase {
    const char* name;
    std::string_view text;
};

// clang-format off
constexpr TextCase kValCases[] = {
    {"integer", "2"},
    {"sign_exponent_letters", " -1.5e2x"},
    {"fifteen_digits", "3.14159265358979"},
    {"blanks_inside", "  12 34.5 e 3"},
    {"thirty_digits", "123456789012345678901234567890"},
    {"no_number", "abc"},
};
// clang-format on

struct ValueCase {
    const char* name;
    double value;
};

// 1000000000000005 lies exactly halfway at the fifteenth digit; the near
// ties read "500" after it at eighteen digits but are no halves. Each needs
// more digits than the usual eighteen; their exact expansions have 16, 51
// and 750.
// clang-format off
constexpr ValueCase kNumberCases[] = {
    {"two", 2.0},
    {"third", 1.0 / 3.0},
    {"minus_quarter", -0.25},
    {"exact_tie", 1000000000000005.0},
    {"near_tie", 9.854574305774495},
    {"near_tie_tiny", 4.268313106413535e-300},
    {"largest", 1.7976931348623157e308},
    {"tiny", 1.5e-20},
};
// clang-format on

// clang-format off
constexpr std::string_view kPatterns[] = {
    kEighteenDecimals,
    kSixteenDecimals,
    kTwelveDecimals,
};
// clang-format on

[[maybe_unused]] const bool registered = [] {
    for (const auto& c : kValCases) {
        benchmark::RegisterBenchmark((std::string("Val/") + c.name).c_str(), [text = c.text](benchmark::State& state) {
            for (auto _ : state)
                benchmark::DoNotOptimize(Val(text));
        });
    }
    for (const auto pattern : kPatterns) {
        const std::string decimals = std::to_string(pattern.size() - 2);
        for (const auto& c : kNumberCases) {
            const std::string name = "Format" + decimals + "/" + c.name;
            benchmark::RegisterBenchmark(name.c_str(), [pattern, value = c.value](benchmark::State& state) {
                for (auto _ : state)
                    benchmark::DoNotOptimize(Format(value, pattern));
            });
        }
    }
    for (const auto& c : kNumberCases) {
        benchmark::RegisterBenchmark((std::string("Str/") + c.name).c_str(),
                                     [value = c.value](benchmark::State& state) {
                                         for (auto _ : state)
                                             benchmark::DoNotOptimize(Str(value));
                                     });
    }
    return true;
}();

} // namespace
