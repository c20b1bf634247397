// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "window.h"

#include <string_view>

namespace zembrel {

// The verdicts of the linear, quadratic and cubic checks. A verdict is
// "right" when every root shown lies within 1e-7 of the largest exact root
// from its exact root, as the exact core decides.
inline constexpr std::string_view kCheckPassed = "计算正确";
inline constexpr std::string_view kCheckFailed = "计算可能有误，请刷新后再试。";

inline void showVerdict(Window& window, bool holds)
{
    window.MsgBox(holds ? kCheckPassed : kCheckFailed, MsgBoxStyle::OkOnly);
}

} // namespace zembrel
