// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The typed solution on a classroom's equations, systems and inequalities,
// against values worked out here: exact forms written by hand, every
// DECIMAL of a real root shown to round the root (the polynomial changes
// sign across its rounding interval, in exact rationals), every solution
// set sampled point by point against the inequalities as typed.

#include "typed_solution.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

using namespace zembrel;
using namespace zembrel::typed;

namespace {

template <class T>
const T* answerOf(const TypedSolution& solution)
{
    const T* answer = std::get_if<T>(&solution.answer);
    if (!answer) {
        const auto* error = std::get_if<SolutionError>(&solution.answer);
        ADD_FAILURE() << "another answer" << (error ? ": " + error->message : std::string());
    }
    return answer;
}

std::vector<mpq_class> rationals(const std::vector<const char*>& texts)
{
    std::vector<mpq_class> values;
    values.reserve(texts.size());
    for (const char* text : texts)
        values.emplace_back(text);
    return values;
}

mpq_class tenTo(long e)
{
    mpz_class p;
    mpz_ui_pow_ui(p.get_mpz_t(), 10, static_cast<unsigned long>(e < 0 ? -e : e));
    return e < 0 ? mpq_class(1, p) : mpq_class(p);
}

// A DECIMAL as the rational it writes, and the size of its last digit.
struct Decimal {
    mpq_class value;
    mpq_class unit;
};

Decimal decimalOf(const std::string& text)
{
    const std::size_t e = text.find('e');
    std::string mantissa = text.substr(0, e);
    const long exponent = e == std::string::npos ? 0 : std::stol(text.substr(e + 1));
    const bool negative = mantissa[0] == '-';
    if (negative)
        mantissa.erase(0, 1);
    const std::size_t point = mantissa.find('.');
    const long places = point == std::string::npos ? 0 : static_cast<long>(mantissa.size() - point - 1);
    if (point != std::string::npos)
        mantissa.erase(point, 1);
    const std::size_t first = std::min(mantissa.find_first_not_of('0'), mantissa.size() - 1);
    const long digits = static_cast<long>(mantissa.size() - first);
    const mpq_class unit = tenTo(exponent - places);
    const mpq_class value = mpq_class(mpz_class(mantissa, 10)) * unit;
    // Twenty significant digits: the last of them is 10^(20 − digits) times smaller than what was written.
    return {negative ? mpq_class(-value) : value, unit * tenTo(digits - 20)};
}

mpq_class valueAt(const std::vector<mpq_class>& highestFirst, const mpq_class& x)
{
    mpq_class y = 0;
    for (const mpq_class& c : highestFirst)
        y = y * x + c;
    return y;
}

// The root of odd multiplicity lies within half a unit of its DECIMAL:
// the polynomial is 0 there, or changes sign across.
void expectRoundsARoot(const std::vector<mpq_class>& p, const std::string& decimal)
{
    const Decimal d = decimalOf(decimal);
    if (valueAt(p, d.value) == 0)
        return;
    const int below = sgn(valueAt(p, d.value - d.unit / 2));
    const int above = sgn(valueAt(p, d.value + d.unit / 2));
    EXPECT_LT(below * above, 0) << decimal << " rounds no root";
}

// ---- polynomials ----------------------------------------------------------------

struct ExpectedRoot {
    const char* expr; // nullptr: none
    const char* re;
    const char* im;
    int multiplicity;
};

struct PolynomialRow {
    const char* name;
    const char* text;
    char unknown;
    int degree;
    std::vector<const char*> coefficients;
    PolynomialKind kind;
    std::vector<ExpectedRoot> roots;
};

const char* const kSqrt2 = "1.4142135623730950488";
const char* const kMinusSqrt2 = "-1.4142135623730950488";

const PolynomialRow kPolynomials[] = {
    {"product of brackets",
     "(x − 1)(x + 2) = 3",
     'x',
     2,
     {"1", "1", "-5"},
     PolynomialKind::Roots,
     {{"(-1 - sqrt(21))/2", "-2.7912878474779200033", "0", 1}, {"(-1 + sqrt(21))/2", "1.7912878474779200033", "0", 1}}},
    {"cubic with three rational roots",
     "2x³ − 3x² − 11x + 6 = 0",
     'x',
     3,
     {"2", "-3", "-11", "6"},
     PolynomialKind::Roots,
     {{"-2", "-2", "0", 1}, {"1/2", "0.5", "0", 1}, {"3", "3", "0", 1}}},
    {"biquadratic, rational",
     "x⁴ − 5x² + 4 = 0",
     'x',
     4,
     {"1", "0", "-5", "0", "4"},
     PolynomialKind::Roots,
     {{"-2", "-2", "0", 1}, {"-1", "-1", "0", 1}, {"1", "1", "0", 1}, {"2", "2", "0", 1}}},
    {"biquadratic, surds",
     "x⁴ − 5x² + 6 = 0",
     'x',
     4,
     {"1", "0", "-5", "0", "6"},
     PolynomialKind::Roots,
     {{"-sqrt(3)", "-1.7320508075688772935", "0", 1},
      {"-sqrt(2)", kMinusSqrt2, "0", 1},
      {"sqrt(2)", kSqrt2, "0", 1},
      {"sqrt(3)", "1.7320508075688772935", "0", 1}}},
    {"double root", "x² − 6x + 9 = 0", 'x', 2, {"1", "-6", "9"}, PolynomialKind::Roots, {{"3", "3", "0", 2}}},
    {"repeated roots of a product",
     "(x − 1)³(x + 2)² = 0",
     'x',
     5,
     {"1", "1", "-5", "-1", "8", "-4"},
     PolynomialKind::Roots,
     {{"-2", "-2", "0", 2}, {"1", "1", "0", 3}}},
    {"root zero taken out",
     "x⁴ + x³ = 0",
     'x',
     4,
     {"1", "1", "0", "0", "0"},
     PolynomialKind::Roots,
     {{"-1", "-1", "0", 1}, {"0", "0", "0", 3}}},
    {"no real roots",
     "x² + 2x + 5 = 0",
     'x',
     2,
     {"1", "2", "5"},
     PolynomialKind::Roots,
     {{"-1 + 2*I", "-1", "2", 1}, {"-1 - 2*I", "-1", "-2", 1}}},
    {"complex roots with a surd",
     "x² + x + 1 = 0",
     'x',
     2,
     {"1", "1", "1"},
     PolynomialKind::Roots,
     {{"-1/2 + sqrt(3)/2*I", "-0.5", "0.86602540378443864676", 1},
      {"-1/2 - sqrt(3)/2*I", "-0.5", "-0.86602540378443864676", 1}}},
    {"irreducible cubic: digits only",
     "x³ − 3x + 1 = 0",
     'x',
     3,
     {"1", "0", "-3", "1"},
     PolynomialKind::Roots,
     {{nullptr, "-1.8793852415718167681", "0", 1},
      {nullptr, "0.3472963553338606977", "0", 1},
      {nullptr, "1.5320888862379560704", "0", 1}}},
    {"degree 12: every kind of root",
     "(x²−2)(x²+1)(2x−1)²(x³−2)(x+3)³ = 0",
     'x',
     12,
     {"4", "32", "69", "-31", "-226", "-184", "-19", "279", "254", "76", "90", "-324", "108"},
     PolynomialKind::Roots,
     {{"-3", "-3", "0", 3},
      {"-sqrt(2)", kMinusSqrt2, "0", 1},
      {"1/2", "0.5", "0", 2},
      {nullptr, "1.2599210498948731648", "0", 1},
      {"sqrt(2)", kSqrt2, "0", 1},
      {nullptr, "-0.62996052494743658238", "1.0911236359717214036", 1},
      {nullptr, "-0.62996052494743658238", "-1.0911236359717214036", 1},
      {"I", "0", "1", 1},
      {"-I", "0", "-1", 1}}},
    {"another letter",
     "y² = 2",
     'y',
     2,
     {"1", "0", "-2"},
     PolynomialKind::Roots,
     {{"-sqrt(2)", kMinusSqrt2, "0", 1}, {"sqrt(2)", kSqrt2, "0", 1}}},
    {"decimals are exact", "0.1x + 0.2 = 0.3", 'x', 1, {"1/10", "-1/10"}, PolynomialKind::Roots, {{"1", "1", "0", 1}}},
    {"fractions", "x/3 + 1/2 = 0", 'x', 1, {"1/3", "1/2"}, PolynomialKind::Roots, {{"-3/2", "-1.5", "0", 1}}},
    {"identity", "2(x+1) = 2x+2", 'x', 0, {"0"}, PolynomialKind::Identity, {}},
    {"contradiction", "x + 1 = x", 'x', 0, {"1"}, PolynomialKind::None, {}},
    {"no unknown, false", "1 = 2", 'x', 0, {"-1"}, PolynomialKind::None, {}},
    {"no unknown, true", "2 + 2 = 4", 'x', 0, {"0"}, PolynomialKind::Identity, {}},
};

TEST(TypedPolynomial, ClassroomAnswers)
{
    for (const PolynomialRow& row : kPolynomials) {
        SCOPED_TRACE(row.name);
        const TypedSolution solution = SolveTyped(row.text);
        const auto* a = answerOf<PolynomialAnswer>(solution);
        ASSERT_TRUE(a);
        EXPECT_EQ(a->unknown, row.unknown);
        EXPECT_EQ(a->degree, row.degree);
        EXPECT_EQ(a->coefficients, rationals(row.coefficients));
        EXPECT_EQ(a->kind, row.kind);
        ASSERT_EQ(a->roots.size(), row.roots.size());
        for (std::size_t i = 0; i < a->roots.size(); ++i) {
            const Root& root = a->roots[i];
            const ExpectedRoot& expected = row.roots[i];
            EXPECT_EQ(root.shown.expr.value_or("null"), expected.expr ? expected.expr : "null");
            EXPECT_EQ(root.re, expected.re);
            EXPECT_EQ(root.im, expected.im);
            EXPECT_EQ(root.multiplicity, expected.multiplicity);
            if (root.im == "0" && root.multiplicity % 2 == 1) {
                expectRoundsARoot(a->coefficients, root.re);
            }
        }
        EXPECT_FALSE(solution.working.empty());
    }
}

// Binomials about ±1 have large coefficients but roots well apart: they are
// solved, not refused as a cluster.
TEST(TypedPolynomial, HighPowersOfABinomialAboutOne)
{
    for (const char* text : {"(x + 1)^50 = 3", "(x − 1)^100 = x"}) {
        SCOPED_TRACE(text);
        const TypedSolution solution = SolveTyped(text);
        const auto* a = answerOf<PolynomialAnswer>(solution);
        ASSERT_TRUE(a);
        EXPECT_EQ(a->roots.size(), static_cast<std::size_t>(a->degree));
        for (const Root& root : a->roots) {
            if (root.im == "0")
                expectRoundsARoot(a->coefficients, root.re);
        }
    }
}

// A cubic factor too long to factor, whose middle root is 10³⁰³⁰⁰ times
// smaller than the others, among rational roots of other factors: every
// real root in its place.
TEST(TypedPolynomial, ATinyRootAmongOtherFactorsRootsInOrder)
{
    const TypedSolution solution = SolveTyped("(x² − 1)(x x − 1)²(x³ − 2x^3 + 020e20200x + 148.951859)(x + 3)³ = 0");
    const auto* a = answerOf<PolynomialAnswer>(solution);
    ASSERT_TRUE(a);
    std::vector<std::string> real;
    for (const Root& root : a->roots)
        real.push_back(root.re);
    const std::vector<std::string> expected{"-4.4721359549995793928e10100", "-3", "-1",
                                            "-7.44759295e-20200",           "1",  "4.4721359549995793928e10100"};
    EXPECT_EQ(real, expected);
}

// ---- systems --------------------------------------------------------------------

struct SystemRow {
    const char* name;
    const char* text;
    const char* unknowns;
    std::size_t rank;
    engine::SystemKind kind;
    std::vector<const char*> values; // Unique: exact, one per unknown; Infinite: EXPR
};

const SystemRow kSystems[] = {
    {"two unknowns", "x + y = 3, x − y = 1", "xy", 2, engine::SystemKind::Unique, {"2", "1"}},
    {"three unknowns, fractions",
     "2x + 3y − z = 1, x − y + z = 2, 3x + y + 2z = 4",
     "xyz",
     3,
     engine::SystemKind::Unique,
     {"9/7", "-3/7", "2/7"}},
    {"four unknowns",
     "x + y + z + w = 10, x − y + z = 2, 2x + w = 6, y − z + 2w = 7",
     "xyzw",
     4,
     engine::SystemKind::Unique,
     {"1", "2", "3", "4"}},
    {"unknowns in the order typed", "y = 2x + 1, y = −x + 4", "yx", 2, engine::SystemKind::Unique, {"3", "1"}},
    {"decimals", "0.1x + 0.2y = 0.3, x − y = 0", "xy", 2, engine::SystemKind::Unique, {"1", "1"}},
    {"one parameter", "x + y = 1, 2x + 2y = 2", "xy", 1, engine::SystemKind::Infinite, {"1 - t", "t"}},
    {"one equation, two parameters", "x + y + z = 1", "xyz", 1, engine::SystemKind::Infinite, {"1 - t - s", "t", "s"}},
    {"three parameters",
     "x + y + z + w = 2, 2x + 2y + 2z + 2w = 4",
     "xyzw",
     1,
     engine::SystemKind::Infinite,
     {"2 - t - s - r", "t", "s", "r"}},
    {"parameters skip the unknowns' letters",
     "t + s = 1, 2t + 2s = 2",
     "ts",
     1,
     engine::SystemKind::Infinite,
     {"1 - r", "r"}},
    {"a fraction of a parameter",
     "2x − y = 1, 4x − 2y = 2",
     "xy",
     1,
     engine::SystemKind::Infinite,
     {"1/2 + 1/2*t", "t"}},
    {"inconsistent", "x + y = 1, 2x + 2y = 3", "xy", 1, engine::SystemKind::None, {}},
    {"inconsistent in three unknowns", "x + y + z = 1, x − y = 0, 2x + z = 2", "xyz", 2, engine::SystemKind::None, {}},
    {"more equations than unknowns", "x = 1, y = 2, x + y = 3", "xy", 2, engine::SystemKind::Unique, {"1", "2"}},
};

TEST(TypedSystem, ClassroomAnswers)
{
    for (const SystemRow& row : kSystems) {
        SCOPED_TRACE(row.name);
        const TypedSolution solution = SolveTyped(row.text);
        const auto* a = answerOf<SystemAnswer>(solution);
        ASSERT_TRUE(a);
        EXPECT_EQ(std::string(a->unknowns.begin(), a->unknowns.end()), row.unknowns);
        EXPECT_EQ(a->rank, row.rank);
        EXPECT_EQ(a->kind, row.kind);
        if (row.kind == engine::SystemKind::Unique) {
            ASSERT_EQ(a->solution.size(), row.values.size());
            for (std::size_t j = 0; j < row.values.size(); ++j) {
                EXPECT_EQ(a->solution[j].exact, mpq_class(row.values[j]));
                expectRoundsARoot({1, -a->solution[j].exact}, a->solution[j].decimal);
            }
        }
        if (row.kind == engine::SystemKind::Infinite) {
            EXPECT_EQ(a->generalExpr, std::vector<std::string>(row.values.begin(), row.values.end()));
        }
    }
}

TEST(TypedSystem, TwoUnknownsGiveLinesToDraw)
{
    const TypedSolution solution = SolveTyped("x + 2y = 3, x − y = 0");
    ASSERT_EQ(solution.graph.lines.size(), 2u);
    EXPECT_EQ(solution.graph.lines[0].b, 2.0);
    EXPECT_EQ(solution.graph.lines[1].c, 0.0);
}

// ---- inequalities ---------------------------------------------------------------

// The intervals as "(-oo, 1) U [2, 3]": each end its EXPR, or its digits
// where it has none; "empty" for no number.
std::string described(const std::vector<Interval>& intervals)
{
    if (intervals.empty())
        return "empty";
    std::string text;
    for (const Interval& i : intervals) {
        text += text.empty() ? "" : " U ";
        text += i.closedFrom ? "[" : "(";
        text += i.from ? i.from->shown.expr.value_or(i.from->decimal) : "-oo";
        text += ", ";
        text += i.to ? i.to->shown.expr.value_or(i.to->decimal) : "+oo";
        text += i.closedTo ? "]" : ")";
    }
    return text;
}

struct InequalityRow {
    const char* name;
    const char* text;
    const char* intervals;
};

const InequalityRow kInequalities[] = {
    {"greater: outside the roots", "x² − 3x + 2 > 0", "(-oo, 1) U (2, +oo)"},
    {"less: between the roots", "x² − 3x + 2 < 0", "(1, 2)"},
    {"less or equal", "x² − 3x + 2 <= 0", "[1, 2]"},
    {"greater or equal", "x² − 3x + 2 ≥ 0", "(-oo, 1] U [2, +oo)"},
    {"≦ and ≧", "x ≧ 1, x ≦ 1", "[1, 1]"},
    {"linear system", "2x−1>3，x+5≤12", "(2, 7]"},
    {"linear system without solution", "x > 3, x < 1", "empty"},
    {"linear system of one point", "x >= 2, x <= 2", "[2, 2]"},
    {"linear system open at a point", "x ≥ 2, x < 2", "empty"},
    {"fractions", "x > 1/3, x < 0.5", "(1/3, 1/2)"},
    {"a square at most 0: one point", "x² − 2x + 1 ≤ 0", "[1, 1]"},
    {"a square above 0: all but one point", "x² − 2x + 1 > 0", "(-oo, 1) U (1, +oo)"},
    {"every number", "x² + 1 > 0", "(-oo, +oo)"},
    {"no number", "x² + 1 < 0", "empty"},
    {"negative leading coefficient", "−x² + 4x − 3 ≥ 0", "[1, 3]"},
    {"equal irrational roots meet exactly", "x² − 2 ≥ 0, x² − 2 ≤ 0", "[-sqrt(2), -sqrt(2)] U [sqrt(2), sqrt(2)]"},
    {"a root against a rational", "x² − 2 ≤ 0, x ≥ 1", "[1, sqrt(2)]"},
    {"a surd bound from one part", "x² − 2 > 0, x − 1 < 0", "(-oo, -sqrt(2))"},
    {"a double root of one part inside another", "(x − 1)²(x − 2) ≥ 0", "[1, 1] U [2, +oo)"},
    {"quartic", "x⁴ − 5x² + 4 < 0", "(-2, -1) U (1, 2)"},
    {"cube root: digits only", "x³ − 2 > 0", "(1.2599210498948731648, +oo)"},
    {"no unknown, true", "1 < 2", "(-oo, +oo)"},
    {"no unknown, false, beside another", "3 < 2, x > 1", "empty"},
    {"full width", "ｘ＞１", "(1, +oo)"},
    {"another letter", "3 − 2y ≤ 7", "[-2, +oo)"},
};

// Whether x satisfies every part, as typed: the sign of left − right.
bool satisfiesAll(const InequalityAnswer& a, const mpq_class& x)
{
    for (const InequalityPart& part : a.parts) {
        const int s = sgn(valueAt(part.coefficients, x));
        const bool holds = part.relation == Relation::Less        ? s < 0
                           : part.relation == Relation::Greater   ? s > 0
                           : part.relation == Relation::LessEqual ? s <= 0
                                                                  : s >= 0;
        if (!holds)
            return false;
    }
    return true;
}

bool inIntervals(const InequalityAnswer& a, const mpq_class& x)
{
    const engine::Real at(x);
    for (const Interval& i : a.intervals) {
        const int fromSide = i.from ? Compare(at, i.from->value) : 1;
        const int toSide = i.to ? Compare(at, i.to->value) : -1;
        const bool afterFrom = i.closedFrom ? fromSide >= 0 : fromSide > 0;
        const bool beforeTo = i.closedTo ? toSide <= 0 : toSide < 0;
        if (afterFrom && beforeTo)
            return true;
    }
    return false;
}

// Sample points: every rational end, points just beside every end, and
// far out on both sides.
std::vector<mpq_class> samples(const InequalityAnswer& a)
{
    std::vector<mpq_class> points{mpq_class(-1000), mpq_class(0), mpq_class(1000)};
    const mpq_class step(1, 1000);
    for (const Interval& i : a.intervals) {
        for (const std::optional<End>& end : {i.from, i.to}) {
            if (!end)
                continue;
            const mpq_class near = decimalOf(end->decimal).value;
            if (end->value.isRational())
                points.push_back(end->value.rational());
            points.push_back(near - step);
            points.push_back(near + step);
        }
    }
    return points;
}

TEST(TypedInequality, ClassroomAnswers)
{
    for (const InequalityRow& row : kInequalities) {
        SCOPED_TRACE(row.name);
        const TypedSolution solution = SolveTyped(row.text);
        const auto* a = answerOf<InequalityAnswer>(solution);
        ASSERT_TRUE(a);
        EXPECT_EQ(described(a->intervals), row.intervals);
        for (const mpq_class& x : samples(*a))
            EXPECT_EQ(inIntervals(*a, x), satisfiesAll(*a, x)) << "at " << x.get_str();
        EXPECT_EQ(solution.graph.bands.size(), a->intervals.size());
    }
}

TEST(TypedInequality, PartsKeepTheirRelationsAgainstZero)
{
    const TypedSolution solution = SolveTyped("3 > x, x² ≤ 4x, 2 ≥ 1, x >= 0");
    const auto* a = answerOf<InequalityAnswer>(solution);
    ASSERT_TRUE(a);
    ASSERT_EQ(a->parts.size(), 4u);
    const Relation relations[]
        = {Relation::Greater, Relation::LessEqual, Relation::GreaterEqual, Relation::GreaterEqual};
    const std::vector<mpq_class> coefficients[]
        = {rationals({"-1", "3"}), rationals({"1", "-4", "0"}), rationals({"1"}), rationals({"1", "0"})};
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(a->parts[i].relation, relations[i]);
        EXPECT_EQ(a->parts[i].coefficients, coefficients[i]);
    }
    EXPECT_EQ(described(a->intervals), "[0, 3)");
}

