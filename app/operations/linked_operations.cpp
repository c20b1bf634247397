// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The operations linked into the program that uses them: the tests and the
// tools, which need no start kept light.

#include "operations.h"

extern "C" const zembrel::Operations* zembrel_operations();

namespace zembrel {

const Operations* operations(QString& /*failure*/) { return zembrel_operations(); }

} // namespace zembrel
