// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "panel.h"
#include "window.h"

#include <QString>

namespace zembrel {

// What a solve on `panel` found, from its result fields as the user would
// read them: "X = 2", "X1 = 2，X2 = 1".
QString rootsHeard(const Window& window, const PanelDefinition& panel);

} // namespace zembrel