// ---- errors -----------------------------------------------------------------------

struct ErrorRow {
    const char* name = nullptr;
    const char* text = nullptr;
    std::optional<std::size_t> at;
    const char* quoted = nullptr; // what the message names, if anything
};

const ErrorRow kErrors[] = {
    {"an equation after an inequality", "x > 1, x = 2", 9, nullptr},
    {"an inequality after an equation", "x = 1, x > 2", 9, nullptr},
    {"two relations of each sort", "x ≤ 1, x = 2, x = 3", 9, nullptr},
    {"two unknowns in an inequality", "x + y > 1", 4, "“y”"},
    {"inequalities in different unknowns", "x > 1, y < 2", 7, "“y”"},
    {"a later inequality in two unknowns", "x > 1, 2y + x < 2", 8, "“y”"},
    {"a square in a system", "x^2 + y = 1, x = 2", 0, "“x^2”"},
    {"a square in a later equation", "x + y = 1, x^2 = 4", 11, "“x^2”"},
    {"a product of unknowns in one equation", "xy = 1", 0, "“xy”"},
    {"the term that survives collecting", "x² + y² = x² + 1", 5, "“y²”"},
    {"inside brackets of a sum", "x + (y + z²) = 1, x = 1", 9, "“z²”"},
    {"a product of sums", "(x + y)(x − y) = 0, x = 1", 0, "“(x + y)(x − y)”"},
    {"the reader's error passes through", "(x + 1 = 2", 0, nullptr},
    {"empty", "", std::nullopt, nullptr},
    {"eleven unknowns", "a+b+c+d+f+g+h+j+k+l+m = 0", 20, "“m”"},
    {"degree over 100", "x^60 x^41 = 1", 5, nullptr},
    {"roots too far apart in size", "2x^28 + 1e1000 x^9 + 1 = 0", std::nullopt, nullptr},
    {"two roots too close", "1e1000 (x−2)²(x²+x+1) + 1 = 0", std::nullopt, nullptr},
    {"an inequality's roots too close", "1e1000 (x−2)²(x²+x+1) + 1 > 0", std::nullopt, nullptr},
    {"a quartic's coefficients too long", "x⁴ + x + 1e1100 = 0", std::nullopt, nullptr},
    {"repeated factors with 300 000-digit coefficients, refused before they are split",
     "(−1)(xx−1)²(x³−200)²(x³−2^2 + 1e100000x +56)³ = 0", std::nullopt, nullptr},
    {"a hundred roots about a far centre", "(x − 1000)^100 = 2", std::nullopt, nullptr},
};

