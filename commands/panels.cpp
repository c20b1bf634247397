// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "panels.h"

#include "cubic.h"
#include "linear.h"
#include "quadratic.h"
#include "system.h"

#include <array>
#include <cstdlib>

namespace zembrel {

namespace {

// A new panel is one more line here.
const std::array<const PanelDescriptor*, 4> kPanels{
    &kLinearPanel,
    &kQuadraticPanel,
    &kCubicPanel,
    &kSystemPanel,
};

} // namespace

std::span<const PanelDescriptor* const> panels() { return kPanels; }

const PanelDescriptor& panelOf(Panel panel)
{
    for (const PanelDescriptor* descriptor : kPanels) {
        if (descriptor->panel == panel)
            return *descriptor;
    }
    // A panel missing from the list above; pressing any of its buttons in a test finds it.
    std::abort();
}

} // namespace zembrel
