// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "operations.h"

#include "details_window.h"
#include "equation_window.h"
#include "main_window.h"
#include "panels.h"
#include "roots_heard.h"

namespace zembrel {

namespace {

void raiseButton(Button button, const EventContext& context) { raiseClick(button, context); }

void raiseMenuItem(MenuItem item, const EventContext& context) { raiseClick(item, context); }

QString panelRootsHeard(const Window& window, std::size_t panel) { return rootsHeard(window, *kPanels.at(panel)); }

DetailsWindow* openDetails(MainWindow& main, DetailsWindow* open, const PanelDefinition* panel, std::size_t otherwise)
{
    // Made on first use: a session that never opens it pays nothing for it.
    if (open == nullptr)
        open = new DetailsWindow(main);
    open->openOn(panel != nullptr ? *panel : *kPanels.at(otherwise));
    return open;
}

EquationWindow* openEquation(MainWindow& main, EquationWindow* open)
{
    if (open == nullptr)
        open = new EquationWindow(main);
    open->open();
    return open;
}

constexpr Operations kOperations{
    .raiseButton = raiseButton,
    .raiseMenuItem = raiseMenuItem,
    .rootsHeard = panelRootsHeard,
    .openDetails = openDetails,
    .openEquation = openEquation,
};

} // namespace

} // namespace zembrel

extern "C" Q_DECL_EXPORT const zembrel::Operations* zembrel_operations() { return &zembrel::kOperations; }