TEST(TypedErrors, EachAtItsPlaceNamingWhatIsWrong)
{
    std::set<std::string> messages;
    for (const ErrorRow& row : kErrors) {
        SCOPED_TRACE(row.name);
        const TypedSolution solution = SolveTyped(row.text);
        const auto* error = std::get_if<SolutionError>(&solution.answer);
        ASSERT_TRUE(error);
        EXPECT_EQ(error->at, row.at) << error->message;
        EXPECT_FALSE(error->message.empty());
        if (row.quoted) {
            EXPECT_NE(error->message.find(row.quoted), std::string::npos) << error->message;
        }
        EXPECT_TRUE(solution.working.empty());
        messages.insert(error->message);
    }
    EXPECT_GE(messages.size(), 10u); // each kind its own sentence
}

TEST(TypedErrors, LongTermsAreQuotedInPart)
{
    const std::string term = "(a + b + c + d + f + g + h + j + k + l)²";
    const TypedSolution solution = SolveTyped(term + " = 1");
    const auto* error = std::get_if<SolutionError>(&solution.answer);
    ASSERT_TRUE(error);
    EXPECT_NE(error->message.find("…"), std::string::npos);
    EXPECT_EQ(error->message.find(term), std::string::npos);
}

// ---- the working ------------------------------------------------------------------

