// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "formula.h"
#include "latex.h"
#include "line.h"
#include "plain_text.h"
#include "spoken.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <limits>
#include <map>
#include <random>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

using namespace zembrel;
using namespace zembrel::engine;
using namespace zembrel::present;

namespace {

using Kind = Formula::Kind;

// ---- formulas the program writes, and random ones ---------------------------

FormulaPtr x() { return Sym("x"); }
FormulaPtr delta() { return Sym(symbol::kDelta); }

std::string longDigits(std::size_t count)
{
    std::string digits;
    for (std::size_t i = 0; i < count; ++i)
        digits += static_cast<char>('1' + i % 9);
    return digits;
}

// A formula of each kind, most as the solvers write them, with its speech
// (default options) and its LaTeX (Chinese words) where the row pins them.
struct FormulaRow {
    const char* name;
    FormulaPtr formula;
    const char* spoken = nullptr;
    const char* latex = nullptr;
};

std::vector<FormulaRow> formulaRows()
{
    const FormulaPtr minusHalfQ = Neg(Frac(Sym("q"), Int(2)));
    const FormulaPtr lessThanOne = Rel(x(), Relation::Less, Int(1));
    return {
        {"whole number", Int(123), "一百二十三", "123"},
        {"whole number with inner zeros", Int(100010), "十万零一十"},
        {"decimal", Dec("0.35"), "零点三五", "0.35"},
        {"decimal with zeros", Dec("1.05"), "一点零五"},
        {"decimal with trailing zero", Dec("2.80"), "二点八零"},
        {"decimal times a power of ten", Dec("1.5", -11), "一点五乘以十的负十一次方", "1.5 \\times 10^{-11}"},
        {"negative number", Neg(Int(3)), "负三", "-3"},
        {"subscript number", Sym("x", "1"), "x 一", "x_{1}"},
        {"subscript letter", Sym("D", "x"), "D 下标 x", "D_{x}"},
        {"product of letters", Mul({Sym("D"), x()}), "D x", "D x"},
        {"quadratic root", Eq(Sym("x", "1"), Frac(Sub(Int(3), Sqrt(Int(5))), Int(2))),
         "x 一 等于 二分之 左括号 三减根号五 右括号", "x_{1} = \\frac{3 - \\sqrt{5}}{2}"},
        {"discriminant working",
         ChainOf(delta(), {{Relation::Equal, Sub(Pow(Sym("b"), 2), Mul({Int(4), Sym("a"), Sym("c")}))},
                           {Relation::Equal, Sub(Pow(Neg(Int(3)), 2), Times({Int(4), Int(1), Int(1)}))},
                           {Relation::Equal, Int(5)}}),
         "判别式 等于 b 的平方减四 a c 等于 左括号 负三 右括号 的平方减四乘一乘一 等于 五",
         "\\Delta = b^{2} - 4 a c = \\left(-3\\right)^{2} - 4 \\times 1 \\times 1 = 5"},
        {"quadratic formula", Eq(x(), Frac(PlusMinusOf(Neg(Sym("b")), Sqrt(delta())), Mul({Int(2), Sym("a")}))),
         "x 等于 左括号 二 a 右括号 分之 左括号 负 b 正负根号判别式 右括号",
         "x = \\frac{-b \\pm \\sqrt{\\Delta}}{2 a}"},
        {"Cardano", Eq(x(), Add(RootOf(Add(minusHalfQ, Sqrt(delta())), 3), RootOf(Sub(minusHalfQ, Sqrt(delta())), 3))),
         "x 等于 三次根号 左括号 负二分之 q 加根号判别式 右括号 加三次根号 左括号 负二分之 q 减根号判别式 右括号",
         "x = \\sqrt[3]{-\\frac{q}{2} + \\sqrt{\\Delta}} + \\sqrt[3]{-\\frac{q}{2} - \\sqrt{\\Delta}}"},
        {"trigonometric root",
         Eq(x(), Mul({Int(2), Sqrt(Frac(Int(7), Int(3))),
                      Func("cos", Sub(Mul({Frac(Int(1), Int(3)), Func("arccos", Sym("t"))}),
                                      Frac(Mul({Int(2), Sym(symbol::kPi)}), Int(3))))})),
         "x 等于 二根号 左括号 三分之七 右括号 余弦 左括号 三分之一反余弦 t 减三分之 左括号 二派 右括号 右括号",
         "x = 2 \\sqrt{\\frac{7}{3}} \\cos\\left(\\frac{1}{3} \\arccos\\left(t\\right) - \\frac{2 \\pi}{3}\\right)"},
        {"complex root", Add(Neg(Frac(Int(1), Int(4))), Mul({Frac(Sqrt(Int(7)), Int(4)), Sym(symbol::kImaginaryUnit)})),
         "负四分之一加四分之根号七 i", "-\\frac{1}{4} + \\frac{\\sqrt{7}}{4} \\mathrm{i}"},
        {"determinant",
         ChainOf(Sym("D"), {{Relation::Equal, MatrixOf({{Int(2), Int(3)}, {Int(1), Neg(Int(1))}}, true)},
                            {Relation::Equal, Neg(Int(5))}}),
         "D 等于 二阶行列式：第一行 二，三；第二行 一，负一 等于 负五",
         "D = \\begin{vmatrix} 2 & 3 \\\\ 1 & -1 \\end{vmatrix} = -5"},
        {"matrix", MatrixOf({{Int(1), Int(0), Sym("a")}, {Neg(Int(2)), Int(5), Sym("b")}}, false),
         "二行三列的矩阵：第一行 一，零，a；第二行 负二，五，b",
         "\\begin{pmatrix} 1 & 0 & a \\\\ -2 & 5 & b \\end{pmatrix}"},
        {"system",
         CasesOf({Eq(Add(Mul({Int(2), x()}), Mul({Int(3), Sym("y")})), Int(7)), Eq(Sub(x(), Sym("y")), Int(1))}),
         "方程组：二 x 加三 y 等于 七；x 减 y 等于 一", "\\begin{cases} 2 x + 3 y = 7 \\\\ x - y = 1 \\end{cases}"},
        {"alternatives", OrOf({lessThanOne, Rel(x(), Relation::Greater, Int(2))}), "x 小于 一 或 x 大于 二",
         "x < 1 \\text{ 或 } x > 2"},
        {"conditions", AndOf({Rel(x(), Relation::GreaterEqual, Int(1)), Rel(x(), Relation::LessEqual, Int(2))}),
         "x 大于等于 一 且 x 小于等于 二", "x \\geq 1 \\text{ 且 } x \\leq 2"},
        {"union of intervals",
         UnionOf({IntervalOf(nullptr, Int(1), false, false), IntervalOf(Int(2), nullptr, false, false)}),
         "从负无穷大到一的开区间 并 从二到正无穷大的开区间",
         "\\left(-\\infty, 1\\right) \\cup \\left(2, +\\infty\\right)"},
        {"closed interval", IntervalOf(Neg(Int(3)), Int(5), true, true), "从负三到五的闭区间", "\\left[-3, 5\\right]"},
        {"interval closed on the left", IntervalOf(Neg(Int(3)), Sym("a"), true, false), "从负三到 a 的左闭右开区间",
         "\\left[-3, a\\right)"},
        {"interval closed on the right", IntervalOf(Int(1), Int(2), false, true), "从一到二的左开右闭区间",
         "\\left(1, 2\\right]"},
        {"approximate root", Rel(x(), Relation::Approx, Dec("1.41421356237310")), "x 约等于 一点四一四二一",
         "x \\approx 1.41421356237310"},
        {"rounded after equal", Eq(x(), Neg(Dec("0.333333333333333"))), "x 等于 约负零点三三三三三三"},
        {"rounded up", Dec("0.000123456789"), "约零点零零零一二三四五七"},
        {"rounded up into the power", Dec("9.99999999", -12), "约一乘以十的负十一次方"},
        {"not equal", Rel(x(), Relation::NotEqual, Int(1)), "x 不等于 一", "x \\neq 1"},
        {"factored polynomial", Eq(Mul({Pow(Sub(x(), Int(1)), 2), Add(x(), Int(2))}), Int(0)),
         "左括号 x 减一 右括号 的平方 左括号 x 加二 右括号 等于 零",
         "\\left(x - 1\\right)^{2} \\left(x + 2\\right) = 0"},
        {"polynomial", PolynomialFormula(std::vector<mpq_class>{1, 0, -7, 6}, x()), "x 的立方减七 x 加六",
         "x^{3} - 7 x + 6"},
        {"roots side by side", ListOf({Eq(Sym("x", "1"), Int(1)), Eq(Sym("x", "2"), Int(2))}),
         "x 一 等于 一，x 二 等于 二", "x_{1} = 1,\\quad x_{2} = 2"},
        {"cube of a sum", Pow(Add(x(), Int(1)), 3), "左括号 x 加一 右括号 的立方", "\\left(x + 1\\right)^{3}"},
        {"exponent that is a sum", Pow(x(), Add(Sym("n"), Int(1))), "x 的 n 加一 次方", "x^{n + 1}"},
        {"negative exponent", Pow(x(), Neg(Int(1))), "x 的负一次方", "x^{-1}"},
        {"fraction exponent", Pow(Int(2), Frac(Int(1), Int(3))), "二的三分之一次方", "2^{\\frac{1}{3}}"},
        {"cube root", RootOf(Int(2), 3), "三次根号二", "\\sqrt[3]{2}"},
        {"fourth root", RootOf(x(), 4), "四次根号 x", "\\sqrt[4]{x}"},
        {"one over a root", Frac(Int(1), Sqrt(Int(2))), "根号二分之一", "\\frac{1}{\\sqrt{2}}"},
        {"root of a fraction", Sqrt(Frac(Int(1), Int(2))), "根号 左括号 二分之一 右括号", "\\sqrt{\\frac{1}{2}}"},
        {"infinity", Rel(x(), Relation::Less, Sym(symbol::kInfinity)), "x 小于 无穷大", "x < \\infty"},
        {"theta", Func("cos", Sym(symbol::kTheta)), "余弦西塔", "\\cos\\left(\\theta\\right)"},
        {"a table of signs",
         MatrixOf({{x(), IntervalOf(nullptr, Int(1), false, false), Int(1)},
                   {Sym("f"), Sym(symbol::kPositive), Sym(symbol::kNegative)}},
                  false),
         "二行三列的矩阵：第一行 x，从负无穷大到一的开区间，一；第二行 f，正号，负号",
         "\\begin{pmatrix} x & \\left(-\\infty, 1\\right) & 1 \\\\ f & + & - \\end{pmatrix}"},
        {"no number", Eq(Sym("S"), Sym(symbol::kEmptySet)), "S 等于 空集", "S = \\emptyset"},
        {"logarithm", Func("ln", Mul({Int(2), x()})), "自然对数 左括号 二 x 右括号", "\\ln\\left(2 x\\right)"},
        {"number after a letter", Mul({x(), Int(2)}), "x 左括号 二 右括号", "x \\cdot 2"},
        {"fraction after a letter", Mul({Sym("a"), Frac(Int(1), Sym("b"))}), "a 左括号 b 分之一 右括号",
         "a \\cdot \\frac{1}{b}"},
        {"fraction after a number", Mul({Int(2), Frac(Int(1), Int(2))}), "二 左括号 二分之一 右括号",
         "2 \\cdot \\frac{1}{2}"},
        {"numbers times each other", Times({Frac(Int(1), Int(2)), Int(3)}), "二分之一乘三", "\\frac{1}{2} \\times 3"},
        {"power of a fraction", Pow(Frac(Int(1), Int(2)), 2), "左括号 二分之一 右括号 的平方",
         "\\left(\\frac{1}{2}\\right)^{2}"},
        {"long whole number", Int(mpz_class(longDigits(401))), "一个四百零一位数 开头是 一二三四五六"},
        {"longest whole number read in full", Int(mpz_class("100000000000000000000000000000")), "十万亿亿亿"},
    };
}

// Random formulas built as the engine builds them, of every kind and nested
// in every way, from a fixed seed.
class RandomFormulas {
public:
    explicit RandomFormulas(unsigned seed) : random_(seed) {}

