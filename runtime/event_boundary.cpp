// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "event_boundary.h"

namespace zembrel {

void runEvent(ErrorReporter& reporter, const std::function<void()>& operation)
{
    try {
        operation();
    } catch (const RuntimeError& error) {
        reporter.showRuntimeError(error);
    }
}

} // namespace zembrel
