// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "accessibility.h"

#include "line_edit_field.h"
#include "shortcut_menu_item.h"

#include <QAccessible>

namespace zembrel {

void installAccessibleFields()
{
    static const bool installed = [] {
        QAccessible::installFactory(accessibility::lineEditFactory);
        QAccessible::installFactory(accessibility::menuItemFactory);
        return true;
    }();
    (void)installed;
}

} // namespace zembrel
