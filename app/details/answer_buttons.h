// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

#include <functional>

class QHBoxLayout;
class QPushButton;
class QWidget;

namespace zembrel {

class AnswerPage;

// The row under an answer, 复制, 复制为 LaTeX, 保存图像… and 关闭, and what
// each does with the page in view: the page as plain text or as a LaTeX
// document on the clipboard, its graph as a PNG file, the window closed.
class AnswerButtons {
public:
    // What each button does, for a screen reader.
    struct Descriptions {
        QString copy;
        QString copyLatex;
        QString save;
    };

    // `page` is the page in view, `fileName` the name the save dialog proposes.
    AnswerButtons(QWidget& window, const Descriptions& descriptions, std::function<AnswerPage*()> page,
                  std::function<QString()> fileName);

    // The buttons laid out in a row, for the window's layout to take.
    QHBoxLayout* takeRow();
    QPushButton* copyButton() const { return copy_; }
    QPushButton* copyLatexButton() const { return copyLatex_; }
    QPushButton* saveButton() const { return save_; }
    QPushButton* closeButton() const { return close_; }

    // Copy and save only where there is an answer, save only where it has a graph.
    void setAvailable(bool answered, bool graph);

    void copyPage();
    void copyLatex();
    // The graph as a PNG file; false when it cannot be written.
    bool saveGraph(const QString& path);
    void chooseFileAndSave();

    // Runs before each use of the page: the window may keep what was typed.
    std::function<void()> beforeUse;

private:
    void used();

    QWidget& window_;
    std::function<AnswerPage*()> page_;
    std::function<QString()> fileName_;
    QPushButton* copy_ = nullptr;
    QPushButton* copyLatex_ = nullptr;
    QPushButton* save_ = nullptr;
    QPushButton* close_ = nullptr;
    QHBoxLayout* row_ = nullptr;
};

} // namespace zembrel
