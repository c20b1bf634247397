// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "controls.h"

namespace zembrel {

namespace {

constexpr Field keyOf(const FieldControl& control) { return control.field; }
constexpr Button keyOf(const ButtonControl& control) { return control.button; }

// The number at the end of a control's name: 26 for Text26.
constexpr int numberIn(std::string_view name)
{
    const std::size_t digits = name.find_first_of("0123456789");
    int number = 0;
    for (std::size_t i = digits; i < name.size(); ++i)
        number = number * 10 + (name[i] - '0');
    return number;
}

// Every enum value has exactly one row, under its own name.
template <class Control, std::size_t N>
constexpr bool eachOnceUnderItsName(const std::array<Control, N>& table, std::string_view prefix)
{
    std::array<int, N> seen{};
    for (const Control& control : table) {
        const auto number = static_cast<int>(keyOf(control));
        if (number < 1 || static_cast<std::size_t>(number) > N || seen[indexOf(keyOf(control))]++ != 0)
            return false;
        if (!control.name.starts_with(prefix) || numberIn(control.name) != number)
            return false;
    }
    return true;
}

static_assert(eachOnceUnderItsName(kFieldControls, "Text"));
static_assert(eachOnceUnderItsName(kButtonControls, "Command"));

// Where each field's and each button's row stands in its table.
template <class Control, std::size_t N>
constexpr std::array<std::size_t, N> rowIndex(const std::array<Control, N>& table)
{
    std::array<std::size_t, N> rows{};
    for (std::size_t row = 0; row < N; ++row)
        rows[indexOf(keyOf(table[row]))] = row;
    return rows;
}

constexpr auto kFieldRows = rowIndex(kFieldControls);
constexpr auto kButtonRows = rowIndex(kButtonControls);

} // namespace

const FieldControl& controlOf(Field field) { return kFieldControls[kFieldRows[indexOf(field)]]; }
const ButtonControl& controlOf(Button button) { return kButtonControls[kButtonRows[indexOf(button)]]; }

std::optional<Field> fieldNamed(std::string_view name)
{
    for (const FieldControl& control : kFieldControls) {
        if (control.name == name)
            return control.field;
    }
    return std::nullopt;
}

std::optional<Button> buttonNamed(std::string_view name)
{
    for (const ButtonControl& control : kButtonControls) {
        if (control.name == name)
            return control.button;
    }
    return std::nullopt;
}

} // namespace zembrel
