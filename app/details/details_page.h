// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "answer.h"
#include "graph.h"
#include "panel.h"

#include <QScrollArea>

#include <vector>

class QLabel;
class QVBoxLayout;

namespace zembrel {

namespace formula {
class FormulaView;
}

// Lines of words and formulas under an optional caption, each line a
// formula view that Tab reaches and a screen reader reads whole, in Mandarin.
class LinesView final : public QWidget {
    Q_OBJECT

public:
    explicit LinesView(const QString& name, QWidget* parent = nullptr);
    void setLines(const QString& caption, const std::vector<present::Line>& lines);
    // The caption and the lines as plain text, one a line.
    QString plainText() const;
    std::vector<formula::FormulaView*> views() const { return views_; }

private:
    QLabel* caption_ = nullptr;
    QVBoxLayout* layout_ = nullptr;
    std::vector<formula::FormulaView*> views_;
    QStringList plain_;
};

// An answer as a page: the equation as a textbook writes it, notes, the
// kind, the roots or the solution, the working and the graph. It shows what
// it is given; it reads no field and computes nothing.
class AnswerPage : public QScrollArea {
    Q_OBJECT

public:
    explicit AnswerPage(const QString& title, QWidget* parent = nullptr);

    void present(const Answer& answer);
    // While a long analysis runs elsewhere: a note says so and the page as
    // it was is greyed until present() brings the new one.
    void setBusy(bool busy);
    bool busy() const;

    // The page as plain text: equation, notes, kind, roots, working, graph.
    QString plainText() const;
    // The equation, the answer and the working as a LaTeX document.
    QString latexText() const;
    // A section's text as plain text: equation, readings, summary, roots, steps.
    QString sectionText(const QString& name) const;
    // A section's lines, for the tests and for moving the focus to them.
    LinesView* section(const QString& name) const;

    Graph* graph() const { return graph_; }
    bool hasGraph() const;
    const Answer& answer() const { return answer_; }

private:
    QString title_;
    QLabel* busy_ = nullptr;
    LinesView* equation_ = nullptr;
    LinesView* readings_ = nullptr;
    LinesView* summary_ = nullptr;
    LinesView* roots_ = nullptr;
    LinesView* steps_ = nullptr;
    Graph* graph_ = nullptr;
    Answer answer_;
};

// One page of the 解题详情 window: a panel's answer.
class DetailsPage final : public AnswerPage {
    Q_OBJECT

public:
    explicit DetailsPage(const PanelDefinition& panel, QWidget* parent = nullptr);
    const PanelDefinition& panel() const { return panel_; }

private:
    const PanelDefinition& panel_;
};

} // namespace zembrel
