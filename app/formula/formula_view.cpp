// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "formula_view.h"

#include <QAccessibleWidget>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFontInfo>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QScrollBar>
#include <QStyleOptionFocusRect>

#include <cmath>

namespace zembrel::formula {

namespace {

// Room around the layout for its focus frame and the antialiased edges of its ink.
constexpr int kPadding = 3;
// A view asks for at least this many ems, or less when its widest part is narrower.
constexpr qreal kNarrowestEms = 12;

int ceiling(qreal length) { return static_cast<int>(std::ceil(length - 1e-6)); }

// A static text that a screen reader reads whole when it is focused, with a
// text interface over the plain text, for reading it character by character.
class AccessibleFormula final : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit AccessibleFormula(FormulaView* view) : QAccessibleWidget(view, QAccessible::StaticText) {}

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.readOnly = true;
        return state;
    }

    QString text(QAccessible::Text t) const override
    {
        switch (t) {
        case QAccessible::Name: return orPlain(widget()->accessibleName());
        case QAccessible::Description: return orPlain(widget()->accessibleDescription());
        default: return QAccessibleWidget::text(t);
        }
    }

    void selection(int, int* startOffset, int* endOffset) const override { *startOffset = *endOffset = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    QString text(int startOffset, int endOffset) const override
    {
        return plain().mid(startOffset, endOffset - startOffset);
    }
    int characterCount() const override { return static_cast<int>(plain().size()); }
    QRect characterRect(int) const override { return rect(); }
    int offsetAtPoint(const QPoint&) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int offset, int* startOffset, int* endOffset) const override
    {
        *startOffset = *endOffset = offset;
        return {};
    }

private:
    QString plain() const { return static_cast<const FormulaView*>(widget())->plainText(); }
    QString orPlain(const QString& text) const { return text.isEmpty() ? plain() : text; }
};

QAccessibleInterface* formulaFactory(const QString& className, QObject* object)
{
    if (className != QLatin1String(FormulaView::staticMetaObject.className()))
        return nullptr;
    return new AccessibleFormula(static_cast<FormulaView*>(object));
}

} // namespace

FormulaView::FormulaView(QWidget* parent) : QAbstractScrollArea(parent)
{
    static const bool installed = [] {
        QAccessible::installFactory(formulaFactory);
        return true;
    }();
    Q_UNUSED(installed)

    setFrameShape(QFrame::NoFrame);
    setFocusPolicy(Qt::StrongFocus);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    // Drawn on the page, as a label is.
    viewport()->setAutoFillBackground(false);
    QSizePolicy policy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
}

void FormulaView::setFormula(const engine::FormulaPtr& formula) { setRuns({formula}); }

void FormulaView::setRuns(std::vector<Run> runs)
{
    runs_ = std::move(runs);
    contentsChanged();
    QAccessibleEvent event(this, QAccessible::DescriptionChanged);
    QAccessible::updateAccessibility(&event);
}

QString FormulaView::plainText() const { return layout().plainText(); }

const FormulaLayout& FormulaView::formulaLayout() const { return layout(); }

QPointF FormulaView::origin() const { return {qreal(kPadding - horizontalScrollBar()->value()), qreal(kPadding)}; }

const FormulaLayout& FormulaView::layout() const
{
    if (!layout_ || layout_->devicePixelRatio() != devicePixelRatioF()) {
        layout_.emplace(runs_, font(), devicePixelRatioF());
        layout_->arrange(widthFor(viewport()->width()));
    }
    return *layout_;
}

qreal FormulaView::widthFor(int viewWidth) const { return std::max(1, viewWidth - 2 * kPadding); }

void FormulaView::contentsChanged()
{
    layout_.reset();
    arrange();
    updateGeometry();
}

void FormulaView::arrange()
{
    const int width = viewport()->width();
    if (layout_)
        layout_->arrange(widthFor(width));
    const int content = ceiling(layout().size().width()) + 2 * kPadding;
    horizontalScrollBar()->setRange(0, std::max(0, content - width));
    horizontalScrollBar()->setPageStep(width);
    horizontalScrollBar()->setSingleStep(std::max(1, fontInfo().pixelSize()));
    viewport()->update();
}

QSize FormulaView::sizeHint() const
{
    const int frame = 2 * frameWidth();
    const int width = ceiling(layout().naturalWidth()) + 2 * kPadding + frame;
    return {width, heightForWidth(width)};
}

QSize FormulaView::minimumSizeHint() const
{
    const int frame = 2 * frameWidth();
    const qreal narrowest = std::min(layout().narrowestWidth(), kNarrowestEms * fontInfo().pixelSize());
    const int width = ceiling(narrowest) + 2 * kPadding + frame;
    return {width, ceiling(layout().sizeFor(kUnlimited).height()) + 2 * kPadding + frame};
}

int FormulaView::heightForWidth(int width) const
{
    const qreal room = widthFor(width - 2 * frameWidth());
    const QSizeF size = layout().sizeFor(room);
    int height = ceiling(size.height()) + 2 * kPadding + 2 * frameWidth();
    // What no break could split scrolls sideways.
    if (size.width() > room)
        height += horizontalScrollBar()->sizeHint().height();
    return height;
}

void FormulaView::copy() const { QApplication::clipboard()->setText(plainText()); }

void FormulaView::paintEvent(QPaintEvent*)
{
    QPainter painter(viewport());
    painter.setPen(palette().color(QPalette::WindowText));
    layout().paint(painter, origin());
    if (hasFocus()) {
        QStyleOptionFocusRect option;
        option.initFrom(this);
        option.rect = viewport()->rect().adjusted(0, 0, -1, -1);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
    }
}

void FormulaView::resizeEvent(QResizeEvent*) { arrange(); }

void FormulaView::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::FontChange)
        contentsChanged();
    QAbstractScrollArea::changeEvent(event);
}

void FormulaView::keyPressEvent(QKeyEvent* event)
{
    if (event->matches(QKeySequence::Copy)) {
        copy();
        return;
    }
    QAbstractScrollArea::keyPressEvent(event);
}

void FormulaView::contextMenuEvent(QContextMenuEvent* event)
{
    QMenu menu(this);
    menu.addAction(QStringLiteral("复制"), this, &FormulaView::copy);
    menu.exec(event->globalPos());
}

void FormulaView::focusInEvent(QFocusEvent* event)
{
    viewport()->update();
    QAbstractScrollArea::focusInEvent(event);
}

void FormulaView::focusOutEvent(QFocusEvent* event)
{
    viewport()->update();
    QAbstractScrollArea::focusOutEvent(event);
}

} // namespace zembrel::formula
