// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// A formula laid out as a textbook draws it: a tree of boxes. Each box has
// a width and reaches `ascent` above and `descent` below its baseline; its
// children sit at offsets from its origin, the left end of its baseline
// (y grows downwards, as on the screen). A box draws itself (a run of
// glyphs, a rule, a shape) and then its children.
//
// Every offset, width and height is a whole number of device pixels, so
// that bars and rules fall on the pixel grid at the ratio the layout was
// made for.

#include <QFont>
#include <QObject>
#include <QPainterPath>
#include <QPointF>
#include <QRectF>
#include <QString>

#include <vector>

class QPainter;

namespace zembrel::formula {

Q_NAMESPACE

// What a box is: for the painter, and for whoever measures a layout.
enum class Part {
    Block,       // the whole layout: its lines one below the other
    Line,        // one line of it
    Group,       // parts side by side: a sum, a product, a sentence
    Glyphs,      // characters in one font: digits, a letter, a sign, a Chinese word
    Minus,       // a minus sign, drawn as a rule: not every face has U+2212
    Fraction,    // Numerator over FractionBar over Denominator
    Numerator,   //
    FractionBar, //
    Denominator, //
    Radical,     // RootIndex (∛), RadicalSign, Overline over Radicand
    RootIndex,   //
    RadicalSign, //
    Overline,    //
    Radicand,    //
    Scripts,     // a Nucleus with a Superscript, a Subscript or both
    Nucleus,     //
    Superscript, //
    Subscript,   //
    Fenced,      // OpenFence, Inside, CloseFence: ( ), [ ], | |, a system's {
    OpenFence,   //
    Inside,      //
    CloseFence,  //
    Array,       // Cells in rows and columns: a matrix, a system's equations
    Cell,        //
};
Q_ENUM_NS(Part)

// How a box draws itself, before its children.
enum class Ink {
    None,
    Text,  // `text` in `font`, its origin `textX` from the box's left
    Rule,  // the box filled: a bar, a rule, a minus sign
    Shape, // `shape` filled: a fence, a radical sign
};

struct Box {
    struct Child;

    Part part = Part::Group;
    Ink ink = Ink::None;
    qreal width = 0;
    qreal ascent = 0;
    qreal descent = 0;
    QString text;
    QFont font;
    qreal textX = 0;
    QPainterPath shape; // from the box's origin
    std::vector<Child> children;

    qreal height() const { return ascent + descent; }
    // The box from its origin.
    QRectF rect() const { return {0, -ascent, width, ascent + descent}; }
};

struct Box::Child {
    QPointF at; // the child's origin from its parent's
    Box box;
};

// Draws the box with its origin at `origin`, in the painter's pen colour.
void paint(const Box& box, QPainter& painter, QPointF origin);

// A wrapper that names its one child: a Numerator, a Radicand, a Cell.
Box named(Part part, Box content);

} // namespace zembrel::formula
