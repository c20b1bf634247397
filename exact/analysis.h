// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The exact mathematics of one panel's equation as typed: what each field was
// read as, the kind of equation, every root in exact form, the discriminant,
// vertex, Vieta sums or determinants, and the worked steps. Computed with
// rationals throughout; doubles appear only as the nearest double of a value,
// for display and drawing. The driver's "analyse" command and the 解题详情
// window both show this and compute nothing of their own.

#include <gmpxx.h>

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace zembrel::exact {

// A coefficient field as the panel reads it, in the panel's reading order.
struct FieldText {
    std::string_view field; // wire name, "Text4"
    std::string_view text;
};

// One coefficient as read from its field.
struct Reading {
    std::string field;
    std::string text;
    mpq_class value;   // the number Val's rules read, exactly
    bool whole = true; // the number is the whole text, blanks aside
};

// Val raised a runtime error on a field (a number outside the double range).
struct ReadFailure {
    int number = 6;
    std::string field;
};

// A value in two forms: the machine form of the driver's protocol and the
// textbook form a person reads ("(3 - sqrt(5))/2" and "(3 − √5)/2").
struct Expression {
    std::optional<std::string> exact; // EXPR; none where unknown or over 1000 characters
    std::string textbook;             // Unicode: −, √, i, fractions as a/b
};

struct Root {
    Expression value;
    std::string re;       // DECIMAL, 20 significant digits
    std::string im;       // "0" for a real root
    double reNearest = 0; // the nearest doubles, for display and drawing
    double imNearest = 0;
    int multiplicity = 1;
};

// A point worth marking on a graph: a vertex or turning point.
struct Point {
    Expression x;
    Expression y;
    double xNearest = 0;
    double yNearest = 0;
};

struct Unknown {
    std::string name; // "X", "Y", "Z"
    mpq_class exact;
    std::string decimal; // DECIMAL
    double nearest = 0;
};

struct GeneralUnknown {
    std::string name;
    Expression value; // in the parameters t and s
};

struct Analysis {
    std::string panel; // "Linear", "Quadratic", "Cubic", "System"
    std::vector<Reading> read;
    std::optional<ReadFailure> error; // then nothing below is set
    std::string kind;                 // the protocol's kind word: "two-real", "unique", ...
    std::string summary;              // the kind in one Chinese sentence: "Δ = 0，方程有两个相等的实数根"
    std::vector<Root> roots;          // Linear, Quadratic, Cubic

    std::optional<mpq_class> discriminant; // Quadratic b² − 4ac; Cubic (q/2)² + (p/3)³
    std::optional<mpq_class> vertexX;      // Quadratic, a ≠ 0
    std::optional<mpq_class> vertexY;
    std::optional<mpq_class> sum; // Quadratic, a ≠ 0: sum and product of the roots
    std::optional<mpq_class> product;
    std::vector<Point> turningPoints; // Quadratic: the vertex; Cubic: its real turning points

    int mode = 0; // System: 2 or 3
    std::optional<mpq_class> determinant;
    std::vector<Unknown> solution;       // System, kind "unique"
    std::vector<GeneralUnknown> general; // System, kind "infinite"

    std::vector<std::string> steps; // the worked solution, one line each, Chinese, textbook form
};

Analysis AnalyseLinear(std::span<const FieldText> fields);    // a, b
Analysis AnalyseQuadratic(std::span<const FieldText> fields); // a, b, c
Analysis AnalyseCubic(std::span<const FieldText> fields);     // p, q
// a1, b1, c1, a2, b2, c2, a3, b3, c3, d1, d2, d3: the order the panel reads them
Analysis AnalyseSystem(std::span<const FieldText> fields);

} // namespace zembrel::exact
