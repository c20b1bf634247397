// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// zembrel-screenshot: saves a picture of the main window as it opens, menu
// bar and status bar included, for the documentation; or, given a panel, of
// the 解题详情 window on that panel's page with an example typed in. Run it
// on the offscreen platform:
//   QT_QPA_PLATFORM=offscreen LC_ALL=zh_CN.UTF-8 build/app/zembrel-screenshot docs/zembrel.png
//   QT_QPA_PLATFORM=offscreen LC_ALL=zh_CN.UTF-8 build/app/zembrel-screenshot docs/details-quadratic.png Quadratic

#include "details_window.h"
#include "fonts.h"
#include "layout.h"
#include "main_window.h"
#include "qt_text.h"
#include "status_bar.h"
#include "translation.h"

#include <QApplication>
#include <QLineEdit>
#include <QPixmap>
#include <QTextStream>

#include <algorithm>
#include <cstdio>
#include <utility>
#include <vector>

namespace {

// The screenshot never runs an operation, so the desktop is never reached.
class NoDesktop final : public zembrel::Platform {
public:
    bool isInstalled(std::string_view) const override { return false; }
    bool startDetached(std::string_view, const std::vector<std::string>&) override { return false; }
    void openUrl(std::string_view) override {}
    void exitProgram() override {}
};

// The example each page is pictured with, in the fields' order.
struct Example {
    const char* panel;
    zembrel::Panel which;
    std::vector<std::pair<zembrel::Field, const char*>> texts;
};

const std::vector<Example>& examples()
{
    using zembrel::Field;
    static const std::vector<Example> list{
        {"Linear", zembrel::Panel::Linear, {{Field::Text1, "3"}, {Field::Text2, "1"}}},
        {"Quadratic", zembrel::Panel::Quadratic, {{Field::Text4, "1"}, {Field::Text5, "-3"}, {Field::Text6, "1"}}},
        {"Cubic", zembrel::Panel::Cubic, {{Field::Text10, "-7"}, {Field::Text11, "6"}}},
        {"System",
         zembrel::Panel::System,
         {{Field::Text13, "2"},
          {Field::Text14, "3"},
          {Field::Text9, "-7"},
          {Field::Text16, "1"},
          {Field::Text17, "-1"},
          {Field::Text25, "-1"}}},
    };
    return list;
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() != 2 && arguments.size() != 3) {
        QTextStream(stderr) << "usage: zembrel-screenshot OUTPUT.png [Linear|Quadratic|Cubic|System]\n";
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

    QWidget* pictured = &window;
    if (arguments.size() == 3) {
        const auto example = std::find_if(examples().begin(), examples().end(), [&](const Example& e) {
            return QString::fromLatin1(e.panel) == arguments.at(2);
        });
        if (example == examples().end()) {
            QTextStream(stderr) << "no panel " << arguments.at(2) << '\n';
            return 2;
        }
        for (const auto& [field, text] : example->texts)
            window.field(field)->setText(QString::fromUtf8(text));
        window.openDetails(example->which);
        pictured = window.detailsWindow();
        QApplication::processEvents();
    }

    if (!pictured->grab().save(arguments.at(1))) {
        QTextStream(stderr) << "cannot write " << arguments.at(1) << '\n';
        return 1;
    }
    return 0;
}