    // A statement: a value, a relation, an interval, a system …
    FormulaPtr statement(int depth)
    {
        if (depth <= 0)
            return value(0);
        switch (below(10)) {
        case 0: return ChainOf(value(depth), {{relation(), value(depth)}});
        case 1: return ChainOf(value(depth), {{relation(), value(depth)}, {relation(), value(depth - 1)}});
        case 2: return interval(depth);
        case 3: return UnionOf({interval(depth), interval(depth)});
        case 4: return OrOf({statement(depth - 1), statement(depth - 1)});
        case 5: return AndOf({statement(depth - 1), statement(depth - 1)});
        case 6: return CasesOf({statement(depth - 1), statement(depth - 1)});
        case 7: return matrix(depth);
        case 8: return ListOf({statement(depth - 1), statement(depth - 1)});
        default: return value(depth);
        }
    }

    // A value: numbers, letters and what arithmetic makes of them.
    FormulaPtr value(int depth)
    {
        if (depth <= 0)
            return leaf();
        switch (below(12)) {
        case 0: return Neg(value(depth - 1));
        case 1: {
            std::vector<std::pair<Sign, FormulaPtr>> terms;
            const int count = 2 + below(3);
            terms.reserve(static_cast<std::size_t>(count));
            for (int i = 0; i < count; ++i)
                terms.emplace_back(sign(), value(depth - 1));
            return SumOf(terms);
        }
        case 2: return Mul(factors(depth));
        case 3: return Times(factors(depth));
        case 4: return Frac(value(depth - 1), value(depth - 1));
        case 5: return Pow(value(depth - 1), below(2) == 0 ? Int(2 + below(4)) : value(depth - 1));
        case 6: return RootOf(value(depth - 1), 2 + below(4));
        case 7: return Func(kFunctionNames[pick(std::size(kFunctionNames))], value(depth - 1));
        case 8: return Dec(decimalDigits(), below(2) == 0 ? -1 - below(20) : 1 + below(20));
        case 9: return matrix(depth - 1);
        case 10: return interval(depth - 1);
        default: return leaf();
        }
    }

