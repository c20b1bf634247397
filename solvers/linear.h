// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "panel.h"
#include "window.h"

namespace zembrel {

// a·x + b = 0 with a in Text1, b in Text2 and the root in Text3.
void SolveLinear(Window& window); // Command1_Click
void CheckLinear(Window& window); // Command6_Click

extern const PanelDescriptor kLinearPanel;

} // namespace zembrel
