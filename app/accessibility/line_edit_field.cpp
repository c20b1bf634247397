// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "line_edit_field.h"

#include "text_segments.h"

#include <QAccessibleWidget>
#include <QFontMetrics>
#include <QLineEdit>

namespace zembrel::accessibility {

namespace {

// A line edit, editable or read-only, as text that can be read by any unit
// without ever blocking. A read-only one has no editable-text interface at
// all: Qt's own interface writes through to a line edit whether it is
// read-only or not.
class LineEditField final : public QAccessibleWidget,
                            public QAccessibleTextInterface,
                            public QAccessibleEditableTextInterface {
public:
    explicit LineEditField(QLineEdit* edit) : QAccessibleWidget(edit, QAccessible::EditableText) {}

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface*>(this);
        if (type == QAccessible::EditableTextInterface && !edit()->isReadOnly())
            return static_cast<QAccessibleEditableTextInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.readOnly = edit()->isReadOnly();
        state.editable = !edit()->isReadOnly();
        state.selectableText = true;
        return state;
    }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Value)
            return edit()->text();
        return QAccessibleWidget::text(t);
    }
    void setText(QAccessible::Text t, const QString& text) override
    {
        if (t == QAccessible::Value && !edit()->isReadOnly())
            edit()->setText(text);
        else
            QAccessibleWidget::setText(t, text);
    }

    // QAccessibleTextInterface
    void selection(int selectionIndex, int* startOffset, int* endOffset) const override
    {
        *startOffset = *endOffset = 0;
        if (selectionIndex == 0 && edit()->hasSelectedText()) {
            *startOffset = edit()->selectionStart();
            *endOffset = edit()->selectionEnd();
        }
    }
    int selectionCount() const override { return edit()->hasSelectedText() ? 1 : 0; }
    void addSelection(int startOffset, int endOffset) override { setSelection(0, startOffset, endOffset); }
    void removeSelection(int selectionIndex) override
    {
        if (selectionIndex == 0)
            edit()->deselect();
    }
    void setSelection(int selectionIndex, int startOffset, int endOffset) override
    {
        if (selectionIndex == 0)
            edit()->setSelection(startOffset, endOffset - startOffset);
    }
    int cursorPosition() const override { return edit()->cursorPosition(); }
    void setCursorPosition(int position) override { edit()->setCursorPosition(position); }
    QString text(int startOffset, int endOffset) const override
    {
        return edit()->text().mid(startOffset, endOffset - startOffset);
    }
    int characterCount() const override { return static_cast<int>(edit()->text().size()); }
    QRect characterRect(int offset) const override
    {
        // Where the character would stand with the text unscrolled, which a
        // field's width leaves it in all but the longest texts.
        const QFontMetrics metrics(edit()->font());
        const QString text = edit()->text();
        const QRect contents = edit()->contentsRect();
        const int x = contents.left() + metrics.horizontalAdvance(text.left(offset));
        const int width = offset >= 0 && offset < text.size() ? metrics.horizontalAdvance(text.at(offset)) : 0;
        const QRect local(x, contents.top(), width, contents.height());
        return {edit()->mapToGlobal(local.topLeft()), local.size()};
    }
    int offsetAtPoint(const QPoint& point) const override
    {
        return edit()->cursorPositionAt(edit()->mapFromGlobal(point));
    }
    void scrollToSubstring(int startIndex, int) override { edit()->setCursorPosition(startIndex); }
    // The whole text is one run of the field's font: a run narrower than the
    // text makes a screen reader cut the value short at the run's end.
    QString attributes(int offset, int* startOffset, int* endOffset) const override
    {
        const int length = characterCount();
        if (offset < 0 || offset > length) {
            *startOffset = *endOffset = -1;
            return {};
        }
        *startOffset = 0;
        *endOffset = length;
        return {};
    }

    QString textAtOffset(int offset, QAccessible::TextBoundaryType type, int* startOffset,
                         int* endOffset) const override
    {
        const QString text = edit()->text();
        return answer(text, segmentAt(text, caretResolved(offset), type), startOffset, endOffset);
    }
    QString textBeforeOffset(int offset, QAccessible::TextBoundaryType type, int* startOffset,
                             int* endOffset) const override
    {
        const QString text = edit()->text();
        const std::optional<Answer> here = segmentAt(text, caretResolved(offset), type);
        if (!here || here->start == 0 || coversWhole(type))
            return answer(text, here ? std::optional<Answer>({0, 0}) : std::nullopt, startOffset, endOffset);
        return answer(text, segmentAt(text, here->start - 1, type), startOffset, endOffset);
    }
    QString textAfterOffset(int offset, QAccessible::TextBoundaryType type, int* startOffset,
                            int* endOffset) const override
    {
        const QString text = edit()->text();
        const int length = static_cast<int>(text.size());
        const std::optional<Answer> here = segmentAt(text, caretResolved(offset), type);
        if (!here || here->end >= length || coversWhole(type))
            return answer(text, here ? std::optional<Answer>({length, length}) : std::nullopt, startOffset, endOffset);
        return answer(text, segmentAt(text, here->end, type), startOffset, endOffset);
    }

    // QAccessibleEditableTextInterface, offered only while the field is editable.
    void deleteText(int startOffset, int endOffset) override { replaceText(startOffset, endOffset, {}); }
    void insertText(int offset, const QString& text) override { replaceText(offset, offset, text); }
    void replaceText(int startOffset, int endOffset, const QString& text) override
    {
        const QString old = edit()->text();
        const auto length = old.size();
        if (edit()->isReadOnly() || startOffset < 0 || startOffset > endOffset || endOffset > length)
            return;
        edit()->setText(old.left(startOffset) + text + old.mid(endOffset));
    }

private:
    QLineEdit* edit() const { return static_cast<QLineEdit*>(widget()); }
    int caretResolved(int offset) const
    {
        if (offset == kCaretOffset)
            return edit()->cursorPosition();
        return offset == kEndOffset ? characterCount() : offset;
    }
};

} // namespace

QAccessibleInterface* lineEditFactory(const QString& className, QObject* object)
{
    if (className != QLatin1String("QLineEdit"))
        return nullptr;
    auto* edit = qobject_cast<QLineEdit*>(object);
    if (edit == nullptr)
        return nullptr;
    return new LineEditField(edit);
}

} // namespace zembrel::accessibility