    FormulaPtr leaf()
    {
        switch (below(7)) {
        case 0: return Int(below(1000));
        case 1: return Int(mpz_class(bigDigits()));
        case 2: return Dec(decimalDigits());
        case 3: return Sym(kLetters[pick(std::size(kLetters))]);
        case 4: return Sym(kLetters[pick(std::size(kLetters))], std::to_string(below(13)));
        case 5: return Sym("D", kLetters[pick(std::size(kLetters))]);
        default: return Sym(kNamed[pick(std::size(kNamed))]);
        }
    }

private:
    static constexpr const char* kLetters[] = {"x", "y", "z", "a", "b", "c", "p", "q", "t", "s", "D"};
    // ∞ is left out: an interval's infinite end reads like it.
    static constexpr const char* kNamed[] = {symbol::kDelta, symbol::kImaginaryUnit, symbol::kPi, symbol::kTheta};
    static constexpr const char* kFunctionNames[] = {"cos", "arccos", "sin", "ln"};

    int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }
    std::size_t pick(std::size_t n) { return static_cast<std::size_t>(below(static_cast<int>(n))); }

    Sign sign() { return std::array{Sign::Plus, Sign::Minus, Sign::PlusMinus}[pick(3)]; }
    Relation relation()
    {
        return std::array{Relation::Equal,   Relation::Approx,    Relation::NotEqual,    Relation::Less,
                          Relation::Greater, Relation::LessEqual, Relation::GreaterEqual}[pick(7)];
    }

    std::vector<FormulaPtr> factors(int depth)
    {
        std::vector<FormulaPtr> list;
        const int count = 2 + below(2);
        list.reserve(static_cast<std::size_t>(count));
        for (int i = 0; i < count; ++i)
            list.push_back(value(depth - 1));
        return list;
    }

    // Up to 30 digits, the longest a number is read out in full.
    std::string bigDigits()
    {
        std::string digits(1, static_cast<char>('1' + below(9)));
        const int more = below(30);
        for (int i = 0; i < more; ++i)
            digits += static_cast<char>('0' + below(10));
        return digits;
    }

    // As the engine writes a decimal: a whole part without leading zeros, a point, digits.
    std::string decimalDigits()
    {
        std::string digits = below(3) == 0 ? "0" : std::to_string(1 + below(999));
        digits += '.';
        const int places = 1 + below(5);
        for (int i = 0; i < places; ++i)
            digits += static_cast<char>('0' + below(10));
        return digits;
    }

    FormulaPtr interval(int depth)
    {
        const bool closedLeft = below(2) == 0;
        const bool closedRight = below(2) == 0;
        return IntervalOf(below(4) == 0 ? nullptr : value(depth - 1), below(4) == 0 ? nullptr : value(depth - 1),
                          closedLeft, closedRight);
    }

    FormulaPtr matrix(int depth)
    {
        const int rows = 1 + below(3);
        const int columns = below(2) == 0 ? rows : 1 + below(3);
        std::vector<std::vector<FormulaPtr>> cells(static_cast<std::size_t>(rows));
        for (auto& row : cells) {
            for (int c = 0; c < columns; ++c)
                row.push_back(value(depth - 1));
        }
        return MatrixOf(std::move(cells), below(2) == 0);
    }

    std::mt19937 random_;
};

constexpr int kRandomFormulas = 600;

std::vector<FormulaPtr> randomFormulas()
{
    RandomFormulas random(20260501);
    std::vector<FormulaPtr> formulas;
    formulas.reserve(kRandomFormulas);
    for (int i = 0; i < kRandomFormulas; ++i)
        formulas.push_back(random.statement(1 + i % 4));
    return formulas;
}

