// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "check.h"
#include "panel.h"
#include "window.h"

#include <array>
#include <memory>
#include <string_view>
#include <utility>
#include <vector>

namespace zembrel {

void SolveLinear(Window& window); // Command1_Click
void CheckLinear(Window& window); // Command6_Click

// The linear panel: a·x + b = 0.
namespace linear {

using namespace panel;

// clang-format off
inline constexpr FieldDef a = coefficient("Text1", "a", 2160, 120, "一次方程 a", "a·x + b = 0 中的 a");
inline constexpr FieldDef b = coefficient("Text2", "b", 3240, 120, "一次方程 b", "a·x + b = 0 中的 b");
inline constexpr FieldDef X = result("Text3", "X", 840, 480, 4215, kBold10_5, "一次方程 根 X", "a·x + b = 0 的根 x");

inline constexpr ButtonDef solve = solveButton("Command1", "X=", {240, 480, 615, 255}, kBold12, "一次方程 求解");
inline constexpr ButtonDef check = checkButton("Command6", {5040, 480, 615, 255}, kRegular9, "一次方程 验算");

inline constexpr auto fields = std::to_array<Field>({a, b, X});
inline constexpr auto coefficients = std::to_array<Field>({a, b});

inline constexpr auto layout = std::to_array<PanelItem>({
    naming(a, label("Label1_0", "解一元一次方程：", {240, 120, 1815, 255}, kRegular10_5, kNavy)),
    Field(a),
    label("Label2_0", "X+", {2880, 120, 495, 255}, kBold12),
    Field(b),
    label("Label3_0", "=0", {3960, 120, 615, 255}, kBold12),
    Button(solve),
    Field(X),
    Button(check),
});
// clang-format on

inline constexpr std::string_view kZeroCoefficient = "一次项系数不能为0！";
inline constexpr std::array messages{kZeroCoefficient, kCheckPassed, kCheckFailed};

inline constexpr std::array<std::string_view, 2> example{"3", "1"};

// a·x + b = 0 as the fields read it: the root −b/a where a ≠ 0.
std::shared_ptr<const PanelSolution> Solve(std::vector<Reading> read);

} // namespace linear

inline constexpr PanelDefinition kLinearPanel{
    .name = "Linear",
    .title = "一元一次方程",
    .fields = linear::fields,
    .layout = linear::layout,
    .lines = {},
    .messages = linear::messages,
    .solve = SolveLinear,
    .check = CheckLinear,
    .coefficients = linear::coefficients,
    .solutionOf = linear::Solve,
    .example = linear::example,
};

} // namespace zembrel
