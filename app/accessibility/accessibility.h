// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

namespace zembrel {

// Lets screen readers speak a menu item's shortcut with it, and gives every
// line edit a text interface that answers screen readers at once
// for any text and any offset, and makes the result fields read-only for
// every client of the accessibility tree, as they are for the keyboard:
// screen readers read and select their text, but no dictation or
// voice-control tool can write a root. Safe to call again.
void installAccessibleFields();

} // namespace zembrel
