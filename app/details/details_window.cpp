// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "details_window.h"

#include "analysed_panels.h"
#include "details_page.h"
#include "fonts.h"
#include "graph.h"
#include "main_window.h"
#include "placement.h"
#include "qt_text.h"

#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMessageBox>
#include <QMetaObject>
#include <QPushButton>
#include <QShortcut>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
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
    worker_.setMaxThreadCount(1);
    for (std::size_t index = 0; index < panels.size(); ++index) {
        const PanelDefinition& panel = *panels[index];
        tabs_->addTab(new DetailsPage(panel, tabs_), toQString(panel.title));
        for (const Field field : panel.coefficients)
            connect(main.field(field), &QLineEdit::textChanged, this, [this, index] { refreshSoon(index); });
    }
    copy_ = new QPushButton(QStringLiteral("复制"), this);
    copy_->setAccessibleDescription(QStringLiteral("把本页的方程、根和解题过程作为文本复制到剪贴板"));
    copyLatex_ = new QPushButton(QStringLiteral("复制为 LaTeX"), this);
    copyLatex_->setAccessibleDescription(QStringLiteral("把本页的方程、根和解题过程作为 LaTeX 文档复制到剪贴板"));
    save_ = new QPushButton(QStringLiteral("保存图像…"), this);
    save_->setAccessibleDescription(QStringLiteral("把本页的图像保存为 PNG 文件"));
    auto* close = new QPushButton(QStringLiteral("关闭"), this);
    for (QPushButton* push : {copy_, copyLatex_, save_, close})
        push->setAutoDefault(false);
    connect(copy_, &QPushButton::clicked, this, &DetailsWindow::copyPage);
    connect(copyLatex_, &QPushButton::clicked, this, &DetailsWindow::copyLatex);
    connect(save_, &QPushButton::clicked, this, &DetailsWindow::chooseFileAndSave);
    connect(close, &QPushButton::clicked, this, &QWidget::close);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(copy_);
    buttons->addWidget(copyLatex_);
    buttons->addWidget(save_);
    buttons->addStretch(1);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs_, 1);
    layout->addLayout(buttons);
    setTabOrder(tabs_, copy_);
    setTabOrder(copy_, copyLatex_);
    setTabOrder(copyLatex_, save_);
    setTabOrder(save_, close);

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

DetailsWindow::~DetailsWindow()
{
    waiting_.reset();
    worker_.waitForDone();
}

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
        Request request{&page->panel(), index, ++generation_[index], coefficientTexts(page->panel(), main_)};
        std::size_t length = 0;
        for (const std::string& text : request.texts)
            length += text.size();
        if (length <= kLongInput) {
            page->present(answerFor(page->panel(), request.texts));
        } else {
            page->setBusy(true);
            // A request of another page that had to wait is made again when its page is shown.
            if (waiting_ && waiting_->page != index)
                stale_[waiting_->page] = true;
            waiting_ = std::move(request);
            startWaitingRequest();
        }
    }
    updateButtons();
}

void DetailsWindow::startWaitingRequest()
{
    if (waiting_ && waiting_->generation != generation_[waiting_->page])
        waiting_.reset();
    if (running_ || !waiting_)
        return;
    running_ = true;
    auto request = std::make_shared<const Request>(std::move(*waiting_));
    waiting_.reset();
    // The task touches no widget; it only posts its result to this window,
    // which outlives it (the destructor waits for it).
    worker_.start([this, request] {
        // Writing out a million-digit number takes long too: the page's texts are made here as well.
        auto content = std::make_shared<const Answer>(answerFor(*request->panel, request->texts));
        QMetaObject::invokeMethod(
            this, [this, request, content] { finished(*request, content); }, Qt::QueuedConnection);
    });
}

void DetailsWindow::finished(const Request& request, const std::shared_ptr<const Answer>& content)
{
    running_ = false;
    // A result for input that has changed since is dropped: the newest input waits or has been shown.
    if (request.generation == generation_[request.page]) {
        static_cast<DetailsPage*>(tabs_->widget(static_cast<int>(request.page)))->present(*content);
        updateButtons();
    }
    startWaitingRequest();
}

void DetailsWindow::updateButtons()
{
    const DetailsPage* page = currentPage();
    // What a busy page shows is older than the fields: nothing to copy or save yet.
    copy_->setEnabled(!page->busy());
    copyLatex_->setEnabled(!page->busy());
    save_->setEnabled(!page->busy() && page->hasGraph());
}

void DetailsWindow::copyPage() { QApplication::clipboard()->setText(currentPage()->plainText()); }

void DetailsWindow::copyLatex() { QApplication::clipboard()->setText(currentPage()->latexText()); }

bool DetailsWindow::saveGraph(const QString& path)
{
    // Sharp when printed or shown on a dense screen: at least twice the size on screen.
    const qreal ratio = std::max<qreal>(2, devicePixelRatioF());
    return currentPage()->graph()->picture(ratio).save(path, "PNG");
}

void DetailsWindow::chooseFileAndSave()
{
    QString path = QFileDialog::getSaveFileName(this, QStringLiteral("保存图像"),
                                                tabs_->tabText(tabs_->currentIndex()) + QStringLiteral(".png"),
                                                QStringLiteral("PNG 图像 (*.png)"));
    if (path.isEmpty())
        return;
    if (!path.endsWith(QStringLiteral(".png"), Qt::CaseInsensitive))
        path += QStringLiteral(".png");
    if (!saveGraph(path)) {
        QMessageBox box(QMessageBox::Warning, windowTitle(), QStringLiteral("无法保存图像：") + path, QMessageBox::Ok,
                        this);
        box.setTextFormat(Qt::PlainText);
        box.exec();
    }
}

} // namespace zembrel
