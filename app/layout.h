// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The main window's fixed layout as data: every control, the brace lines and
// the menu. Positions and sizes are in twips from the top-left
// corner of the client area; the window turns them into pixels.

#include "controls.h"
#include "menu_commands.h"

#include <optional>
#include <span>
#include <string_view>
#include <variant>

namespace zembrel::layout {

// The window's caption, which is the application's title and so every box's.
inline constexpr std::string_view kApplicationTitle = "Zembrel";

inline constexpr int kTwipsPerPixel = 15;

inline constexpr int kClientWidth = 6060;
inline constexpr int kClientHeight = 6930;
// The status bar is docked in the bottom of the client area.
inline constexpr int kStatusBarHeight = 270;
// Panels 2 and 3 of the status bar are at least this wide.
inline constexpr int kStatusPanelMinWidth = 1440;

constexpr int pixels(int twips) { return twips / kTwipsPerPixel; }

struct Rgb {
    int red;
    int green;
    int blue;
    bool operator==(const Rgb&) const = default;
};

// Every font is 宋体; only the size and weight vary.
struct FontStyle {
    double points;
    bool bold;
    bool operator==(const FontStyle&) const = default;
};

inline constexpr FontStyle kDefaultFont{9, false};
inline constexpr Rgb kCoefficientBackground{224, 224, 224};
// The coefficients a system of two variables may leave empty.
inline constexpr Rgb kOptionalCoefficientBackground{192, 192, 192};
// The classic desktop's grey of an inactive window border.
inline constexpr Rgb kResultBackground{212, 208, 200};
inline constexpr Rgb kResultText{0, 0, 0};

// A label's control name; an array element such as Label2 (5) is "Label2_5".
struct LabelName {
    std::string_view name;
};

// What a row places: a field or a button of the control table, or a label.
using ControlId = std::variant<Field, Button, LabelName>;

struct Control {
    ControlId id;
    // A button's or a label's caption; a field starts with its text from the control table.
    std::string_view caption;
    int left;
    int top;
    int width;
    int height;
    FontStyle font;
    std::optional<Rgb> textColour; // none: the platform's default
    std::optional<Rgb> background; // fields only
    // What a screen reader announces for a field or a button, and for a field
    // also the equation's form and the field's place in it.
    std::string_view accessibleName;
    std::string_view accessibleDescription = {};
    // The caption breaks into lines at its blanks.
    bool wrapsCaption = false;
    // The field a label names, which a screen reader then reads it with.
    std::optional<Field> buddy = std::nullopt;
};

std::string_view nameOf(const Control& control);

// One straight line drawn on the window surface, e.g. "Line5_2" for Line5 (2).
struct Line {
    std::string_view name;
    int x1;
    int y1;
    int x2;
    int y2;
};

struct Menu {
    std::string_view name;
    std::string_view caption; // "&" marks the access key
};

// What only the window has: an item that opens a window of its own and runs
// no operation, so the driver knows nothing of it.
enum class WindowItem { mnuAssDetails };

// An entry without an item is a separator, known by its name alone.
struct MenuEntry {
    std::string_view menu;
    std::optional<MenuItem> item;
    std::string_view name; // a separator's or a window item's
    std::string_view caption;
    std::string_view shortcut; // portable text, e.g. "Ctrl+N"
    std::optional<WindowItem> windowItem = std::nullopt;
};

// Panel by panel; within a panel, Tab visits its fields and buttons in the
// order of their rows.
std::span<const Control> controls();
std::span<const Line> lines();
std::span<const Menu> menus();
std::span<const MenuEntry> menuEntries();

} // namespace zembrel::layout