// Equal as trees, every field the printers read.
bool same(const Formula* a, const Formula* b)
{
    if (!a || !b)
        return a == b;
    if (a->kind != b->kind || a->integer != b->integer || a->text != b->text || a->exponent != b->exponent
        || a->subscript != b->subscript || a->signs != b->signs || a->relations != b->relations
        || a->timesShown != b->timesShown || a->bars != b->bars || a->closedLeft != b->closedLeft
        || a->closedRight != b->closedRight || a->index != b->index || a->columns != b->columns
        || a->children.size() != b->children.size())
        return false;
    for (std::size_t i = 0; i < a->children.size(); ++i) {
        if (!same(a->children[i].get(), b->children[i].get()))
            return false;
    }
    return true;
}

// ---- reading speech back ----------------------------------------------------

// Reads a spoken formula back into a tree by the conventions of
// docs/spoken-mathematics.md, from the words alone: spaces are skipped. It
// throws where the words do not determine a formula.
class SpokenReader {
public:
    explicit SpokenReader(const std::string& text) : words_(split(text)) {}

    FormulaPtr read()
    {
        FormulaPtr f = list();
        if (at_ != words_.size())
            fail("words left over");
        return f;
    }

private:
    struct Word {
        std::string text;
        bool numeral = false;
        bool letter = false;
    };

    static constexpr std::string_view kNumeralCharacters = "零一二三四五六七八九十百千万亿点";

    // Longest first where one word begins another (小于等于, 小于).
    static const std::vector<std::string>& vocabulary()
    {
        static const std::vector<std::string> words = [] {
            std::vector<std::string> w{"左括号",
                                       "右括号",
                                       "分之",
                                       "的平方",
                                       "的立方",
                                       "的",
                                       "次方",
                                       "次根号",
                                       "根号",
                                       "负",
                                       "正负",
                                       "加",
                                       "减",
                                       "乘以",
                                       "乘",
                                       "等于",
                                       "约等于",
                                       "不等于",
                                       "小于等于",
                                       "大于等于",
                                       "小于",
                                       "大于",
                                       "或",
                                       "且",
                                       "并",
                                       "方程组",
                                       "阶行列式",
                                       "行",
                                       "列的行列式",
                                       "列的矩阵",
                                       "第",
                                       "从",
                                       "到",
                                       "的开区间",
                                       "的闭区间",
                                       "的左闭右开区间",
                                       "的左开右闭区间",
                                       "负无穷大",
                                       "正无穷大",
                                       "下标",
                                       "，",
                                       "；",
                                       "："};
            for (const auto& [words, name] : kSymbols)
                w.push_back(words);
            for (const auto& [words, name] : kFunctions)
                w.push_back(words);
            std::sort(w.begin(), w.end(),
                      [](const std::string& a, const std::string& b) { return a.size() > b.size(); });
            return w;
        }();
        return words;
    }

    static inline const std::map<std::string, std::string> kSymbols{
        {"判别式", symbol::kDelta}, {"派", symbol::kPi},         {"无穷大", symbol::kInfinity},
        {"西塔", symbol::kTheta},   {"正号", symbol::kPositive}, {"负号", symbol::kNegative},
        {"空集", symbol::kEmptySet}};
    static inline const std::map<std::string, std::string> kFunctions{
        {"余弦", "cos"},      {"正弦", "sin"},    {"正切", "tan"},    {"反余弦", "arccos"}, {"反正弦", "arcsin"},
        {"反正切", "arctan"}, {"自然对数", "ln"}, {"常用对数", "lg"}, {"对数", "log"}};
    static inline const std::map<std::string, std::pair<bool, bool>> kIntervals{{"的开区间", {false, false}},
                                                                                {"的闭区间", {true, true}},
                                                                                {"的左闭右开区间", {true, false}},
                                                                                {"的左开右闭区间", {false, true}}};
    static inline const std::map<std::string, Relation> kRelations{
        {"等于", Relation::Equal},           {"约等于", Relation::Approx},
        {"不等于", Relation::NotEqual},      {"小于", Relation::Less},
        {"大于", Relation::Greater},         {"小于等于", Relation::LessEqual},
        {"大于等于", Relation::GreaterEqual}};

    static std::size_t characterLength(unsigned char lead)
    {
        return lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    }

