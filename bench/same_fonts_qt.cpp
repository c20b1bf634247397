// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Zembrel's window without Zembrel: every control of the layout at its place
// with its caption in the font Zembrel gives it (the stand-ins for 宋体, bold
// and condensed where Zembrel's are), the menus and a three-panel status bar,
// as plain Qt widgets with no logic behind them. Beside bench/minimal_qt it
// tells what the fonts cost the start; beside Zembrel, what the program does.

#include "fonts.h"
#include "layout.h"
#include "qt_text.h"

#include <QApplication>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>

#include <variant>

namespace {

QWidget* plainControl(const zembrel::layout::Control& control, const QString& caption, QWidget* parent)
{
    if (std::holds_alternative<zembrel::Field>(control.id))
        return new QLineEdit(caption, parent);
    if (std::holds_alternative<zembrel::Button>(control.id))
        return new QPushButton(caption, parent);
    return new QLabel(caption, parent);
}

} // namespace

int main(int argc, char* argv[])
{
    using namespace zembrel;
    QApplication application(argc, argv);
    useSongFontThroughout();
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Same fonts"));

    auto* surface = new QWidget(&window);
    surface->setFixedSize(layout::pixels(layout::kClientWidth),
                          layout::pixels(layout::clientHeight() - layout::kStatusBarHeight));
    window.setCentralWidget(surface);
    for (const layout::Control& control : layout::controls()) {
        const QString caption = toQString(control.caption);
        QWidget* widget = plainControl(control, caption, surface);
        widget->setGeometry(layout::pixels(control.left), layout::pixels(control.top), layout::pixels(control.width),
                            layout::pixels(control.height));
        widget->setFont(captionFont(control.font, caption));
    }

    for (const layout::Menu& menuDefinition : layout::menus()) {
        QMenu* menu = window.menuBar()->addMenu(toQString(menuDefinition.caption));
        for (const layout::MenuEntry& entry : layout::menuEntries()) {
            if (entry.menu != menuDefinition.name)
                continue;
            if (entry.item || entry.windowItem)
                menu->addAction(toQString(entry.caption));
            else
                menu->addSeparator();
        }
    }

    window.statusBar()->setFixedHeight(layout::pixels(layout::kStatusBarHeight));
    window.statusBar()->addWidget(new QLabel(QStringLiteral("状态")), 1);
    window.statusBar()->addPermanentWidget(new QLabel(QStringLiteral("2007/8/20")));
    window.statusBar()->addPermanentWidget(new QLabel(QStringLiteral("18:46")));

    window.layout()->setSizeConstraint(QLayout::SetFixedSize);
    window.show();
    return QApplication::exec();
}