struct WorkingRow {
    const char* name;
    const char* text;
    std::vector<engine::Reason> reasons;
};

using R = engine::Reason;

const WorkingRow kWorking[] = {
    {"moved, brackets removed, collected, by the formula",
     "(x − 1)(x + 2) = 3",
     {R::EquationAsTyped, R::MoveTerms, R::Expand, R::Collect, R::Discriminant, R::TwoRealRoots, R::QuadraticFormula,
      R::EquationRoots}},
    {"already collected: nothing moved",
     "x² − 2x + 1 = 0",
     {R::EquationAsTyped, R::Discriminant, R::OneDoubleRoot, R::DoubleRootFormula, R::EquationRoots}},
    {"linear with fractions",
     "x/3 + 1/2 = 0",
     {R::EquationAsTyped, R::Collect, R::ClearDenominators, R::MoveConstant, R::DivideByCoefficient, R::EquationRoots}},
    {"rational root theorem down to a quadratic",
     "2x³ − 3x² − 11x + 6 = 0",
     {R::EquationAsTyped, R::NamePolynomial, R::RationalRootCandidates, R::TryRoot, R::Divide, R::Factorised,
      R::Discriminant, R::TwoRealRoots, R::QuadraticFormula, R::EquationRoots}},
    {"no candidate is a root",
     "x³ − 3x + 1 = 0",
     {R::EquationAsTyped, R::NamePolynomial, R::RationalRootCandidates, R::NoCandidateIsRoot, R::SolveFactor,
      R::EquationRoots}},
    {"a common factor",
     "x⁴ + x³ = 0",
     {R::EquationAsTyped, R::CommonFactor, R::SolveFactor, R::SolveFactor, R::EquationRoots}},
    {"a factor solved numerically",
     "x⁵ = 1",
     {R::EquationAsTyped, R::MoveTerms, R::NamePolynomial, R::RationalRootCandidates, R::TryRoot, R::Divide,
      R::Factorised, R::NumericRoots, R::EquationRoots}},
    {"identity", "2(x+1) = 2x+2", {R::EquationAsTyped, R::MoveTerms, R::Expand, R::Collect, R::EveryValueSolves}},
    {"Cramer",
     "x + y = 3, x − y = 1",
     {R::SystemAsTyped, R::SystemDeterminant, R::CramerUnknown, R::CramerUnknown, R::UniqueSolution}},
    {"rearranged, then Cramer",
     "y = 2x + 1, y = −x + 4",
     {R::SystemAsTyped, R::StandardForm, R::SystemDeterminant, R::CramerUnknown, R::CramerUnknown, R::UniqueSolution}},
    {"elimination to a general solution",
     "x + y = 1, 2x + 2y = 2",
     {R::SystemAsTyped, R::AddMultiple, R::GeneralSolution}},
    {"elimination to a contradiction", "x + y = 1, 2x + 2y = 3", {R::SystemAsTyped, R::AddMultiple, R::Contradiction}},
    {"a quadratic inequality",
     "x² − 3x + 2 > 0",
     {R::InequalityAsTyped, R::Factorised, R::BoundaryRoots, R::SignTable, R::SolutionSet}},
    {"an inequality true everywhere",
     "x² + 1 > 0",
     {R::InequalityAsTyped, R::NoBoundaryRoots, R::SignTable, R::EverySolution}},
    {"a system of inequalities",
     "x > 3, x < 1",
     {R::InequalitiesAsTyped, R::MoveTerms, R::BoundaryRoots, R::SignTable, R::SolutionSet, R::MoveTerms,
      R::BoundaryRoots, R::SignTable, R::SolutionSet, R::NoCommonPart}},
};

