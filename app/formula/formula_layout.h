// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// A formula, or a line of Chinese text with formulas in it, laid out as a
// textbook sets it: stacked fractions, radicals with their overline,
// raised and lowered scripts, fences as tall as what they hold, matrices,
// determinants and systems as arrays. The layout is made for one font and
// one device pixel ratio, so that its bars and rules fall on whole device
// pixels; it is then arranged into lines of a width and drawn with a
// QPainter.
//
// A long formula breaks where a textbook breaks it: before a relation sign
// (the new line starts with it, under the first one), before the sign of a
// sum, between alternatives (或, 且) and the items of a list; a sentence
// breaks between its words. A part no break can split (a wide matrix, a
// long number) runs over the width together with the relation sign before
// it, and FormulaView scrolls it.

#include "box.h"
#include "formula.h"

#include <QFont>
#include <QRectF>
#include <QSizeF>
#include <QString>

#include <limits>
#include <memory>
#include <variant>
#include <vector>

class QPainter;

namespace zembrel::formula {

struct Atom;
class Typesetter;

// A piece of a line: words of text, or a formula.
using Run = std::variant<QString, engine::FormulaPtr>;

// A box where the layout draws it, for measuring.
struct PlacedBox {
    Part part;
    QRectF rect;  // from the layout's top left corner, in logical pixels
    int parent;   // the index of the box it is part of; -1 for the whole
    QString text; // Glyphs: the characters
};

inline constexpr qreal kUnlimited = std::numeric_limits<qreal>::infinity();

class FormulaLayout {
public:
    FormulaLayout(std::vector<Run> runs, const QFont& font, qreal devicePixelRatio);
    FormulaLayout(const engine::FormulaPtr& formula, const QFont& font, qreal devicePixelRatio);
    FormulaLayout(FormulaLayout&&) noexcept;
    FormulaLayout& operator=(FormulaLayout&&) noexcept;
    ~FormulaLayout();

    // Fills lines up to `width` logical pixels wide: on one line when unlimited.
    void arrange(qreal width = kUnlimited);
    // The size arrange(width) would give, without arranging.
    QSizeF sizeFor(qreal width) const;

    QSizeF size() const;
    int lineCount() const;
    // The distance from the top to the first line's baseline.
    qreal baseline() const;
    // Everything on one line.
    qreal naturalWidth() const;
    // The widest part that no break splits: narrower, a line runs over.
    qreal narrowestWidth() const;
    qreal devicePixelRatio() const { return ratio_; }

    // Draws the arranged lines in the painter's pen colour.
    void paint(QPainter& painter, QPointF topLeft) const;

    const Box& root() const { return root_; }
    // Every box of the arranged lines, parents before their parts.
    std::vector<PlacedBox> boxes() const;

    // As the one-line printer writes it: what is copied and read out.
    QString plainText() const;
    const std::vector<Run>& runs() const { return runs_; }

private:
    struct Line {
        std::size_t begin;
        std::size_t end;
        qreal indent;
    };
    std::vector<Line> plan(qreal width) const;
    qreal lineWidth(const Line& line) const;
    QSizeF measure(const std::vector<Line>& lines) const;

    std::vector<Run> runs_;
    qreal ratio_;
    std::unique_ptr<const Typesetter> typesetter_;
    std::vector<Atom> atoms_;
    std::vector<qreal> spaces_; // before each atom, from the one before it
    bool formulaOnly_ = false;  // continuation lines align at the first relation
    qreal strutAscent_ = 0;     // every line is at least as tall as a line of Chinese
    qreal strutDescent_ = 0;
    qreal lineGap_ = 0;
    Box root_;
};

} // namespace zembrel::formula
