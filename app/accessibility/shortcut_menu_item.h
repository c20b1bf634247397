// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// A menu item with a shortcut, as Qt's own item but with its key binding in
// the form AT-SPI defines ("mnemonic;path;accelerator"): Qt 6.4 hands over the
// shortcut alone, which Orca takes for a path and never speaks.

#include <QAccessibleInterface>

namespace zembrel::accessibility {

// A factory for QAccessible::installFactory.
QAccessibleInterface* menuItemFactory(const QString& className, QObject* object);

} // namespace zembrel::accessibility
