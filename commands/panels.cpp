// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "panels.h"

namespace zembrel {

namespace {

// What the window and the driver rely on, checked where the panels are listed.

// Every wire name names one control.
constexpr bool namesAreUnique()
{
    for (std::size_t i = 0; i < kFieldCount; ++i) {
        for (std::size_t j = 0; j < kFieldCount; ++j) {
            if (i != j && kFields[i].name() == kFields[j].name())
                return false;
        }
        for (const Button button : kButtons) {
            if (kFields[i].name() == button.name())
                return false;
        }
    }
    for (std::size_t i = 0; i < kButtonCount; ++i) {
        for (std::size_t j = i + 1; j < kButtonCount; ++j) {
            if (kButtons[i].name() == kButtons[j].name())
                return false;
        }
    }
    return true;
}
static_assert(namesAreUnique(), "two controls share a name");

// A panel's field list holds exactly the fields its layout places.
constexpr bool fieldListsMatchLayouts()
{
    for (const PanelDefinition* panel : kPanels) {
        std::size_t laidOut = 0;
        for (const PanelItem& item : panel->layout) {
            if (!std::holds_alternative<Field>(item))
                continue;
            ++laidOut;
            if (std::ranges::count(panel->fields, std::get<Field>(item)) != 1)
                return false;
        }
        if (laidOut != panel->fields.size())
            return false;
    }
    return true;
}
// AddressSanitizer makes comparing two objects' addresses no constant expression.
#ifndef __SANITIZE_ADDRESS__
static_assert(fieldListsMatchLayouts(), "a panel's fields and its layout disagree");
#endif

// One solve and one check button a panel, and only the solve starts enabled.
constexpr bool eachPanelHasItsButtons()
{
    for (const PanelDefinition* panel : kPanels) {
        int solves = 0;
        int checks = 0;
        for (const PanelItem& item : panel->layout) {
            if (std::holds_alternative<Button>(item)) {
                const Button button = std::get<Button>(item);
                const bool solve = button->kind == ButtonKind::Solve;
                (solve ? solves : checks) += 1;
                if (button->enabledAtStart != solve)
                    return false;
            }
        }
        if (solves != 1 || checks != 1 || panel->solve == nullptr || panel->check == nullptr)
            return false;
    }
    return true;
}
// AddressSanitizer makes comparing two objects' addresses no constant expression.
#ifndef __SANITIZE_ADDRESS__
static_assert(eachPanelHasItsButtons(), "a panel needs one solve and one check button");
#endif

} // namespace

} // namespace zembrel
