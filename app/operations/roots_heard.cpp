// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "roots_heard.h"

#include "formula.h"
#include "qt_text.h"
#include "spoken.h"

#include <QStringList>

#include <algorithm>
#include <stdexcept>
#include <string>
#include <string_view>
#include <variant>

namespace zembrel {

namespace {

constexpr std::string_view kRootSeparator = "，";

// A number as Format or Str writes it ("-8.45", "2.", " 1.5E+20") as a formula.
engine::FormulaPtr numberOf(std::string text)
{
    while (!text.empty() && text.front() == ' ')
        text.erase(0, 1);
    const bool negative = !text.empty() && text.front() == '-';
    if (negative)
        text.erase(0, 1);
    long exponent = 0;
    if (const std::size_t e = text.find('E'); e != std::string::npos) {
        exponent = std::stol(text.substr(e + 1));
        text.erase(e);
    }
    if (text.ends_with('.'))
        text.pop_back();
    const bool digits = !text.empty() && text.find_first_not_of("0123456789.") == std::string::npos
                        && std::ranges::count(text, '.') <= 1 && text.front() != '.';
    if (!digits)
        throw std::invalid_argument("not a number the panels write");
    const engine::FormulaPtr magnitude = engine::Dec(text, exponent);
    return negative ? engine::Neg(magnitude) : magnitude;
}

// A result field's text as a formula: a number, or Str's " 1 + 2 i".
engine::FormulaPtr valueOf(const std::string& text)
{
    if (!text.ends_with(" i"))
        return numberOf(text);
    std::size_t sign = text.find(" + ", 1);
    const bool minus = sign == std::string::npos;
    if (minus)
        sign = text.find(" - ", 1);
    const engine::FormulaPtr re = numberOf(text.substr(0, sign));
    const engine::FormulaPtr im = engine::Mul(
        {numberOf(text.substr(sign + 3, text.size() - sign - 5)), engine::Sym(engine::symbol::kImaginaryUnit)});
    return minus ? engine::Sub(re, im) : engine::Add(re, im);
}

// "X1" as the symbol X with subscript 1.
engine::FormulaPtr nameOf(std::string_view meaning)
{
    const std::size_t digits = meaning.find_first_of("0123456789");
    if (digits == std::string_view::npos)
        return engine::Sym(std::string(meaning));
    return engine::Sym(std::string(meaning.substr(0, digits)), std::string(meaning.substr(digits)));
}

} // namespace

QString rootsHeard(const Window& window, const PanelDefinition& panel)
{
    // The roots in reading order, by the names the panel's captions give
    // them, in words a Chinese voice reads: "X 等于 二".
    QStringList roots;
    for (const PanelItem& item : panel.layout) {
        const Field* root = std::get_if<Field>(&item);
        if (root == nullptr || (*root)->role != FieldRole::Result)
            continue;
        const std::string text = window.text(*root);
        if (text.find_first_not_of(' ') == std::string::npos)
            continue;
        try {
            roots << QString::fromStdString(present::Spoken(*engine::Eq(nameOf((*root)->meaning), valueOf(text))));
        } catch (const std::exception&) {
            // A text the user typed into the result field: heard as it stands.
            roots << toQString((*root)->meaning) + QStringLiteral(" ") + QString::fromStdString(text).trimmed();
        }
    }
    return roots.join(toQString(kRootSeparator));
}

} // namespace zembrel
