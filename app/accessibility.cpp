// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "accessibility.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QFontMetrics>
#include <QLineEdit>

namespace zembrel {

namespace {

// A read-only line edit as text that can be read, searched and selected, but
// has no editable-text interface at all: Qt's own interface for a line edit
// writes through to it whether it is read-only or not.
class ReadOnlyField final : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit ReadOnlyField(QLineEdit* edit) : QAccessibleWidget(edit, QAccessible::EditableText) {}

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
        state.editable = false;
        state.selectableText = true;
        return state;
    }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Value)
            return edit()->text();
        return QAccessibleWidget::text(t);
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
        // result field's width leaves it in all but the longest roots.
        const QFontMetrics metrics(edit()->font());
        const QString text = edit()->text();
        const QRect contents = edit()->contentsRect();
        const int x = contents.left() + metrics.horizontalAdvance(text.left(offset));
        const int width = offset < text.size() ? metrics.horizontalAdvance(text.at(offset)) : 0;
        const QRect local(x, contents.top(), width, contents.height());
        return {edit()->mapToGlobal(local.topLeft()), local.size()};
    }
    int offsetAtPoint(const QPoint& point) const override
    {
        return edit()->cursorPositionAt(edit()->mapFromGlobal(point));
    }
    void scrollToSubstring(int startIndex, int) override { edit()->setCursorPosition(startIndex); }
    QString attributes(int offset, int* startOffset, int* endOffset) const override
    {
        *startOffset = *endOffset = offset;
        return {};
    }

private:
    QLineEdit* edit() const { return static_cast<QLineEdit*>(widget()); }
};

QAccessibleInterface* resultFieldFactory(const QString& className, QObject* object)
{
    if (className != QLatin1String("QLineEdit"))
        return nullptr;
    auto* edit = qobject_cast<QLineEdit*>(object);
    if (edit == nullptr || !edit->isReadOnly())
        return nullptr;
    return new ReadOnlyField(edit);
}

} // namespace

void installAccessibleResultFields()
{
    static const bool installed = [] {
        QAccessible::installFactory(resultFieldFactory);
        return true;
    }();
    (void)installed;
}

} // namespace zembrel
