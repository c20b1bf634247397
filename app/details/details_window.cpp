// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "details_window.h"

#include "analysed_panels.h"
#include "answer_buttons.h"
#include "details_page.h"
#include "fonts.h"
#include "main_window.h"
#include "placement.h"
#include "qt_text.h"

#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

namespace zembrel {

namespace {

// Room for the graph and a line of working at 100 %; 404 + 560 pixels and
// two frames fit a 1024-pixel screen.
constexpr QSize kPreferredSize(560, 660);

// The coefficient texts of the page's panel as the main window holds them now.
std::vector<std::string> coefficientTexts(const PanelDefinition& panel, const Window& window)
{
    std::vector<std::string> texts;
    texts.reserve(panel.coefficients.size());
    for (const Field field : panel.coefficients)
        texts.push_back(window.text(field));
    return texts;
}

// The page of the panel's solution for these texts: the one the panel's
// buttons use too.
Answer answerFor(const PanelDefinition& panel, const std::vector<std::string>& texts)
{
    return AnswerOf(*SolutionFor(panel, texts));
}

} // namespace

DetailsWindow::DetailsWindow(MainWindow& main) : QWidget(&main, Qt::Window), main_(main)
{
    setObjectName(QStringLiteral("DetailsWindow"));
    setWindowTitle(QStringLiteral("解题详情"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    setFont(songFont({10.5, false}));

    tabs_ = new QTabWidget(this);
    tabs_->setAccessibleName(QStringLiteral("方程"));
    const std::span<const PanelDefinition* const> panels = analysedPanels();
    stale_.assign(panels.size(), true);
    generation_.assign(panels.size(), 0);
    for (std::size_t index = 0; index < panels.size(); ++index) {
        const PanelDefinition& panel = *panels[index];
        tabs_->addTab(new DetailsPage(panel, tabs_), toQString(panel.title));
        for (const Field field : panel.coefficients)
            connect(main.field(field), &QLineEdit::textChanged, this, [this, index] { refreshSoon(index); });
    }
    buttons_ = std::make_unique<AnswerButtons>(
        *this,
        AnswerButtons::Descriptions{QStringLiteral("把本页的方程、根和解题过程作为文本复制到剪贴板"),
                                    QStringLiteral("把本页的方程、根和解题过程作为 LaTeX 文档复制到剪贴板"),
                                    QStringLiteral("把本页的图像保存为 PNG 文件")},
        [this] { return currentPage(); },
        [this] { return tabs_->tabText(tabs_->currentIndex()) + QStringLiteral(".png"); });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs_, 1);
    layout->addLayout(buttons_->takeRow());
    setTabOrder(tabs_, buttons_->copyButton());
    setTabOrder(buttons_->copyButton(), buttons_->copyLatexButton());
    setTabOrder(buttons_->copyLatexButton(), buttons_->saveButton());
    setTabOrder(buttons_->saveButton(), buttons_->closeButton());

    // Coalesces the keystrokes of one turn of the event loop into one analysis.
    refresh_ = new QTimer(this);
    refresh_->setSingleShot(true);
    refresh_->setInterval(0);
    connect(refresh_, &QTimer::timeout, this, &DetailsWindow::refreshCurrent);
    connect(tabs_, &QTabWidget::currentChanged, this, &DetailsWindow::refreshCurrent);

    new QShortcut(QKeySequence(Qt::Key_Escape), this, this, &QWidget::close);
    // Also where the focus is outside the tab bar, on a text or a button.
    new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Tab), this, this,
                  [this] { tabs_->setCurrentIndex((tabs_->currentIndex() + 1) % tabs_->count()); });
    new QShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab), this, this,
                  [this] { tabs_->setCurrentIndex((tabs_->currentIndex() + tabs_->count() - 1) % tabs_->count()); });
}

DetailsWindow::~DetailsWindow() = default;

DetailsPage* DetailsWindow::page(const PanelDefinition& panel) const
{
    const std::optional<std::size_t> index = pageIndexOf(panel);
    return index ? static_cast<DetailsPage*>(tabs_->widget(static_cast<int>(*index))) : nullptr;
}

DetailsPage* DetailsWindow::currentPage() const { return static_cast<DetailsPage*>(tabs_->currentWidget()); }

void DetailsWindow::openOn(const PanelDefinition& panel)
{
    if (DetailsPage* shown = page(panel))
        tabs_->setCurrentWidget(shown);
    refreshCurrent();
    if (!placed_) {
        PlaceBeside(*this, main_, kPreferredSize);
        placed_ = true;
    }
    show();
    raise();
    activateWindow();
}

void DetailsWindow::refreshSoon(std::size_t page)
{
    stale_[page] = true;
    if (isVisible() && tabs_->currentIndex() == static_cast<int>(page))
        refresh_->start();
}

void DetailsWindow::refreshCurrent()
{
    DetailsPage* page = currentPage();
    const auto index = static_cast<std::size_t>(tabs_->currentIndex());
    if (stale_[index]) {
        stale_[index] = false;
        const std::uint64_t generation = ++generation_[index];
        std::vector<std::string> texts = coefficientTexts(page->panel(), main_);
        std::size_t length = 0;
        for (const std::string& text : texts)
            length += text.size();
        if (waitingPage_ == index) {
            // This page's older input waits no longer: its answer would be dropped.
            worker_.dropWaiting();
            waitingPage_.reset();
        }
        if (length <= kLongInput) {
            page->present(answerFor(page->panel(), texts));
        } else {
            page->setBusy(true);
            // A request of another page that had to wait is made again when its page is shown.
            if (waitingPage_ && worker_.waiting())
                stale_[*waitingPage_] = true;
            waitingPage_ = index;
            worker_.ask([this, panel = &page->panel(), index, generation, texts = std::move(texts)] {
                // Writing out a million-digit number takes long too: the page's texts are made here as well.
                auto content = std::make_shared<const Answer>(answerFor(*panel, texts));
                return std::function<void()>(
                    [this, index, generation, content] { finished(index, generation, *content); });
            });
        }
    }
    updateButtons();
}

void DetailsWindow::finished(std::size_t index, std::uint64_t generation, const Answer& content)
{
    if (!worker_.waiting())
        waitingPage_.reset();
    // A result for input that has changed since is dropped: the newest input waits or has been shown.
    if (generation == generation_[index]) {
        static_cast<DetailsPage*>(tabs_->widget(static_cast<int>(index)))->present(content);
        updateButtons();
    }
}

void DetailsWindow::updateButtons()
{
    // What a busy page shows is older than the fields: nothing to copy or save yet.
    const DetailsPage* page = currentPage();
    buttons_->setAvailable(!page->busy(), page->hasGraph());
}

QPushButton* DetailsWindow::copyButton() const { return buttons_->copyButton(); }
QPushButton* DetailsWindow::copyLatexButton() const { return buttons_->copyLatexButton(); }
QPushButton* DetailsWindow::saveButton() const { return buttons_->saveButton(); }
void DetailsWindow::copyPage() { buttons_->copyPage(); }
void DetailsWindow::copyLatex() { buttons_->copyLatex(); }
bool DetailsWindow::saveGraph(const QString& path) { return buttons_->saveGraph(path); }

} // namespace zembrel