TEST(TypedWorking, TheMovesATextbookMakes)
{
    for (const WorkingRow& row : kWorking) {
        SCOPED_TRACE(row.name);
        const TypedSolution solution = SolveTyped(row.text);
        std::vector<engine::Reason> reasons;
        for (const engine::Step& step : solution.working)
            reasons.push_back(step.reason);
        EXPECT_EQ(reasons, row.reasons);
    }
}

TEST(TypedGraph, APolynomialsCurveRootsAndTurningPoints)
{
    const TypedSolution solution = SolveTyped("x³ − 3x = 0");
    EXPECT_EQ(solution.graph.coefficients, (std::vector<double>{1, 0, -3, 0}));
    ASSERT_EQ(solution.graph.realRoots.size(), 3u);
    EXPECT_EQ(solution.graph.realRoots[1], 0.0);
    const std::vector<DrawnPoint>& turning = solution.graph.turningPoints.drawn();
    ASSERT_EQ(turning.size(), 2u);
    EXPECT_EQ(turning[0].x, -1.0);
    EXPECT_EQ(turning[0].y, 2.0);
    const auto* a = answerOf<PolynomialAnswer>(solution);
    ASSERT_TRUE(a);
    ASSERT_EQ(a->turningPoints.exact().size(), 2u);
    EXPECT_EQ(a->turningPoints.exact()[0].kind, engine::CriticalKind::Maximum);
    EXPECT_EQ(a->turningPoints.exact()[1].kind, engine::CriticalKind::Minimum);
}

TEST(TypedParameters, NamedByTheFirstFreeLetters)
{
    EXPECT_EQ(ParameterNames({'x', 'y'}, 2), (std::vector<char>{'t', 's'}));
    EXPECT_EQ(ParameterNames({'t', 'r', 'x'}, 3), (std::vector<char>{'s', 'u', 'v'}));
}

} // namespace
