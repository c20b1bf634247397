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

void SolveQuadratic(Window& window); // Command2_Click
void CheckQuadratic(Window& window); // Command7_Click

// The quadratic panel: a·x² + b·x + c = 0, with two real roots or two
// conjugate complex ones.
namespace quadratic {

using namespace panel;

// clang-format off
inline constexpr FieldDef a = coefficient("Text4", "a", 2160, 1200, "二次方程 a", "a·x² + b·x + c = 0 中的 a");
inline constexpr FieldDef b = coefficient("Text5", "b", 3360, 1200, "二次方程 b", "a·x² + b·x + c = 0 中的 b");
inline constexpr FieldDef c = coefficient("Text6", "c", 4440, 1200, "二次方程 c", "a·x² + b·x + c = 0 中的 c");
inline constexpr FieldDef X1 = result("Text7", "X1", 840, 1560, 4215, kBold10_5, "二次方程 根 X1", "a·x² + b·x + c = 0 的根 x1");
inline constexpr FieldDef X2 = result("Text8", "X2", 840, 1920, 4215, kBold10_5, "二次方程 根 X2", "a·x² + b·x + c = 0 的根 x2");

inline constexpr ButtonDef solve = wrapping(solveButton("Command2", "X1= X2=", {240, 1560, 615, 615}, kBold12, "二次方程 求解"));
inline constexpr ButtonDef check = checkButton("Command7", {5040, 1560, 615, 615}, kRegular9, "二次方程 验算");

inline constexpr auto fields = std::to_array<Field>({a, b, c, X1, X2});
inline constexpr auto coefficients = std::to_array<Field>({a, b, c});

inline constexpr auto layout = std::to_array<PanelItem>({
    naming(a, label("Label1_1", "解一元二次方程：", {240, 1200, 1695, 255}, kRegular10_5, Rgb{64, 0, 0})),
    Field(a),
    label("Label2_1", "X", {2880, 1200, 255, 375}, kBold14_25),
    label("Label4_0", "2", {3000, 1080, 135, 255}, kRegular9),
    label("Label2_2", "+", {3120, 1200, 255, 375}, kBold14_25),
    Field(b),
    label("Label2_3", "X+", {4080, 1200, 375, 375}, kBold14_25),
    Field(c),
    label("Label2_4", "=0", {5160, 1200, 495, 375}, kBold14_25, kBlack),
    Button(solve),
    Field(X1),
    Field(X2),
    Button(check),
});
// clang-format on

inline constexpr std::string_view kZeroLeadingCoefficient = "一元二次方程二次项系数不能为0！";
inline constexpr std::string_view kComplexRoots = "请注意：方程有两个共轭虚数根。";
inline constexpr std::string_view kNoRealRoots = "方程无实数解！";
inline constexpr std::array messages{kZeroLeadingCoefficient, kComplexRoots, kNoRealRoots, kCheckPassed, kCheckFailed};

inline constexpr std::array<std::string_view, 3> example{"1", "-3", "1"};

// a·x² + b·x + c = 0 as the fields read it; with a = 0 the linear equation b·x + c = 0.
std::shared_ptr<const PanelSolution> Solve(std::vector<Reading> read);

} // namespace quadratic

inline constexpr PanelDefinition kQuadraticPanel{
    .name = "Quadratic",
    .title = "一元二次方程",
    .fields = quadratic::fields,
    .layout = quadratic::layout,
    .lines = {},
    .messages = quadratic::messages,
    .solve = SolveQuadratic,
    .check = CheckQuadratic,
    .coefficients = quadratic::coefficients,
    .solutionOf = quadratic::Solve,
    .example = quadratic::example,
};

} // namespace zembrel
