// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "aside_worker.h"

#include <QPlainTextEdit>
#include <QWidget>

#include <cstdint>
#include <memory>
#include <optional>

class QLabel;
class QPushButton;
class QTimer;

namespace zembrel {

class AnswerButtons;
class AnswerPage;
struct Answer;

// The input of 输入方程: one or more statements as typed, a line or a comma
// between them. ↑ on its first line and ↓ on its last recall the inputs of
// this session, as a command line does; Ctrl+Enter keeps the input in that
// history and selects it, so that typing starts the next one.
class EquationInput final : public QPlainTextEdit {
    Q_OBJECT

public:
    explicit EquationInput(QWidget* parent = nullptr);

    // Keeps the text in the history unless it is blank or the newest entry.
    void remember();
    const QStringList& history() const { return history_; }

    // Marks the character at `position` (UTF-16 units) as where the text
    // goes wrong; none clears the mark.
    void markError(std::optional<qsizetype> position);

    QSize sizeHint() const override;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void recall(int step);
    void edited();

    QStringList history_;
    qsizetype recalled_ = 0; // the entry shown; history_.size(): the input being written
    QString draft_;          // the input being written, while an entry is shown
    bool recalling_ = false;
};

// 输入方程: any equation, system or inequality as it is written on paper,
// answered as the user types in the style of a 解题详情 page. One window,
// made by the main window on first use; it does not block the main window.
//
// Each change of the text is solved on a worker thread, one at a time, on
// a copy of the text; a result older than the newest text is dropped, and
// the newest text waiting meanwhile runs next. An ordinary input answers
// within the frame; only where an answer takes longer than a moment does
// the page say 正在计算…, and the input stays responsive throughout.
class EquationWindow final : public QWidget {
    Q_OBJECT

public:
    explicit EquationWindow(QWidget& main);
    // Waits for the solving running, if one is: it posts its result here.
    ~EquationWindow() override;

    // Shows the window, placed beside the main window the first time, with the focus in the input.
    void open();

    EquationInput* input() const { return input_; }
    AnswerPage* page() const { return page_; }
    QPushButton* copyButton() const;
    QPushButton* copyLatexButton() const;
    QPushButton* saveButton() const;
    // A text is being solved, or its answer has not yet been shown.
    bool solving() const { return worker_.running() || worker_.waiting(); }

    void copyPage();
    void copyLatex();
    // The graph as a PNG file; false when it cannot be written.
    bool saveGraph(const QString& path);

    // How long an answer may take before the page says 正在计算….
    static constexpr int kBusyDelayMs = 100;

protected:
    void hideEvent(QHideEvent* event) override;

private:
    void textChanged();
    void finished(std::uint64_t generation, const Answer& answer, std::optional<qsizetype> errorAt);
    void updateButtons();

    QWidget& main_;
    EquationInput* input_ = nullptr;
    AnswerPage* page_ = nullptr;
    std::unique_ptr<AnswerButtons> buttons_;
    QTimer* busyTimer_ = nullptr;
    std::uint64_t generation_ = 0; // of the newest text
    bool placed_ = false;
    // Last: destroyed first, it waits for the text being solved.
    AsideWorker worker_{*this};
};

} // namespace zembrel
