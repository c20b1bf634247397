// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// A formula as a tree: what the engine answers with wherever it writes
// mathematics (a root's exact form, a step of the working). Printers turn
// the tree into plain text, the protocol's EXPR, LaTeX, speech and a drawn
// layout; none of them parses text back, and the engine writes no text.
//
// Trees are immutable and share their subtrees. Numbers in a tree are never
// negative: a minus is a Negative node or a sign of a Sum, so that every
// printer sees it and none has to look inside a number.

#include <gmpxx.h>

#include <initializer_list>
#include <memory>
#include <span>
#include <string>
#include <utility>
#include <vector>

namespace zembrel::engine {

struct Formula;
using FormulaPtr = std::shared_ptr<const Formula>;

// How a term joins a sum.
enum class Sign { Plus, Minus, PlusMinus };

// A relation between the two sides around it.
enum class Relation { Equal, Approx, NotEqual, Less, Greater, LessEqual, GreaterEqual };

struct Formula {
    enum class Kind {
        Integer,  // a whole number ≥ 0: integer
        Decimal,  // a decimal ≥ 0 in digits: text × 10^exponent, e.g. "2.8", "1.5" × 10⁻¹¹
        Symbol,   // a name with an optional subscript: x, x₁, a₂, Δ, D_x, i, π, ∞
        Negative, // −a
        Sum,      // a + b − c ± d: children with signs; the first sign may be Minus
        Product,  // 2x, 4ac, 3√2 side by side; or with × between them when timesShown
        Fraction, // a over b
        Power,    // a to the power b
        Root,     // the index-th root of a (2: √a, 3: ∛a)
        Function, // text(a): cos, arccos
        Chain,    // a = b ≈ c: children with relations between them
        Matrix,   // cells row by row, `columns` to a row; bars (a determinant) when `bars`
        Cases,    // equations under one left brace: a system
        Interval, // from children[0] to children[1] (nullptr: infinite); closedLeft, closedRight
        Union,    // A ∪ B ∪ …
        Or,       // a 或 b 或 …: alternatives
        And,      // a 且 b: conditions that hold together
        List,     // a, b, c: several formulas side by side (x₁ = 1, x₂ = 2)
        Point,    // (a, b): a point's coordinates
    };

    explicit Formula(Kind k) : kind(k) {}

    Kind kind;
    mpz_class integer;     // Integer
    std::string text;      // Decimal: its digits with at most one point; Symbol and Function: the name
    long exponent = 0;     // Decimal: the power of ten the digits are multiplied by (0: none shown)
    std::string subscript; // Symbol: "1" in x₁, "x" in D_x; empty for none
    std::vector<FormulaPtr> children;
    std::vector<Sign> signs;         // Sum: one per child
    std::vector<Relation> relations; // Chain: one between each two children
    bool timesShown = false;         // Product
    bool bars = false;               // Matrix
    bool closedLeft = false;         // Interval
    bool closedRight = false;        // Interval
    int index = 2;                   // Root
    std::size_t columns = 0;         // Matrix

