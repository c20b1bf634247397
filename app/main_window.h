#pragma once

#include "event_boundary.h"
#include "events.h"
#include "layout.h"
#include "window.h"

#include <QMainWindow>
#include <QMessageBox>

#include <array>
#include <vector>

class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;

namespace zembrel {

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
    StatusBar* statusPanels() const { return widgets_.statusBar; }

    std::string text(Field field) const override;
    void setText(Field field, std::string_view text) override;
    void setEnabled(Button button, bool enabled) override;
    void MsgBox(std::string_view prompt, MsgBoxStyle buttons) override;
    void Print(std::string_view text) override;
    void showRuntimeError(const RuntimeError& error) override;

private:
    struct Widgets {
        Surface* surface = nullptr;
        std::array<QLineEdit*, kFieldCount> fields{};
        std::array<QPushButton*, kButtonCount> buttons{};
        std::vector<QLabel*> labels;
        StatusBar* statusBar = nullptr;
    };
    struct Menus {
        std::vector<QMenu*> all; // in the menu bar's order
    };
    struct Actions {
        std::array<QAction*, 5> items{};
    };

    void createControls();
    QWidget* createControl(const layout::Control& control);
    void createMenus();
    void setFocusOrder();
    void keepMenuShortcutsFromFields();
    void centreOnScreen();
    void raiseEvent(Event event);
    void showBox(QMessageBox::Icon icon, const QString& text);

    Platform& platform_;
    Widgets widgets_;
    Menus menus_;
    Actions actions_;
};

} // namespace zembrel
