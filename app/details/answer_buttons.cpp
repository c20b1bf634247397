// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "answer_buttons.h"

#include "details_page.h"
#include "graph.h"

#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QMessageBox>
#include <QPushButton>
#include <QWidget>

#include <algorithm>
#include <utility>

namespace zembrel {

AnswerButtons::AnswerButtons(QWidget& window, const Descriptions& descriptions, std::function<AnswerPage*()> page,
                             std::function<QString()> fileName)
    : window_(window), page_(std::move(page)), fileName_(std::move(fileName))
{
    copy_ = new QPushButton(QStringLiteral("复制"), &window);
    copy_->setAccessibleDescription(descriptions.copy);
    copyLatex_ = new QPushButton(QStringLiteral("复制为 LaTeX"), &window);
    copyLatex_->setAccessibleDescription(descriptions.copyLatex);
    save_ = new QPushButton(QStringLiteral("保存图像…"), &window);
    save_->setAccessibleDescription(descriptions.save);
    close_ = new QPushButton(QStringLiteral("关闭"), &window);
    for (QPushButton* push : {copy_, copyLatex_, save_, close_})
        push->setAutoDefault(false);
    QObject::connect(copy_, &QPushButton::clicked, &window, [this] { copyPage(); });
    QObject::connect(copyLatex_, &QPushButton::clicked, &window, [this] { copyLatex(); });
    QObject::connect(save_, &QPushButton::clicked, &window, [this] { chooseFileAndSave(); });
    QObject::connect(close_, &QPushButton::clicked, &window, &QWidget::close);

    row_ = new QHBoxLayout;
    row_->addWidget(copy_);
    row_->addWidget(copyLatex_);
    row_->addWidget(save_);
    row_->addStretch(1);
    row_->addWidget(close_);
}

QHBoxLayout* AnswerButtons::takeRow() { return std::exchange(row_, nullptr); }

void AnswerButtons::setAvailable(bool answered, bool graph)
{
    copy_->setEnabled(answered);
    copyLatex_->setEnabled(answered);
    save_->setEnabled(answered && graph);
}

void AnswerButtons::used()
{
    if (beforeUse)
        beforeUse();
}

void AnswerButtons::copyPage()
{
    used();
    QApplication::clipboard()->setText(page_()->plainText());
}

void AnswerButtons::copyLatex()
{
    used();
    QApplication::clipboard()->setText(page_()->latexText());
}

bool AnswerButtons::saveGraph(const QString& path)
{
    used();
    // Sharp when printed or shown on a dense screen: at least twice the size on screen.
    const qreal ratio = std::max<qreal>(2, window_.devicePixelRatioF());
    return page_()->graph()->picture(ratio).save(path, "PNG");
}

void AnswerButtons::chooseFileAndSave()
{
    QString path = QFileDialog::getSaveFileName(&window_, QStringLiteral("保存图像"), fileName_(),
                                                QStringLiteral("PNG 图像 (*.png)"));
    if (path.isEmpty())
        return;
    if (!path.endsWith(QStringLiteral(".png"), Qt::CaseInsensitive))
        path += QStringLiteral(".png");
    if (!saveGraph(path)) {
        QMessageBox box(QMessageBox::Warning, window_.windowTitle(), QStringLiteral("无法保存图像：") + path,
                        QMessageBox::Ok, &window_);
        box.setTextFormat(Qt::PlainText);
        box.exec();
    }
}

} // namespace zembrel
