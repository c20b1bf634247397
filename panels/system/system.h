// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "panel.h"
#include "window.h"

#include <array>
#include <memory>
#include <string_view>
#include <utility>
#include <vector>

namespace zembrel {

void SolveSystem(Window& window); // Command4_Click
void CheckSystem(Window& window); // Command5_Click

// The system panel: two or three equations ak·X + bk·Y + ck·Z + dk = 0.
namespace system {

using namespace panel;

// clang-format off
inline constexpr FieldDef a1 = coefficient("Text13", "a1", 720, 4080, "方程组 方程1 X系数",
    "第 1 个方程 a·X + b·Y + c·Z + d = 0 中 X 的系数 a");
inline constexpr FieldDef b1 = coefficient("Text14", "b1", 1920, 4080, "方程组 方程1 Y系数",
    "第 1 个方程 a·X + b·Y + c·Z + d = 0 中 Y 的系数 b");
inline constexpr FieldDef c1 = optionalCoefficient("Text15", "c1", 3120, 4080, "方程组 方程1 Z系数",
    "第 1 个方程 a·X + b·Y + c·Z + d = 0 中 Z 的系数 c（可以为空）");
inline constexpr FieldDef d1 = clearedFirst(coefficient("Text9", "d1", 4320, 4080, "方程组 方程1 常数项",
    "第 1 个方程 a·X + b·Y + c·Z + d = 0 的常数项 d（可以为空）"));
inline constexpr FieldDef a2 = coefficient("Text16", "a2", 720, 4440, "方程组 方程2 X系数",
    "第 2 个方程 a·X + b·Y + c·Z + d = 0 中 X 的系数 a");
inline constexpr FieldDef b2 = coefficient("Text17", "b2", 1920, 4440, "方程组 方程2 Y系数",
    "第 2 个方程 a·X + b·Y + c·Z + d = 0 中 Y 的系数 b");
inline constexpr FieldDef c2 = optionalCoefficient("Text18", "c2", 3120, 4440, "方程组 方程2 Z系数",
    "第 2 个方程 a·X + b·Y + c·Z + d = 0 中 Z 的系数 c（可以为空）");
inline constexpr FieldDef d2 = clearedFirst(coefficient("Text25", "d2", 4320, 4440, "方程组 方程2 常数项",
    "第 2 个方程 a·X + b·Y + c·Z + d = 0 的常数项 d（可以为空）"));
inline constexpr FieldDef a3 = optionalCoefficient("Text19", "a3", 720, 4800, "方程组 方程3 X系数",
    "第 3 个方程 a·X + b·Y + c·Z + d = 0 中 X 的系数 a（可以为空）");
inline constexpr FieldDef b3 = optionalCoefficient("Text20", "b3", 1920, 4800, "方程组 方程3 Y系数",
    "第 3 个方程 a·X + b·Y + c·Z + d = 0 中 Y 的系数 b（可以为空）");
inline constexpr FieldDef c3 = optionalCoefficient("Text21", "c3", 3120, 4800, "方程组 方程3 Z系数",
    "第 3 个方程 a·X + b·Y + c·Z + d = 0 中 Z 的系数 c（可以为空）");
inline constexpr FieldDef d3 = clearedFirst(optionalCoefficient("Text26", "d3", 4320, 4800, "方程组 方程3 常数项",
    "第 3 个方程 a·X + b·Y + c·Z + d = 0 的常数项 d（可以为空）"));
inline constexpr FieldDef X = result("Text22", "X", 1080, 5280, 2895, kBold9, "方程组 解 X",
    "方程组 a·X + b·Y + c·Z + d = 0 的解 X");
inline constexpr FieldDef Y = result("Text23", "Y", 1080, 5640, 2895, kBold9, "方程组 解 Y",
    "方程组 a·X + b·Y + c·Z + d = 0 的解 Y");
inline constexpr FieldDef Z = result("Text24", "Z", 1080, 6000, 2895, kBold9, "方程组 解 Z",
    "方程组 a·X + b·Y + c·Z + d = 0 的解 Z（只有 X、Y 两个未知数时为空）");

inline constexpr ButtonDef solve = solveButton("Command4", "解得", {4200, 5280, 1455, 375}, kRegular10_5, "方程组 求解");
inline constexpr ButtonDef check = checkButton("Command5", {4200, 5880, 1455, 375}, kRegular10_5, "方程组 验算");

// The constant terms first, and Y before X, as a reset has always written them.
inline constexpr auto fields = std::to_array<Field>({d1, d2, d3, a1, b1, c1, a2, b2, c2, a3, b3, c3, Y, X, Z});
// Equation by equation through X, Y and Z, then the three constant terms.
inline constexpr auto coefficients = std::to_array<Field>({a1, b1, c1, a2, b2, c2, a3, b3, c3, d1, d2, d3});

inline constexpr auto layout = std::to_array<PanelItem>({
    naming(a1, label("Label1_3", "解二/三元一次方程组：", {240, 3720, 2655, 255}, kRegular10_5, Rgb{128, 0, 0})),

    Field(a1),
    label("Label2_9", "X+", {1560, 4080, 495, 255}, kBold12),
    Field(b1),
    label("Label2_10", "Y+", {2760, 4080, 495, 255}, kBold12),
    Field(c1),
    label("Label3_1", "Z", {3960, 4080, 375, 255}, kBold12, kNavy),
    label("Label2_23", "+", {4080, 4080, 135, 255}, kBold12),
    Field(d1),
    label("Label2_18", "=0", {5040, 4080, 495, 255}, kBold12),

    Field(a2),
    label("Label2_13", "X+", {1560, 4440, 495, 255}, kBold12),
    Field(b2),
    label("Label2_15", "Y+", {2760, 4440, 495, 255}, kBold12),
    Field(c2),
    label("Label3_3", "Z", {3960, 4440, 255, 255}, kBold12, kNavy),
    label("Label2_21", "+", {4080, 4440, 135, 255}, kBold12),
    Field(d2),
    label("Label2_20", "=0", {5040, 4440, 495, 255}, kBold12),

    Field(a3),
    label("Label2_12", "X+", {1560, 4800, 495, 255}, kBold12, kNavy),
    Field(b3),
    label("Label2_14", "Y+", {2760, 4800, 495, 255}, kBold12, kNavy),
    Field(c3),
    label("Label3_2", "Z", {3960, 4800, 255, 255}, kBold12, kNavy),
    label("Label2_22", "+", {4080, 4800, 135, 255}, kBold12, kNavy),
    Field(d3),
    label("Label2_19", "=0", {5040, 4800, 495, 255}, kBold12, kNavy),

    Button(solve),
    Button(check),

    naming(X, label("Label2_11", "X=", {720, 5280, 495, 255}, kBold12)),
    Field(X),
    naming(Y, label("Label2_16", "Y=", {720, 5640, 375, 375}, kBold12)),
    Field(Y),
    naming(Z, label("Label2_17", "Z=", {720, 6000, 495, 255}, kBold12, kNavy)),
    Field(Z),
});

// Two left braces: one groups the equations, one the results.
inline constexpr std::array lines{
    Line{"Line2_0", 720, 4080, 600, 4200},
    Line{"Line1_0", 600, 4200, 600, 4440},
    Line{"Line5_2", 600, 4440, 480, 4560},
    Line{"Line6_2", 480, 4560, 600, 4680},
    Line{"Line3_2", 600, 4680, 600, 4920},
    Line{"Line4_0", 600, 4920, 720, 5040},

    Line{"Line2_1", 720, 5280, 600, 5400},
    Line{"Line1_1", 600, 5400, 600, 5640},
    Line{"Line5_1", 600, 5640, 480, 5760},
    Line{"Line6_1", 480, 5760, 600, 5880},
    Line{"Line3_1", 600, 5880, 600, 6120},
    Line{"Line4_1", 600, 6120, 720, 6240},
};
// clang-format on

inline constexpr std::string_view kMissingVariable = "请保证X、Y为有效元，其系数三个方程不能同时为零";
inline constexpr std::string_view kParallelLines = "两直线平行，方程组无解！";
inline constexpr std::string_view kCoincidentLines = "两直线重合，方程组有无数组解！";
inline constexpr std::string_view kSingularSolve
    = "方程组可能无解或不定方程有无数解，请重新调整顺序，或将数据输入完整后再试！";
inline constexpr std::string_view kSingularCheck = "方程组可能无解，或重新调整顺序后再试！";
inline constexpr std::string_view kSolutionRight = "方程组解正确！";
inline constexpr std::string_view kSolutionWrong = "方程组解可能有误，请重新调整顺序后再试！";
inline constexpr std::array messages{kMissingVariable, kParallelLines, kCoincidentLines, kSingularSolve,
                                     kSingularCheck,   kSolutionRight, kSolutionWrong};

inline constexpr std::array<std::string_view, 12> example{"2", "3", "", "1", "-1", "", "", "", "", "-7", "-1", ""};

// The equations as the fields read them.
std::shared_ptr<const PanelSolution> Solve(std::vector<Reading> read);

} // namespace system

inline constexpr PanelDefinition kSystemPanel{
    .name = "System",
    .title = "方程组",
    .fields = system::fields,
    .layout = system::layout,
    .lines = system::lines,
    .messages = system::messages,
    .solve = SolveSystem,
    .check = CheckSystem,
    .coefficients = system::coefficients,
    .solutionOf = system::Solve,
    .example = system::example,
};

} // namespace zembrel
