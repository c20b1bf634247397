// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Equations and inequalities as a student types them into 输入方程, read as
// written: "(x − 1)(x + 2) = 3", "２ｘ＋１＝０", "2x−1>3，x+5≤12".
//
// How a text travels:
//   UTF-8 → characters, full-width forms read as their ASCII forms
//   → tokens, one statement at a time (statements end at a line break or at
//     , ， ; ； 、; empty ones are skipped)
//   → a parse tree for each side (Expr), kept as typed for showing it and for
//     the working
//   → each side expanded into an exact Polynomial, within the limits of
//     typed_limits.h, and the statement's difference, left − right.
// Every statement is read before any is expanded: an error of writing
// (a character, a number, a bracket, an operator, a relation, too many
// unknowns, too deep a nesting) anywhere in the text is told before an error
// of the algebra (an exponent, a divisor, a degree, a size). Within each
// kind the first statement's error is told, and within a statement its
// characters are checked before its grammar.
//
// The grammar, loosest first:
//   statement := side relation side
//   side      := sum
//   sum       := [sign] product {sign [sign] product}
//   product   := factor {(× | ÷) [sign] factor | factor}   no sign: implicit ×,
//                                                           a factor not a number
//   factor    := postfix [^ [sign] factor]                 ^ binds to the right
//   postfix   := atom {superscript digits}
//   atom      := number | letter | ( sum ) | [ sum ]
// So 1/2x is (1/2)·x, −x² is −(x²), and 2^−1 is an exponent out of range.
// After an operator, a sign between terms included, an operand may carry one
// sign of its own ("x − −y", "2·−3"); at the start of a side or of brackets
// one sign only ("--x" is an error).

#include "multivariate.h"
#include "typed_limits.h"

#include <gmpxx.h>

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace zembrel::typed {

// Code-point indices into the text, [begin, end).
struct Span {
    std::size_t begin = 0;
    std::size_t end = 0;
    bool operator==(const Span&) const = default;
};

// Left against right: ≤ ≦ ⩽ <= are LessEqual, ≥ ≧ ⩾ >= GreaterEqual.
enum class Relation { Equal, Less, Greater, LessEqual, GreaterEqual };

// How a child joins its parent, as typed: its sign in a Sum (None for a
// first term typed without one), its operator in a Product (None for the
// first factor), ^ or superscript digits for a Power's exponent.
enum class Joint {
    None,
    Plus,
    Minus,       // - or −
    Implicit,    // 2x, (x−1)(x+2)
    Asterisk,    // *
    Cross,       // ×
    Dot,         // · or ⋅
    Slash,       // /
    Obelus,      // ÷
    Caret,       // ^
    Superscript, // x²
};

enum class Bracket { Round, Square };

// A number as typed: its exact value and its text in ASCII ("2.50",
// "1e-3"; full-width digits read as ASCII ones, − as -).
struct Literal {
    mpq_class value;
    std::string text;
};

// One node of the parse tree. Division is a joint of a product, not a node
// of its own, and a sign is a joint of a sum, so "a/b/c" and "1 − 2 + 3"
// stay flat, as written; a sign after an operator ("2·−3", "x + −y") is a
// Sum of one signed term.
struct Expr {
    enum class Kind {
        Number,  // number
        Unknown, // unknown
        Sum,     // children, each with its sign as joint
        Product, // children, each with its operator as joint; a divisor follows Slash or Obelus
        Power,   // children: base, exponent (joint Caret or Superscript)
        Group,   // children: what the brackets hold
    };

    Kind kind = Kind::Number;
    Joint joint = Joint::None;
    Span span;
    // Where the joint's character stands: the sign or operator; the child
    // itself for Implicit and None; the first digit for Superscript. Errors
    // that an operation makes are told here.
    std::size_t jointAt = 0;
    std::optional<Literal> number;    // Number only
    std::size_t unknown = 0;          // Unknown: index into Reading::unknowns
    Bracket bracket = Bracket::Round; // Group
    std::vector<Expr> children;
};

struct Statement {
    Expr left;
    Expr right;
    Relation relation = Relation::Equal;
    Span span;             // the whole statement, from its first token to its last
    Span relationSpan;     // its relation sign ("<=" is two characters)
    Polynomial difference; // left − right, expanded and collected
};

struct Reading {
    std::vector<char> unknowns;        // lower-case letters, in the order of first appearance in the text
    std::vector<Statement> statements; // in the order typed
};

enum class ErrorKind {
    Empty,              // no statement at all (at: null)
    InvalidText,        // not UTF-8 (at: the first byte that is not, counted as one character)
    UnknownCharacter,   // detail: the character
    ReservedLetter,     // e or i as an unknown; detail: the letter
    MalformedNumber,    // a point without digits, a second point
    MissingOperator,    // a number right after a number: "2 3"
    NumberAfterFactor,  // a number right after a letter, a bracket or an exponent: "x2", "(x+1)2"
    UnmatchedOpen,      // at the bracket left open
    UnmatchedClose,     // at the bracket that closes nothing (or the other kind)
    EmptyBrackets,      // at the opening bracket
    MissingOperand,     // at the operator without its operand ("2+ = 3", "*x = 1"); detail: the operator
    MissingRelation,    // at the statement's first character
    TwoRelations,       // at the second relation; detail: it
    EmptySide,          // at the relation sign; detail: it
    NestingTooDeep,     // at the bracket or ^ beyond kMaxNesting levels
    TooManyUnknowns,    // at the first appearance of the unknown beyond kMaxUnknowns; detail: it
    ExponentNotWhole,   // at the exponent: not a whole number 0…kMaxExponent, or written with an unknown
    DivisorWithUnknown, // at the divisor
    DivisionByZero,     // at the divisor
    ZeroToPowerZero,    // at the ^ or superscript
    DegreeOver100,      // at the operator (or ^) whose result has a degree over kMaxDegree
    TooLarge,           // at the operator (or number) beyond the other limits of typed_limits.h
};
inline constexpr std::size_t kErrorKinds = static_cast<std::size_t>(ErrorKind::TooLarge) + 1;

struct ReadError {
    ErrorKind kind = ErrorKind::Empty;
    std::optional<std::size_t> at; // code-point index of the first character at fault
    std::string detail;            // UTF-8, as typed
    bool operator==(const ReadError&) const = default;
};

std::variant<Reading, ReadError> Read(std::string_view utf8);

// One side, or any part of it, expanded as Read expands it, within the same
// limits; `unknowns` is the count the Reading lists.
std::variant<Polynomial, ReadError> Expand(const Expr& expr, std::size_t unknowns);

// The sentence a student reads: "括号不配对：缺少右括号".
std::string Message(const ReadError& error);

} // namespace zembrel::typed
