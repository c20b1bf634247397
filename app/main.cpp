#include "fonts.h"
#include "main_window.h"
#include "qt_platform.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Zembrel"));
    QApplication::setApplicationVersion(QStringLiteral(ZEMBREL_VERSION));
    QApplication::setDesktopFileName(QStringLiteral(ZEMBREL_APP_ID));
    zembrel::useSongFontThroughout();

    zembrel::QtPlatform platform;
    zembrel::MainWindow window(platform);
    window.show();
    return QApplication::exec();
}
