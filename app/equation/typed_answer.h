// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// What the 输入方程 page shows of a typed solution, as lines of words and
// formulas in the 解题详情 page's sections: the statements as read, the
// kind, the roots, the solution or the solution set, the working and the
// graph with its description; or what is wrong with the text. Made
// without a widget, so that it can be made on any thread.

#include "answer.h"
#include "typed_solution.h"

#include <QString>

#include <string_view>

namespace zembrel {

Answer AnswerOf(const typed::TypedSolution& solution, std::string_view text);

// Where an error points, in the text's UTF-16 units (a QString's
// positions) from its code-point index; none where it points nowhere.
std::optional<qsizetype> ErrorPosition(const typed::TypedSolution& solution, const QString& text);

} // namespace zembrel