    std::size_t rows() const { return columns == 0 ? 0 : children.size() / columns; }
};

// ---- building formulas ------------------------------------------------------

// The node as it is, past the builders below that tidy.
FormulaPtr MakeFormula(Formula f);

FormulaPtr Int(const mpz_class& n); // n ≥ 0
FormulaPtr Int(long n);             // n ≥ 0
// A decimal written in digits: "2.8", and "1.5" with exponent -11 for 1.5 × 10⁻¹¹.
FormulaPtr Dec(std::string mantissa, long exponent = 0);
FormulaPtr Sym(std::string name, std::string subscript = {});
FormulaPtr Neg(FormulaPtr a);
// A sum of terms: Plus for the first term means no sign before it.
FormulaPtr SumOf(const std::vector<std::pair<Sign, FormulaPtr>>& terms);
FormulaPtr Add(FormulaPtr a, FormulaPtr b);
FormulaPtr Sub(FormulaPtr a, FormulaPtr b);
FormulaPtr PlusMinusOf(FormulaPtr a, FormulaPtr b); // a ± b
// Side by side (2x, 4ac); Times puts × between the factors (4 × 1 × 1).
FormulaPtr Mul(std::vector<FormulaPtr> factors);
FormulaPtr Times(std::vector<FormulaPtr> factors);
FormulaPtr Frac(FormulaPtr numerator, FormulaPtr denominator);
FormulaPtr Pow(FormulaPtr base, FormulaPtr exponent);
FormulaPtr Pow(FormulaPtr base, long exponent);
FormulaPtr Sqrt(FormulaPtr radicand);
FormulaPtr RootOf(FormulaPtr radicand, int index);
FormulaPtr Func(std::string name, FormulaPtr argument);
FormulaPtr ChainOf(FormulaPtr first, const std::vector<std::pair<Relation, FormulaPtr>>& rest);
FormulaPtr Eq(FormulaPtr a, FormulaPtr b);
FormulaPtr Rel(FormulaPtr a, Relation relation, FormulaPtr b);
FormulaPtr MatrixOf(std::vector<std::vector<FormulaPtr>> rows, bool determinant);
FormulaPtr CasesOf(std::vector<FormulaPtr> equations);
// An end of nullptr is infinite: −∞ on the left, +∞ on the right, and open.
FormulaPtr IntervalOf(FormulaPtr from, FormulaPtr to, bool closedLeft, bool closedRight);
FormulaPtr UnionOf(std::vector<FormulaPtr> parts);
FormulaPtr OrOf(std::vector<FormulaPtr> alternatives);
FormulaPtr AndOf(std::vector<FormulaPtr> conditions);
FormulaPtr ListOf(std::vector<FormulaPtr> items);
FormulaPtr PointOf(FormulaPtr x, FormulaPtr y);

// The names of the symbols that are no letter of the alphabet, so that
// every printer knows them.
namespace symbol {
inline constexpr const char* kDelta = "Δ";         // a discriminant
inline constexpr const char* kImaginaryUnit = "i"; // i² = −1
inline constexpr const char* kPi = "π";
inline constexpr const char* kInfinity = "∞";
inline constexpr const char* kTheta = "θ";
inline constexpr const char* kPositive = "+"; // a sign in a table of signs
inline constexpr const char* kNegative = "−";
inline constexpr const char* kEmptySet = "∅";
} // namespace symbol

// ---- numbers as formulas ----------------------------------------------------

// How a rational number is written.
enum class NumberStyle {
    Fraction, // 7/20, −3/2, 5
    Decimal,  // a terminating decimal in digits where it is short (2.8, −0.35), else a fraction
};

// A rational as a formula: a whole number, a fraction, or a short decimal,
// negative ones under a Negative node.
FormulaPtr Number(const mpq_class& value, NumberStyle style = NumberStyle::Fraction);

// c·x^k as a term of a polynomial, and a whole polynomial with its zero
// terms left out ("x² − 2.8x + 0.49"). Coefficients highest power first.
FormulaPtr PolynomialFormula(std::span<const mpq_class> coefficients, const FormulaPtr& unknown,
                             NumberStyle style = NumberStyle::Decimal);

// Whether the formula is a number that a printer must put in parentheses
// when it is a base or a factor: a negative or a fraction.
bool NeedsGroupingAsFactor(const Formula& formula);

// A whole number's digits to show: all of them up to `limit`, else its
// first `limit` digits followed by "…". Cheap for numbers of a million
// digits, which no printer writes out whole.
std::string DigitsToShow(const mpz_class& n, std::size_t limit);
// How many decimal digits n ≥ 0 has (1 for 0).
std::size_t DigitCount(const mpz_class& n);

// The number of nodes, to keep the largest formulas from being printed whole.
std::size_t NodeCount(const Formula& formula);

} // namespace zembrel::engine
