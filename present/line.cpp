// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "line.h"

#include "latex.h"
#include "plain_text.h"
#include "spoken.h"
#include "wording.h"

#include <string_view>
#include <utility>

namespace zembrel::present {

Line& Line::operator+=(Piece piece)
{
    // Adjacent words join, so that a line reads as one sentence.
    if (std::holds_alternative<std::string>(piece) && !pieces.empty()
        && std::holds_alternative<std::string>(pieces.back()))
        std::get<std::string>(pieces.back()) += std::get<std::string>(piece);
    else
        pieces.push_back(std::move(piece));
    return *this;
}

Line& Line::operator+=(const Line& other)
{
    for (const Piece& piece : other.pieces)
        *this += piece;
    return *this;
}

Line operator+(Line line, const Line& other)
{
    line += other;
    return line;
}

Line operator+(Line line, Piece piece)
{
    line += std::move(piece);
    return line;
}

namespace {

template <class PrintFormula, class PrintText>
std::string joined(const Line& line, PrintFormula formula, PrintText text)
{
    std::string out;
    for (const Piece& piece : line.pieces) {
        if (const auto* words = std::get_if<std::string>(&piece))
            out += text(*words);
        else
            out += formula(*std::get<engine::FormulaPtr>(piece));
    }
    return out;
}

// A formula spoken among words stands apart from them, so that a voice
// keeps a letter apart from the character beside it.
std::string spaced(const std::string& spoken) { return " " + spoken + " "; }

std::string collapsed(const std::string& text)
{
    std::string out;
    for (const char c : text) {
        if (c == ' ' && (out.empty() || out.back() == ' '))
            continue;
        out += c;
    }
    while (!out.empty() && out.back() == ' ')
        out.pop_back();
    return out;
}

std::string latexText(const std::string& words)
{
    std::string escaped;
    for (const char c : words) {
        if (c == '\\' || c == '{' || c == '}' || c == '%' || c == '$' || c == '#' || c == '&' || c == '_')
            escaped += '\\';
        escaped += c;
    }
    return escaped.empty() ? std::string() : "\\text{" + escaped + "}";
}

} // namespace

std::string PlainLine(const Line& line)
{
    return joined(
        line, [](const engine::Formula& f) { return PlainText(f); }, [](const std::string& s) { return s; });
}

std::string SpokenLine(const Line& line)
{
    return collapsed(joined(
        line, [](const engine::Formula& f) { return spaced(Spoken(f)); }, [](const std::string& s) { return s; }));
}

std::string LatexLine(const Line& line)
{
    return joined(
        line, [](const engine::Formula& f) { return Latex(f); }, latexText);
}

namespace {

// The conditions a template states itself ("{Δ>0}，方程有…"), as formulas, so
// that they are printed, spoken and set in LaTeX as every other formula is.
engine::FormulaPtr templateFormula(std::string_view key)
{
    using engine::Relation;
    using engine::Sym;
    const engine::FormulaPtr zero = engine::Int(0);
    const auto delta = [&](Relation r) { return engine::Rel(Sym(engine::symbol::kDelta), r, zero); };
    if (key == "Δ=0")
        return delta(Relation::Equal);
    if (key == "Δ>0")
        return delta(Relation::Greater);
    if (key == "Δ<0")
        return delta(Relation::Less);
    if (key == "p≠0")
        return engine::Rel(Sym("p"), Relation::NotEqual, zero);
    if (key == "p=q=0")
        return engine::ChainOf(Sym("p"), {{Relation::Equal, Sym("q")}, {Relation::Equal, zero}});
    if (key == "k=0,1,2")
        return engine::Eq(Sym("k"), engine::ListOf({engine::Int(0), engine::Int(1), engine::Int(2)}));
    return nullptr;
}

} // namespace

Line StepLine(const engine::Step& step)
{
    const std::string_view pattern = Template(step.reason);
    Line line;
    std::size_t nextUnused = 0;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] != '{') {
            const std::size_t next = pattern.find('{', i);
            line += std::string(pattern.substr(i, next == std::string_view::npos ? next : next - i));
            if (next == std::string_view::npos)
                break;
            i = next - 1;
            continue;
        }
        const std::size_t close = pattern.find('}', i);
        const std::string_view key = pattern.substr(i + 1, close - i - 1);
        if (key == "*") {
            for (std::size_t k = nextUnused; k < step.formulas.size(); ++k) {
                if (k > nextUnused)
                    line += std::string("，");
                line += step.formulas[k];
            }
            nextUnused = step.formulas.size();
        } else if (const engine::FormulaPtr stated = templateFormula(key)) {
            line += stated;
        } else {
            const auto index = static_cast<std::size_t>(key[0] - '0');
            if (index < step.formulas.size())
                line += step.formulas[index];
            nextUnused = std::max(nextUnused, index + 1);
        }
        i = close;
    }
    return line;
}

} // namespace zembrel::present
