// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "number.h"
#include "window.h"

#include <string_view>

namespace zembrel {

// The verdicts of the linear, quadratic and cubic checks.
inline constexpr std::string_view kCheckPassed = "计算正确";
inline constexpr std::string_view kCheckFailed = "计算可能有误，请刷新后再试。";

// The share of S that a check's residual may reach.
inline constexpr double kTolerance = 1e-07;

// Whether a check's residual r is small enough: at most kTolerance of S, the
// sum of the magnitudes of the terms that formed it. Rounding leaves in each
// term an error in proportion to its size, so a fixed bound would fail every
// root of a large equation and pass every root of a tiny one.
inline bool ResidualHolds(Number r, Number S) { return Abs(r) <= kTolerance * S; }

inline void showVerdict(Window& window, bool holds)
{
    window.MsgBox(holds ? kCheckPassed : kCheckFailed, MsgBoxStyle::OkOnly);
}

} // namespace zembrel
