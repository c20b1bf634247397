// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "fonts.h"
#include "layout.h"
#include "main_window.h"
#include "qt_platform.h"
#include "qt_text.h"
#include "startup.h"
#include "translation.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char* argv[])
{
    if (!zembrel::displayConfigured()) {
        std::fprintf(stderr, "%s\n", zembrel::kNoDisplayMessage);
        return 1;
    }
    zembrel::StartupMessages startup;
    QApplication application(argc, argv);
    startup.release();

    QApplication::setApplicationName(zembrel::toQString(zembrel::layout::kApplicationTitle));
    QApplication::setApplicationVersion(QStringLiteral(ZEMBREL_VERSION));
    QApplication::setDesktopFileName(QStringLiteral(ZEMBREL_APP_ID));
    zembrel::installQtTranslation();
    zembrel::useSongFontThroughout();

    zembrel::QtPlatform platform;
    zembrel::MainWindow window(platform);
    window.show();
    return QApplication::exec();
}
