#pragma once

#include "number.h"

namespace zembrel {

// Whether a check's residual r is small enough: at most 1e-07 of S, the sum
// of the magnitudes of the terms that formed it. Rounding leaves in each term
// an error in proportion to its size, so a fixed bound would fail every root
// of a large equation and pass every root of a tiny one.
inline bool ResidualHolds(Number r, Number S) { return Abs(r) <= 1e-07 * S; }

} // namespace zembrel
