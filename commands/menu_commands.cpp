// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "menu_commands.h"

#include "named.h"
#include "panels.h"
#include "runtime_error.h"

#include <array>
#include <string>
#include <vector>

namespace zembrel {

namespace {

struct Calculator {
    std::string_view program;
    // The option that opens its window minimised; empty where the program has none.
    std::string_view minimised;
};

// The desktops' own calculators first, then the independent ones, and the
// plain X calculator last: it is the only one that can open minimised, but
// it is the one a user is least likely to want.
// clang-format off
constexpr std::array kCalculators{
    Calculator{"gnome-calculator", ""},
    Calculator{"kcalc", ""},
    Calculator{"mate-calc", ""},
    Calculator{"qalculate-qt", ""},
    Calculator{"qalculate-gtk", ""},
    Calculator{"galculator", ""},
    Calculator{"xcalc", "-iconic"},
};
// clang-format on

// Host and path of the error-report page (set when building); the scheme is
// added when it is opened.
constexpr std::string_view kErrorReportAddress = ZEMBREL_ERROR_REPORT_ADDRESS;

} // namespace

void ResetFields(Window& window)
{
    for (const Field field : kResetOrder)
        window.setText(field, field->startText);
}

void ExitProgram(Platform& platform) { platform.exitProgram(); }

void StartCalculator(Platform& platform)
{
    // A calculator that is installed but will not start gives way to the next one.
    for (const Calculator& calculator : kCalculators) {
        if (!platform.isInstalled(calculator.program))
            continue;
        std::vector<std::string> arguments;
        if (!calculator.minimised.empty())
            arguments.emplace_back(calculator.minimised);
        if (platform.startDetached(calculator.program, arguments))
            return;
    }
    throw RuntimeError(RuntimeError::FileNotFound);
}

void OpenErrorReportPage(Platform& platform) { platform.openUrl("http://" + std::string(kErrorReportAddress)); }

const std::string_view kAboutText = "Zembrel " ZEMBREL_VERSION " —— 解方程的小工具，由 Zembrel 开发组编写。";

void ShowAbout(Window& window) { window.MsgBox(kAboutText, MsgBoxStyle::Information); }

namespace {

// clang-format off
constexpr std::array kMenuCommands{
    MenuCommand{MenuItem::mnuFileNew,  "mnuFileNew",  [](Window& w, Platform&) { ResetFields(w); }},
    MenuCommand{MenuItem::mnuFileExit, "mnuFileExit", [](Window&, Platform& p) { ExitProgram(p); }},
    MenuCommand{MenuItem::mnuAssCalc,  "mnuAssCalc",  [](Window&, Platform& p) { StartCalculator(p); }},
    MenuCommand{MenuItem::mnuAssRep,   "mnuAssRep",   [](Window&, Platform& p) { OpenErrorReportPage(p); }},
    MenuCommand{MenuItem::mnuAssAbout, "mnuAssAbout", [](Window& w, Platform&) { ShowAbout(w); }},
};
// clang-format on

constexpr bool inItemOrder()
{
    for (std::size_t i = 0; i < kMenuCommands.size(); ++i) {
        if (indexOf(kMenuCommands[i].item) != i)
            return false;
    }
    return true;
}
static_assert(kMenuCommands.size() == kMenuItemCount && inItemOrder(), "kMenuCommands is indexed by MenuItem");

} // namespace

std::span<const MenuCommand> menuCommands() { return kMenuCommands; }

const MenuCommand& menuCommandOf(MenuItem item) { return kMenuCommands[indexOf(item)]; }

std::optional<MenuItem> menuItemNamed(std::string_view name)
{
    const auto command = findNamed(kMenuCommands, name, &MenuCommand::name);
    return command ? std::optional(command->item) : std::nullopt;
}

} // namespace zembrel
