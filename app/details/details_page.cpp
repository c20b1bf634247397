// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "details_page.h"

#include "fonts.h"
#include "formula_view.h"
#include "qt_text.h"

#include <QLabel>
#include <QVBoxLayout>

#include <initializer_list>

namespace zembrel {

namespace {

// Readable on the window's background and apart from the text's black.
constexpr QLatin1StringView kWarningColour("#b34700");

} // namespace

LinesView::LinesView(const QString& name, QWidget* parent) : QWidget(parent)
{
    setObjectName(name);
    layout_ = new QVBoxLayout(this);
    layout_->setContentsMargins(0, 0, 0, 0);
    layout_->setSpacing(2);
    caption_ = new QLabel(this);
    caption_->setTextFormat(Qt::PlainText);
    QFont bold = caption_->font();
    bold.setBold(true);
    caption_->setFont(bold);
    caption_->hide();
    layout_->addWidget(caption_);
}

void LinesView::setLines(const QString& caption, const std::vector<present::Line>& lines)
{
    caption_->setText(caption.isEmpty() ? QString() : caption + QStringLiteral("："));
    caption_->setVisible(!caption.isEmpty() && !lines.empty());
    while (views_.size() > lines.size()) {
        delete views_.back();
        views_.pop_back();
    }
    while (views_.size() < lines.size()) {
        auto* view = new formula::FormulaView(this);
        layout_->addWidget(view);
        views_.push_back(view);
    }
    plain_.clear();
    for (std::size_t i = 0; i < lines.size(); ++i) {
        std::vector<formula::Run> runs;
        for (const present::Piece& piece : lines[i].pieces) {
            if (const auto* words = std::get_if<std::string>(&piece))
                runs.emplace_back(toQString(*words));
            else
                runs.emplace_back(std::get<engine::FormulaPtr>(piece));
        }
        formula::FormulaView* view = views_[i];
        view->setRuns(std::move(runs));
        const QString plain = toQString(present::PlainLine(lines[i]));
        // Orca speaks a focused object's name: the formula in Mandarin,
        // with the section it belongs to. The printed text stays in the
        // description and the text interface, character by character.
        QString spoken = toQString(present::SpokenLine(lines[i]));
        if (i == 0 && !caption.isEmpty())
            spoken = caption + QStringLiteral("：") + spoken;
        view->setAccessibleName(spoken);
        view->setAccessibleDescription(plain);
        plain_ << plain;
    }
    setVisible(!lines.empty());
}

QString LinesView::plainText() const
{
    if (plain_.isEmpty())
        return {};
    const QString caption = caption_->text();
    return (caption.isEmpty() ? QString() : caption + QLatin1Char('\n')) + plain_.join(QLatin1Char('\n'));
}

AnswerPage::AnswerPage(const QString& title, QWidget* parent) : QScrollArea(parent), title_(title)
{
    setObjectName(title);
    setAccessibleName(title);
    setWidgetResizable(true);
    setFrameShape(QFrame::NoFrame);
    auto* contents = new QWidget(this);
    auto* layout = new QVBoxLayout(contents);
    layout->setSpacing(8);
    busy_ = new QLabel(QStringLiteral("正在计算…"), contents);
    busy_->setObjectName(QStringLiteral("busy"));
    busy_->setAccessibleName(busy_->text());
    busy_->setFocusPolicy(Qt::StrongFocus);
    busy_->hide();
    layout->addWidget(busy_);
    equation_ = new LinesView(QStringLiteral("equation"), contents);
    equation_->setFont(songFont({12, false}));
    layout->addWidget(equation_);
    readings_ = new LinesView(QStringLiteral("readings"), contents);
    QPalette warning = readings_->palette();
    warning.setColor(QPalette::WindowText, QColor(QString(kWarningColour)));
    warning.setColor(QPalette::Text, QColor(QString(kWarningColour)));
    readings_->setPalette(warning);
    layout->addWidget(readings_);
    summary_ = new LinesView(QStringLiteral("summary"), contents);
    QFont bold = summary_->font();
    bold.setBold(true);
    summary_->setFont(bold);
    layout->addWidget(summary_);
    roots_ = new LinesView(QStringLiteral("roots"), contents);
    layout->addWidget(roots_);
    steps_ = new LinesView(QStringLiteral("steps"), contents);
    layout->addWidget(steps_);
    graph_ = new Graph(contents);
    graph_->setObjectName(QStringLiteral("graph"));
    // Shown once there is something to draw: a page waiting for its first analysis shows no empty frame.
    graph_->hide();
    layout->addWidget(graph_);
    layout->addStretch(1);
    setWidget(contents);
}

void AnswerPage::setBusy(bool busy)
{
    busy_->setVisible(busy);
    for (QWidget* shown : std::initializer_list<QWidget*>{equation_, readings_, summary_, roots_, steps_, graph_})
        shown->setEnabled(!busy);
}

bool AnswerPage::busy() const { return busy_->isVisibleTo(this); }

bool AnswerPage::hasGraph() const { return graph_->model().kind != GraphModel::Kind::None; }

void AnswerPage::present(const Answer& answer)
{
    setBusy(false);
    answer_ = answer;
    equation_->setLines({}, answer.heading);
    readings_->setLines({}, answer.notes);
    summary_->setLines({}, answer.summary.empty() ? std::vector<present::Line>{}
                                                  : std::vector<present::Line>{answer.summary});
    roots_->setLines(answer.resultsCaption, answer.results);
    steps_->setLines(QStringLiteral("解题过程"), answer.working);
    // Lines made for this answer join the end of the window's Tab chain: put them in reading order.
    QWidget* previous = busy_;
    for (const LinesView* section : {equation_, readings_, summary_, roots_, steps_}) {
        for (formula::FormulaView* view : section->views()) {
            setTabOrder(previous, view);
            previous = view;
        }
    }
    setTabOrder(previous, graph_);
    graph_->setModel(answer.graph);
    graph_->setVisible(hasGraph());
    const QString description = toQString(present::PlainLine(answer.graphDescription));
    graph_->setAccessibleName(answer.graphName + QStringLiteral("：")
                              + toQString(present::SpokenLine(answer.graphDescription)));
    graph_->setAccessibleDescription(description);
    graph_->setToolTip(description);
}

QString AnswerPage::plainText() const { return PlainText(title_, answer_); }

QString AnswerPage::latexText() const { return LatexText(answer_); }

LinesView* AnswerPage::section(const QString& name) const
{
    for (LinesView* view : {equation_, readings_, summary_, roots_, steps_}) {
        if (view->objectName() == name)
            return view;
    }
    return nullptr;
}

QString AnswerPage::sectionText(const QString& name) const
{
    const LinesView* view = section(name);
    return view != nullptr && view->isVisibleTo(this) ? view->plainText() : QString();
}

DetailsPage::DetailsPage(const PanelDefinition& panel, QWidget* parent)
    : AnswerPage(toQString(panel.title), parent), panel_(panel)
{
}

} // namespace zembrel
