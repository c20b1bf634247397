// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The program's operations, opened from their library on the first event.

#include "operations.h"

#include <QCoreApplication>
#include <QLibrary>
#include <QStringList>

namespace zembrel {

namespace {

using Entry = const Operations* (*)();

// Beside the program in a build tree; where it is installed, in the
// library folder of the program's own prefix, wherever that was put.
QStringList places()
{
    const QString programs = QCoreApplication::applicationDirPath() + QLatin1Char('/');
    return {programs + QStringLiteral(ZEMBREL_OPERATIONS_BUILT),
            programs + QStringLiteral(ZEMBREL_OPERATIONS_INSTALLED)};
}

const Operations* load(QString& failure)
{
    QStringList reasons;
    for (const QString& place : places()) {
        // Never unloaded: its windows and their code live as long as the program.
        QLibrary library(place);
        library.setLoadHints(QLibrary::ResolveAllSymbolsHint);
        if (const auto entry = reinterpret_cast<Entry>(library.resolve(kOperationsEntry)))
            return entry();
        reasons << library.errorString();
    }
    failure = reasons.join(QLatin1Char('\n'));
    return nullptr;
}

} // namespace

const Operations* operations(QString& failure)
{
    // Only the GUI thread raises events, so no lock: a failure is tried
    // again on the next event, in case the library has been put back.
    static const Operations* loaded = nullptr;
    if (loaded == nullptr)
        loaded = load(failure);
    return loaded;
}

} // namespace zembrel
