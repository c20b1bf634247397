// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// What the window does only once the user asks for something: the buttons'
// and menu items' events, the roots read aloud, 解题详情 and 输入方程. All of
// it stands on the exact engine, whose libraries (FLINT, Arb, NTL, GMP, MPFR)
// would otherwise be mapped and relocated before the window is shown. The
// program opens them from a library on the first event; the tests and the
// tools link them in.

#include "events.h"
#include "panel.h"

#include <QString>

#include <cstddef>

namespace zembrel {

class DetailsWindow;
class EquationWindow;
class MainWindow;

struct Operations {
    void (*raiseButton)(Button button, const EventContext& context);
    void (*raiseMenuItem)(MenuItem item, const EventContext& context);
    // What the solve of the panel at this place in kPanels left in its
    // result fields, as a screen reader says it.
    QString (*rootsHeard)(const Window& window, std::size_t panel);
    // Opens 解题详情 on `panel`, or on the panel at place `otherwise` where
    // none is given; makes the window where `open` is none. Returns it.
    DetailsWindow* (*openDetails)(MainWindow& main, DetailsWindow* open, const PanelDefinition* panel,
                                  std::size_t otherwise);
    EquationWindow* (*openEquation)(MainWindow& main, EquationWindow* open);
};

// The operations, found on the first call. None if they could not be
// loaded, with the reason in `failure`.
const Operations* operations(QString& failure);

// The name the library gives the function returning its operations.
inline constexpr char kOperationsEntry[] = "zembrel_operations";

} // namespace zembrel
