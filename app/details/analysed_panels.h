// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// What the 解题详情 window knows of the panels, all of it read from their
// definitions: a page per panel that has an analysis, captioned with its
// title, naming its coefficients by their meaning. A panel added to the list
// of panels gets its page with no change to the window.

#include "panels.h"

#include <QString>

#include <cstddef>
#include <optional>
#include <span>

namespace zembrel {

// The panels with a page, top to bottom as the main window holds them.
std::span<const PanelDefinition* const> analysedPanels();

// The panel's page: its place among analysedPanels(), none without an analysis.
std::optional<std::size_t> pageIndexOf(const PanelDefinition& panel);

// A coefficient as a page names it: its meaning with digits as subscripts ("a₁").
QString coefficientName(Field coefficient);

} // namespace zembrel
