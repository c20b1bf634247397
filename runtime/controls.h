// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The text fields and push buttons of the main window, and for each of them
// everything the rest of the program needs to know: its name, its panel, its
// role and how it starts. The window, the driver, the reset and the tests all
// read this table; nothing keeps a copy.

#include <array>
#include <cstddef>
#include <optional>
#include <span>
#include <stdexcept>
#include <string_view>

namespace zembrel {

// clang-format off
enum class Field {
    Text1 = 1, Text2, Text3, Text4, Text5, Text6, Text7, Text8, Text9, Text10,
    Text11, Text12, Text13, Text14, Text15, Text16, Text17, Text18, Text19, Text20,
    Text21, Text22, Text23, Text24, Text25, Text26,
};
// clang-format on

enum class Button { Command1 = 1, Command2, Command3, Command4, Command5, Command6, Command7, Command8 };

// The four panels, top to bottom.
enum class Panel { Linear, Quadratic, Cubic, System };

// A coefficient field is the user's to type into; a result field is written
// by the operations only.
enum class FieldRole { Coefficient, Result };
enum class ButtonKind { Solve, Check };

struct FieldControl {
    Field field;
    std::string_view name;
    Panel panel;
    FieldRole role;
    std::string_view startText;
};

struct ButtonControl {
    Button button;
    std::string_view name;
    Panel panel;
    ButtonKind kind;
    bool enabledAtStart;
};

namespace controls {

constexpr FieldControl coefficient(Field field, std::string_view name, Panel panel)
{
    return {field, name, panel, FieldRole::Coefficient, ""};
}

constexpr FieldControl result(Field field, std::string_view name, Panel panel)
{
    return {field, name, panel, FieldRole::Result, "0"};
}

constexpr ButtonControl solve(Button button, std::string_view name, Panel panel)
{
    return {button, name, panel, ButtonKind::Solve, true};
}

// No check can run before its panel's first solve.
constexpr ButtonControl check(Button button, std::string_view name, Panel panel)
{
    return {button, name, panel, ButtonKind::Check, false};
}

} // namespace controls

// In the order a reset writes them: the coefficient fields in this order,
// then the result fields in this order. That is why the system's constant
// terms come first, and its Y before its X.
// clang-format off
inline constexpr std::array kFieldControls{
    controls::coefficient(Field::Text9,  "Text9",  Panel::System),     // d1
    controls::coefficient(Field::Text25, "Text25", Panel::System),     // d2
    controls::coefficient(Field::Text26, "Text26", Panel::System),     // d3

    controls::coefficient(Field::Text1,  "Text1",  Panel::Linear),     // a
    controls::coefficient(Field::Text2,  "Text2",  Panel::Linear),     // b
    controls::result(     Field::Text3,  "Text3",  Panel::Linear),     // X

    controls::coefficient(Field::Text4,  "Text4",  Panel::Quadratic),  // a
    controls::coefficient(Field::Text5,  "Text5",  Panel::Quadratic),  // b
    controls::coefficient(Field::Text6,  "Text6",  Panel::Quadratic),  // c
    controls::result(     Field::Text7,  "Text7",  Panel::Quadratic),  // X1
    controls::result(     Field::Text8,  "Text8",  Panel::Quadratic),  // X2

    controls::coefficient(Field::Text10, "Text10", Panel::Cubic),      // p
    controls::coefficient(Field::Text11, "Text11", Panel::Cubic),      // q
    controls::result(     Field::Text12, "Text12", Panel::Cubic),      // X

    controls::coefficient(Field::Text13, "Text13", Panel::System),     // a1
    controls::coefficient(Field::Text14, "Text14", Panel::System),     // b1
    controls::coefficient(Field::Text15, "Text15", Panel::System),     // c1
    controls::coefficient(Field::Text16, "Text16", Panel::System),     // a2
    controls::coefficient(Field::Text17, "Text17", Panel::System),     // b2
    controls::coefficient(Field::Text18, "Text18", Panel::System),     // c2
    controls::coefficient(Field::Text19, "Text19", Panel::System),     // a3
    controls::coefficient(Field::Text20, "Text20", Panel::System),     // b3
    controls::coefficient(Field::Text21, "Text21", Panel::System),     // c3
    controls::result(     Field::Text23, "Text23", Panel::System),     // Y
    controls::result(     Field::Text22, "Text22", Panel::System),     // X
    controls::result(     Field::Text24, "Text24", Panel::System),     // Z
};

inline constexpr std::array kButtonControls{
    controls::solve(Button::Command1, "Command1", Panel::Linear),
    controls::solve(Button::Command2, "Command2", Panel::Quadratic),
    controls::solve(Button::Command3, "Command3", Panel::Cubic),
    controls::solve(Button::Command4, "Command4", Panel::System),
    controls::check(Button::Command5, "Command5", Panel::System),
    controls::check(Button::Command6, "Command6", Panel::Linear),
    controls::check(Button::Command7, "Command7", Panel::Quadratic),
    controls::check(Button::Command8, "Command8", Panel::Cubic),
};
// clang-format on

inline constexpr std::size_t kFieldCount = kFieldControls.size();
inline constexpr std::size_t kButtonCount = kButtonControls.size();

// Dense indices for arrays kept per field or per button, whatever the
// table's order.
constexpr std::size_t indexOf(Field field) { return static_cast<std::size_t>(field) - 1; }
constexpr std::size_t indexOf(Button button) { return static_cast<std::size_t>(button) - 1; }

const FieldControl& controlOf(Field field);
const ButtonControl& controlOf(Button button);

inline std::string_view nameOf(Field field) { return controlOf(field).name; }
inline std::string_view nameOf(Button button) { return controlOf(button).name; }
inline bool isResultField(Field field) { return controlOf(field).role == FieldRole::Result; }

std::optional<Field> fieldNamed(std::string_view name);
std::optional<Button> buttonNamed(std::string_view name);

// The button of the given kind on the given panel; every panel has one of each.
constexpr Button buttonOf(Panel panel, ButtonKind kind)
{
    for (const ButtonControl& control : kButtonControls) {
        if (control.panel == panel && control.kind == kind)
            return control.button;
    }
    throw std::logic_error("a panel without its solve or check button");
}

} // namespace zembrel
