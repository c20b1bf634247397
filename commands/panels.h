// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "panel.h"

#include <span>

namespace zembrel {

// Every panel of the window, top to bottom.
std::span<const PanelDescriptor* const> panels();

const PanelDescriptor& panelOf(Panel panel);

} // namespace zembrel
