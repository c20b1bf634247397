// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "layout.h"

#include "panels.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <utility>

namespace zembrel::layout {

namespace {

constexpr Control controlOf(const PanelItem& item)
{
    // holds_alternative, not get_if: a sanitizer's null check on get_if's
    // pointer is no constant expression.
    if (std::holds_alternative<Field>(item)) {
        const Field* field = &std::get<Field>(item);
        const FieldDef& f = field->def();
        // clang-format off
        return {*field, {}, f.at.left, f.at.top, f.at.width, f.at.height,
                f.font, f.textColour, f.background, f.accessibleName, f.description};
        // clang-format on
    }
    if (std::holds_alternative<Button>(item)) {
        const Button* button = &std::get<Button>(item);
        const ButtonDef& b = button->def();
        // clang-format off
        return {*button, b.caption, b.at.left, b.at.top, b.at.width, b.at.height,
                b.font, std::nullopt, std::nullopt, b.accessibleName, {}, b.wrapsCaption};
        // clang-format on
    }
    const LabelDef& l = std::get<LabelDef>(item);
    // clang-format off
    return {LabelName{l.name}, l.caption, l.at.left, l.at.top, l.at.width, l.at.height,
            l.font, l.colour, std::nullopt, {}, {}, false, l.buddy};
    // clang-format on
}

constexpr std::array<Control, kLayoutSize> allControls()
{
    return [&]<std::size_t... I>(std::index_sequence<I...>)
    {
        std::array<const PanelItem*, kLayoutSize> items{};
        std::size_t next = 0;
        for (const PanelDefinition* panel : kPanels) {
            for (const PanelItem& item : panel->layout)
                items[next++] = &item;
        }
        return std::array<Control, kLayoutSize>{controlOf(*items[I])...};
    }
    (std::make_index_sequence<kLayoutSize>{});
}

constexpr std::size_t lineCount()
{
    std::size_t count = 0;
    for (const PanelDefinition* panel : kPanels)
        count += panel->lines.size();
    return count;
}

constexpr std::array<Line, lineCount()> allLines()
{
    std::array<Line, lineCount()> lines{};
    std::size_t next = 0;
    for (const PanelDefinition* panel : kPanels) {
        for (const Line& line : panel->lines)
            lines[next++] = line;
    }
    return lines;
}

constexpr auto kControls = allControls();
constexpr auto kLines = allLines();

constexpr int lowestBottom()
{
    int bottom = 0;
    for (const Control& control : kControls)
        bottom = std::max(bottom, control.top + control.height);
    for (const Line& line : kLines)
        bottom = std::max({bottom, line.y1, line.y2});
    return bottom;
}

constexpr int kClientHeight = lowestBottom() + kBottomMargin + kStatusBarHeight;

// clang-format off
constexpr std::array kMenus{
    Menu{"mnuFile", "控制(&C)"},
    Menu{"mnuAss", "辅助(&A)"},
};
// clang-format on

// clang-format off
constexpr std::array kMenuEntries{
    MenuEntry{"mnuFile", MenuItem::mnuFileNew, {}, "重置(&N)", "Ctrl+N"},
    MenuEntry{"mnuFile", std::nullopt, "mnuFileBar0", "-", ""},
    MenuEntry{"mnuFile", MenuItem::mnuFileExit, {}, "退出(&X)", "Ctrl+X"},
    MenuEntry{"mnuAss", std::nullopt, "mnuAssDetails", "解题详情(&D)", "Ctrl+D", WindowItem::mnuAssDetails},
    MenuEntry{"mnuAss", std::nullopt, "mnuAssEquation", "输入方程(&E)…", "Ctrl+E", WindowItem::mnuAssEquation},
    MenuEntry{"mnuAss", MenuItem::mnuAssCalc, {}, "Windows计算器", "Ctrl+C"},
    MenuEntry{"mnuAss", MenuItem::mnuAssRep, {}, "错误报告", "Ctrl+R"},
    MenuEntry{"mnuAss", MenuItem::mnuAssAbout, {}, "关于", "Ctrl+A"},
};
// clang-format on

} // namespace

std::span<const Control> controls() { return kControls; }
std::span<const Line> lines() { return kLines; }
int clientHeight() { return kClientHeight; }
std::span<const Menu> menus() { return kMenus; }
std::span<const MenuEntry> menuEntries() { return kMenuEntries; }
std::string_view nameOf(const Control& control)
{
    if (const auto* field = std::get_if<Field>(&control.id))
        return field->name();
    if (const auto* button = std::get_if<Button>(&control.id))
        return button->name();
    return std::get<LabelName>(control.id).name;
}

} // namespace zembrel::layout
