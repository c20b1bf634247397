// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "latex.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace zembrel::present {

namespace {

using engine::Formula;
using Kind = Formula::Kind;

struct Named {
    std::string_view name;
    const char* latex;
};

constexpr std::array kNamedSymbols{
    Named{engine::symbol::kDelta, "\\Delta"},
    Named{engine::symbol::kPi, "\\pi"},
    Named{engine::symbol::kInfinity, "\\infty"},
    Named{engine::symbol::kTheta, "\\theta"},
    Named{engine::symbol::kPositive, "+"},
    Named{engine::symbol::kNegative, "-"},
    Named{engine::symbol::kEmptySet, "\\emptyset"},
    Named{engine::symbol::kImaginaryUnit, "\\mathrm{i}"}, // upright, as the imaginary unit is set
};

// The functions LaTeX knows; any other name is an \operatorname.
constexpr std::array<std::string_view, 9> kFunctions{"cos",    "sin", "tan", "arccos", "arcsin",
                                                     "arctan", "ln",  "lg",  "log"};

const char* relationText(engine::Relation r)
{
    switch (r) {
    case engine::Relation::Equal: return " = ";
    case engine::Relation::Approx: return " \\approx ";
    case engine::Relation::NotEqual: return " \\neq ";
    case engine::Relation::Less: return " < ";
    case engine::Relation::Greater: return " > ";
    case engine::Relation::LessEqual: return " \\leq ";
    case engine::Relation::GreaterEqual: return " \\geq ";
    }
    return " = ";
}

bool alphanumeric(std::string_view text)
{
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) {
        return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
    });
}

// How tightly a formula binds on the page, loosest first; \frac, \sqrt,
// environments and intervals are closed by their own braces and delimiters.
enum class Level { List, Or, And, Chain, Union, Sum, Product, Atom };

Level levelOf(const Formula& f)
{
    switch (f.kind) {
    case Kind::List: return Level::List;
    case Kind::Or: return Level::Or;
    case Kind::And: return Level::And;
    case Kind::Chain: return Level::Chain;
    case Kind::Union: return Level::Union;
    case Kind::Sum:
    case Kind::Negative: return Level::Sum;
    case Kind::Product: return Level::Product;
    case Kind::Decimal: return f.exponent != 0 ? Level::Product : Level::Atom; // 1.5 \times 10^{-11}
    default: return Level::Atom;
    }
}

// A base that takes an exponent as it stands: 2^{3}, x_{1}^{2}, \pi^{2}.
bool bareBase(const Formula& f)
{
    return f.kind == Kind::Integer || f.kind == Kind::Symbol || (f.kind == Kind::Decimal && f.exponent == 0)
           || (f.kind == Kind::Matrix && !f.bars);
}

class Writer {
public:
    explicit Writer(const LatexOptions& options) : options_(options) {}

    std::string write(const Formula& f)
    {
        switch (f.kind) {
        case Kind::Integer: return f.integer.get_str();
        case Kind::Decimal:
            if (f.exponent == 0)
                return f.text;
            return f.text + " \\times 10^{" + std::to_string(f.exponent) + "}";
        case Kind::Symbol: return symbol(f);
        case Kind::Negative: return "-" + operand(*f.children.front(), Level::Product);
        case Kind::Sum: return sum(f);
        case Kind::Product: return product(f);
        case Kind::Fraction: return "\\frac{" + write(*f.children[0]) + "}{" + write(*f.children[1]) + "}";
        case Kind::Power: {
            const Formula& base = *f.children[0];
            const std::string b = bareBase(base) ? write(base) : parenthesized(write(base));
            return b + "^{" + write(*f.children[1]) + "}";
        }
        case Kind::Root: {
            const std::string index = f.index == 2 ? "" : "[" + std::to_string(f.index) + "]";
            return "\\sqrt" + index + "{" + write(*f.children.front()) + "}";
        }
        case Kind::Function: {
            const bool known = std::find(kFunctions.begin(), kFunctions.end(), f.text) != kFunctions.end();
            const std::string name = known ? "\\" + f.text : "\\operatorname{" + f.text + "}";
            return name + parenthesized(write(*f.children.front()));
        }
        case Kind::Chain: {
            std::string text = operand(*f.children.front(), Level::Union);
            for (std::size_t i = 0; i < f.relations.size(); ++i)
                text += relationText(f.relations[i]) + operand(*f.children[i + 1], Level::Union);
            return text;
        }
        case Kind::Matrix: return matrix(f);
        case Kind::Cases: return "\\begin{cases} " + joined(f, " \\\\ ", Level::List) + " \\end{cases}";
        case Kind::Interval: {
            const std::string from = f.children[0] ? write(*f.children[0]) : "-\\infty";
            const std::string to = f.children[1] ? write(*f.children[1]) : "+\\infty";
            return std::string(f.closedLeft ? "\\left[" : "\\left(") + from + ", " + to
                   + (f.closedRight ? "\\right]" : "\\right)");
        }
        case Kind::Point: return "\\left(" + write(*f.children[0]) + ", " + write(*f.children[1]) + "\\right)";
        case Kind::Union: return joined(f, " \\cup ", Level::Sum);
        case Kind::Or: return joined(f, chinese() ? " \\text{ 或 } " : " \\text{ or } ", Level::And);
        case Kind::And: return joined(f, chinese() ? " \\text{ 且 } " : " \\text{ and } ", Level::Chain);
        case Kind::List: return joined(f, ",\\quad ", Level::Or);
        }
        return {};
    }

private:
    bool chinese() const { return options_.words == LatexWords::Chinese; }

