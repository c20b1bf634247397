// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "plain_text.h"

#include <algorithm>
#include <array>

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

class Printer {
public:
    explicit Printer(const PlainOptions& options) : options_(options) {}

    std::string print(const Formula& f)
    {
        switch (f.kind) {
        case Kind::Integer: return engine::DigitsToShow(f.integer, options_.longestNumber);
        case Kind::Decimal:
            if (f.exponent == 0)
                return digits(f.text);
            return digits(f.text) + " × 10" + Superscript(std::to_string(f.exponent));
        case Kind::Symbol: return f.text + (f.subscript.empty() ? "" : Subscript(f.subscript));
        case Kind::Negative: return kMinus + grouped(*f.children.front(), Binding::Product);
        case Kind::Sum: return sum(f);
        case Kind::Product: return product(f);
        case Kind::Fraction: return numerator(*f.children[0]) + "/" + grouped(*f.children[1], Binding::Atom, true);
        case Kind::Power: {
            const Formula& exponent = *f.children[1];
            const std::string base = grouped(*f.children[0], Binding::Atom, true);
            if (exponent.kind == Kind::Integer)
                return base + Superscript(exponent.integer.get_str());
            return base + "^" + grouped(exponent, Binding::Atom, true);
        }
        case Kind::Root: {
            const char* sign = f.index == 2 ? "√" : f.index == 3 ? "∛" : f.index == 4 ? "∜" : "√";
            const std::string index = f.index > 4 ? Superscript(std::to_string(f.index)) : "";
            return index + sign + grouped(*f.children.front(), Binding::Atom, true);
        }
        case Kind::Function: return f.text + "(" + print(*f.children.front()) + ")";
        case Kind::Chain: {
            std::string text = print(*f.children.front());
            for (std::size_t i = 0; i < f.relations.size(); ++i)
                text += relationText(f.relations[i]) + print(*f.children[i + 1]);
            return text;
        }
        case Kind::Matrix: return matrix(f);
        case Kind::Cases: return joined(f, "；", "{", "}");
        case Kind::Interval: {
            const std::string from = f.children[0] ? print(*f.children[0]) : std::string(kMinus) + "∞";
            const std::string to = f.children[1] ? print(*f.children[1]) : "+∞";
            return (f.closedLeft ? "[" : "(") + from + ", " + to + (f.closedRight ? "]" : ")");
        }
        case Kind::Point: return "(" + print(*f.children[0]) + ", " + print(*f.children[1]) + ")";
        case Kind::Union: return joined(f, " ∪ ");
        case Kind::Or: return joined(f, " 或 ");
        case Kind::And: return joined(f, " 且 ");
        case Kind::List: return joined(f, "，");
        }
        return {};
    }

private:
    std::string digits(const std::string& text) const
    {
        if (text.size() <= options_.longestNumber)
            return text;
        return text.substr(0, options_.longestNumber) + "…";
    }

    // In parentheses when it binds more loosely than `context`; a fraction,
    // a product or a root's radicand that is compound always (`strict`).
    std::string grouped(const Formula& f, Binding context, bool strict = false)
    {
        const Binding b = bindingOf(f);
        bool parentheses = static_cast<int>(b) < static_cast<int>(context);
        if (!strict && context == Binding::Product && f.kind == Kind::Fraction)
            parentheses = false;
        if (strict && b == Binding::Atom && f.kind == Kind::Decimal && f.exponent != 0)
            parentheses = true;
        const std::string text = print(f);
        return parentheses ? "(" + text + ")" : text;
    }

    // A product of plain factors needs no parentheses over a fraction bar
    // written as "/": 2kπ/3, 3q/(2p).
    std::string numerator(const Formula& f)
    {
        const bool plainProduct
            = f.kind == Kind::Product && !f.timesShown
              && std::none_of(f.children.begin(), f.children.end(),
                              [](const engine::FormulaPtr& c) { return c->kind == Kind::Fraction; });
        return plainProduct ? print(f) : grouped(f, Binding::Atom, true);
    }

    std::string sum(const Formula& f)
    {
        std::string text;
        for (std::size_t i = 0; i < f.children.size(); ++i) {
            const engine::Sign sign = f.signs[i];
            if (i == 0)
                text += sign == engine::Sign::Minus ? kMinus : sign == engine::Sign::PlusMinus ? "±" : "";
            else
                text += sign == engine::Sign::Minus ? " − " : sign == engine::Sign::PlusMinus ? " ± " : " + ";
            text += grouped(*f.children[i], Binding::Product);
        }
        return text;
    }

    std::string product(const Formula& f)
    {
        std::string text;
        for (std::size_t i = 0; i < f.children.size(); ++i) {
            const Formula& factor = *f.children[i];
            if (i > 0 && f.timesShown)
                text += " × ";
            // A fraction among factors is grouped, so that (√3/2)i reads right.
            const bool group
                = bindingOf(factor) != Binding::Atom || (i > 0 && !f.timesShown && startsWithDigit(factor));
            const std::string part = print(factor);
            text += group && !(f.timesShown && factor.kind == Kind::Fraction) ? "(" + part + ")" : part;
        }
        return text;
    }

    static bool startsWithDigit(const Formula& f)
    {
        return f.kind == Kind::Integer || f.kind == Kind::Decimal
               || ((f.kind == Kind::Power || f.kind == Kind::Product) && startsWithDigit(*f.children.front()));
    }

    std::string matrix(const Formula& f)
    {
        std::string text = f.bars ? "|" : "[";
        for (std::size_t r = 0; r < f.rows(); ++r) {
            if (r > 0)
                text += "; ";
            for (std::size_t c = 0; c < f.columns; ++c) {
                if (c > 0)
                    text += " ";
                text += print(*f.children[r * f.columns + c]);
            }
        }
        return text + (f.bars ? "|" : "]");
    }

    std::string joined(const Formula& f, const char* separator, const char* open = "", const char* close = "")
    {
        std::string text = open;
        for (std::size_t i = 0; i < f.children.size(); ++i)
            text += (i > 0 ? separator : "") + print(*f.children[i]);
        return text + close;
    }

    const PlainOptions& options_;
};

} // namespace

std::string PlainText(const engine::Formula& formula, const PlainOptions& options)
{
    return Printer(options).print(formula);
}

std::string Subscript(const std::string& digits)
{
    std::string text;
    for (const char c : digits)
        text += c >= '0' && c <= '9' ? kSubscripts[static_cast<std::size_t>(c - '0')] : std::string(1, c);
    return text;
}

std::string Superscript(const std::string& digits)
{
    std::string text;
    for (const char c : digits) {
        if (c == '-')
            text += "⁻";
        else if (c >= '0' && c <= '9')
            text += kSuperscripts[static_cast<std::size_t>(c - '0')];
        else
            text += c;
    }
    return text;
}

} // namespace zembrel::present
