// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "events.h"

#include "panels.h"

namespace zembrel {

void raiseClick(Button button, const EventContext& context)
{
    const PanelDefinition& panel = panelOf(button);
    const PanelOperation operation = button->kind == ButtonKind::Solve ? panel.solve : panel.check;
    runEvent(context.errors, [&] { operation(context.window); });
}

void raiseClick(MenuItem item, const EventContext& context)
{
    const MenuCommand& command = menuCommandOf(item);
    runEvent(context.errors, [&] { command.run(context.window, context.platform); });
}

} // namespace zembrel
