// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "plain_text.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <string>
#include <string_view>

namespace zembrel::present {

namespace {

using engine::Formula;
using Kind = Formula::Kind;

constexpr std::array<const char*, 10> kSubscripts{"₀", "₁", "₂", "₃", "₄", "₅", "₆", "₇", "₈", "₉"};
constexpr std::array<const char*, 10> kSuperscripts{"⁰", "¹", "²", "³", "⁴", "⁵", "⁶", "⁷", "⁸", "⁹"};
constexpr const char* kMinus = "−";

const char* relationText(engine::Relation r)
{
    switch (r) {
    case engine::Relation::Equal: return " = ";
    case engine::Relation::Approx: return " ≈ ";
    case engine::Relation::NotEqual: return " ≠ ";
    case engine::Relation::Less: return " < ";
    case engine::Relation::Greater: return " > ";
    case engine::Relation::LessEqual: return " ≤ ";
    case engine::Relation::GreaterEqual: return " ≥ ";
    }
    return " = ";
}

// How tightly a formula binds, for deciding parentheses.
enum class Binding { Sum, Product, Atom };

Binding bindingOf(const Formula& f)
{
    switch (f.kind) {
    case Kind::Sum:
    case Kind::Negative:
    case Kind::Chain:
    case Kind::Or:
    case Kind::And:
    case Kind::List:
    case Kind::Union: return Binding::Sum;
    case Kind::Product:
    case Kind::Fraction: return Binding::Product;
    default: return Binding::Atom;
    }
}

enum class Script { Sub, Super };

// Digits as sub- or superscript characters, and a superscript minus sign.
void appendScript(std::string& out, std::string_view text, Script script)
{
    const auto& digits = script == Script::Sub ? kSubscripts : kSuperscripts;
    for (const char c : text) {
        if (c >= '0' && c <= '9')
            out += digits[static_cast<std::size_t>(c - '0')];
        else if (c == '-' && script == Script::Super)
            out += "⁻";
        else
            out += c;
    }
}

// Writes into one string as it walks the tree: a working prints hundreds
// of formulas, and a string made for every node would be most of the work.
class Printer {
public:
    Printer(const PlainOptions& options, std::string& out) : options_(options), out_(out) {}

    void print(const Formula& f)
    {
        switch (f.kind) {
        case Kind::Integer: integer(f.integer); return;
        case Kind::Decimal:
            digits(f.text);
            if (f.exponent != 0) {
                out_ += " × 10";
                appendScript(out_, std::to_string(f.exponent), Script::Super);
            }
            return;
        case Kind::Symbol:
            out_ += f.text;
            appendScript(out_, f.subscript, Script::Sub);
            return;
        case Kind::Negative:
            out_ += kMinus;
            grouped(*f.children.front(), Binding::Product);
            return;
        case Kind::Sum: sum(f); return;
        case Kind::Product: product(f); return;
        case Kind::Fraction:
            numerator(*f.children[0]);
            out_ += "/";
            grouped(*f.children[1], Binding::Atom, true);
            return;
        case Kind::Power: {
            const Formula& exponent = *f.children[1];
            grouped(*f.children[0], Binding::Atom, true);
            if (exponent.kind == Kind::Integer) {
                appendScript(out_, shortNumber(exponent.integer), Script::Super);
            } else {
                out_ += "^";
                grouped(exponent, Binding::Atom, true);
            }
            return;
        }
        case Kind::Root:
            if (f.index > 4)
                appendScript(out_, std::to_string(f.index), Script::Super);
            out_ += f.index == 2 ? "√" : f.index == 3 ? "∛" : f.index == 4 ? "∜" : "√";
            grouped(*f.children.front(), Binding::Atom, true);
            return;
        case Kind::Function:
            out_ += f.text;
            out_ += "(";
            print(*f.children.front());
            out_ += ")";
            return;
        case Kind::Chain:
            print(*f.children.front());
            for (std::size_t i = 0; i < f.relations.size(); ++i) {
                out_ += relationText(f.relations[i]);
                print(*f.children[i + 1]);
            }
            return;
        case Kind::Matrix: matrix(f); return;
        case Kind::Cases: joined(f, "；", "{", "}"); return;
        case Kind::Interval:
            out_ += f.closedLeft ? "[" : "(";
            if (f.children[0])
                print(*f.children[0]);
            else
                (out_ += kMinus) += "∞";
            out_ += ", ";
            if (f.children[1])
                print(*f.children[1]);
            else
                out_ += "+∞";
            out_ += f.closedRight ? "]" : ")";
            return;
        case Kind::Point: joined(f, ", ", "(", ")"); return;
        case Kind::Union: joined(f, " ∪ "); return;
        case Kind::Or: joined(f, " 或 "); return;
        case Kind::And: joined(f, " 且 "); return;
        case Kind::List: joined(f, "，"); return;
        }
    }

private:
    void integer(const mpz_class& n)
    {
        constexpr std::size_t kLongestWord = 20; // digits of the largest unsigned long
        if (mpz_fits_ulong_p(n.get_mpz_t()) != 0 && options_.longestNumber >= kLongestWord)
            out_ += shortNumber(n);
        else
            out_ += engine::DigitsToShow(n, options_.longestNumber);
    }

