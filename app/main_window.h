#pragma once

#include "event_boundary.h"
#include "events.h"
#include "window.h"

#include <QMainWindow>

#include <array>

class QLineEdit;
class QPushButton;

namespace zembrel {

// The program's one window. It offers the window interface over its real
// widgets and runs every button's event through the shared boundary.
class MainWindow final : public QMainWindow, public Window, public ErrorReporter {
    Q_OBJECT

public:
    MainWindow(Platform& platform, QWidget* parent = nullptr);

    QLineEdit* field(Field field) const;
    QPushButton* button(Button button) const;

    std::string text(Field field) const override;
    void setText(Field field, std::string_view text) override;
    void setEnabled(Button button, bool enabled) override;
    void MsgBox(std::string_view prompt, MsgBoxStyle buttons) override;
    void Print(std::string_view text) override;
    void showRuntimeError(const RuntimeError& error) override;

private:
    void createControls();
    void raise(Event event);

    Platform& platform_;
    std::array<QLineEdit*, kFieldCount> fields_{};
    std::array<QPushButton*, kButtonCount> buttons_{};
};

} // namespace zembrel
