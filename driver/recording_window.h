// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "event_boundary.h"
#include "events.h"
#include "panels.h"
#include "platform.h"
#include "window.h"

#include <array>
#include <functional>
#include <string>
#include <variant>
#include <vector>

namespace zembrel {

// What an operation did, one entry per call of the window interface (or of
// the platform, or of the error boundary).
struct TextChanged {
    Field field;
    std::string text;
    bool operator==(const TextChanged&) const = default;
};
struct EnabledChanged {
    Button button;
    bool enabled;
    bool operator==(const EnabledChanged&) const = default;
};
struct MessageShown {
    MsgBoxStyle style;
    std::string prompt;
    bool operator==(const MessageShown&) const = default;
};
struct LinePrinted {
    std::string text;
    bool operator==(const LinePrinted&) const = default;
};
struct ErrorShown {
    int number;
    std::string description;
    bool operator==(const ErrorShown&) const = default;
};
struct CalculatorStarted {
    std::string program;
    bool operator==(const CalculatorStarted&) const = default;
};
struct UrlOpened {
    std::string url;
    bool operator==(const UrlOpened&) const = default;
};
struct ProgramExited {
    bool operator==(const ProgramExited&) const = default;
};

using Recorded = std::variant<TextChanged, EnabledChanged, MessageShown, LinePrinted, ErrorShown, CalculatorStarted,
                              UrlOpened, ProgramExited>;

using Recorder = std::function<void(const Recorded&)>;

// The main window without a screen: it keeps the fields, the buttons' state
// and the printed lines, starts in the window's initial state, dismisses
// every message box at once, and reports each call to a recorder.
class RecordingWindow final : public Window, public ErrorReporter {
public:
    explicit RecordingWindow(Recorder recorder);

    // The user's own edit of a field; it raises no event.
    void type(Field field, std::string_view text);
    bool isEnabled(Button button) const;
    const std::vector<std::string>& printed() const { return printed_; }

    std::string text(Field field) const override;
    void setText(Field field, std::string_view text) override;
    void setEnabled(Button button, bool enabled) override;
    void MsgBox(std::string_view prompt, MsgBoxStyle style) override;
    void Print(std::string_view text) override;
    void showRuntimeError(const RuntimeError& error) override;

private:
    Recorder recorder_;
    std::array<std::string, kFieldCount> texts_;
    std::array<bool, kButtonCount> enabled_{};
    std::vector<std::string> printed_;
};

// The desktop without side effects: programs are recorded instead of
// started. With `calculatorMissing` no calculator program is found.
class RecordingPlatform final : public Platform {
public:
    RecordingPlatform(Recorder recorder, bool calculatorMissing);

    bool exited() const { return exited_; }

    bool isInstalled(std::string_view program) const override;
    bool startDetached(std::string_view program, const std::vector<std::string>& arguments) override;
    void openUrl(std::string_view url) override;
    void exitProgram() override;

private:
    Recorder recorder_;
    bool calculatorMissing_;
    bool exited_ = false;
};

// The window's events without a screen: the recording window and platform,
// and what a user does to them. The driver, the tests, the fuzzer and the
// benchmarks all drive the operations through it.
class HeadlessSession {
public:
    HeadlessSession(const Recorder& recorder, bool calculatorMissing);

    // The user's own edit of a field; it raises no event.
    void type(Field field, std::string_view text) { window_.type(field, text); }
    // As in the window, a click on a disabled button raises no event.
    void click(Button button);
    void choose(MenuItem item);

    RecordingWindow& window() { return window_; }
    const RecordingWindow& window() const { return window_; }
    bool exited() const { return platform_.exited(); }

private:
    EventContext context() { return {window_, platform_, window_}; }

    RecordingWindow window_;
    RecordingPlatform platform_;
};

} // namespace zembrel
