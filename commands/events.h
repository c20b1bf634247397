// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The one place where the window's events meet their operations. A press on
// a button raises CommandN_Click, which runs its panel's solve or check
// operation; a menu choice raises its item's Click, which runs its menu
// command. Both go through the runtime-error boundary.

#include "event_boundary.h"
#include "menu_commands.h"
#include "platform.h"
#include "window.h"

namespace zembrel {

// What an event's operation may use.
struct EventContext {
    Window& window;
    Platform& platform;
    ErrorReporter& errors;
};

// Command1_Click … Command8_Click. The window raises it only for an enabled
// button.
void raiseClick(Button button, const EventContext& context);
// mnuFileNew_Click … mnuAssAbout_Click.
void raiseClick(MenuItem item, const EventContext& context);

} // namespace zembrel
