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
#include <string>
#include <string_view>
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

// The example each page is pictured with: the coefficients' texts in the
// panel's reading order, an empty text left as the field starts.
struct Example {
    std::string_view panel;
    std::vector<const char*> coefficients;
};

const std::vector<Example>& examples()
{
    static const std::vector<Example> list{
        {"Linear", {"3", "1"}},
        {"Quadratic", {"1", "-3", "1"}},
        {"Cubic", {"-7", "6"}},
        {"System", {"2", "3", "", "1", "-1", "", "", "", "", "-7", "-1", ""}},
    };
    return list;
}

const zembrel::PanelDefinition* panelNamed(std::string_view name)
{
    for (const zembrel::PanelDefinition* panel : zembrel::kPanels) {
        if (panel->name == name)
            return panel;
    }
    return nullptr;
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
        const std::string wanted = arguments.at(2).toStdString();
        const auto example = std::ranges::find(examples(), std::string_view(wanted), &Example::panel);
        const zembrel::PanelDefinition* panel = panelNamed(wanted);
        if (example == examples().end() || panel == nullptr) {
            QTextStream(stderr) << "no panel " << arguments.at(2) << '\n';
            return 2;
        }
        for (std::size_t i = 0; i < example->coefficients.size() && i < panel->coefficients.size(); ++i) {
            if (*example->coefficients[i] != '\0')
                window.field(panel->coefficients[i])->setText(QString::fromUtf8(example->coefficients[i]));
        }
        window.openDetails(panel);
        pictured = window.detailsWindow();
        QApplication::processEvents();
    }

    if (!pictured->grab().save(arguments.at(1))) {
        QTextStream(stderr) << "cannot write " << arguments.at(1) << '\n';
        return 1;
    }
    return 0;
}
