// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "spoken.h"

#include <algorithm>
#include <array>
#include <string_view>
#include <vector>

namespace zembrel::present {

namespace {

using engine::Formula;
using Kind = Formula::Kind;

constexpr std::array<const char*, 10> kDigitWords{"零", "一", "二", "三", "四", "五", "六", "七", "八", "九"};
constexpr std::array<const char*, 4> kPlaceWords{"", "十", "百", "千"};
constexpr std::array<int, 4> kPlaceValues{1, 10, 100, 1000};
constexpr const char* kAbout = "约";
// How many first digits of a number too long to read are read.
constexpr std::size_t kLeadingDigits = 6;

struct Named {
    std::string_view name;
    const char* words;
};

// The symbols that are no letter of the alphabet; i, the imaginary unit, is read as the letter.
// clang-format off
constexpr std::array kNamedSymbols{
    Named{engine::symbol::kDelta, "判别式"},
    Named{engine::symbol::kPi, "派"},
    Named{engine::symbol::kInfinity, "无穷大"},
    Named{engine::symbol::kTheta, "西塔"},
    Named{engine::symbol::kPositive, "正号"},
    Named{engine::symbol::kNegative, "负号"},
    Named{engine::symbol::kEmptySet, "空集"},
};
// clang-format on

constexpr std::array kFunctions{
    Named{"cos", "余弦"},      Named{"sin", "正弦"},      Named{"tan", "正切"},
    Named{"arccos", "反余弦"}, Named{"arcsin", "反正弦"}, Named{"arctan", "反正切"},
    Named{"ln", "自然对数"},   Named{"lg", "常用对数"},   Named{"log", "对数"},
};

template <std::size_t N>
const char* wordsFor(const std::array<Named, N>& table, std::string_view name)
{
    const auto row = std::find_if(table.begin(), table.end(), [&](const Named& n) { return n.name == name; });
    return row == table.end() ? nullptr : row->words;
}

const char* relationWords(engine::Relation r)
{
    switch (r) {
    case engine::Relation::Equal: return "等于";
    case engine::Relation::Approx: return "约等于";
    case engine::Relation::NotEqual: return "不等于";
    case engine::Relation::Less: return "小于";
    case engine::Relation::Greater: return "大于";
    case engine::Relation::LessEqual: return "小于等于";
    case engine::Relation::GreaterEqual: return "大于等于";
    }
    return "等于";
}

const char* intervalWords(bool closedLeft, bool closedRight)
{
    if (closedLeft && closedRight)
        return "的闭区间";
    if (closedLeft)
        return "的左闭右开区间";
    if (closedRight)
        return "的左开右闭区间";
    return "的开区间";
}

// How a token sits among its neighbours when the words are joined.
enum class Spacing {
    Glued,       // Chinese words that run on: 二分之三减根号五
    Letter,      // a letter, set apart so that a voice spells it
    Apart,       // a word set apart for a pause: 等于, 或, 左括号
    Punctuation, // ，；： that pause by themselves
};

struct Token {
    std::string text;
    Spacing spacing = Spacing::Glued;
    bool numeral = false; // a Chinese numeral, or the 约 before one
};
using Tokens = std::vector<Token>;

Token word(std::string text) { return {std::move(text), Spacing::Glued, false}; }
Token numeral(std::string text) { return {std::move(text), Spacing::Glued, true}; }
Token letter(std::string text) { return {std::move(text), Spacing::Letter, false}; }
Token apart(std::string text) { return {std::move(text), Spacing::Apart, false}; }
Token punctuation(std::string text) { return {std::move(text), Spacing::Punctuation, false}; }

void append(Tokens& to, Tokens more) { std::move(more.begin(), more.end(), std::back_inserter(to)); }

std::string joined(const Tokens& tokens)
{
    std::string text;
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        if (i > 0) {
            const Spacing a = tokens[i - 1].spacing;
            const Spacing b = tokens[i].spacing;
            const bool paused = a == Spacing::Punctuation || b == Spacing::Punctuation;
            const bool setApart
                = a == Spacing::Letter || a == Spacing::Apart || b == Spacing::Letter || b == Spacing::Apart;
            if (setApart && !paused)
                text += ' ';
        }
        text += tokens[i].text;
    }
    return text;
}

// How tightly a formula binds, loosest first. An operand spoken where a
// tighter level is needed goes between 左括号 and 右括号; each construct
// ends with an operand of its own level or with a closing word, so that the
// words alone tell where it ends.
enum class Level { List, Or, And, Cases, Chain, Union, Sum, Product, Fraction, Power, Primary };

Level levelOf(const Formula& f)
{
    switch (f.kind) {
    case Kind::List: return Level::List;
    case Kind::Or: return Level::Or;
    case Kind::And: return Level::And;
    case Kind::Cases: return Level::Cases;
    case Kind::Chain: return Level::Chain;
    case Kind::Union: return Level::Union;
    case Kind::Sum:
    case Kind::Negative:
    case Kind::Matrix: return Level::Sum; // a matrix ends with a cell, spoken at Sum level
    case Kind::Product: return Level::Product;
    case Kind::Decimal: return f.exponent != 0 ? Level::Product : Level::Primary; // "… 乘以 十的 … 次方"
    case Kind::Fraction: return Level::Fraction;
    case Kind::Power: return Level::Power;
    default: return Level::Primary;
    }
}

bool allDigits(std::string_view text)
{
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// Up to four digits, 0 < value < 10000: 一千零五, and 一十 except where the number begins (十五).
std::string groupWords(int value, bool numberBegins)
{
    std::string words;
    bool zero = false;
    for (int place = 3; place >= 0; --place) {
        const int digit = value / kPlaceValues[static_cast<std::size_t>(place)] % 10;
        if (digit == 0) {
            zero = !words.empty();
            continue;
        }
        if (zero)
            words += kDigitWords[0];
        zero = false;
        if (!(digit == 1 && place == 1 && numberBegins && words.empty()))
            words += kDigitWords[static_cast<std::size_t>(digit)];
        words += kPlaceWords[static_cast<std::size_t>(place)];
    }
    return words;
}

// The name of the power-th group of four digits: 万, 亿, 万亿, 亿亿, 万亿亿 …
std::string groupName(std::size_t power)
{
    std::string name = power % 2 == 1 ? "万" : "";
    for (std::size_t i = 0; i < power / 2; ++i)
        name += "亿";
    return name;
}

std::string digitByDigit(std::string_view digits)
{
    std::string words;
    for (const char c : digits)
        words += kDigitWords[static_cast<std::size_t>(c - '0')];
    return words;
}

class Speaker {
public:
    explicit Speaker(const SpokenOptions& options) : options_(options) {}

    Tokens speak(const Formula& f)
    {
        switch (f.kind) {
        case Kind::Integer:
            if (mpz_sizeinbase(f.integer.get_mpz_t(), 10) > options_.longestNumber)
                return longNumber(engine::DigitCount(f.integer), engine::DigitsToShow(f.integer, kLeadingDigits));
            return wholeNumber(f.integer.get_str());
        case Kind::Decimal: return decimal(f);
        case Kind::Symbol: return symbol(f);
        case Kind::Negative: return signedTerm("负", operand(*f.children.front(), Level::Product));
        case Kind::Sum: return sum(f);
        case Kind::Product: return product(f);
        case Kind::Fraction: {
            // The denominator first: 二分之三 is 3/2.
            Tokens t = operand(*f.children[1], Level::Power);
            t.push_back(word("分之"));
            append(t, operand(*f.children[0], Level::Power));
            return t;
        }
        case Kind::Power: {
            Tokens t = operand(*f.children[0], Level::Primary);
            append(t, powerWords(*f.children[1]));
            return t;
        }
        case Kind::Root: {
            Tokens t;
            if (f.index != 2)
                t.push_back(numeral(ChineseNumeral(std::to_string(f.index))));
            t.push_back(word(f.index == 2 ? "根号" : "次根号"));
            append(t, operand(*f.children.front(), Level::Primary));
            return t;
        }
        case Kind::Function: {
            const char* name = wordsFor(kFunctions, f.text);
            Tokens t{name ? word(name) : letter(f.text)};
            append(t, operand(*f.children.front(), Level::Primary));
            return t;
        }
        case Kind::Chain: return chain(f);
        case Kind::Matrix: return matrix(f);
        case Kind::Cases: {
            Tokens t{word("方程组"), punctuation("：")};
            append(t, joinedChildren(f, punctuation("；"), Level::Chain));
            return t;
        }
        case Kind::Interval: return interval(f);
        case Kind::Point: {
            // 点 (a, b) is said as the textbook reads a point: 点 a 逗号 b.
            Tokens t{word("点"), word("左括号")};
            append(t, speak(*f.children[0]));
            t.push_back(punctuation("，"));
            append(t, speak(*f.children[1]));
            t.push_back(word("右括号"));
            return t;
        }
        case Kind::Union: return joinedChildren(f, apart("并"), Level::Sum);
        case Kind::Or: return joinedChildren(f, apart("或"), Level::And);
        case Kind::And: return joinedChildren(f, apart("且"), Level::Cases);
        case Kind::List: return joinedChildren(f, punctuation("，"), Level::Or);
        }
        return {};
    }

private:
    Tokens operand(const Formula& f, Level needed)
    {
        Tokens t = speak(f);
        return levelOf(f) < needed ? parenthesized(std::move(t)) : t;
    }

    static Tokens parenthesized(Tokens inner)
    {
        Tokens t{apart("左括号")};
        append(t, std::move(inner));
        t.push_back(apart("右括号"));
        return t;
    }

    // 负 or 正负 before a term; "about" goes first: 约负一点四一 rather than 负约一点四一.
    static Tokens signedTerm(const char* sign, Tokens term)
    {
        Tokens t;
        if (!term.empty() && term.front().text == kAbout) {
            t.push_back(std::move(term.front()));
            term.erase(term.begin());
        }
        t.push_back(word(sign));
        append(t, std::move(term));
        return t;
    }

    Tokens wholeNumber(const std::string& digits) const
    {
        if (digits.size() > options_.longestNumber)
            return longNumber(digits.size(), digits);
        return {numeral(ChineseNumeral(digits))};
    }

    // Its length and first digits: enough to know its size, never a thousand syllables.
    static Tokens longNumber(std::size_t length, std::string_view digits)
    {
        return {numeral("一个" + ChineseNumeral(std::to_string(length)) + "位数"), apart("开头是"),
                word(digitByDigit(digits.substr(0, kLeadingDigits)))};
    }

    Tokens decimal(const Formula& f)
    {
        const std::size_t significant = options_.decimalDigits == 0
                                            ? options_.longestNumber
                                            : std::min(options_.decimalDigits, options_.longestNumber);
        std::string mantissa = RoundedDecimal(f.text, significant);
        const bool rounded = mantissa != f.text;
        long exponent = f.exponent;
        // A mantissa rounded up to ten moves into the power: 9.9999999 × 10⁻¹² is about 1 × 10⁻¹¹.
        if (rounded && exponent != 0 && mantissa == "10") {
            mantissa = "1";
            ++exponent;
        }
        const std::size_t point = std::min(mantissa.find('.'), mantissa.size());
        if (point > options_.longestNumber)
            return longNumber(point, std::string_view(mantissa).substr(0, point));

        std::string words = ChineseNumeral(mantissa.substr(0, point));
        if (point < mantissa.size())
            words += "点" + digitByDigit(std::string_view(mantissa).substr(point + 1));
        Tokens t;
        if (rounded)
            t.push_back(numeral(kAbout));
        t.push_back(numeral(words));
        if (exponent != 0) {
            t.push_back(word("乘以"));
            t.push_back(numeral("十"));
            const engine::FormulaPtr power = engine::Int(abs(mpz_class(exponent)));
            append(t, powerWords(exponent < 0 ? *engine::Neg(power) : *power));
        }
        return t;
    }

    static Tokens symbol(const Formula& f)
    {
        const char* words = wordsFor(kNamedSymbols, f.text);
        Tokens t{words ? word(words) : letter(f.text)};
        if (allDigits(f.subscript)) {
            t.push_back(numeral(ChineseNumeral(f.subscript)));
        } else if (!f.subscript.empty()) {
            // A letter right after a letter is a product (4ac), so a letter subscript says so.
            t.push_back(word("下标"));
            t.push_back(letter(f.subscript));
        }
        return t;
    }

    Tokens powerWords(const Formula& exponent)
    {
        if (exponent.kind == Kind::Integer && exponent.integer == 2)
            return {word("的平方")};
        if (exponent.kind == Kind::Integer && exponent.integer == 3)
            return {word("的立方")};
        // 的 … 次方 encloses the exponent, which needs no parentheses; pauses
        // set a compound one apart: x 的负一次方, x 的 n 加一 次方.
        const Formula& magnitude = exponent.kind == Kind::Negative ? *exponent.children.front() : exponent;
        const bool compound = levelOf(magnitude) < Level::Fraction;
        Tokens t{compound ? apart("的") : word("的")};
        append(t, speak(exponent));
        t.push_back(compound ? apart("次方") : word("次方"));
        return t;
    }

    Tokens sum(const Formula& f)
    {
        Tokens t;
        for (std::size_t i = 0; i < f.children.size(); ++i) {
            Tokens term = operand(*f.children[i], Level::Product);
            const engine::Sign sign = f.signs[i];
            if (i > 0)
                t.push_back(word(sign == engine::Sign::Plus ? "加" : sign == engine::Sign::Minus ? "减" : "正负"));
            else if (sign != engine::Sign::Plus)
                term = signedTerm(sign == engine::Sign::Minus ? "负" : "正负", std::move(term));
            append(t, std::move(term));
        }
        return t;
    }

    Tokens product(const Formula& f)
    {
        Tokens t;
        for (std::size_t i = 0; i < f.children.size(); ++i) {
            const Formula& factor = *f.children[i];
            if (f.timesShown) {
                if (i > 0)
                    t.push_back(word("乘"));
                append(t, operand(factor, Level::Fraction));
                continue;
            }
            // A fraction leads a product (二分之一 x) but is grouped after a factor, where its
            // denominator would be heard as a part of a longer denominator.
            Tokens part = operand(factor, i == 0 ? Level::Fraction : Level::Power);
            // A numeral after a factor would be heard as a subscript (x 一) or run into the one before.
            if (i > 0 && part.front().numeral)
                part = parenthesized(std::move(part));
            append(t, std::move(part));
        }
        return t;
    }

    Tokens chain(const Formula& f)
    {
        Tokens t = operand(*f.children.front(), Level::Union);
        for (std::size_t i = 0; i < f.relations.size(); ++i) {
            t.push_back(apart(relationWords(f.relations[i])));
            Tokens side = operand(*f.children[i + 1], Level::Union);
            // 约等于 says it already.
            if (f.relations[i] == engine::Relation::Approx && side.front().text == kAbout)
                side.erase(side.begin());
            append(t, std::move(side));
        }
        return t;
    }

    // "二阶行列式：第一行 二，三；第二行 一，负一": the size first, so that the
    // listener (and the words) know where it ends.
    Tokens matrix(const Formula& f)
    {
        const std::size_t rows = f.rows();
        Tokens t{numeral(ChineseNumeral(std::to_string(rows)))};
        if (f.bars && rows == f.columns) {
            t.push_back(word("阶行列式"));
        } else {
            t.push_back(word("行"));
            t.push_back(numeral(ChineseNumeral(std::to_string(f.columns))));
            t.push_back(word(f.bars ? "列的行列式" : "列的矩阵"));
        }
        t.push_back(punctuation("："));
        for (std::size_t r = 0; r < rows; ++r) {
            if (r > 0)
                t.push_back(punctuation("；"));
            t.push_back(apart("第" + ChineseNumeral(std::to_string(r + 1)) + "行"));
            for (std::size_t c = 0; c < f.columns; ++c) {
                if (c > 0)
                    t.push_back(punctuation("，"));
                append(t, operand(*f.children[r * f.columns + c], Level::Sum));
            }
        }
        return t;
    }

    Tokens interval(const Formula& f)
    {
        Tokens t{word("从")};
        if (f.children[0])
            append(t, speak(*f.children[0]));
        else
            t.push_back(word("负无穷大"));
        t.push_back(word("到"));
        if (f.children[1])
            append(t, speak(*f.children[1]));
        else
            t.push_back(word("正无穷大"));
        t.push_back(word(intervalWords(f.closedLeft, f.closedRight)));
        return t;
    }

    Tokens joinedChildren(const Formula& f, const Token& separator, Level needed)
    {
        Tokens t;
        for (std::size_t i = 0; i < f.children.size(); ++i) {
            if (i > 0)
                t.push_back(separator);
            append(t, operand(*f.children[i], needed));
        }
        return t;
    }

    const SpokenOptions& options_;
};

} // namespace

std::string Spoken(const engine::Formula& formula, const SpokenOptions& options)
{
    return joined(Speaker(options).speak(formula));
}

std::string ChineseNumeral(const std::string& digits)
{
    const std::size_t first = digits.find_first_not_of('0');
    if (first == std::string::npos)
        return kDigitWords[0];
    const std::string_view significant = std::string_view(digits).substr(first);

    // Groups of four digits from the right, each with its name (万, 亿 …); a
    // 零 stands for the zeros between two groups that are said.
    const std::size_t groups = (significant.size() + 3) / 4;
    std::size_t length = significant.size() - (groups - 1) * 4;
    std::size_t start = 0;
    std::string words;
    bool gap = false;
    for (std::size_t g = 0; g < groups; ++g) {
        const int value = std::stoi(std::string(significant.substr(start, length)));
        start += length;
        length = 4;
        if (value == 0) {
            gap = true;
            continue;
        }
        if (!words.empty() && (gap || value < 1000))
            words += kDigitWords[0];
        words += groupWords(value, words.empty());
        words += groupName(groups - 1 - g);
        gap = false;
    }
    return words;
}

std::string RoundedDecimal(const std::string& digits, std::size_t significant)
{
    const std::size_t first = digits.find_first_of("123456789");
    if (first == std::string::npos || significant == 0)
        return digits;
    // The first digit that is not kept.
    std::size_t cut = std::string::npos;
    std::size_t kept = 0;
    for (std::size_t i = first; i < digits.size(); ++i) {
        if (digits[i] == '.')
            continue;
        if (kept == significant) {
            cut = i;
            break;
        }
        ++kept;
    }
    if (cut == std::string::npos)
        return digits;

    std::string rounded = digits;
    const bool up = rounded[cut] >= '5'; // half away from zero: the digits are a magnitude
    for (std::size_t i = cut; i < rounded.size(); ++i) {
        if (rounded[i] != '.')
            rounded[i] = '0';
    }
    for (std::size_t i = cut; up;) {
        if (i == 0) {
            rounded.insert(rounded.begin(), '1');
            break;
        }
        --i;
        if (rounded[i] == '.')
            continue;
        if (rounded[i] != '9') {
            ++rounded[i];
            break;
        }
        rounded[i] = '0';
    }
    // Zeros after the point that rounding left say nothing.
    if (rounded.find('.') != std::string::npos) {
        while (rounded.back() == '0')
            rounded.pop_back();
        if (rounded.back() == '.')
            rounded.pop_back();
    }
    return rounded;
}

} // namespace zembrel::present
