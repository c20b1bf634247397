// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "aside_worker.h"
#include "details_page.h"
#include "panel.h"

#include <QWidget>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QPushButton;
class QTabWidget;
class QTimer;

namespace zembrel {

class AnswerButtons;
class MainWindow;

// 解题详情: a page per panel with the exact analysis of the equation as it
// is typed, kept up to date while the user types. The main window makes it
// on first use and owns it.
//
// A keystroke in a coefficient field marks its panel's page stale; once per
// turn of the event loop the page in view is analysed again. Pages out of
// view wait until they are shown, so a long field costs one analysis.
//
// Short texts are analysed at once, so a keystroke shows in the same frame.
// Long ones (a field may hold a million digits) are analysed on a worker
// thread while the page says 正在计算…: one analysis at a time, on copies of
// the texts; a result older than the page's newest input is dropped, and
// the newest input waiting meanwhile runs next.
class DetailsWindow final : public QWidget {
    Q_OBJECT

public:
    explicit DetailsWindow(MainWindow& main);
    // Waits for the analysis running, if one is: it posts its result here.
    ~DetailsWindow() override;

    // Shows the window on the panel's page, placed beside the main window the first time.
    void openOn(const PanelDefinition& panel);

    DetailsPage* page(const PanelDefinition& panel) const;
    DetailsPage* currentPage() const;
    QTabWidget* tabs() const { return tabs_; }
    QPushButton* copyButton() const;
    QPushButton* copyLatexButton() const;
    QPushButton* saveButton() const;
    // An analysis runs on the worker thread or its result has not yet been taken.
    bool analysing() const { return worker_.running(); }

    // The current page as plain text on the clipboard, or as a LaTeX document.
    void copyPage();
    void copyLatex();
    // The current page's graph as a PNG file; false when it cannot be written.
    bool saveGraph(const QString& path);

    // Together the coefficient texts of a page longer than this are analysed
    // on the worker thread.
    static constexpr std::size_t kLongInput = 4096;

private:
    void refreshSoon(std::size_t page);
    void refreshCurrent();
    void finished(std::size_t page, std::uint64_t generation, const Answer& content);
    void updateButtons();

    MainWindow& main_;
    QTabWidget* tabs_ = nullptr;
    std::unique_ptr<AnswerButtons> buttons_;
    QTimer* refresh_ = nullptr;
    std::vector<bool> stale_;                // by page
    std::vector<std::uint64_t> generation_;  // by page: of its newest input
    std::optional<std::size_t> waitingPage_; // of the newest long input given to the worker
    bool placed_ = false;
    // Last: destroyed first, it waits for the analysis running.
    AsideWorker worker_{*this};
};

} // namespace zembrel