    static std::string parenthesized(const std::string& text) { return "\\left(" + text + "\\right)"; }

    std::string operand(const Formula& f, Level needed)
    {
        const std::string text = write(f);
        return levelOf(f) < needed ? parenthesized(text) : text;
    }

    static std::string symbol(const Formula& f)
    {
        const auto named = std::find_if(kNamedSymbols.begin(), kNamedSymbols.end(),
                                        [&](const Named& n) { return n.name == f.text; });
        std::string text;
        if (named != kNamedSymbols.end())
            text = named->latex;
        else if (f.text.size() == 1 && alphanumeric(f.text))
            text = f.text;
        else if (alphanumeric(f.text))
            text = "\\mathrm{" + f.text + "}";
        else
            text = "\\text{" + f.text + "}";
        if (!f.subscript.empty())
            text += "_{" + (alphanumeric(f.subscript) ? f.subscript : "\\text{" + f.subscript + "}") + "}";
        return text;
    }

    std::string sum(const Formula& f)
    {
        std::string text;
        for (std::size_t i = 0; i < f.children.size(); ++i) {
            const engine::Sign sign = f.signs[i];
            if (i == 0)
                text += sign == engine::Sign::Minus ? "-" : sign == engine::Sign::PlusMinus ? "\\pm " : "";
            else
                text += sign == engine::Sign::Minus ? " - " : sign == engine::Sign::PlusMinus ? " \\pm " : " + ";
            text += operand(*f.children[i], Level::Product);
        }
        return text;
    }

    std::string product(const Formula& f)
    {
        std::string text;
        for (std::size_t i = 0; i < f.children.size(); ++i) {
            const std::string factor = operand(*f.children[i], Level::Atom);
            if (i > 0 && f.timesShown)
                text += " \\times ";
            // Side by side, a number or a fraction after a factor would run into it (2\frac{1}{2} is 2½).
            else if (i > 0 && ((factor.front() >= '0' && factor.front() <= '9') || factor.starts_with("\\frac")))
                text += " \\cdot ";
            else if (i > 0)
                text += " ";
            text += factor;
        }
        return text;
    }

    std::string matrix(const Formula& f)
    {
        const char* environment = f.bars ? "vmatrix" : "pmatrix";
        std::string text = std::string("\\begin{") + environment + "} ";
        for (std::size_t r = 0; r < f.rows(); ++r) {
            if (r > 0)
                text += " \\\\ ";
            for (std::size_t c = 0; c < f.columns; ++c) {
                if (c > 0)
                    text += " & ";
                text += write(*f.children[r * f.columns + c]);
            }
        }
        return text + " \\end{" + environment + "}";
    }

    std::string joined(const Formula& f, const char* separator, Level needed)
    {
        std::string text;
        for (std::size_t i = 0; i < f.children.size(); ++i)
            text += (i > 0 ? separator : "") + operand(*f.children[i], needed);
        return text;
    }

    const LatexOptions& options_;
};

} // namespace

std::string Latex(const engine::Formula& formula, const LatexOptions& options)
{
    return Writer(options).write(formula);
}

std::string LatexDocument(const std::vector<std::string>& lines)
{
    const bool chinese = std::any_of(lines.begin(), lines.end(), [](const std::string& line) {
        return std::any_of(line.begin(), line.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
    });
    std::string document = chinese ? "\\documentclass{ctexart}\n" : "\\documentclass{article}\n";
    document += "\\usepackage{amsmath}\n\\begin{document}\n";
    for (const std::string& line : lines)
        document += "\\[ " + line + " \\]\n";
    return document + "\\end{document}\n";
}

} // namespace zembrel::present
