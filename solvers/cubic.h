#pragma once

#include "number.h"
#include "panel.h"
#include "window.h"

#include <optional>

namespace zembrel {

// The real root of x³ + p·x + q = 0 by Cardano's formula, or nothing when
// the discriminant is negative (then three real roots exist, but the formula
// would need complex cube roots, so none is given).
std::optional<Number> CardanoRoot(Number p, Number q);

// x³ + p·x + q = 0 with p in Text10, q in Text11 and the root in Text12.
void SolveCubic(Window& window); // Command3_Click
void CheckCubic(Window& window); // Command8_Click

extern const PanelDescriptor kCubicPanel;

} // namespace zembrel
