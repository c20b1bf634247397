// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "platform.h"
#include "window.h"

#include <cstddef>
#include <optional>
#include <span>
#include <string_view>

namespace zembrel {

// The menu items that raise an event.
enum class MenuItem { mnuFileNew, mnuFileExit, mnuAssCalc, mnuAssRep, mnuAssAbout };
inline constexpr std::size_t kMenuItemCount = static_cast<std::size_t>(MenuItem::mnuAssAbout) + 1;
constexpr std::size_t indexOf(MenuItem item) { return static_cast<std::size_t>(item); }

struct MenuCommand {
    MenuItem item;
    std::string_view name;
    void (*run)(Window& window, Platform& platform);
};

std::span<const MenuCommand> menuCommands();
const MenuCommand& menuCommandOf(MenuItem item);
inline std::string_view nameOf(MenuItem item) { return menuCommandOf(item).name; }
std::optional<MenuItem> menuItemNamed(std::string_view name);

// Every field back to its start text; buttons and printed lines stay as they are.
void ResetFields(Window& window); // mnuFileNew_Click
// Ends the program at once, without asking.
void ExitProgram(Platform& platform); // mnuFileExit_Click
// Starts the desktop's calculator, minimised where it can be, without
// waiting for it. RuntimeError 53 when no calculator could be started.
void StartCalculator(Platform& platform); // mnuAssCalc_Click
// Hands the error-report page to the browser; a failure goes unnoticed.
void OpenErrorReportPage(Platform& platform); // mnuAssRep_Click
// The program's name, version and credit in an information box.
void ShowAbout(Window& window); // mnuAssAbout_Click

// The About box's text.
extern const std::string_view kAboutText;

} // namespace zembrel
