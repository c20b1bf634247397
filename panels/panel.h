// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "controls.h"
#include "runtime_error.h"
#include "solution.h"
#include "window.h"

#include <memory>
#include <span>
#include <string_view>
#include <vector>

namespace zembrel {

using PanelOperation = void (*)(Window& window);
// The panel's equation solved, from its coefficients as read in its reading order.
using PanelSolve = std::shared_ptr<const PanelSolution> (*)(std::vector<Reading> read);

// A panel as a unit: everything the window, the driver and the reset know of
// it. Each panel's header declares its controls and its definition; the list
// of panels (commands/panels.h) derives every table from them.
struct PanelDefinition {
    std::string_view name;  // Quadratic
    std::string_view title; // as a textbook names the equation: 一元二次方程
    // In the order a reset writes them (coefficients before results).
    std::span<const Field> fields;
    // In reading order, which is the order the window creates them in and
    // Tab visits the fields and buttons.
    std::span<const PanelItem> layout;
    std::span<const Line> lines;
    // Every text its operations may show in a box.
    std::span<const std::string_view> messages;
    PanelOperation solve; // run by its solve button
    PanelOperation check; // run by its check button
    // The coefficient fields in the order its solve reads them.
    std::span<const Field> coefficients;
    PanelSolve solutionOf; // never reads or writes a field
    // A textbook example, a text a coefficient: what the README's pictures show.
    std::span<const std::string_view> example;
};

// The parts the panels build their controls from, so that a panel's header
// reads as one row per control.
namespace panel {

inline constexpr FontStyle kRegular9{9, false};
inline constexpr FontStyle kBold9{9, true};
inline constexpr FontStyle kRegular10_5{10.5, false};
inline constexpr FontStyle kBold10_5{10.5, true};
inline constexpr FontStyle kBold12{12, true};
inline constexpr FontStyle kBold14_25{14.25, true};

inline constexpr Rgb kNavy{0, 0, 128};
inline constexpr Rgb kBlack{0, 0, 0};
inline constexpr Rgb kCoefficientBackground{224, 224, 224};
// The coefficients a system of two variables may leave empty.
inline constexpr Rgb kOptionalCoefficientBackground{192, 192, 192};
// The classic desktop's grey of an inactive window border.
inline constexpr Rgb kResultBackground{212, 208, 200};
inline constexpr Rgb kResultText{0, 0, 0};

inline constexpr int kCoefficientWidth = 735;
inline constexpr int kFieldHeight = 270;

// clang-format off
constexpr FieldDef coefficient(std::string_view name, std::string_view meaning, int left, int top,
                                std::string_view accessibleName, std::string_view description,
                                Rgb background = kCoefficientBackground)
{
    return {name, meaning, FieldRole::Coefficient, "", {left, top, kCoefficientWidth, kFieldHeight},
            kBold9, std::nullopt, background, accessibleName, description};
}

// The Z column and the third equation, which a system of X and Y leaves empty.
constexpr FieldDef optionalCoefficient(std::string_view name, std::string_view meaning, int left, int top,
                                        std::string_view accessibleName, std::string_view description)
{
    return coefficient(name, meaning, left, top, accessibleName, description, kOptionalCoefficientBackground);
}

constexpr FieldDef result(std::string_view name, std::string_view meaning, int left, int top, int width,
                           FontStyle font, std::string_view accessibleName, std::string_view description)
{
    return {name, meaning, FieldRole::Result, "0", {left, top, width, kFieldHeight},
            font, kResultText, kResultBackground, accessibleName, description};
}

constexpr ButtonDef solveButton(std::string_view name, std::string_view caption, Rect at, FontStyle font,
                                 std::string_view accessibleName)
{
    return {name, ButtonKind::Solve, true, caption, at, font, accessibleName};
}

// No check can run before its panel's first solve.
constexpr ButtonDef checkButton(std::string_view name, Rect at, FontStyle font, std::string_view accessibleName)
{
    return {name, ButtonKind::Check, false, "验算", at, font, accessibleName};
}

constexpr LabelDef label(std::string_view name, std::string_view caption, Rect at, FontStyle font,
                          std::optional<Rgb> colour = std::nullopt)
{
    return {name, caption, at, font, colour};
}
// clang-format on

constexpr ButtonDef wrapping(ButtonDef button)
{
    button.wrapsCaption = true;
    return button;
}

constexpr FieldDef clearedFirst(FieldDef field)
{
    field.resetFirst = true;
    return field;
}

constexpr LabelDef naming(Field field, LabelDef label)
{
    label.buddy = field;
    return label;
}

} // namespace panel

} // namespace zembrel
