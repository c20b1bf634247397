// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "wording.h"

#include "line.h"

#include <algorithm>
#include <array>
#include <utility>

namespace zembrel::present {

namespace {

using engine::Reason;

// clang-format off
constexpr std::array kTemplates{
    std::pair{Reason::Equation,                "方程 {0}（{*}）"},
    std::pair{Reason::MoveConstant,            "移项，得 {0}"},
    std::pair{Reason::DivideByCoefficient,     "两边同除以未知数的系数，得 {0}"},
    std::pair{Reason::EveryNumberSolves,       "{0} 恒成立，任意实数 x 都是方程的解"},
    std::pair{Reason::NoNumberSolves,          "{0} 不成立，方程无解"},
    std::pair{Reason::Discriminant,            "{0}"},
    std::pair{Reason::TwoRealRoots,            "{0}，方程有两个不相等的实数根"},
    std::pair{Reason::OneDoubleRoot,           "{0}，方程有两个相等的实数根"},
    std::pair{Reason::NoRealRoots,             "{0}，方程没有实数根，在复数范围内有两个共轭虚数根"},
    std::pair{Reason::QuadraticFormula,        "由求根公式 {0}，得"},
    std::pair{Reason::ComplexQuadraticFormula, "在复数范围内 {0}，得"},
    std::pair{Reason::DoubleRootFormula,       "{0}"},
    std::pair{Reason::Roots,                   "{*}"},
    std::pair{Reason::Vieta,                   "根与系数的关系：{0}，{1}"},
    std::pair{Reason::Vertex,                  "抛物线 {0} 的顶点为 {1}，对称轴为直线 {2}"},
    std::pair{Reason::Factorised,              "因式分解：{0}"},
    std::pair{Reason::CubicDiscriminant,       "{0}"},
    std::pair{Reason::TripleZeroRoot,          "{p=q=0}，方程即 {0}，有三个相等的实数根"},
    std::pair{Reason::CubicRepeatedRoots,      "{Δ=0} 且 {p≠0}，方程有三个实数根，其中两个相等：{0}，{1}"},
    std::pair{Reason::Cardano,                 "{Δ>0}，方程有一个实数根和两个共轭虚数根；由卡尔达诺公式 {0}"},
    std::pair{Reason::Trigonometric,           "{Δ<0}，方程有三个不相等的实数根；用三角函数法 {0}，其中 {1}，{k=0,1,2}"},
    std::pair{Reason::RationalRootFound,       "{0} 是方程的有理根，因式分解：{1}"},
    std::pair{Reason::NoRationalSearch,        "系数过长，不再寻找有理根；以下为精确到二十位有效数字的近似值"},
    std::pair{Reason::MoveTerms,               "移项：{0}"},
    std::pair{Reason::Expand,                  "去括号：{0}"},
    std::pair{Reason::Collect,                 "合并同类项：{0}"},
    std::pair{Reason::ClearDenominators,       "两边同乘 {0}，化为整数系数：{1}"},
    std::pair{Reason::RationalRootCandidates,  "由有理根定理，有理根只可能是常数项的约数除以首项系数的约数，取正号或负号：{*}"},
    std::pair{Reason::TryRoot,                 "试根：{0}"},
    std::pair{Reason::Divide,                  "用多项式除法：{0}"},
    std::pair{Reason::SolveFactor,             "解 {0}，得 {*}"},
    std::pair{Reason::NumericRoots,            "{0} 没有有理根，也没有教材中的求根公式，用数值方法求得（每位数字都经过验证）：{*}"},
    std::pair{Reason::System,                  "方程组 {0}"},
    std::pair{Reason::XYOnly,                  "Z 的系数都为零，按二元一次方程组求解"},
    std::pair{Reason::SystemDeterminant,       "系数行列式 {0}"},
    std::pair{Reason::CramerUnknown,           "{0}，{1}"},
    std::pair{Reason::SwapEquations,           "交换第 {0} 个和第 {1} 个方程：{2}"},
    std::pair{Reason::ScaleEquation,           "第 {0} 个方程两边乘以 {1}：{2}"},
    std::pair{Reason::AddMultiple,             "第 {0} 个方程加上第 {2} 个方程的 {1} 倍：{3}"},
    std::pair{Reason::Contradiction,           "出现矛盾的方程 {0}，方程组无解"},
    std::pair{Reason::UniqueSolution,          "方程组的解为 {*}"},
    std::pair{Reason::GeneralSolution,         "令自由未知数为 {0}（任意实数），通解为 {*}"},
    std::pair{Reason::BoundaryRoots,           "解方程 {0}，得 {*}"},
    std::pair{Reason::NoBoundaryRoots,         "方程 {0} 没有实数根"},
    std::pair{Reason::SignTable,               "各区间上的符号：{0}"},
    std::pair{Reason::SolutionSet,             "所以解集为 {0}，即 {1}"},
    std::pair{Reason::Intersection,            "各不等式的解集的公共部分：{*}"},
    std::pair{Reason::EquationAsTyped,         "解方程 {0}"},
    std::pair{Reason::SystemAsTyped,           "解方程组 {0}"},
    std::pair{Reason::InequalityAsTyped,       "解不等式 {0}"},
    std::pair{Reason::InequalitiesAsTyped,     "解不等式组 {0}"},
    std::pair{Reason::EveryValueSolves,        "{0} 恒成立，{1} 取任意实数都是方程的解"},
    std::pair{Reason::NamePolynomial,          "记 {0}"},
    std::pair{Reason::NoCandidateIsRoot,       "逐一检验，这些数都不是 {0} 的根，方程没有有理根"},
    std::pair{Reason::CommonFactor,            "提取公因式 {0}，得 {1}"},
    std::pair{Reason::EquationRoots,           "所以原方程的解为 {*}"},
    std::pair{Reason::StandardForm,            "移项、合并同类项，整理得 {0}"},
    std::pair{Reason::EverySolution,           "{0} 对任意实数都成立，解集为 {1}"},
    std::pair{Reason::NoSolutionSet,           "{0} 对任何实数都不成立，无解"},
    std::pair{Reason::NoCommonPart,            "各不等式的解集没有公共部分，不等式组无解"},
};
// clang-format on

} // namespace

std::string_view Template(Reason reason)
{
    for (const auto& [r, text] : kTemplates) {
        if (r == reason)
            return text;
    }
    return "{*}";
}

std::string StepText(const engine::Step& step) { return PlainLine(StepLine(step)); }

} // namespace zembrel::present