    static std::vector<Word> split(const std::string& text)
    {
        std::vector<Word> words;
        std::size_t i = 0;
        while (i < text.size()) {
            const char c = text[i];
            if (c == ' ') {
                ++i;
            } else if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z')) {
                words.push_back({std::string(1, c), false, true});
                ++i;
            } else if (const auto known
                       = std::find_if(vocabulary().begin(), vocabulary().end(),
                                      [&](const std::string& w) { return text.compare(i, w.size(), w) == 0; });
                       known != vocabulary().end()) {
                words.push_back({*known, false, false});
                i += known->size();
            } else {
                std::string numeral;
                while (i < text.size()) {
                    const std::string character = text.substr(i, characterLength(static_cast<unsigned char>(text[i])));
                    if (kNumeralCharacters.find(character) == std::string_view::npos)
                        break;
                    numeral += character;
                    i += character.size();
                }
                if (numeral.empty())
                    throw std::runtime_error("no word begins at \"" + text.substr(i) + "\"");
                words.push_back({numeral, true, false});
            }
        }
        return words;
    }

    [[noreturn]] void fail(const std::string& why) const
    {
        const std::string here = at_ < words_.size() ? words_[at_].text : "the end";
        throw std::runtime_error(why + " at word " + std::to_string(at_) + " (" + here + ")");
    }

    const Word* peek(std::size_t ahead = 0) const
    {
        return at_ + ahead < words_.size() ? &words_[at_ + ahead] : nullptr;
    }
    bool peekIs(std::string_view text, std::size_t ahead = 0) const
    {
        const Word* w = peek(ahead);
        return w && w->text == text;
    }
    bool accept(std::string_view text)
    {
        if (!peekIs(text))
            return false;
        ++at_;
        return true;
    }
    void expect(std::string_view text)
    {
        if (!accept(text))
            fail("expected " + std::string(text));
    }
    const Word& next()
    {
        if (at_ == words_.size())
            fail("the words end too early");
        return words_[at_++];
    }
    std::string numeral()
    {
        const Word& w = next();
        if (!w.numeral)
            fail("expected a number");
        return w.text;
    }

    FormulaPtr list()
    {
        std::vector<FormulaPtr> items{alternatives()};
        while (accept("，"))
            items.push_back(alternatives());
        return ListOf(std::move(items));
    }

    FormulaPtr alternatives()
    {
        std::vector<FormulaPtr> items{conditions()};
        while (accept("或"))
            items.push_back(conditions());
        return OrOf(std::move(items));
    }

    FormulaPtr conditions()
    {
        std::vector<FormulaPtr> items{system()};
        while (accept("且"))
            items.push_back(system());
        return AndOf(std::move(items));
    }

    FormulaPtr system()
    {
        if (!accept("方程组"))
            return chain();
        expect("：");
        std::vector<FormulaPtr> equations{chain()};
        while (accept("；"))
            equations.push_back(chain());
        return CasesOf(std::move(equations));
    }

    FormulaPtr chain()
    {
        FormulaPtr first = setUnion();
        std::vector<std::pair<Relation, FormulaPtr>> rest;
        while (peek() && kRelations.contains(peek()->text)) {
            const Relation r = kRelations.at(next().text);
            rest.emplace_back(r, setUnion());
        }
        return rest.empty() ? first : ChainOf(std::move(first), rest);
    }

    FormulaPtr setUnion()
    {
        std::vector<FormulaPtr> parts{sum()};
        while (accept("并"))
            parts.push_back(sum());
        return UnionOf(std::move(parts));
    }

    FormulaPtr sum()
    {
        if (peek() && peek()->numeral && (peekIs("阶行列式", 1) || peekIs("行", 1)))
            return matrix();
        std::vector<std::pair<Sign, FormulaPtr>> terms;
        Sign sign = accept("负") ? Sign::Minus : accept("正负") ? Sign::PlusMinus : Sign::Plus;
        terms.emplace_back(sign, product());
        while (true) {
            if (accept("加"))
                sign = Sign::Plus;
            else if (accept("减"))
                sign = Sign::Minus;
            else if (accept("正负"))
                sign = Sign::PlusMinus;
            else
                break;
            terms.emplace_back(sign, product());
        }
        return SumOf(terms);
    }

    FormulaPtr product()
    {
        std::vector<FormulaPtr> factors{fraction()};
        if (peekIs("乘")) {
            while (accept("乘"))
                factors.push_back(fraction());
            return Times(std::move(factors));
        }
        while (startsPrimary())
            factors.push_back(power());
        return Mul(std::move(factors));
    }

    FormulaPtr fraction()
    {
        FormulaPtr denominator = power();
        if (!accept("分之"))
            return denominator;
        FormulaPtr numerator = power();
        return Frac(std::move(numerator), std::move(denominator));
    }

    FormulaPtr power()
    {
        FormulaPtr base = primary();
        if (peekIs("的平方") || peekIs("的立方") || peekIs("的"))
            return Pow(std::move(base), exponent());
        return base;
    }

    FormulaPtr exponent()
    {
        if (accept("的平方"))
            return Int(2);
        if (accept("的立方"))
            return Int(3);
        expect("的");
        FormulaPtr e = list();
        expect("次方");
        return e;
    }

    bool startsPrimary() const
    {
        const Word* w = peek();
        return w
               && (w->numeral || w->letter || kSymbols.contains(w->text) || kFunctions.contains(w->text)
                   || w->text == "左括号" || w->text == "根号" || w->text == "从");
    }

    FormulaPtr primary()
    {
        if (accept("左括号")) {
            FormulaPtr inner = list();
            expect("右括号");
            return inner;
        }
        if (accept("根号"))
            return Sqrt(primary());
        if (accept("从"))
            return interval();
        if (peek() && kFunctions.contains(peek()->text)) {
            const std::string& name = kFunctions.at(next().text);
            return Func(name, primary());
        }
        if (peek() && peek()->numeral) {
            const std::string words = numeral();
            if (accept("次根号"))
                return RootOf(primary(), std::stoi(WholeNumber(words)));
            return number(words);
        }
        if (peek() && (peek()->letter || kSymbols.contains(peek()->text)))
            return symbolWithSubscript();
        fail("expected a number, a letter or 左括号");
    }

    FormulaPtr number(const std::string& words)
    {
        const std::size_t point = words.find("点");
        std::string digits = WholeNumber(words.substr(0, point));
        if (point != std::string::npos) {
            digits += '.';
            for (std::size_t i = point + std::string("点").size(); i < words.size(); i += 3)
                digits += static_cast<char>('0' + kDigitWords.find(words.substr(i, 3)) / 3);
        }
        if (accept("乘以")) {
            if (numeral() != "十")
                fail("expected 十 of a power of ten");
            const FormulaPtr e = exponent();
            const bool negative = e->kind == Kind::Negative;
            const Formula& magnitude = negative ? *e->children.front() : *e;
            if (magnitude.kind != Kind::Integer)
                fail("a power of ten with no whole exponent");
            const long value = magnitude.integer.get_si();
            return Dec(digits, negative ? -value : value);
        }
        if (point != std::string::npos)
            return Dec(digits);
        return Int(mpz_class(digits));
    }

    FormulaPtr symbolWithSubscript()
    {
        const Word& w = next();
        const std::string name = w.letter ? w.text : kSymbols.at(w.text);
        if (peek() && peek()->numeral)
            return Sym(name, WholeNumber(numeral()));
        if (accept("下标")) {
            const Word& subscript = next();
            if (!subscript.letter)
                fail("expected a letter after 下标");
            return Sym(name, subscript.text);
        }
        return Sym(name);
    }

    FormulaPtr interval()
    {
        FormulaPtr from = accept("负无穷大") ? nullptr : list();
        expect("到");
        FormulaPtr to = accept("正无穷大") ? nullptr : list();
        if (!peek() || !kIntervals.contains(peek()->text))
            fail("expected the kind of interval");
        const auto [closedLeft, closedRight] = kIntervals.at(next().text);
        return IntervalOf(std::move(from), std::move(to), closedLeft, closedRight);
    }

    FormulaPtr matrix()
    {
        const std::size_t rows = std::stoul(WholeNumber(numeral()));
        std::size_t columns = rows;
        bool bars = true;
        if (!accept("阶行列式")) {
            expect("行");
            columns = std::stoul(WholeNumber(numeral()));
            bars = accept("列的行列式");
            if (!bars)
                expect("列的矩阵");
        }
        expect("：");
        std::vector<std::vector<FormulaPtr>> cells(rows);
        for (std::size_t r = 0; r < rows; ++r) {
            if (r > 0)
                expect("；");
            expect("第");
            if (WholeNumber(numeral()) != std::to_string(r + 1))
                fail("rows out of order");
            expect("行");
            for (std::size_t c = 0; c < columns; ++c) {
                if (c > 0)
                    expect("，");
                cells[r].push_back(sum());
            }
        }
        return MatrixOf(std::move(cells), bars);
    }

