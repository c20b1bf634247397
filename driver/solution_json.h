// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The answer to ["equation", TEXT]: one line ["solution", OBJECT], the
// typed text's solution as the driver protocol writes it (a polynomial, a
// system, an inequality or an error), with its working as "steps".

#include "typed_solution.h"

#include <string>

namespace zembrel {

std::string solutionLine(const typed::TypedSolution& solution);

} // namespace zembrel
