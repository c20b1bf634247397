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
#include "polynomial.h"
#include "solution.h"
#include "textbook.h"

#include <QString>

#include <string>
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

// A real root of a curve y = p(x): as the page writes it, where it lies,
// how often it counts.
struct CurveRoot {
    engine::FormulaPtr shown; // the exact form, or the decimal where there is none
    engine::Real value;
    int multiplicity = 1;
};

// What a graph of y = p(x) shows and says, from the exact answer.
struct Curve {
    std::vector<mpq_class> polynomial; // highest power first
    std::string unknown = "x";
    bool identity = false;                            // 0 = 0: the curve is the axis
    std::vector<CurveRoot> realRoots;                 // ascending
    std::vector<engine::CriticalPoint> turningPoints; // ascending
    engine::textbook::DecimalWriter decimal;          // for values without an exact form
};

// The curve's graph, and its description in words: where it meets the axes,
// its vertex or turning points, where it lies above and below the axis.
GraphModel CurveGraph(const Curve& curve, present::Line& description);

// The exact form where there is one, else the value's decimal.
engine::FormulaPtr ShownOrDecimal(const engine::FormulaPtr& exact, const engine::Real& value,
                                  const engine::textbook::DecimalWriter& decimal);

// The page as text: plain (what 复制 copies) and as a LaTeX document.
QString PlainText(const QString& title, const Answer& answer);
QString LatexText(const Answer& answer);

// A formula of the roots' kind: "（二重根）" after a root of multiplicity 2.
present::Line MultiplicityNote(int multiplicity);

} // namespace zembrel
