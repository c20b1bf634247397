// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "runtime_error.h"

#include <functional>

namespace zembrel {

// Where the runtime error box goes: the Qt window shows it, the driver
// records it.
class ErrorReporter {
public:
    virtual ~ErrorReporter() = default;
    virtual void showRuntimeError(const RuntimeError& error) = 0;
};

// Runs one event's operation. A runtime error ends that operation alone: its
// box is shown, and every field and button keeps the state the operation left
// it in. Losing the coefficients the user typed into four panels for one
// overflow would be worse than any half-finished operation.
void runEvent(ErrorReporter& reporter, const std::function<void()>& operation);

} // namespace zembrel