public:
    static constexpr std::string_view kDigitWords = "零一二三四五六七八九";

    // Chinese numerals back to digits: groups of 千百十 and digits, each
    // followed by the name of its power of ten thousand (万, 亿, 万亿 …).
    static std::string WholeNumber(const std::string& words)
    {
        const std::map<std::string, int> places{{"十", 10}, {"百", 100}, {"千", 1000}};
        const std::map<std::string, unsigned long> groups{{"万", 4}, {"亿", 8}};
        mpz_class total = 0;
        mpz_class group = 0;
        int digit = -1;
        unsigned long groupPower = 0;
        // A group ends where its run of 万 and 亿 does, and at the end.
        const auto completeGroup = [&] {
            group += std::max(digit, 0);
            mpz_class scale;
            mpz_ui_pow_ui(scale.get_mpz_t(), 10, groupPower);
            total += group * scale;
            group = 0;
            digit = -1;
            groupPower = 0;
        };
        for (std::size_t i = 0; i < words.size(); i += 3) {
            const std::string c = words.substr(i, 3);
            if (groups.contains(c)) {
                groupPower += groups.at(c);
                continue;
            }
            if (groupPower > 0)
                completeGroup();
            if (const std::size_t d = kDigitWords.find(c); d != std::string_view::npos) {
                digit = static_cast<int>(d / 3);
            } else if (places.contains(c)) {
                group += (digit < 0 ? 1 : digit) * places.at(c);
                digit = -1;
            } else {
                throw std::runtime_error("not a numeral: " + words);
            }
        }
        completeGroup();
        return total.get_str();
    }

private:
    std::vector<Word> words_;
    std::size_t at_ = 0;
};

::testing::AssertionResult ReadsBack(const FormulaPtr& formula, const SpokenOptions& options)
{
    const std::string spoken = Spoken(*formula, options);
    try {
        const FormulaPtr read = SpokenReader(spoken).read();
        if (same(formula.get(), read.get()))
            return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure()
               << PlainText(*formula) << " is spoken \"" << spoken << "\", read back as " << PlainText(*read);
    } catch (const std::exception& e) {
        return ::testing::AssertionFailure()
               << PlainText(*formula) << " is spoken \"" << spoken << "\", which does not read back: " << e.what();
    }
}

// Chinese characters and punctuation, spaces, and letters standing alone
// between spaces: no digit, no mathematical sign, no Latin word.
::testing::AssertionResult OnlyWords(const std::string& spoken)
{
    enum class Class { Boundary, Chinese, Letter };
    std::vector<Class> classes{Class::Boundary};
    for (std::size_t i = 0; i < spoken.size();) {
        const auto lead = static_cast<unsigned char>(spoken[i]);
        const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        const std::string character = spoken.substr(i, length);
        i += length;
        if (character == " " || character == "，" || character == "；" || character == "：" || character == "、"
            || character == "（" || character == "）") {
            classes.push_back(Class::Boundary);
            continue;
        }
        if (length == 1 && std::isalpha(lead)) {
            classes.push_back(Class::Letter);
            continue;
        }
        // CJK Unified Ideographs, U+4E00 to U+9FFF: E4 B8 80 to E9 BF BF.
        if (length == 3 && character >= "\xE4\xB8\x80" && character <= "\xE9\xBF\xBF") {
            classes.push_back(Class::Chinese);
            continue;
        }
        return ::testing::AssertionFailure() << "\"" << spoken << "\" holds \"" << character << "\"";
    }
    classes.push_back(Class::Boundary);
    for (std::size_t i = 1; i + 1 < classes.size(); ++i) {
        if (classes[i] == Class::Letter && (classes[i - 1] != Class::Boundary || classes[i + 1] != Class::Boundary))
            return ::testing::AssertionFailure() << "\"" << spoken << "\" runs a letter into a word";
    }
    return ::testing::AssertionSuccess();
}

// ---- spoken -----------------------------------------------------------------

// Every digit of every number, so that the words hold the whole formula.
SpokenOptions everyDigit()
{
    SpokenOptions options;
    options.decimalDigits = 0;
    options.longestNumber = std::numeric_limits<std::size_t>::max();
    return options;
}

TEST(Spoken, ReadsLikeATeacher)
{
    for (const FormulaRow& row : formulaRows()) {
        if (!row.spoken)
            continue;
        SCOPED_TRACE(row.name);
        EXPECT_EQ(Spoken(*row.formula), row.spoken);
    }
}

