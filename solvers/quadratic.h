// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "panel.h"
#include "window.h"

namespace zembrel {

// a·x² + b·x + c = 0 with a in Text4, b in Text5, c in Text6 and the roots
// in Text7 and Text8.
void SolveQuadratic(Window& window); // Command2_Click
void CheckQuadratic(Window& window); // Command7_Click

extern const PanelDescriptor kQuadraticPanel;

} // namespace zembrel
