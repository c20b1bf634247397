// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "check.h"
#include "panel.h"
#include "window.h"

#include <array>
#include <memory>
#include <utility>
#include <vector>

namespace zembrel {

void SolveCubic(Window& window); // Command3_Click
void CheckCubic(Window& window); // Command8_Click

// The cubic panel: x³ + p·x + q = 0, one real root.
namespace cubic {

using namespace panel;

// clang-format off
inline constexpr FieldDef p = coefficient("Text10", "p", 2640, 2640, "三次方程 p", "x³ + p·x + q = 0 中的 p");
inline constexpr FieldDef q = coefficient("Text11", "q", 3720, 2640, "三次方程 q", "x³ + p·x + q = 0 中的 q");
inline constexpr FieldDef X = result("Text12", "X", 840, 3000, 4215, kBold10_5, "三次方程 根 X", "x³ + p·x + q = 0 的实根 x");

inline constexpr ButtonDef solve = solveButton("Command3", "X=", {240, 3000, 615, 255}, kBold12, "三次方程 求解");
inline constexpr ButtonDef check = checkButton("Command8", {5040, 3000, 615, 255}, kRegular9, "三次方程 验算");

inline constexpr auto fields = std::to_array<Field>({p, q, X});
inline constexpr auto coefficients = std::to_array<Field>({p, q});

inline constexpr auto layout = std::to_array<PanelItem>({
    naming(p, label("Label1_2", "解不完全三次方程：", {240, 2640, 1935, 255}, kRegular10_5, Rgb{0, 64, 0})),
    label("Label2_5", "X", {2160, 2640, 255, 375}, kBold14_25),
    label("Label4_1", "3", {2280, 2520, 135, 255}, kRegular9),
    label("Label2_6", "+", {2400, 2640, 255, 375}, kBold14_25),
    Field(p),
    label("Label2_7", "X+", {3360, 2640, 375, 375}, kBold14_25),
    Field(q),
    label("Label2_8", "=0", {4440, 2640, 495, 375}, kBold14_25),
    Button(solve),
    Field(X),
    Button(check),
});
// clang-format on

inline constexpr std::array messages{kCheckPassed, kCheckFailed};

inline constexpr std::array<std::string_view, 2> example{"-7", "6"};

// x³ + p·x + q = 0 as the fields read it.
std::shared_ptr<const PanelSolution> Solve(std::vector<Reading> read);

} // namespace cubic

inline constexpr PanelDefinition kCubicPanel{
    .name = "Cubic",
    .title = "不完全三次方程",
    .fields = cubic::fields,
    .layout = cubic::layout,
    .lines = {},
    .messages = cubic::messages,
    .solve = SolveCubic,
    .check = CheckCubic,
    .coefficients = cubic::coefficients,
    .solutionOf = cubic::Solve,
    .example = cubic::example,
};

} // namespace zembrel
