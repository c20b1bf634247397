// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "controls.h"
#include "window.h"

#include <span>
#include <string_view>

namespace zembrel {

using PanelOperation = void (*)(Window& window);

// A panel as a unit. Its fields and buttons are the rows of the control table
// that name its Panel; the descriptor adds what its buttons run and every
// text it may show.
struct PanelDescriptor {
    Panel panel;
    PanelOperation solve; // run by its solve button
    PanelOperation check; // run by its check button
    std::span<const std::string_view> messages;
};

} // namespace zembrel
