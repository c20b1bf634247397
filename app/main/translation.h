// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

namespace zembrel {

// Qt's own texts, the boxes' buttons and the fields' context menu, in the
// window's language whatever the system locale is. Without Qt's translation
// file they stay English and the program runs on.
void installQtTranslation();

} // namespace zembrel
