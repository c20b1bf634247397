// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "solution.h"

#include "conversion.h"
#include "exact_number.h"
#include "panel.h"
#include "runtime_error.h"

#include <stdexcept>
#include <utility>

namespace zembrel {

const Reading& PanelSolution::reading(Field field) const
{
    for (const Reading& r : read) {
        if (r.field == field)
            return r;
    }
    throw std::logic_error("a field the panel does not read");
}

const engine::Working& PanelSolution::working() const
{
    worked_.call([this] { working_ = makeWorking(); });
    return working_;
}

namespace {

struct Cached {
    const PanelDefinition* panel = nullptr;
    std::vector<std::string> texts;
    SolutionPtr solution;
};

std::mutex cacheMutex;
std::vector<Cached> cache; // the last solution of each panel

} // namespace

bool PanelSolution::begin(const PanelDefinition& definition, std::vector<Reading> readings, std::string_view pattern)
{
    panel = &definition;
    read = std::move(readings);
    decimal = DecimalsAs(pattern);
    for (std::size_t i = 0; i < read.size() && !overflow; ++i) {
        if (read[i].overflow)
            overflow = i;
    }
    return !overflow;
}

SolutionPtr SolutionFor(const PanelDefinition& panel, std::vector<std::string> texts)
{
    {
        const std::lock_guard lock(cacheMutex);
        for (const Cached& c : cache) {
            if (c.panel == &panel && c.texts == texts)
                return c.solution;
        }
    }
    std::vector<Reading> read;
    for (std::size_t i = 0; i < panel.coefficients.size(); ++i) {
        const ExactNumber number = ReadExact(texts.at(i));
        read.push_back({panel.coefficients[i], texts[i], number.value, number.whole, number.overflow});
    }
    SolutionPtr solution = panel.solutionOf(std::move(read));
    const std::lock_guard lock(cacheMutex);
    for (Cached& c : cache) {
        if (c.panel == &panel) {
            c.texts = std::move(texts);
            c.solution = solution;
            return solution;
        }
    }
    cache.push_back({&panel, std::move(texts), solution});
    return solution;
}

SolutionPtr SolutionFor(const PanelDefinition& panel, const Window& window)
{
    std::vector<std::string> texts;
    texts.reserve(panel.coefficients.size());
    for (const Field field : panel.coefficients)
        texts.push_back(window.text(field));
    return SolutionFor(panel, std::move(texts));
}

void RaiseOnOverflow(const PanelSolution& solution)
{
    if (solution.overflow)
        throw RuntimeError(RuntimeError::Overflow);
}

namespace {

SignificantDigits significantOf(const engine::Real& value)
{
    const engine::RoundedDecimal r = value.significant(15, engine::Tie::AwayFromZero);
    return {r.negative, r.digits, static_cast<int>(r.pointPosition)};
}

// "12.5" as the exact number it writes.
mpq_class decimalValue(const std::string& digits)
{
    const std::size_t point = digits.find('.');
    if (point == std::string::npos)
        return mpq_class(mpz_class(digits, 10));
    mpz_class scale;
    mpz_ui_pow_ui(scale.get_mpz_t(), 10, digits.size() - point - 1);
    mpq_class value(mpz_class(digits.substr(0, point) + digits.substr(point + 1), 10), scale);
    value.canonicalize();
    return value;
}

} // namespace

void RaiseBeyondDoubles(const engine::Real& value)
{
    if (!value.nearestDouble())
        throw RuntimeError(RuntimeError::Overflow);
}

std::string FormatExact(const engine::Real& value, std::string_view pattern)
{
    RaiseBeyondDoubles(value);
    return Format(significantOf(value), pattern);
}

std::string StrExact(const engine::Real& value)
{
    RaiseBeyondDoubles(value);
    return Str(significantOf(value));
}

engine::textbook::DecimalWriter DecimalsAs(std::string_view pattern)
{
    return [pattern](const engine::Real& value) -> engine::textbook::ShownDecimal {
        std::string text = Format(significantOf(value), pattern);
        const bool negative = text.front() == '-';
        if (negative)
            text.erase(0, 1);
        if (text.back() == '.')
            text.pop_back();
        const mpq_class shown = decimalValue(text);
        const engine::FormulaPtr digits = engine::Dec(text);
        return {negative && shown != 0 ? engine::Neg(digits) : digits,
                value.equals(negative ? mpq_class(-shown) : shown)};
    };
}

bool ShownValuesHold(std::span<const engine::Real> exact)
{
    // 10⁷·|d − x| ≤ max |x| for each x and its nearest double d, decided on enclosures.
    constexpr long kLimit = long{1} << 14;
    for (long precision = 128; precision <= kLimit; precision *= 2) {
        engine::Arb largest;
        for (const engine::Real& x : exact) {
            engine::Arb magnitude = x.enclose(precision);
            arb_abs(magnitude.get(), magnitude.get());
            arb_max(largest.get(), largest.get(), magnitude.get(), precision);
        }
        bool decided = true;
        bool holds = true;
        for (const engine::Real& x : exact) {
            if (x.sign() == 0)
                continue;
            const std::optional<double> d = x.nearestDouble();
            if (!d)
                return false;
            engine::Arb gap;
            arb_set_d(gap.get(), *d);
            const engine::Arb value = x.enclose(precision);
            arb_sub(gap.get(), gap.get(), value.get(), precision);
            arb_abs(gap.get(), gap.get());
            arb_mul_ui(gap.get(), gap.get(), 10'000'000, precision);
            if (arb_gt(gap.get(), largest.get()))
                holds = false;
            else if (!arb_le(gap.get(), largest.get()))
                decided = false;
        }
        if (!holds)
            return false;
        if (decided || precision == kLimit)
            return true;
    }
    return true;
}

} // namespace zembrel
