// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "controls.h"

#include <string>
#include <string_view>

namespace zembrel {

// The buttons code of a message box: which icon it shows beside its one OK
// button.
// clang-format off
enum class MsgBoxStyle : int {
    OkOnly = 0,
    Critical = 16,
    Exclamation = 48,
    Information = 64,
};
// clang-format on

// What an operation may do with the main window. The Qt window, the headless
// driver and the unit tests each implement it; the operations cannot tell
// which one they run against.
class Window {
public:
    virtual ~Window() = default;

    virtual std::string text(Field field) const = 0;
    // Replaces the text; a result field takes it although the user cannot type into it.
    virtual void setText(Field field, std::string_view text) = 0;
    virtual void setEnabled(Button button, bool enabled) = 0;
    // A modal box with the prompt, one OK button and the icon of the code,
    // captioned with the application title; returns when it is dismissed.
    virtual void MsgBox(std::string_view prompt, MsgBoxStyle style) = 0;
    // Draws a line at the print position and moves it down one line.
    virtual void Print(std::string_view text) = 0;
};

} // namespace zembrel
