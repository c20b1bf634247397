// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "event_boundary.h"
#include "events.h"
#include "layout.h"
#include "menu_commands.h"
#include "window.h"

#include <QMainWindow>
#include <QMessageBox>

#include <array>
#include <optional>

class QAction;
class QLineEdit;
class QPushButton;

namespace zembrel {

class DetailsWindow;
class StatusBar;
class Surface;

// The program's one window. It offers the window interface over its real
// widgets and runs every button's and menu item's event through the shared
// boundary.
class MainWindow final : public QMainWindow, public Window, public ErrorReporter {
    Q_OBJECT

public:
    explicit MainWindow(Platform& platform, QWidget* parent = nullptr);

    QLineEdit* field(Field field) const;
    QPushButton* button(Button button) const;
    QAction* action(MenuItem item) const;
    Surface* surface() const { return widgets_.surface; }
    StatusBar* sbStatusBar() const { return widgets_.statusBar; }
    QAction* detailsAction() const { return actions_.details; }
    // None until it is first opened.
    DetailsWindow* detailsWindow() const { return details_; }

    // Opens 解题详情 on the panel given, else the one holding the focus,
    // else the last one solved, else the first.
    void openDetails(std::optional<Panel> panel = std::nullopt);

    std::string text(Field field) const override;
    void setText(Field field, std::string_view text) override;
    void setEnabled(Button button, bool enabled) override;
    void MsgBox(std::string_view prompt, MsgBoxStyle style) override;
    void Print(std::string_view text) override;
    void showRuntimeError(const RuntimeError& error) override;

private:
    struct Widgets {
        Surface* surface = nullptr;
        std::array<QLineEdit*, kFieldCount> fields{};
        std::array<QPushButton*, kButtonCount> buttons{};
        StatusBar* statusBar = nullptr;
    };
    struct Actions {
        std::array<QAction*, kMenuItemCount> items{};
        QAction* details = nullptr;
    };

    void createControls();
    QWidget* createControl(const layout::Control& control);
    QLineEdit* createField(Field field);
    QPushButton* createButton(Button button, const layout::Control& control);
    void createMenus();
    void setFocusOrder();
    void keepMenuShortcutsFromFields();
    void openDetailsFromResultFields();
    std::optional<Panel> panelWithFocus() const;
    void centreOnScreen();
    template <class Control>
    void raiseClick(Control control);
    void showBox(QMessageBox::Icon icon, const QString& text);

    Platform& platform_;
    Widgets widgets_;
    Actions actions_;
    DetailsWindow* details_ = nullptr;
    std::optional<Panel> lastSolved_;
};

} // namespace zembrel
