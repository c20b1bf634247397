// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// zembrel-screenshot: saves a picture of the main window as it opens, menu
// bar and status bar included, for the documentation; or, given a panel, of
// the 解题详情 window on that panel's page with an example typed in; or, given
// --equation and a text, of the 输入方程 window answering it. Run it on the
// offscreen platform (QT_SCALE_FACTOR=2 for a dense screen):
//   QT_QPA_PLATFORM=offscreen LC_ALL=zh_CN.UTF-8 build/app/zembrel-screenshot docs/zembrel.png
//   QT_QPA_PLATFORM=offscreen LC_ALL=zh_CN.UTF-8 build/app/zembrel-screenshot docs/details-quadratic.png Quadratic
//   QT_QPA_PLATFORM=offscreen LC_ALL=zh_CN.UTF-8 build/app/zembrel-screenshot docs/equation.png --equation "x^2>1"

#include "details_window.h"
#include "equation_window.h"
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
#include <QThread>

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
    const bool equation = arguments.size() == 4 && arguments.at(2) == QStringLiteral("--equation");
    if (arguments.size() != 2 && arguments.size() != 3 && !equation) {
        QTextStream(stderr)
            << "usage: zembrel-screenshot OUTPUT.png [Linear|Quadratic|Cubic|System | --equation TEXT]\n";
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
    if (equation) {
        window.openEquation();
        zembrel::EquationWindow* typed = window.equationWindow();
        typed->input()->setPlainText(arguments.at(3));
        while (typed->solving()) {
            QApplication::processEvents();
            QThread::msleep(1);
        }
        // The page's layout settles over a few turns of the event loop.
        for (int turn = 0; turn < 10; ++turn)
            QApplication::processEvents();
        pictured = typed;
    } else if (arguments.size() == 3) {
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