    // The digits of a whole number, without a string made for them where it is short.
    std::string_view shortNumber(const mpz_class& n)
    {
        if (mpz_fits_ulong_p(n.get_mpz_t()) == 0) {
            long_ = n.get_str();
            return long_;
        }
        const auto end = std::to_chars(buffer_.data(), buffer_.data() + buffer_.size(), mpz_get_ui(n.get_mpz_t())).ptr;
        return {buffer_.data(), static_cast<std::size_t>(end - buffer_.data())};
    }

    void digits(const std::string& text)
    {
        if (text.size() <= options_.longestNumber) {
            out_ += text;
            return;
        }
        out_.append(text, 0, options_.longestNumber);
        out_ += "…";
    }

    // In parentheses when it binds more loosely than `context`; a fraction,
    // a product or a root's radicand that is compound always (`strict`).
    void grouped(const Formula& f, Binding context, bool strict = false)
    {
        const Binding b = bindingOf(f);
        bool parentheses = static_cast<int>(b) < static_cast<int>(context);
        if (!strict && context == Binding::Product && f.kind == Kind::Fraction)
            parentheses = false;
        if (strict && b == Binding::Atom && f.kind == Kind::Decimal && f.exponent != 0)
            parentheses = true;
        inParentheses(f, parentheses);
    }

    void inParentheses(const Formula& f, bool parentheses)
    {
        if (parentheses)
            out_ += "(";
        print(f);
        if (parentheses)
            out_ += ")";
    }

    // A product of plain factors needs no parentheses over a fraction bar
    // written as "/": 2kπ/3, 3q/(2p).
    void numerator(const Formula& f)
    {
        const bool plainProduct
            = f.kind == Kind::Product && !f.timesShown
              && std::none_of(f.children.begin(), f.children.end(),
                              [](const engine::FormulaPtr& c) { return c->kind == Kind::Fraction; });
        if (plainProduct)
            print(f);
        else
            grouped(f, Binding::Atom, true);
    }

    void sum(const Formula& f)
    {
        for (std::size_t i = 0; i < f.children.size(); ++i) {
            const engine::Sign sign = f.signs[i];
            if (i == 0)
                out_ += sign == engine::Sign::Minus ? kMinus : sign == engine::Sign::PlusMinus ? "±" : "";
            else
                out_ += sign == engine::Sign::Minus ? " − " : sign == engine::Sign::PlusMinus ? " ± " : " + ";
            grouped(*f.children[i], Binding::Product);
        }
    }

    void product(const Formula& f)
    {
        for (std::size_t i = 0; i < f.children.size(); ++i) {
            const Formula& factor = *f.children[i];
            if (i > 0 && f.timesShown)
                out_ += " × ";
            // A fraction among factors is grouped, so that (√3/2)i reads right.
            const bool group
                = bindingOf(factor) != Binding::Atom || (i > 0 && !f.timesShown && startsWithDigit(factor));
            inParentheses(factor, group && !(f.timesShown && factor.kind == Kind::Fraction));
        }
    }

    static bool startsWithDigit(const Formula& f)
    {
        return f.kind == Kind::Integer || f.kind == Kind::Decimal
               || ((f.kind == Kind::Power || f.kind == Kind::Product) && startsWithDigit(*f.children.front()));
    }

    void matrix(const Formula& f)
    {
        out_ += f.bars ? "|" : "[";
        for (std::size_t r = 0; r < f.rows(); ++r) {
            if (r > 0)
                out_ += "; ";
            for (std::size_t c = 0; c < f.columns; ++c) {
                if (c > 0)
                    out_ += " ";
                print(*f.children[r * f.columns + c]);
            }
        }
        out_ += f.bars ? "|" : "]";
    }

    void joined(const Formula& f, const char* separator, const char* open = "", const char* close = "")
    {
        out_ += open;
        for (std::size_t i = 0; i < f.children.size(); ++i) {
            if (i > 0)
                out_ += separator;
            print(*f.children[i]);
        }
        out_ += close;
    }

    const PlainOptions& options_;
    std::string& out_;
    std::array<char, 24> buffer_{};
    std::string long_;
};

} // namespace

std::string PlainText(const engine::Formula& formula, const PlainOptions& options)
{
    std::string text;
    Printer(options, text).print(formula);
    return text;
}

std::string Subscript(const std::string& digits)
{
    std::string text;
    appendScript(text, digits, Script::Sub);
    return text;
}

std::string Superscript(const std::string& digits)
{
    std::string text;
    appendScript(text, digits, Script::Super);
    return text;
}

} // namespace zembrel::present
