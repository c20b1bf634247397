// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// FormulaView shows a formula, or a line of text with formulas in it, in
// its own font, laid out as a textbook sets it. It wraps to its width
// (heightForWidth) and scrolls sideways what no break can split. Tab reaches
// it; Ctrl+C and its context menu copy the plain text.
//
// For screen readers it is a static text read whole when focused: its name
// is what the caller sets (the spoken form), else the plain text; its
// description and its text interface hold the plain text.

#include "formula_layout.h"

#include <QAbstractScrollArea>

#include <optional>
#include <vector>

namespace zembrel::formula {

class FormulaView : public QAbstractScrollArea {
    Q_OBJECT

public:
    explicit FormulaView(QWidget* parent = nullptr);

    void setFormula(const engine::FormulaPtr& formula);
    void setRuns(std::vector<Run> runs);
    const std::vector<Run>& runs() const { return runs_; }
    QString plainText() const;

    // The layout as drawn now: arranged to the present width, for the
    // present font and device pixel ratio.
    const FormulaLayout& formulaLayout() const;
    // Where the layout lies in the viewport, scrolled.
    QPointF origin() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;

public slots:
    void copy() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    const FormulaLayout& layout() const; // made again for a new font or ratio
    void contentsChanged();
    void arrange();
    qreal widthFor(int viewWidth) const;

    std::vector<Run> runs_;
    mutable std::optional<FormulaLayout> layout_;
};

} // namespace zembrel::formula