TEST(Spoken, EveryFormulaReadsBackFromItsWords)
{
    for (const FormulaRow& row : formulaRows()) {
        SCOPED_TRACE(row.name);
        EXPECT_TRUE(ReadsBack(row.formula, everyDigit()));
    }
    for (const FormulaPtr& formula : randomFormulas())
        EXPECT_TRUE(ReadsBack(formula, everyDigit()));
}

TEST(Spoken, HoldsWordsAndLettersOnly)
{
    for (const SpokenOptions& options : {SpokenOptions{}, everyDigit()}) {
        for (const FormulaRow& row : formulaRows()) {
            SCOPED_TRACE(row.name);
            EXPECT_TRUE(OnlyWords(Spoken(*row.formula, options)));
        }
        for (const FormulaPtr& formula : randomFormulas())
            EXPECT_TRUE(OnlyWords(Spoken(*formula, options)));
    }
}

// A step's words come from its reason's sentence, and some sentences state a
// condition of their own (Δ > 0, p = q = 0): those too must be spoken in words.
TEST(Spoken, EveryStepReadsInWords)
{
    const std::vector<FormulaPtr> formulas{Eq(Sym("x"), Int(1)), Eq(Sym("y"), Int(2)), Eq(Sym("z"), Int(3)),
                                           Eq(Sym("w"), Int(4))};
    for (int r = 0; r <= static_cast<int>(engine::Reason::NoCommonPart); ++r) {
        const engine::Step step{static_cast<engine::Reason>(r), formulas};
        const std::string spoken = present::SpokenLine(present::StepLine(step));
        SCOPED_TRACE(present::PlainLine(present::StepLine(step)));
        EXPECT_TRUE(OnlyWords(spoken));
    }
}

struct NumeralRow {
    const char* name;
    const char* digits;
    const char* words;
};

TEST(Spoken, ChineseNumerals)
{
    const NumeralRow rows[] = {
        {"zero", "0", "零"},
        {"nothing", "", "零"},
        {"leading zeros", "007", "七"},
        {"ten", "10", "十"},
        {"teen", "15", "十五"},
        {"tens", "20", "二十"},
        {"one ten inside", "110", "一百一十"},
        {"zero inside", "1005", "一千零五"},
        {"zero inside, tens", "1050", "一千零五十"},
        {"ten thousand", "10000", "一万"},
        {"every place", "12345", "一万二千三百四十五"},
        {"zero between groups", "100010", "十万零一十"},
        {"group below a thousand", "20300", "二万零三百"},
        {"hundred million and one", "100000001", "一亿零一"},
        {"empty group between", "100010000", "一亿零一万"},
        {"thousands after an empty group", "100001000", "一亿零一千"},
        {"trillion", "1000000000000", "一万亿"},
        {"ten quadrillion", "10000000000000000", "一亿亿"},
    };
    for (const NumeralRow& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(ChineseNumeral(row.digits), row.words);
    }
}

TEST(Spoken, ChineseNumeralsReadBack)
{
    std::mt19937 random(7);
    for (std::size_t length = 1; length <= 30; ++length) {
        for (int i = 0; i < 50; ++i) {
            // Many zeros, to reach the 零 rules.
            std::string digits(1, static_cast<char>('1' + random() % 9));
            while (digits.size() < length)
                digits += random() % 2 == 0 ? '0' : static_cast<char>('0' + random() % 10);
            EXPECT_EQ(SpokenReader::WholeNumber(ChineseNumeral(digits)), digits) << ChineseNumeral(digits);
        }
    }
}

struct RoundingRow {
    const char* name;
    const char* digits;
    std::size_t significant;
    const char* rounded;
};

TEST(Spoken, RoundsDecimalsHalfAwayFromZero)
{
    const RoundingRow rows[] = {
        {"down", "1.41421356237310", 6, "1.41421"},
        {"short kept", "2.80", 6, "2.80"},
        {"exactly as many digits", "1.23456", 6, "1.23456"},
        {"half goes up", "1.2345650", 6, "1.23457"},
        {"leading zeros are not significant", "0.000123456789", 6, "0.000123457"},
        {"carry through the point", "9.9999999", 6, "10"},
        {"whole digits become zeros", "123456789.5", 6, "123457000"},
        {"zeros left by rounding dropped", "1.200004", 6, "1.2"},
        {"zero", "0.0000", 2, "0.0000"},
        {"no limit", "3.14159", 0, "3.14159"},
    };
    for (const RoundingRow& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(RoundedDecimal(row.digits, row.significant), row.rounded);
    }
}

// ---- LaTeX ------------------------------------------------------------------

LatexOptions englishWords()
{
    LatexOptions options;
    options.words = LatexWords::English;
    return options;
}

TEST(Latex, WritesWhatATextbookSets)
{
    for (const FormulaRow& row : formulaRows()) {
        if (!row.latex)
            continue;
        SCOPED_TRACE(row.name);
        EXPECT_EQ(Latex(*row.formula), row.latex);
    }
    EXPECT_EQ(Latex(*AndOf({Rel(x(), Relation::GreaterEqual, Int(1)), Rel(x(), Relation::LessEqual, Int(2))}),
                    englishWords()),
              "x \\geq 1 \\text{ and } x \\leq 2");
}

