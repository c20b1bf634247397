// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "equation_window.h"

#include "answer_buttons.h"
#include "details_page.h"
#include "fonts.h"
#include "placement.h"
#include "typed_answer.h"

#include <QAbstractTextDocumentLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QShortcut>
#include <QTextBlock>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <functional>
#include <memory>
#include <utility>

namespace zembrel {

namespace {

// Room for the graph and a few lines of working at 100 %, as 解题详情.
constexpr QSize kPreferredSize(600, 700);
constexpr int kInputLines = 3;

// Where the text goes wrong: underlined and shaded, readable in any theme.
constexpr QColor kErrorColour(192, 0, 0);
constexpr QColor kErrorShade(255, 224, 224);

const QString kInputHint = QStringLiteral("每行一个方程或不等式，也可用逗号隔开；↑ ↓ 调出本次输入过的内容，"
                                          "Ctrl+Enter 记下当前输入并开始新的输入");

} // namespace

// ---- the input ---------------------------------------------------------------

EquationInput::EquationInput(QWidget* parent) : QPlainTextEdit(parent)
{
    setObjectName(QStringLiteral("input"));
    setAccessibleName(QStringLiteral("输入方程"));
    setAccessibleDescription(kInputHint);
    setPlaceholderText(QStringLiteral("例如 x^2 - 3x + 2 = 0，或 x + y = 3, x - y = 1，或 x² - 3x + 2 > 0"));
    // Tab leaves the input for the answer: blanks and tabs mean nothing in a statement.
    setTabChangesFocus(true);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    connect(this, &QPlainTextEdit::textChanged, this, &EquationInput::edited);
}

QSize EquationInput::sizeHint() const
{
    const int lines = fontMetrics().lineSpacing() * kInputLines;
    const int frame = 2 * frameWidth() + static_cast<int>(2 * document()->documentMargin());
    return {QPlainTextEdit::sizeHint().width(), lines + frame};
}

void EquationInput::remember()
{
    const QString text = toPlainText();
    if (!text.trimmed().isEmpty() && (history_.isEmpty() || history_.constLast() != text))
        history_.append(text);
    recalled_ = history_.size();
    draft_.clear();
}

void EquationInput::keyPressEvent(QKeyEvent* event)
{
    const bool plain = event->modifiers() == Qt::NoModifier || event->modifiers() == Qt::KeypadModifier;
    if (plain && (event->key() == Qt::Key_Up || event->key() == Qt::Key_Down)) {
        // Recall only from the first or the last line: within the text the arrows move the cursor.
        QTextCursor probe = textCursor();
        const bool up = event->key() == Qt::Key_Up;
        if (!probe.movePosition(up ? QTextCursor::Up : QTextCursor::Down)) {
            recall(up ? -1 : 1);
            return;
        }
    }
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && event->modifiers().testFlag(Qt::ControlModifier)) {
        remember();
        selectAll();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void EquationInput::recall(int step)
{
    // Moving away from an input keeps it: what was typed is never lost.
    if (recalled_ == history_.size() && step < 0) {
        const QString text = toPlainText();
        if (!text.trimmed().isEmpty() && (history_.isEmpty() || history_.constLast() != text)) {
            history_.append(text);
            recalled_ = history_.size() - 1;
        }
        draft_ = text;
    }
    const qsizetype to = std::clamp<qsizetype>(recalled_ + step, 0, history_.size());
    if (to == recalled_)
        return;
    recalled_ = to;
    recalling_ = true;
    setPlainText(recalled_ < history_.size() ? history_.at(recalled_) : draft_);
    recalling_ = false;
    moveCursor(QTextCursor::End);
}

void EquationInput::edited()
{
    // An edited entry is a new input: ↑ starts again from the newest entry.
    if (!recalling_) {
        recalled_ = history_.size();
        draft_ = toPlainText();
    }
}

void EquationInput::markError(std::optional<qsizetype> position)
{
    QList<QTextEdit::ExtraSelection> marks;
    const qsizetype length = toPlainText().size();
    if (position && length > 0) {
        // At the end of the text (a bracket left open) the last character is marked.
        const qsizetype at = std::min(*position, length - 1);
        QTextEdit::ExtraSelection mark;
        mark.cursor = QTextCursor(document());
        mark.cursor.setPosition(static_cast<int>(at));
        const bool surrogate = at + 1 < length && toPlainText().at(at).isHighSurrogate();
        mark.cursor.setPosition(static_cast<int>(at + (surrogate ? 2 : 1)), QTextCursor::KeepAnchor);
        mark.format.setBackground(kErrorShade);
        mark.format.setUnderlineStyle(QTextCharFormat::WaveUnderline);
        mark.format.setUnderlineColor(kErrorColour);
        marks.append(mark);
    }
    setExtraSelections(marks);
}

// ---- the window --------------------------------------------------------------

EquationWindow::EquationWindow(QWidget& main) : QWidget(&main, Qt::Window), main_(main)
{
    setObjectName(QStringLiteral("EquationWindow"));
    setWindowTitle(QStringLiteral("输入方程"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    setFont(songFont({10.5, false}));

    auto* prompt = new QLabel(QStringLiteral("方程、方程组或不等式(&Q)："), this);
    input_ = new EquationInput(this);
    input_->setFont(songFont({12, false}));
    prompt->setBuddy(input_);
    page_ = new AnswerPage(QStringLiteral("输入方程"), this);
    page_->setObjectName(QStringLiteral("answer"));
    page_->setAccessibleName(QStringLiteral("答案"));

    buttons_ = std::make_unique<AnswerButtons>(
        *this,
        AnswerButtons::Descriptions{QStringLiteral("把方程、答案和解题过程作为文本复制到剪贴板"),
                                    QStringLiteral("把方程、答案和解题过程作为 LaTeX 文档复制到剪贴板"),
                                    QStringLiteral("把图像保存为 PNG 文件")},
        [this] { return page_; }, [] { return QStringLiteral("方程.png"); });
    // What was typed is kept once the answer is used.
    buttons_->beforeUse = [this] { input_->remember(); };

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(prompt);
    layout->addWidget(input_);
    layout->addWidget(page_, 1);
    layout->addLayout(buttons_->takeRow());
    // Tab goes as the widgets were made: the input, each line of the answer and the graph, the buttons.
    page_->setFocusPolicy(Qt::NoFocus);

    busyTimer_ = new QTimer(this);
    busyTimer_->setSingleShot(true);
    busyTimer_->setInterval(kBusyDelayMs);
    connect(busyTimer_, &QTimer::timeout, this, [this] {
        page_->setBusy(true);
        updateButtons();
    });
    connect(input_, &QPlainTextEdit::textChanged, this, &EquationWindow::textChanged);
    new QShortcut(QKeySequence(Qt::Key_Escape), this, this, &QWidget::close);
    textChanged();
}

EquationWindow::~EquationWindow() = default;

void EquationWindow::open()
{
    if (!placed_) {
        PlaceBeside(*this, main_, kPreferredSize);
        placed_ = true;
    }
    show();
    raise();
    activateWindow();
    input_->setFocus();
}

void EquationWindow::hideEvent(QHideEvent* event)
{
    input_->remember();
    QWidget::hideEvent(event);
}

void EquationWindow::textChanged()
{
    const std::uint64_t generation = ++generation_;
    if (!busyTimer_->isActive() && !page_->busy())
        busyTimer_->start();
    worker_.ask([this, generation, text = input_->toPlainText().toStdString()]() -> std::function<void()> {
        std::shared_ptr<const Answer> answer;
        std::optional<qsizetype> errorAt;
        if (QString::fromStdString(text).trimmed().isEmpty()) {
            // Nothing typed yet is no error: the page invites the input.
            Answer invitation;
            invitation.summary = present::Line("请在上面输入方程、方程组或不等式，答案随输入显示在这里");
            answer = std::make_shared<const Answer>(std::move(invitation));
        } else {
            const typed::TypedSolution solution = typed::SolveTyped(text);
            answer = std::make_shared<const Answer>(AnswerOf(solution, text));
            errorAt = ErrorPosition(solution, QString::fromStdString(text));
        }
        return [this, generation, answer, errorAt] { finished(generation, *answer, errorAt); };
    });
}

void EquationWindow::finished(std::uint64_t generation, const Answer& answer, std::optional<qsizetype> errorAt)
{
    // A result for a text that has changed since is dropped: the newest text waits or has been answered.
    if (generation != generation_)
        return;
    busyTimer_->stop();
    page_->present(answer);
    input_->markError(errorAt);
    const QString error = page_->sectionText(QStringLiteral("readings"));
    input_->setAccessibleDescription(error.isEmpty() ? kInputHint : error);
    updateButtons();
}

void EquationWindow::updateButtons()
{
    buttons_->setAvailable(!page_->busy() && !page_->answer().results.empty(), page_->hasGraph());
}

QPushButton* EquationWindow::copyButton() const { return buttons_->copyButton(); }
QPushButton* EquationWindow::copyLatexButton() const { return buttons_->copyLatexButton(); }
QPushButton* EquationWindow::saveButton() const { return buttons_->saveButton(); }
void EquationWindow::copyPage() { buttons_->copyPage(); }
void EquationWindow::copyLatex() { buttons_->copyLatex(); }
bool EquationWindow::saveGraph(const QString& path) { return buttons_->saveGraph(path); }

} // namespace zembrel
