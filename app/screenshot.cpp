// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// zembrel-screenshot: saves a picture of the main window as it opens, menu
// bar and status bar included, for the documentation. Run it on the
// offscreen platform:
//   QT_QPA_PLATFORM=offscreen LC_ALL=zh_CN.UTF-8 build/app/zembrel-screenshot docs/zembrel.png

#include "fonts.h"
#include "layout.h"
#include "main_window.h"
#include "qt_text.h"
#include "status_bar.h"
#include "translation.h"

#include <QApplication>
#include <QPixmap>
#include <QTextStream>

#include <cstdio>

namespace {

// The screenshot never runs an operation, so the desktop is never reached.
class NoDesktop final : public zembrel::Platform {
public:
    bool isInstalled(std::string_view) const override { return false; }
    bool startDetached(std::string_view, const std::vector<std::string>&) override { return false; }
    void openUrl(std::string_view) override {}
    void exitProgram() override {}
};

} // namespace

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() != 2) {
        QTextStream(stderr) << "usage: zembrel-screenshot OUTPUT.png\n";
        return 2;
    }
    QApplication::setApplicationName(zembrel::toQString(zembrel::layout::kApplicationTitle));
    zembrel::installQtTranslation();
    zembrel::useSongFontThroughout();

    NoDesktop desktop;
    zembrel::MainWindow window(desktop);
    // A fixed moment, so the picture changes only when the window does.
    window.sbStatusBar()->setClock([] { return QDateTime(QDate(2007, 8, 20), QTime(18, 46)); });
    window.show();
    QApplication::processEvents();

    if (!window.grab().save(arguments.at(1))) {
        QTextStream(stderr) << "cannot write " << arguments.at(1) << '\n';
        return 1;
    }
    return 0;
}