// Balanced braces, \left with \right and \begin with \end; only commands of
// LaTeX and amsmath; Chinese only where Chinese was asked for.
::testing::AssertionResult WellFormedLatex(const std::string& latex, bool chineseAllowed)
{
    static const std::vector<std::string> known{
        "frac",  "sqrt",  "pm",     "times",        "cdot",   "left", "right", "begin", "end",    "Delta",   "pi",
        "infty", "theta", "mathrm", "text",         "quad",   "cos",  "sin",   "tan",   "arccos", "arcsin",  "arctan",
        "ln",    "lg",    "log",    "operatorname", "approx", "neq",  "leq",   "geq",   "cup",    "emptyset"};
    static const std::vector<std::string> environments{"cases", "vmatrix", "pmatrix"};
    std::vector<std::string> open; // "{", "\left" or an environment
    for (std::size_t i = 0; i < latex.size(); ++i) {
        const char c = latex[i];
        if (static_cast<unsigned char>(c) >= 0x80 && !chineseAllowed)
            return ::testing::AssertionFailure() << latex << " holds a character beyond ASCII";
        if (c == '{') {
            open.emplace_back("{");
        } else if (c == '}') {
            if (open.empty() || open.back() != "{")
                return ::testing::AssertionFailure() << latex << " closes a brace it did not open at " << i;
            open.pop_back();
        } else if (c == '\\') {
            std::size_t end = i + 1;
            while (end < latex.size() && std::isalpha(static_cast<unsigned char>(latex[end])))
                ++end;
            const std::string command = latex.substr(i + 1, end - i - 1);
            if (command.empty()) {
                if (latex.compare(i, 2, "\\\\") != 0)
                    return ::testing::AssertionFailure() << latex << " has a stray backslash at " << i;
                i = end;
                continue;
            }
            if (std::find(known.begin(), known.end(), command) == known.end())
                return ::testing::AssertionFailure() << latex << " uses \\" << command;
            if (command == "left") {
                open.emplace_back("\\left");
            } else if (command == "right") {
                if (open.empty() || open.back() != "\\left")
                    return ::testing::AssertionFailure() << latex << " has a \\right without \\left at " << i;
                open.pop_back();
            } else if (command == "begin" || command == "end") {
                const std::size_t close = latex.find('}', end);
                const std::string environment = latex.substr(end + 1, close - end - 1);
                if (std::find(environments.begin(), environments.end(), environment) == environments.end())
                    return ::testing::AssertionFailure() << latex << " uses the environment " << environment;
                if (command == "begin") {
                    open.push_back(environment);
                } else if (open.empty() || open.back() != environment) {
                    return ::testing::AssertionFailure() << latex << " ends " << environment << " out of turn";
                } else {
                    open.pop_back();
                }
                end = close + 1;
            }
            i = end - 1;
        }
    }
    if (!open.empty())
        return ::testing::AssertionFailure() << latex << " leaves " << open.back() << " open";
    return ::testing::AssertionSuccess();
}

bool installed(const std::string& command)
{
    return std::system(("command -v " + command + " > /dev/null 2>&1").c_str()) == 0;
}

bool ctexInstalled() { return installed("xelatex") && std::system("kpsewhich ctexart.cls > /dev/null 2>&1") == 0; }

// Runs a TeX engine on a document in a folder of its own: success, or the
// error lines of its log.
::testing::AssertionResult Compiles(const std::string& engine, const std::string& document)
{
    std::string folder = (std::filesystem::temp_directory_path() / "zembrel-latex-XXXXXX").string();
    if (!mkdtemp(folder.data()))
        return ::testing::AssertionFailure() << "no temporary folder";
    std::ofstream(folder + "/formula.tex") << document;
    const std::string command = "cd '" + folder + "' && " + engine
                                + " -interaction=nonstopmode -halt-on-error -no-shell-escape formula.tex"
                                  " > /dev/null 2>&1 < /dev/null";
    const bool compiled = std::system(command.c_str()) == 0 && std::filesystem::exists(folder + "/formula.pdf");
    std::ifstream log(folder + "/formula.log");
    std::ostringstream errors;
    for (std::string line; std::getline(log, line);) {
        if (line.starts_with("!") || line.starts_with("l."))
            errors << line << '\n';
    }
    std::filesystem::remove_all(folder);
    if (compiled)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << engine << " failed:\n" << errors.str() << document;
}

TEST(Latex, EveryKindIsWellFormed)
{
    for (const FormulaRow& row : formulaRows()) {
        SCOPED_TRACE(row.name);
        EXPECT_TRUE(WellFormedLatex(Latex(*row.formula, englishWords()), false));
        EXPECT_TRUE(WellFormedLatex(Latex(*row.formula), true));
    }
    for (const FormulaPtr& formula : randomFormulas())
        EXPECT_TRUE(WellFormedLatex(Latex(*formula, englishWords()), false));
}

// scripts/setup --test installs pdfLaTeX (texlive-latex-base); without it the
// structure test above is what remains.
TEST(Latex, EveryKindCompilesWithPdfLatex)
{
    if (!installed("pdflatex"))
        GTEST_SKIP() << "pdflatex is not installed";
    for (const FormulaRow& row : formulaRows()) {
        SCOPED_TRACE(row.name);
        EXPECT_TRUE(Compiles("pdflatex", LatexDocument({Latex(*row.formula, englishWords())})));
    }
}

TEST(Latex, RandomFormulasCompileWithPdfLatex)
{
    if (!installed("pdflatex"))
        GTEST_SKIP() << "pdflatex is not installed";
    std::vector<std::string> lines;
    for (const FormulaPtr& formula : randomFormulas())
        lines.push_back(Latex(*formula, englishWords()));
    EXPECT_TRUE(Compiles("pdflatex", LatexDocument(lines)));
}

// ctex is large (texlive-lang-chinese), so the test tools leave it out; where
// it is installed, the Chinese words compile too.
TEST(Latex, ChineseWordsCompileWithXeLatex)
{
    if (!ctexInstalled())
        GTEST_SKIP() << "xelatex with ctex is not installed";
    std::vector<std::string> lines;
    for (const FormulaRow& row : formulaRows())
        lines.push_back(Latex(*row.formula));
    EXPECT_TRUE(Compiles("xelatex", LatexDocument(lines)));
}

TEST(Latex, DocumentClassFollowsTheWords)
{
    const FormulaPtr alternatives = OrOf({Rel(x(), Relation::Less, Int(1)), Rel(x(), Relation::Greater, Int(2))});
    EXPECT_TRUE(LatexDocument({Latex(*alternatives, englishWords())}).starts_with("\\documentclass{article}"));
    EXPECT_TRUE(LatexDocument({Latex(*alternatives)}).starts_with("\\documentclass{ctexart}"));
}

} // namespace
