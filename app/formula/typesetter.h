// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Turns a formula into boxes. The top level of a formula stays a row of
// atoms, each with its spacing class and whether a line may begin with it,
// so that a long formula can be broken where a textbook breaks it; every
// part below the top level is packed into one box.
//
// Sizes follow the textbook's four styles: a fraction's parts are a step
// smaller than the fraction's own style, scripts and a root's index two.

#include "box.h"
#include "formula.h"

#include <QFont>
#include <QRectF>

#include <array>
#include <vector>

namespace zembrel::formula {

enum class Style { Display, Text, Script, ScriptScript };

// How an atom is spaced from its neighbours.
enum class Class {
    Ord,   // a number, a letter, a fenced formula
    Op,    // a function's name with its argument: cos(x)
    Bin,   // + − ± × ∪ between two terms
    Rel,   // = ≈ ≠ < > ≤ ≥
    Punct, // the comma of a list or an interval
    Inner, // a fraction
    Word,  // 或, 且
    Text,  // words of a sentence the formula stands in
};

// Whether a line may begin with an atom, and how good a place that is.
enum class Break {
    None,
    Item,     // the next item of a list, the next alternative (或), a word of text
    Relation, // = ≈ …: the line begins with the relation, under the first one
    Sign,     // + − ± ∪: the line begins with the sign, past the first relation
};

struct Atom {
    Box box;
    Class type = Class::Ord;
    Break breakBefore = Break::None;
};

// What a style draws with.
struct Metrics {
    QFont upright;
    QFont italic;
    qreal em = 0;        // the font's size in pixels
    qreal axis = 0;      // the height of a fraction bar's middle: the middle of "+"
    qreal rule = 0;      // the thickness of bars and rules
    qreal xHeight = 0;   // the height of "x"
    QRectF plusInk;      // a minus sign is as long as the bar of "+"
    qreal fenceHalf = 0; // half the height of a "(" of the face, about the axis
};

class Typesetter {
public:
    Typesetter(const QFont& font, qreal devicePixelRatio);

    // The formula's top level as atoms: a chain, a sum, alternatives and
    // lists are spread out; anything else is one atom.
    std::vector<Atom> atoms(const engine::Formula& formula, Style style = Style::Display) const;
    // A sentence as atoms, one per place where a line may break.
    std::vector<Atom> textAtoms(const QString& text) const;
    // The space between two neighbouring atoms.
    qreal space(const Atom& left, const Atom& right, Style style = Style::Display) const;

    Box box(const engine::Formula& formula, Style style) const;

    const Metrics& metrics(Style style) const;
    qreal snap(qreal length) const;   // to the nearest device pixel
    qreal snapUp(qreal length) const; // to the device pixel at or above
    // The font of text around the formula.
    const QFont& textFont() const { return textFont_; }

private:
    Box pack(const std::vector<Atom>& atoms, Style style) const;
    Box glyphs(const QString& text, const QFont& font) const;
    Box mark(const QString& text, const QFont& font) const;
    qreal sideBearing(const QFont& font) const;
    QRectF inkOf(const QString& text, const QFont& font) const;
    Metrics metricsFor(const QFont& base, int pixels) const;
    Atom sign(engine::Sign sign, bool first, Style style) const;
    Box minus(Style style) const;
    Box number(const std::string& digits, Style style) const;
    Box name(const std::string& text, Style style, bool beforeScripts = false) const;
    Box symbol(const engine::Formula& formula, Style style) const;
    Box power(const engine::Formula& formula, Style style) const;
    Box decimal(const engine::Formula& formula, Style style) const;
    Box fraction(const Box& numerator, const Box& denominator, Style style) const;
    Box radical(const Box& radicand, int index, Style style) const;
    Box scripts(Box nucleus, const Box* superscript, const Box* subscript, Style style) const;
    enum class Fence { None, Parenthesis, Bracket, Bar, Brace };
    Box fenced(Box inside, Fence open, Fence close, Style style) const;
    Box fence(Fence kind, bool opening, qreal top, qreal bottom, Style style) const;
    Box array(const engine::Formula& formula, Style style, bool centred) const;
    // The formula as a factor, a term, a base or an operand: in parentheses
    // when it would otherwise read differently.
    Box grouped(const engine::Formula& formula, bool parentheses, Style style) const;
    void spread(const engine::Formula& formula, Style style, std::vector<Atom>& atoms) const;
    void append(std::vector<Atom>& atoms, const engine::Formula& formula, Style style, Break breakBefore) const;

    qreal ratio_;
    QFont textFont_;
    std::array<Metrics, 3> metrics_; // Display and Text, Script, ScriptScript
};

} // namespace zembrel::formula
