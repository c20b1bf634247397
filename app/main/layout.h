// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The main window's fixed layout as data: the window's own parts (title,
// size, status bar, menu) and, derived from the panels, every control and
// line. Positions and sizes are in twips from the top-left corner of the
// client area; the window turns them into pixels.

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
// The status bar is docked in the bottom of the client area.
inline constexpr int kStatusBarHeight = 270;
// Below the lowest control of the panels, above the status bar.
inline constexpr int kBottomMargin = 390;
// Panels 2 and 3 of the status bar are at least this wide.
inline constexpr int kStatusPanelMinWidth = 1440;

constexpr int pixels(int twips) { return twips / kTwipsPerPixel; }

using zembrel::FontStyle;
using zembrel::Line;
using zembrel::Rgb;

inline constexpr FontStyle kDefaultFont{9, false};

// A label's control name; an array element such as Label2 (5) is "Label2_5".
struct LabelName {
    std::string_view name;
};

// What a row places: a field or a button of a panel, or a label.
using ControlId = std::variant<Field, Button, LabelName>;

struct Control {
    ControlId id;
    // A button's or a label's caption; a field starts with its start text.
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

struct Menu {
    std::string_view name;
    std::string_view caption; // "&" marks the access key
};

// What only the window has: an item that opens a window of its own and runs
// no operation, so the driver knows nothing of it.
enum class WindowItem { mnuAssDetails, mnuAssEquation };

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
// The client area's height: the panels, the margin below them and the status bar.
int clientHeight();
std::span<const Line> lines();
std::span<const Menu> menus();
std::span<const MenuEntry> menuEntries();

} // namespace zembrel::layout
