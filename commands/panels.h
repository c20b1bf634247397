// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The list of panels, and every table derived from it: the fields and
// buttons of the window, the order a reset writes the fields in, the reading
// order Tab follows, and the names the driver knows. Adding a panel is one
// line in kPanels; nothing below names a panel.

#include "cubic.h"
#include "linear.h"
#include "named.h"
#include "panel.h"
#include "quadratic.h"
#include "system.h"

#include <array>
#include <cstddef>
#include <optional>
#include <stdexcept>
#include <string_view>
#include <utility>
#include <variant>

namespace zembrel {

// Every panel of the window, top to bottom.
inline constexpr std::array kPanels{
    &kLinearPanel,
    &kQuadraticPanel,
    &kCubicPanel,
    &kSystemPanel,
};

namespace derived {

template <class Item>
constexpr std::size_t countInLayouts()
{
    std::size_t count = 0;
    for (const PanelDefinition* panel : kPanels) {
        for (const PanelItem& item : panel->layout)
            count += std::holds_alternative<Item>(item) ? 1 : 0;
    }
    return count;
}

constexpr std::size_t layoutSize()
{
    std::size_t size = 0;
    for (const PanelDefinition* panel : kPanels)
        size += panel->layout.size();
    return size;
}

// Every row of every panel's layout that holds an Item, in reading order.
template <class Item, std::size_t N>
constexpr std::array<Item, N> allInLayouts()
{
    std::array<const Item*, N> found{};
    std::size_t next = 0;
    for (const PanelDefinition* panel : kPanels) {
        for (const PanelItem& item : panel->layout) {
            // holds_alternative, not get_if: a sanitizer's null check on
            // get_if's pointer is no constant expression.
            if (std::holds_alternative<Item>(item))
                found[next++] = &std::get<Item>(item);
        }
    }
    return [&]<std::size_t... I>(std::index_sequence<I...>) { return std::array<Item, N>{*found[I]...}; }
    (std::make_index_sequence<N>{});
}

// A reset writes the coefficients that go first, then the other
// coefficients, then the results, each panel by panel in its fields' order.
template <std::size_t N>
constexpr std::array<Field, N> resetOrder()
{
    std::array<const Field*, N> found{};
    std::size_t next = 0;
    const auto take = [&](auto wanted) {
        for (const PanelDefinition* panel : kPanels) {
            for (const Field& field : panel->fields) {
                if (wanted(field.def()))
                    found[next++] = &field;
            }
        }
    };
    take([](const FieldDef& f) { return f.role == FieldRole::Coefficient && f.resetFirst; });
    take([](const FieldDef& f) { return f.role == FieldRole::Coefficient && !f.resetFirst; });
    take([](const FieldDef& f) { return f.role == FieldRole::Result; });
    return [&]<std::size_t... I>(std::index_sequence<I...>) { return std::array<Field, N>{*found[I]...}; }
    (std::make_index_sequence<N>{});
}

} // namespace derived

inline constexpr std::size_t kFieldCount = derived::countInLayouts<Field>();
inline constexpr std::size_t kButtonCount = derived::countInLayouts<Button>();
inline constexpr std::size_t kLayoutSize = derived::layoutSize();

// Every field and every button, panel by panel in reading order.
inline constexpr std::array<Field, kFieldCount> kFields = derived::allInLayouts<Field, kFieldCount>();
inline constexpr std::array<Button, kButtonCount> kButtons = derived::allInLayouts<Button, kButtonCount>();
// In the order a reset writes them.
inline constexpr std::array<Field, kFieldCount> kResetOrder = derived::resetOrder<kFieldCount>();

// Dense indices for arrays kept per field or per button: the place in kFields
// or kButtons.
template <class Def, std::size_t N>
constexpr std::size_t indexIn(const std::array<ControlRef<Def>, N>& table, ControlRef<Def> control)
{
    for (std::size_t i = 0; i < N; ++i) {
        if (table[i] == control)
            return i;
    }
    throw std::logic_error("a control that no panel lays out");
}
constexpr std::size_t indexOf(Field field) { return indexIn(kFields, field); }
constexpr std::size_t indexOf(Button button) { return indexIn(kButtons, button); }

// The panel a field or a button belongs to.
template <class Def>
constexpr const PanelDefinition& panelOf(ControlRef<Def> control)
{
    for (const PanelDefinition* panel : kPanels) {
        for (const PanelItem& item : panel->layout) {
            if (std::holds_alternative<ControlRef<Def>>(item) && std::get<ControlRef<Def>>(item) == control)
                return *panel;
        }
    }
    throw std::logic_error("a control that no panel lays out");
}

// The panel's button of the given kind; every panel has one of each.
constexpr Button buttonOf(const PanelDefinition& panel, ButtonKind kind)
{
    for (const PanelItem& item : panel.layout) {
        if (std::holds_alternative<Button>(item) && std::get<Button>(item)->kind == kind)
            return std::get<Button>(item);
    }
    throw std::logic_error("a panel without its solve or check button");
}

namespace derived {

// The place in kPanels of the panel of each Item, in the order of allInLayouts.
template <class Item, std::size_t N>
constexpr std::array<std::size_t, N> panelsInLayouts()
{
    std::array<std::size_t, N> panels{};
    std::size_t next = 0;
    for (std::size_t panel = 0; panel < kPanels.size(); ++panel) {
        for (const PanelItem& item : kPanels[panel]->layout) {
            if (std::holds_alternative<Item>(item))
                panels[next++] = panel;
        }
    }
    return panels;
}

template <std::size_t... Panel>
constexpr std::array<Button, sizeof...(Panel)> solveButtons(std::index_sequence<Panel...>)
{
    return {buttonOf(*kPanels[Panel], ButtonKind::Solve)...};
}

} // namespace derived

// The panel of a control, and a panel's solve button, by the panel's place in
// kPanels. Tables worked out while compiling: the window reads them without
// touching a panel's definition, and so without linking its operations.
inline constexpr std::array<std::size_t, kFieldCount> kPanelOfField = derived::panelsInLayouts<Field, kFieldCount>();
inline constexpr std::array<std::size_t, kButtonCount> kPanelOfButton
    = derived::panelsInLayouts<Button, kButtonCount>();
inline constexpr std::array<Button, kPanels.size()> kSolveButtons
    = derived::solveButtons(std::make_index_sequence<kPanels.size()>{});
constexpr std::size_t panelIndexOf(Field field) { return kPanelOfField[indexOf(field)]; }
constexpr std::size_t panelIndexOf(Button button) { return kPanelOfButton[indexOf(button)]; }

inline std::optional<Field> fieldNamed(std::string_view name) { return findNamed(kFields, name, &Field::name); }
inline std::optional<Button> buttonNamed(std::string_view name) { return findNamed(kButtons, name, &Button::name); }

} // namespace zembrel
