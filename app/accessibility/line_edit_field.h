// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Every line edit as text a screen reader can read by any unit without ever
// blocking (text_segments.h), and a read-only one, such as a result field,
// read-only for every client of the accessibility tree as it is for the
// keyboard: Qt 6.4's own interface writes through to a line edit whether it
// is read-only or not, so a dictation or voice-control tool could write a root.

#include <QAccessibleInterface>

namespace zembrel::accessibility {

// A factory for QAccessible::installFactory.
QAccessibleInterface* lineEditFactory(const QString& className, QObject* object);

} // namespace zembrel::accessibility
