// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "panel.h"

#include <QWidget>

#include <vector>

class QPushButton;
class QTabWidget;
class QTimer;

namespace zembrel {

class DetailsPage;
class MainWindow;

// 解题详情: a page per panel with the exact analysis of the equation as it
// is typed, kept up to date while the user types. The main window makes it
// on first use and owns it.
//
// A keystroke in a coefficient field marks its panel's page stale; once per
// turn of the event loop the page in view is analysed again. Pages out of
// view wait until they are shown, so a long field costs one analysis.
class DetailsWindow final : public QWidget {
    Q_OBJECT

public:
    explicit DetailsWindow(MainWindow& main);

    // Shows the window on the panel's page, placed beside the main window the first time.
    void openOn(const PanelDefinition& panel);

    DetailsPage* page(const PanelDefinition& panel) const;
    DetailsPage* currentPage() const;
    QTabWidget* tabs() const { return tabs_; }
    QPushButton* copyButton() const { return copy_; }
    QPushButton* saveButton() const { return save_; }

    // The current page as plain text on the clipboard.
    void copyPage();
    // The current page's graph as a PNG file; false when it cannot be written.
    bool saveGraph(const QString& path);

private:
    void refreshSoon(std::size_t page);
    void refreshCurrent();
    void chooseFileAndSave();
    void placeBesideMainWindow();

    MainWindow& main_;
    QTabWidget* tabs_ = nullptr;
    QPushButton* copy_ = nullptr;
    QPushButton* save_ = nullptr;
    QTimer* refresh_ = nullptr;
    std::vector<bool> stale_; // by page
    bool placed_ = false;
};

} // namespace zembrel
