// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// What a page of 解题详情 shows of a panel's solution, as lines of words and
// formulas: the equation as read, notes on texts that were not wholly
// numbers, the kind, the roots or the solution, the working and the graph
// with its description. Made without a widget, so that it can be made on
// any thread: writing out a million-digit number takes long.

#include "graph.h"
#include "line.h"
#include "solution.h"

#include <QString>

#include <vector>

namespace zembrel {

struct Answer {
    std::vector<present::Line> heading; // the equation or the system as read
    std::vector<present::Line> notes;   // how texts that were not wholly numbers were read
    present::Line summary;
    QString resultsCaption; // 根, 解
    std::vector<present::Line> results;
    std::vector<present::Line> working;
    GraphModel graph;
    QString graphName;
    present::Line graphDescription;
};

Answer AnswerOf(const PanelSolution& solution);

// The page as text: plain (what 复制 copies) and as a LaTeX document.
QString PlainText(const QString& title, const Answer& answer);
QString LatexText(const Answer& answer);

// A formula of the roots' kind: "（二重根）" after a root of multiplicity 2.
present::Line MultiplicityNote(int multiplicity);

} // namespace zembrel
