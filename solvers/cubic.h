// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "number.h"
#include "panel.h"
#include "window.h"

#include <optional>

namespace zembrel {

// The real root of x³ + p·x + q = 0 by Cardano's formula, or nothing when
// the discriminant is negative (then three real roots exist, but the formula
// would need complex cube roots).
std::optional<Number> CardanoRoot(Number p, Number q);

// For a negative discriminant, and so p < 0: the real root of largest
// magnitude, by the trigonometric form of the three roots.
Number TrigonometricRoot(Number p, Number q);

// The root the panel shows and checks: Cardano's, or the trigonometric one
// where Cardano's formula has none, refined by up to two Newton steps.
Number CubicRoot(Number p, Number q);

// x³ + p·x + q = 0 with p in Text10, q in Text11 and the root in Text12.
void SolveCubic(Window& window); // Command3_Click
void CheckCubic(Window& window); // Command8_Click

extern const PanelDescriptor kCubicPanel;

} // namespace zembrel
