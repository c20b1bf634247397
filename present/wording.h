// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The working in Chinese: the sentence of each reason, with its formulas
// in place. One sentence template a reason; the formulas are printed by the
// printer the caller chooses (plain text, speech, LaTeX).

#include "formula.h"
#include "working.h"

#include <string>
#include <string_view>

namespace zembrel::present {

// The reason's sentence: "{0}" stands for the first formula, "{1}" for the
// second, "{*}" for all formulas from the next unused one on, joined by "，".
std::string_view Template(engine::Reason reason);

// The step as one sentence, its formulas as plain text (line.h has the
// other forms).
std::string StepText(const engine::Step& step);

} // namespace zembrel::present
