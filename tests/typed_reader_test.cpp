// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "typed_reader.h"

#include <gtest/gtest.h>

#include <optional>
#include <set>
#include <string>
#include <vector>

using namespace zembrel::typed;

namespace {

// The reading of a text that must read; an empty one (and a failure) otherwise.
Reading readOk(const std::string& text)
{
    auto result = Read(text);
    if (const auto* error = std::get_if<ReadError>(&result)) {
        ADD_FAILURE() << "not read: " << Message(*error) << " at " << error->at.value_or(-1);
        return {};
    }
    return std::get<Reading>(std::move(result));
}

std::string repeat(const std::string& piece, std::size_t times)
{
    std::string text;
    for (std::size_t i = 0; i < times; ++i)
        text += piece;
    return text;
}

// The tree as a short text: kinds by name, joints by their symbol.
std::string shape(const Expr& expr)
{
    static const char* const kJoints[] = {"", "+", "-", "", "*", "×", "·", "/", "÷", "^", "sup:"};
    std::string children;
    for (const Expr& child : expr.children)
        children += (children.empty() ? "" : " ") + std::string(kJoints[static_cast<int>(child.joint)]) + shape(child);
    switch (expr.kind) {
    case Expr::Kind::Number: return expr.number->text;
    case Expr::Kind::Unknown: return "#" + std::to_string(expr.unknown);
    case Expr::Kind::Sum: return "sum[" + children + "]";
    case Expr::Kind::Product: return "product[" + children + "]";
    case Expr::Kind::Power: return "power[" + children + "]";
    case Expr::Kind::Group: return expr.bracket == Bracket::Round ? "(" + children + ")" : "[" + children + "]";
    }
    return "?";
}

struct NumberRow {
    const char* name;
    const char* text; // "x = NUMBER"
    const char* value;
    const char* typed;
};

const NumberRow kNumbers[] = {
    {"decimal", "x = 2.5", "5/2", "2.5"},
    {"trailing zero kept as typed", "x = 2.50", "5/2", "2.50"},
    {"point first", "x = .5", "1/2", ".5"},
    {"point last", "x = 5.", "5", "5."},
    {"one tenth exactly", "x = 0.1", "1/10", "0.1"},
    {"negative exponent", "x = 1e-3", "1/1000", "1e-3"},
    {"capital E and plus", "x = 2.5E+4", "25000", "2.5E+4"},
    {"minus sign in the exponent", "x = 1e−3", "1/1000", "1e-3"},
    {"exponent of a decimal", "x = 12.5e-1", "5/4", "12.5e-1"},
    {"zeros before the exponent's digits", "x = 1e0000000000000000000002", "100", "1e0000000000000000000002"},
    {"zero with any exponent", "x = 0e99999", "0", "0e99999"},
    {"full width", "x＝２．５", "5/2", "2.5"},
    {"leading zeros", "x = 007", "7", "007"},
};

TEST(TypedNumbers, EachIsTheExactRationalItWrites)
{
    for (const NumberRow& row : kNumbers) {
        SCOPED_TRACE(row.name);
        const Reading reading = readOk(row.text);
        ASSERT_EQ(reading.statements.size(), 1u);
        const Expr& number = reading.statements[0].right;
        ASSERT_EQ(number.kind, Expr::Kind::Number);
        EXPECT_EQ(number.number->value, mpq_class(row.value));
        EXPECT_EQ(number.number->text, row.typed);
    }
}

TEST(TypedNumbers, TheLargestExponentsAreExact)
{
    const Reading reading = readOk("x = 1e100000, y = 1e-100000");
    mpz_class power;
    mpz_ui_pow_ui(power.get_mpz_t(), 10, 100000);
    EXPECT_EQ(reading.statements[0].right.number->value, mpq_class(power));
    EXPECT_EQ(reading.statements[1].right.number->value, mpq_class(1) / power);
}

// One equation in one unknown: the difference's coefficients, highest first.
struct UnivariateRow {
    const char* name;
    const char* text;
    std::vector<const char*> coefficients;
};

const UnivariateRow kUnivariate[] = {
    {"product of binomials", "(x-1)(x+2)=3", {"1", "1", "-5"}},
    {"square", "x^2 = 4", {"1", "0", "-4"}},
    {"identity", "2(x+1) = 2x+2", {"0"}},
    {"no solution", "x+1 = x", {"1"}},
    {"cubic", "2x³ − 3x² − 11x + 6 = 0", {"2", "-3", "-11", "6"}},
    {"biquadratic", "x⁴ − 5x² + 4 = 0", {"1", "0", "-5", "0", "4"}},
    {"superscript run is one exponent", "x¹⁰ = 1", {"1", "0", "0", "0", "0", "0", "0", "0", "0", "0", "-1"}},
    {"implicit product after a division", "1/2x = 1", {"1/2", "-1"}},
    {"division left to right", "6/2x = 1", {"3", "-1"}},
    {"division by a bracket", "x/(1+1) = 1", {"1/2", "-1"}},
    {"obelus", "x ÷ 4 = 1", {"1/4", "-1"}},
    {"asterisk, cross and dot", "2*x×3·x⋅1 = 0", {"6", "0", "0"}},
    {"minus binds looser than a power", "−x² = 1", {"-1", "0", "-1"}},
    {"minus binds looser than a caret", "-x^2 = 1", {"-1", "0", "-1"}},
    {"caret binds to the right", "x^2^2 = 0", {"1", "0", "0", "0", "0"}},
    {"exponent computed", "x^(1+1) = 0", {"1", "0", "0"}},
    {"superscript on a superscript's base", "x²^3 = 0", {"1", "0", "0", "0", "0", "0", "0"}},
    {"cube of a bracket", "(x+1)^3 = 0", {"1", "3", "3", "1"}},
    {"sign after an operator", "2·−x = 4", {"-2", "-4"}},
    {"minus a negative", "x − −x = 2", {"2", "-2"}},
    {"plus a negative", "x + -2x = 2", {"-1", "-2"}},
    {"full width", "２ｘ＋１＝０", {"2", "1"}},
    {"full width brackets and minus", "（ｘ－１）（ｘ＋２）＝０", {"1", "1", "-2"}},
    {"capital and small letter alike", "X + x = 2", {"2", "-2"}},
    {"blanks, tabs and ideographic spaces", " 2 \t x\u3000+\u00A01 = 0 ", {"2", "1"}},
    {"square brackets", "2[x − (x+1)] = x", {"-1", "-2"}},
    {"decimal coefficients", "0.1x + 0.2 = 0.3", {"1/10", "-1/10"}},
    {"zero power", "x^0 = 1", {"0"}},
    {"inequality", "x² − 3x + 2 > 0", {"1", "-3", "2"}},
    {"number times a bracket", "3(x+1) = 0", {"3", "3"}},
    {"letter times a bracket", "x(x+1) = 0", {"1", "1", "0"}},
    {"power of a product", "(2x)^2 = 1", {"4", "0", "-1"}},
};

TEST(TypedExpansion, OneUnknownGivesItsCoefficients)
{
    for (const UnivariateRow& row : kUnivariate) {
        SCOPED_TRACE(row.name);
        const Reading reading = readOk(row.text);
        ASSERT_EQ(reading.unknowns, std::vector<char>{'x'});
        ASSERT_EQ(reading.statements.size(), 1u);
        std::vector<mpq_class> expected;
        for (const char* c : row.coefficients)
            expected.emplace_back(c);
        EXPECT_EQ(reading.statements[0].difference.coefficients(0), expected);
    }
}

struct ExpectedTerm {
    std::vector<unsigned long> exponents;
    const char* coefficient;
};

// The difference term by term, in the unknowns as listed.
struct MultivariateRow {
    const char* name;
    const char* text;
    const char* unknowns;
    std::vector<ExpectedTerm> terms;
};

const MultivariateRow kMultivariate[] = {
    {"implicit product of letters", "2xy = 1", "xy", {{{1, 1}, "2"}, {{0, 0}, "-1"}}},
    {"four unknowns",
     "x+y+z+w=10",
     "xyzw",
     {{{1, 0, 0, 0}, "1"}, {{0, 1, 0, 0}, "1"}, {{0, 0, 1, 0}, "1"}, {{0, 0, 0, 1}, "1"}, {{0, 0, 0, 0}, "-10"}}},
    {"square of a sum", "(x+y)^2 = 0", "xy", {{{2, 0}, "1"}, {{1, 1}, "2"}, {{0, 2}, "1"}}},
    {"difference of squares", "(a+b)(a−b) = c²", "abc", {{{2, 0, 0}, "1"}, {{0, 2, 0}, "-1"}, {{0, 0, 2}, "-1"}}},
    {"no unknown, false", "1 = 2", "", {{{}, "-1"}}},
    {"no unknown, true", "2+2 = 4", "", {}},
    {"ten unknowns",
     "a+b+c+d+f+g+h+j+k+l = 0",
     "abcdfghjkl",
     {{{1, 0, 0, 0, 0, 0, 0, 0, 0, 0}, "1"},
      {{0, 1, 0, 0, 0, 0, 0, 0, 0, 0}, "1"},
      {{0, 0, 1, 0, 0, 0, 0, 0, 0, 0}, "1"},
      {{0, 0, 0, 1, 0, 0, 0, 0, 0, 0}, "1"},
      {{0, 0, 0, 0, 1, 0, 0, 0, 0, 0}, "1"},
      {{0, 0, 0, 0, 0, 1, 0, 0, 0, 0}, "1"},
      {{0, 0, 0, 0, 0, 0, 1, 0, 0, 0}, "1"},
      {{0, 0, 0, 0, 0, 0, 0, 1, 0, 0}, "1"},
      {{0, 0, 0, 0, 0, 0, 0, 0, 1, 0}, "1"},
      {{0, 0, 0, 0, 0, 0, 0, 0, 0, 1}, "1"}}},
};

TEST(TypedExpansion, SeveralUnknownsGiveTheirTerms)
{
    for (const MultivariateRow& row : kMultivariate) {
        SCOPED_TRACE(row.name);
        const Reading reading = readOk(row.text);
        EXPECT_EQ(std::string(reading.unknowns.begin(), reading.unknowns.end()), row.unknowns);
        ASSERT_EQ(reading.statements.size(), 1u);
        const Polynomial& difference = reading.statements[0].difference;
        EXPECT_EQ(difference.termCount(), row.terms.size());
        for (const ExpectedTerm& term : row.terms)
            EXPECT_EQ(difference.coefficient(term.exponents), mpq_class(term.coefficient));
    }
}

struct RelationRow {
    const char* name = nullptr;
    const char* text = nullptr;
    Relation relation = Relation::Equal;
    Span relationSpan;
};

const RelationRow kRelations[] = {
    {"equals", "x = 1", Relation::Equal, {2, 3}},
    {"less", "x < 1", Relation::Less, {2, 3}},
    {"greater", "x > 1", Relation::Greater, {2, 3}},
    {"less or equal in two characters", "x <= 1", Relation::LessEqual, {2, 4}},
    {"greater or equal in two characters", "x >= 1", Relation::GreaterEqual, {2, 4}},
    {"≤", "x ≤ 1", Relation::LessEqual, {2, 3}},
    {"≥", "x ≥ 1", Relation::GreaterEqual, {2, 3}},
    {"≦", "x ≦ 1", Relation::LessEqual, {2, 3}},
    {"≧", "x ≧ 1", Relation::GreaterEqual, {2, 3}},
    {"slanted ≤ of the textbooks", "x ⩽ 1", Relation::LessEqual, {2, 3}},
    {"slanted ≥ of the textbooks", "x ⩾ 1", Relation::GreaterEqual, {2, 3}},
    {"full-width equals", "ｘ＝１", Relation::Equal, {1, 2}},
    {"full-width less", "ｘ＜１", Relation::Less, {1, 2}},
    {"full-width greater or equal", "ｘ＞＝１", Relation::GreaterEqual, {1, 3}},
};

TEST(TypedStatements, EachRelationAndWhereItStands)
{
    for (const RelationRow& row : kRelations) {
        SCOPED_TRACE(row.name);
        const Reading reading = readOk(row.text);
        ASSERT_EQ(reading.statements.size(), 1u);
        EXPECT_EQ(reading.statements[0].relation, row.relation);
        EXPECT_EQ(reading.statements[0].relationSpan, row.relationSpan);
    }
}

struct SeparatorRow {
    const char* name;
    const char* text;
    std::vector<Span> statements;
};

const SeparatorRow kSeparators[] = {
    {"comma", "x=1,y=2", {{0, 3}, {4, 7}}},
    {"full-width comma", "x=1，y=2", {{0, 3}, {4, 7}}},
    {"semicolon", "x=1;y=2", {{0, 3}, {4, 7}}},
    {"full-width semicolon", "x=1；y=2", {{0, 3}, {4, 7}}},
    {"enumeration comma", "x=1、y=2", {{0, 3}, {4, 7}}},
    {"line feed", "x=1\ny=2", {{0, 3}, {4, 7}}},
    {"carriage return and line feed", "x=1\r\ny=2", {{0, 3}, {5, 8}}},
    {"carriage return", "x=1\ry=2", {{0, 3}, {4, 7}}},
    {"line separator", "x=1\u2028y=2", {{0, 3}, {4, 7}}},
    {"trailing comma", "x=1,", {{0, 3}}},
    {"blank lines", "\n\n x=1 \n\n\ny=2\n", {{3, 6}, {10, 13}}},
    {"a system of inequalities", "2x−1>3，x+5≤12", {{0, 6}, {7, 13}}},
};

TEST(TypedStatements, SeparatorsSplitAndEmptyStatementsAreSkipped)
{
    for (const SeparatorRow& row : kSeparators) {
        SCOPED_TRACE(row.name);
        const Reading reading = readOk(row.text);
        std::vector<Span> spans;
        for (const Statement& statement : reading.statements)
            spans.push_back(statement.span);
        EXPECT_EQ(spans, row.statements);
    }
}

struct UnknownsRow {
    const char* name;
    const char* text;
    const char* unknowns;
};

const UnknownsRow kUnknowns[] = {
    {"first appearance, not the alphabet", "y + x = 1, z = x", "yxz"},
    {"capital and small letter are one", "X = 1, x = 2", "x"},
    {"capital reported small", "A + B = 1", "ab"},
    {"across statements", "b = 1\na = 2\nb = a", "ba"},
    {"full-width letters", "ｙ＋Ｘ＝１", "yx"},
};

TEST(TypedStatements, UnknownsInTheOrderOfFirstAppearance)
{
    for (const UnknownsRow& row : kUnknowns) {
        SCOPED_TRACE(row.name);
        const Reading reading = readOk(row.text);
        EXPECT_EQ(std::string(reading.unknowns.begin(), reading.unknowns.end()), row.unknowns);
    }
}

struct TreeRow {
    const char* name;
    const char* side; // the left side of "SIDE = 0"
    const char* shape;
};

const TreeRow kTrees[] = {
    {"product of brackets", "(x-1)(x+2)", "product[(sum[#0 -1]) (sum[#0 +2])]"},
    {"minus before a superscript power", "−x²", "sum[-power[#0 sup:2]]"},
    {"division stays in the product", "2x/3y", "product[2 #0 /3 #1]"},
    {"signs stay in the sum", "1 − 2 + 3", "sum[1 -2 +3]"},
    {"sign after a dot", "2·−3", "product[2 ·sum[-3]]"},
    {"sign after a sign", "x − −y", "sum[#0 -sum[-#1]]"},
    {"a typed plus", "+x", "sum[+#0]"},
    {"caret to the right", "x^2^3", "power[#0 ^power[2 ^3]]"},
    {"superscript digits together", "x²³", "power[#0 sup:23]"},
    {"number kept as typed", "2.50e3x", "product[2.50e3 #0]"},
    {"square brackets", "[x]", "[#0]"},
    {"each multiplication as typed", "2*x×y·z÷4", "product[2 *#0 ×#1 ·#2 ÷4]"},
};

TEST(TypedTrees, KeepTheInputAsTyped)
{
    for (const TreeRow& row : kTrees) {
        SCOPED_TRACE(row.name);
        const Reading reading = readOk(std::string(row.side) + " = 0");
        ASSERT_EQ(reading.statements.size(), 1u);
        EXPECT_EQ(shape(reading.statements[0].left), row.shape);
    }
}

TEST(TypedTrees, SpansAndJointsPointIntoTheText)
{
    const Reading reading = readOk(" ２x − 1 <= y , y=3");
    const Statement& first = reading.statements[0];
    EXPECT_EQ(first.span, (Span{1, 12}));
    EXPECT_EQ(first.left.span, (Span{1, 7}));
    EXPECT_EQ(first.relationSpan, (Span{8, 10}));
    EXPECT_EQ(first.right.span, (Span{11, 12}));
    const Expr& term = first.left.children[1];
    EXPECT_EQ(term.joint, Joint::Minus);
    EXPECT_EQ(term.jointAt, 4u);
    EXPECT_EQ(term.span, (Span{6, 7}));
    EXPECT_EQ(reading.statements[1].span, (Span{15, 18}));
}

struct ErrorRow {
    const char* name;
    std::string text;
    ErrorKind kind;
    std::optional<std::size_t> at;
};

const ErrorRow kErrors[] = {
    {"empty", "", ErrorKind::Empty, std::nullopt},
    {"only blanks and separators", " ,\n；、 \t", ErrorKind::Empty, std::nullopt},
    {"a byte that is no UTF-8", "x = \xff", ErrorKind::InvalidText, 4},
    {"a cut UTF-8 sequence", "ｘ = \xe4\xb8", ErrorKind::InvalidText, 4},
    {"an overlong slash", "x = \xc0\xaf", ErrorKind::InvalidText, 4},
    {"a surrogate", "x\xed\xa0\x80 = 1", ErrorKind::InvalidText, 1},
    {"unknown character", "x @ 1", ErrorKind::UnknownCharacter, 2},
    {"unknown character after wide ones", "ｘ＋＠＝１", ErrorKind::UnknownCharacter, 2},
    {"not-equal sign", "x ≠ 1", ErrorKind::UnknownCharacter, 2},
    {"braces", "{x = 1", ErrorKind::UnknownCharacter, 0},
    {"letter e", "e = 1", ErrorKind::ReservedLetter, 0},
    {"capital I", "x + I = 1", ErrorKind::ReservedLetter, 4},
    {"e after a number without digits", "2e = 1", ErrorKind::ReservedLetter, 1},
    {"e and a sign without digits", "2e+x = 1", ErrorKind::ReservedLetter, 1},
    {"a point alone", "x = .", ErrorKind::MalformedNumber, 4},
    {"two points", "x = 1.2.3", ErrorKind::MalformedNumber, 7},
    {"a point after the exponent", "x = 1e5.2", ErrorKind::MalformedNumber, 7},
    {"two numbers", "2 3 = x", ErrorKind::MissingOperator, 2},
    {"a number after an exponent's number", "x^2 3 = 1", ErrorKind::MissingOperator, 4},
    {"a digit after a letter", "x2 = 4", ErrorKind::NumberAfterFactor, 1},
    {"a digit after a bracket", "(x+1)2 = 4", ErrorKind::NumberAfterFactor, 5},
    {"a digit after a superscript", "x²3 = 1", ErrorKind::NumberAfterFactor, 2},
    {"bracket left open", "(x + 1 = 2", ErrorKind::UnmatchedOpen, 0},
    {"bracket left open at the end", "x = (2", ErrorKind::UnmatchedOpen, 4},
    {"the open bracket around the relation", "((x) = 1", ErrorKind::UnmatchedOpen, 0},
    {"relation inside brackets", "(x = 1)", ErrorKind::UnmatchedOpen, 0},
    {"stray close", "x) = 1", ErrorKind::UnmatchedClose, 1},
    {"stray close on the right", "x = 1)", ErrorKind::UnmatchedClose, 5},
    {"close first", ") = 1", ErrorKind::UnmatchedClose, 0},
    {"brackets of two kinds", "(x] = 1", ErrorKind::UnmatchedClose, 2},
    {"empty brackets", "x() = 1", ErrorKind::EmptyBrackets, 1},
    {"operator without its right operand", "2+ = 3", ErrorKind::MissingOperand, 1},
    {"operator without its left operand", "*x = 1", ErrorKind::MissingOperand, 0},
    {"two operators", "x*/y = 1", ErrorKind::MissingOperand, 1},
    {"two signs", "--x = 1", ErrorKind::MissingOperand, 0},
    {"two signs after an operator", "x + --y = 1", ErrorKind::MissingOperand, 4},
    {"caret at the end", "x = 2^", ErrorKind::MissingOperand, 5},
    {"superscript without a base", "² = x", ErrorKind::MissingOperand, 0},
    {"operator first in brackets", "(*x) = 1", ErrorKind::MissingOperand, 1},
    {"operator last in brackets", "(x+) = 1", ErrorKind::MissingOperand, 2},
    {"no relation", "x + 1", ErrorKind::MissingRelation, 0},
    {"no relation in the second statement", "x = 1, y + 1", ErrorKind::MissingRelation, 7},
    {"chained inequality", "1 < x < 3", ErrorKind::TwoRelations, 6},
    {"double equals", "x == 1", ErrorKind::TwoRelations, 3},
    {"less and equal apart", "x < = 1", ErrorKind::TwoRelations, 4},
    {"empty left side", "= 3", ErrorKind::EmptySide, 0},
    {"empty right side", "x =", ErrorKind::EmptySide, 2},
    {"brackets too deep", repeat("(", kMaxNesting + 1) + "x" + repeat(")", kMaxNesting + 1) + " = 1",
     ErrorKind::NestingTooDeep, kMaxNesting},
    {"a million open brackets", repeat("(", 1'000'000), ErrorKind::NestingTooDeep, kMaxNesting},
    {"exponents too deep", "x" + repeat("^1", kMaxNesting + 1) + " = 1", ErrorKind::NestingTooDeep,
     2 * kMaxNesting + 1},
    {"superscripts too deep", "x" + repeat(" ¹", kMaxNesting + 1) + " = 1", ErrorKind::NestingTooDeep,
     2 * kMaxNesting + 2},
    {"eleventh unknown", "a+b+c+d+f+g+h+j+k+l+m = 0", ErrorKind::TooManyUnknowns, 20},
    {"eleventh unknown in a later statement", "a+b+c+d+f = 0, g+h+j+k+l = 0, x = 1", ErrorKind::TooManyUnknowns, 30},
    {"negative exponent", "2^−1 = x", ErrorKind::ExponentNotWhole, 2},
    {"fractional exponent", "x^0.5 = 1", ErrorKind::ExponentNotWhole, 2},
    {"exponent over 100", "x^101 = 1", ErrorKind::ExponentNotWhole, 2},
    {"superscript exponent over 100", "x¹⁰¹ = 1", ErrorKind::ExponentNotWhole, 1},
    {"exponent with an unknown", "2^x = 4", ErrorKind::ExponentNotWhole, 2},
    {"exponent whose unknown cancels", "2^(x−x) = 1", ErrorKind::ExponentNotWhole, 2},
    {"exponent far too large", "x^(2^100) = 1", ErrorKind::ExponentNotWhole, 2},
    {"divisor with an unknown", "1/x = 2", ErrorKind::DivisorWithUnknown, 2},
    {"bracketed divisor with an unknown", "2 ÷ (x+1) = 1", ErrorKind::DivisorWithUnknown, 4},
    {"signed divisor with an unknown", "2/−x = 1", ErrorKind::DivisorWithUnknown, 2},
    {"division by zero", "x/0 = 1", ErrorKind::DivisionByZero, 2},
    {"division by what comes to zero", "x/(1−1) = 1", ErrorKind::DivisionByZero, 2},
    {"zero to the zero", "0^0 = 1", ErrorKind::ZeroToPowerZero, 1},
    {"zero to a superscript zero", "(x−x)⁰ = 1", ErrorKind::ZeroToPowerZero, 5},
    {"degree over 100 by a product", "x^50·x^51 = 1", ErrorKind::DegreeOver100, 4},
    {"degree over 100 by an implicit product", "x^100 x = 1", ErrorKind::DegreeOver100, 6},
    {"total degree over 100", "x^60 y^41 = 0", ErrorKind::DegreeOver100, 5},
    {"degree over 100 by a power", "(x²)^51 = 0", ErrorKind::DegreeOver100, 4},
    {"degree counted before anything cancels", "x^60 x^60 − x^120 = 0", ErrorKind::DegreeOver100, 5},
    {"writing before algebra", "x^200 = 1, 2+ = 3", ErrorKind::MissingOperand, 12},
    {"too many terms, refused before expanding", "(a+b+c+d+f+g+h+j+k+l)^50 = 0", ErrorKind::TooLarge, 21},
    {"a product of too many terms", "(a+b+c+d+f+g+h+j+k+l)^6 (a+b+c+d+f+g+h+j+k+l)^6 = 0", ErrorKind::TooLarge, 24},
    {"too many terms in the difference", "(a+b+c+d+f+g+h+j+k+l)^10 = (a+b+c+d+f+g+h+j+k+l)^9", ErrorKind::TooLarge, 25},
    {"exponent of a number too large", "x = 1e100001", ErrorKind::TooLarge, 4},
    {"negative exponent of a number too large", "x = 1e-100001", ErrorKind::TooLarge, 4},
    {"coefficient too long", "x = (1e100000)^13", ErrorKind::TooLarge, 14},
};

TEST(TypedErrors, EachKindAtItsPlace)
{
    for (const ErrorRow& row : kErrors) {
        SCOPED_TRACE(row.name);
        const auto result = Read(row.text);
        ASSERT_TRUE(std::holds_alternative<ReadError>(result));
        const ReadError& error = std::get<ReadError>(result);
        EXPECT_EQ(error.kind, row.kind) << Message(error);
        EXPECT_EQ(error.at, row.at);
    }
}

struct DetailRow {
    const char* name;
    const char* text;
    const char* detail;
};

const DetailRow kDetails[] = {
    {"the character as typed", "x ＠ 1", "＠"},
    {"a control character by its code", "x \x01 1", "U+0001"},
    {"a zero-width character by its code", "\uFEFFx = 1", "U+FEFF"},
    {"the reserved letter as typed", "E = 1", "E"},
    {"the operator as typed", "x × = 1", "×"},
    {"the relation as typed", "x ≤", "≤"},
    {"the eleventh letter", "a+b+c+d+f+g+h+j+k+l+M = 0", "M"},
};

TEST(TypedErrors, DetailNamesWhatIsWrongAndTheMessageSaysIt)
{
    for (const DetailRow& row : kDetails) {
        SCOPED_TRACE(row.name);
        const auto result = Read(row.text);
        ASSERT_TRUE(std::holds_alternative<ReadError>(result));
        const ReadError& error = std::get<ReadError>(result);
        EXPECT_EQ(error.detail, row.detail);
        EXPECT_NE(Message(error).find(row.detail), std::string::npos) << Message(error);
    }
}

TEST(TypedErrors, EveryKindHasItsOwnFilledMessage)
{
    std::set<std::string> seen;
    for (std::size_t k = 0; k < kErrorKinds; ++k) {
        const std::string message = Message(ReadError{static_cast<ErrorKind>(k), std::nullopt, "x"});
        SCOPED_TRACE(message);
        EXPECT_FALSE(message.empty());
        EXPECT_EQ(message.find('{'), std::string::npos);
        EXPECT_TRUE(seen.insert(message).second);
    }
}

TEST(TypedErrors, MessagesNameTheLimits)
{
    EXPECT_NE(Message({ErrorKind::TooManyUnknowns, 0, "m"}).find(std::to_string(kMaxUnknowns)), std::string::npos);
    EXPECT_NE(Message({ErrorKind::DegreeOver100, 0, ""}).find(std::to_string(kMaxDegree)), std::string::npos);
    EXPECT_NE(Message({ErrorKind::ExponentNotWhole, 0, ""}).find(std::to_string(kMaxExponent)), std::string::npos);
}

TEST(TypedLimits, TheLargestAllowedReads)
{
    // A million characters of sum, a million-digit number, ten unknowns to
    // the degree the terms allow.
    const Reading sum = readOk(repeat("x+", 499'999) + "x = 1");
    EXPECT_EQ(sum.statements[0].difference.coefficients(0), (std::vector<mpq_class>{500'000, -1}));
    const Reading digits = readOk("x = " + repeat("9", 1'000'000));
    EXPECT_GT(digits.statements[0].difference.coefficientBits(), 3'000'000u);
    const Reading terms = readOk("(a+b+c+d+f+g+h+j+k+l)^9 = 0");
    EXPECT_EQ(terms.statements[0].difference.termCount(), 48'620u); // C(18, 9)
    const Reading degree = readOk("x^50 x^50 = y^100");
    EXPECT_EQ(degree.statements[0].difference.degree(0), kMaxDegree);
    const Reading deep = readOk(repeat("(", kMaxNesting) + "x" + repeat(")", kMaxNesting) + " = 1");
    EXPECT_EQ(deep.statements[0].difference.coefficients(0), (std::vector<mpq_class>{1, -1}));
}

// Each step within the limits, and still too much work together: refused at
// an operator or a number, not waited for.
TEST(TypedLimits, LongWorkIsRefused)
{
    const std::string powers = repeat("(a+b+c+d+f+g+h+j+k+l)^8 = 0, ", 200);
    const auto refusedPowers = Read(powers);
    ASSERT_TRUE(std::holds_alternative<ReadError>(refusedPowers));
    const ReadError& powerError = std::get<ReadError>(refusedPowers);
    EXPECT_EQ(powerError.kind, ErrorKind::TooLarge);
    EXPECT_EQ(powers.at(powerError.at.value_or(0)), '^');

    std::string numbers = "x = 1";
    for (int exponent = 99'999; numbers.size() < 200'000; --exponent)
        numbers += " + 1e-" + std::to_string(exponent);
    const auto refusedNumbers = Read(numbers);
    ASSERT_TRUE(std::holds_alternative<ReadError>(refusedNumbers));
    const ReadError& numberError = std::get<ReadError>(refusedNumbers);
    EXPECT_EQ(numberError.kind, ErrorKind::TooLarge);
    EXPECT_EQ(numbers.substr(numberError.at.value_or(0), 3), "1e-");
}

TEST(TypedExpand, ASideAloneAsReadExpandsIt)
{
    const Reading reading = readOk("(x − 1)(x + 2) = 3y");
    const auto left = Expand(reading.statements[0].left, reading.unknowns.size());
    const auto right = Expand(reading.statements[0].right, reading.unknowns.size());
    ASSERT_TRUE(std::holds_alternative<Polynomial>(left) && std::holds_alternative<Polynomial>(right));
    EXPECT_EQ(std::get<Polynomial>(left) - std::get<Polynomial>(right), reading.statements[0].difference);
}

TEST(TypedPolynomial, DenseCoefficientsOnlyForOneUnknown)
{
    const Reading reading = readOk("x y = 1");
    EXPECT_THROW(reading.statements[0].difference.coefficients(0), std::invalid_argument);
    EXPECT_EQ(Polynomial(2).coefficients(1), std::vector<mpq_class>{0});
}

} // namespace
