// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// What a panel of the main window is made of: text fields, push buttons and
// labels, each with everything the window, the driver and the operations need
// to know of it. A panel declares its controls once (solvers/); the lists the
// window, the driver and the reset walk are derived from the panels
// (commands/panels.h). No Qt here: positions are twips from the top-left
// corner of the client area, and the window turns them into pixels.

#include <optional>
#include <string_view>
#include <variant>

namespace zembrel {

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

struct Rect {
    int left;
    int top;
    int width;
    int height;
    constexpr int right() const { return left + width; }
    constexpr int bottom() const { return top + height; }
    bool operator==(const Rect&) const = default;
};

// A coefficient field is the user's to type into; a result field is written
// by the operations only.
enum class FieldRole { Coefficient, Result };
enum class ButtonKind { Solve, Check };

struct FieldDef {
    std::string_view name;    // what the window and the driver call it: Text5
    std::string_view meaning; // what it holds in the panel's equation: b, X1
    FieldRole role;
    std::string_view startText;
    Rect at;
    FontStyle font;
    std::optional<Rgb> textColour; // none: the platform's default
    Rgb background;
    // What a screen reader announces, and the equation's form with the
    // field's place in it.
    std::string_view accessibleName;
    std::string_view description;
    // A reset writes these before every other field (the system's constant
    // terms, which the window had first).
    bool resetFirst = false;
};

struct ButtonDef {
    std::string_view name; // Command2
    ButtonKind kind;
    bool enabledAtStart;
    std::string_view caption;
    Rect at;
    FontStyle font;
    std::string_view accessibleName;
    // The caption breaks into lines at its blanks.
    bool wrapsCaption = false;
};

// A field or a button as the operations and the window interface name it:
// a handle on its one declaration, compared by identity.
template <class Def>
class ControlRef {
public:
    constexpr ControlRef(const Def& def) noexcept : def_(&def) {} // NOLINT(google-explicit-constructor)

    constexpr const Def& def() const noexcept { return *def_; }
    constexpr const Def* operator->() const noexcept { return def_; }
    constexpr std::string_view name() const noexcept { return def_->name; }

    // The window and the operations it opens from a library each hold their
    // own copy of the tables, so a control is known by its name, which no
    // other control of its kind has.
    friend constexpr bool operator==(ControlRef a, ControlRef b) noexcept
    {
        return a.def_ == b.def_ || a.def_->name == b.def_->name;
    }

private:
    const Def* def_;
};

using Field = ControlRef<FieldDef>;
using Button = ControlRef<ButtonDef>;

struct LabelDef {
    std::string_view name; // a control array element such as Label2 (5) is "Label2_5"
    std::string_view caption;
    Rect at;
    FontStyle font;
    std::optional<Rgb> colour; // none: the platform's default
    // The field a label names, which a screen reader then reads it with.
    std::optional<Field> buddy = std::nullopt;
};

// One row of a panel's layout.
using PanelItem = std::variant<Field, Button, LabelDef>;

// One straight line drawn on the window surface, e.g. "Line5_2" for Line5 (2).
struct Line {
    std::string_view name;
    int x1;
    int y1;
    int x2;
    int y2;
};

} // namespace zembrel
