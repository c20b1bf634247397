// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "translation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace zembrel {

void installQtTranslation()
{
    QCoreApplication* application = QCoreApplication::instance();
    auto* translator = new QTranslator(application);
    if (translator->load(QStringLiteral("qtbase_zh_CN"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(translator);
    else
        delete translator;
}

} // namespace zembrel
