// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "event_boundary.h"
#include "events.h"
#include "layout.h"
#include "menu_commands.h"
#include "panels.h"
#include "window.h"

#include <QMainWindow>
#include <QMessageBox>

#include <array>
#include <cstddef>
#include <optional>

class QAction;
class QLineEdit;
class QPushButton;

namespace zembrel {

class Announcer;
class DetailsWindow;
class EquationWindow;
struct Operations;
class StatusBar;
class Surface;

// The program's one window. It offers the window interface over its real
// widgets and runs every button's and menu item's event through the shared
// boundary.
class MainWindow final : public QMainWindow, public Window, public ErrorReporter {
    Q_OBJECT

public:
    explicit MainWindow(Platform& platform, QWidget* parent = nullptr);

    // Inline: 解题详情, opened from a library, reaches the fields through them.
    QLineEdit* field(Field field) const { return widgets_.fields[indexOf(field)]; }
    QPushButton* button(Button button) const { return widgets_.buttons[indexOf(button)]; }
    QAction* action(MenuItem item) const { return actions_.items[indexOf(item)]; }
    Surface* surface() const { return widgets_.surface; }
    StatusBar* sbStatusBar() const { return widgets_.statusBar; }
    Announcer* announcer() const { return widgets_.announcer; }
    QAction* detailsAction() const { return actions_.details; }
    // None until it is first opened.
    DetailsWindow* detailsWindow() const { return details_; }

    // Opens 解题详情 on the panel given, else the one holding the focus,
    // else the last one solved, else the first.
    void openDetails(const PanelDefinition* panel = nullptr);
    QAction* equationAction() const { return actions_.equation; }
    // None until it is first opened.
    EquationWindow* equationWindow() const { return equation_; }
    void openEquation();
    // Opens 解题详情 on the panel at this place in kPanels.
    void openDetailsAt(std::size_t panel);

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
        Announcer* announcer = nullptr;
    };
    struct Actions {
        std::array<QAction*, kMenuItemCount> items{};
        QAction* details = nullptr;
        QAction* equation = nullptr;
    };

    void createControls();
    QWidget* createControl(const layout::Control& control);
    QLineEdit* createField(Field field);
    QPushButton* createButton(Button button, const layout::Control& control);
    void createMenus();
    void setFocusOrder();
    void keepMenuShortcutsFromFields();
    void openDetailsFromResultFields();
    std::optional<std::size_t> panelWithFocus() const; // none: the focus is on no panel
    // The operations, or none after a box saying why they could not be loaded.
    const Operations* loadedOperations();
    void centreOnScreen();
    template <class Control>
    void raiseClick(Control control);
    // What an event may change that the user does not see where the focus is.
    struct Heard {
        std::array<bool, kButtonCount> checksEnabled{};
        std::array<QString, kPanels.size()> roots;
        bool boxShown = false;
    };
    Heard heardNow(const Operations& loaded) const;
    // Tells a screen-reader user what the event did where the focus is not:
    // the roots found, the fields cleared, a check becoming available or not.
    void announceAfter(Button button, const Heard& before, const Operations& loaded);
    void announceAfter(MenuItem item, const Heard& before, const Operations& loaded);
    QStringList checkChanges(const Heard& before, const Operations& loaded) const;
    void showBox(QMessageBox::Icon icon, const QString& text);

    Platform& platform_;
    bool boxShown_ = false;
    Widgets widgets_;
    Actions actions_;
    DetailsWindow* details_ = nullptr;
    EquationWindow* equation_ = nullptr;
    std::optional<std::size_t> lastSolved_; // a place in kPanels
};

} // namespace zembrel
