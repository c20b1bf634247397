// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "accessibility.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QAction>
#include <QFontMetrics>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QRegularExpression>
#include <QWindow>

#include <optional>

namespace zembrel {

namespace {

// Text segmentation for screen readers, done here rather than by Qt: Qt
// 6.4's own line-edit interface loops for ever in QTextBoundaryFinder when
// asked for the word at the end of a text, and a screen reader asks that
// whenever the caret moves by word. Every scan below walks only the segments
// it returns and their neighbours, so a request costs time in proportion to
// what it answers.
class Segmenter {
public:
    explicit Segmenter(const QString& text) : s_(text), n_(static_cast<int>(text.size())) {}

    struct Range {
        int start;
        int end;
    };

    // The segment of the given kind holding `offset` (0 <= offset < length).
    Range at(int offset, QAccessible::TextBoundaryType type) const
    {
        switch (type) {
        case QAccessible::CharBoundary: return {clusterStart(offset), clusterEnd(clusterStart(offset))};
        case QAccessible::WordBoundary: return word(offset);
        case QAccessible::SentenceBoundary: return sentence(offset);
        case QAccessible::ParagraphBoundary:
        case QAccessible::LineBoundary:
        case QAccessible::NoBoundary: break;
        }
        return {0, n_};
    }

private:
    static constexpr char32_t kZeroWidthJoiner = 0x200D;

    char32_t codePoint(int i) const
    {
        const QChar c = s_.at(i);
        if (c.isHighSurrogate() && i + 1 < n_ && s_.at(i + 1).isLowSurrogate())
            return QChar::surrogateToUcs4(c, s_.at(i + 1));
        return c.unicode();
    }
    int nextCodePoint(int i) const
    {
        return s_.at(i).isHighSurrogate() && i + 1 < n_ && s_.at(i + 1).isLowSurrogate() ? i + 2 : i + 1;
    }
    int previousCodePoint(int i) const
    {
        return i >= 2 && s_.at(i - 1).isLowSurrogate() && s_.at(i - 2).isHighSurrogate() ? i - 2 : i - 1;
    }
    int codePointStart(int i) const
    {
        return i > 0 && s_.at(i).isLowSurrogate() && s_.at(i - 1).isHighSurrogate() ? i - 1 : i;
    }

    // Marks, joiners and variation selectors belong to the character before them.
    static bool extends(char32_t c)
    {
        return QChar::isMark(c) || c == kZeroWidthJoiner || (c >= 0xFE00 && c <= 0xFE0F)
               || (c >= 0xE0100 && c <= 0xE01EF);
    }
    // A character takes at most this many marks and joiners: further ones
    // stand alone, so that no run of them, however long, is scanned whole.
    static constexpr int kLongestCharacter = 32;
    bool joinedToPrevious(int i) const
    {
        if (i == 0 || !(extends(codePoint(i)) || codePoint(previousCodePoint(i)) == kZeroWidthJoiner))
            return false;
        int j = previousCodePoint(i);
        for (int steps = 0; j >= 0 && steps < kLongestCharacter; ++steps, j = previousCodePoint(j)) {
            if (!extends(codePoint(j)))
                return true;
        }
        return false;
    }
    int clusterStart(int i) const
    {
        i = codePointStart(i);
        while (joinedToPrevious(i))
            i = previousCodePoint(i);
        return i;
    }
    int clusterEnd(int start) const
    {
        int i = nextCodePoint(start);
        while (i < n_ && joinedToPrevious(i))
            i = nextCodePoint(i);
        return i;
    }

    // Words: runs of letters and digits (with a point or comma inside a
    // number, an apostrophe inside a word), runs of blanks, and every other
    // character alone. Chinese and Japanese script has no blanks between
    // words, so each of its characters is a word of its own.
    enum class Kind { Letters, Blank, Ideograph, Other };
    static bool isIdeographic(char32_t c)
    {
        const QChar::Script script = QChar::script(c);
        return script == QChar::Script_Han || script == QChar::Script_Hiragana || script == QChar::Script_Katakana;
    }
    Kind baseKind(int start) const
    {
        const char32_t c = codePoint(start);
        if (QChar::isSpace(c))
            return Kind::Blank;
        if (isIdeographic(c))
            return Kind::Ideograph;
        if (QChar::isLetterOrNumber(c) || QChar::isMark(c) || c == U'_')
            return Kind::Letters;
        return Kind::Other;
    }
    Kind kind(int start) const
    {
        const Kind base = baseKind(start);
        const char32_t c = codePoint(start);
        const bool inNumber = c == U'.' || c == U',';
        const bool inWord = c == U'\'' || c == U'\u2019';
        if (base != Kind::Other || !(inNumber || inWord) || start == 0)
            return base;
        const int end = clusterEnd(start);
        if (end >= n_)
            return base;
        const char32_t before = codePoint(clusterStart(start - 1));
        const char32_t after = codePoint(end);
        if (inNumber && QChar::isDigit(before) && QChar::isDigit(after))
            return Kind::Letters;
        if (inWord && QChar::isLetter(before) && QChar::isLetter(after))
            return Kind::Letters;
        return base;
    }
    // Whether the code point at `i` belongs to the one before it, whatever
    // the length of the run: word and sentence edges never fall there.
    bool glued(int i) const
    {
        return i > 0 && (extends(codePoint(i)) || codePoint(previousCodePoint(i)) == kZeroWidthJoiner);
    }
    Range word(int offset) const
    {
        const int start = clusterStart(offset);
        const Kind k = kind(start);
        Range range{start, clusterEnd(start)};
        if (k == Kind::Ideograph || k == Kind::Other)
            return range;
        while (range.start > 0) {
            int base = previousCodePoint(range.start);
            while (glued(base))
                base = previousCodePoint(base);
            if (!glued(range.start) && kind(base) != k)
                break;
            range.start = base;
        }
        while (range.end < n_ && (glued(range.end) || kind(range.end) == k))
            range.end = nextCodePoint(range.end);
        return range;
    }

    // Sentences end after 。！？ and after . ! ? that a blank or the end
    // follows (so that "0.5" is one number), and take the blanks after them.
    static bool isFullWidthStop(QChar c)
    {
        return c == u'\u3002' || c == u'\uFF01' || c == u'\uFF1F' || c == u'\uFF0E';
    }
    static bool isStop(QChar c) { return c == u'.' || c == u'!' || c == u'?' || isFullWidthStop(c); }
    bool endsSentence(int i) const
    {
        const QChar c = s_.at(i);
        if (isFullWidthStop(c))
            return true;
        return isStop(c) && (i + 1 == n_ || s_.at(i + 1).isSpace() || isStop(s_.at(i + 1)));
    }
    // Where the sentence whose stop is at `i` ends: after its stops and blanks.
    int sentenceEndAfterStop(int i) const
    {
        ++i;
        while (i < n_ && (isStop(s_.at(i)) || glued(i)))
            i = nextCodePoint(i);
        while (i < n_ && (s_.at(i).isSpace() || glued(i)))
            i = nextCodePoint(i);
        return i;
    }
    Range sentence(int offset) const
    {
        int start = 0;
        for (int i = offset - 1; i >= 0; --i) {
            if (!endsSentence(i))
                continue;
            const int end = sentenceEndAfterStop(i);
            if (end <= offset) {
                start = end;
                break;
            }
            // Every stop of this run ends the sentence at the same place.
            while (i > 0 && isStop(s_.at(i - 1)))
                --i;
        }
        for (int i = start; i < n_; ++i) {
            if (endsSentence(i))
                return {start, sentenceEndAfterStop(i)};
        }
        return {start, n_};
    }

    const QString& s_;
    const int n_;
};

// The offsets Qt's clients pass for "where the caret is" and "the end".
constexpr int kCaretOffset = -2;
constexpr int kEndOffset = -1;

struct Answer {
    int start;
    int end;
};

bool coversWhole(QAccessible::TextBoundaryType type)
{
    return type == QAccessible::LineBoundary || type == QAccessible::ParagraphBoundary
           || type == QAccessible::NoBoundary;
}

// At the end of the text a word or sentence is the one just finished, which
// a screen reader reads after the caret has moved past it; a character there
// is none.
std::optional<Answer> segmentAt(const QString& text, int offset, QAccessible::TextBoundaryType type)
{
    const int length = static_cast<int>(text.size());
    if (offset < 0 || offset > length)
        return std::nullopt;
    if (length == 0 || coversWhole(type))
        return Answer{0, length};
    if (offset == length) {
        if (type == QAccessible::CharBoundary)
            return Answer{length, length};
        offset = length - 1;
    }
    const Segmenter::Range range = Segmenter(text).at(offset, type);
    return Answer{range.start, range.end};
}

QString answer(const QString& text, std::optional<Answer> found, int* startOffset, int* endOffset)
{
    if (!found) {
        *startOffset = *endOffset = -1;
        return {};
    }
    *startOffset = found->start;
    *endOffset = found->end;
    return text.mid(found->start, found->end - found->start);
}

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

QAccessibleInterface* fieldFactory(const QString& className, QObject* object)
{
    if (className != QLatin1String("QLineEdit"))
        return nullptr;
    auto* edit = qobject_cast<QLineEdit*>(object);
    if (edit == nullptr)
        return nullptr;
    return new LineEditField(edit);
}

// A menu item with a shortcut, as Qt's own item but with its key binding in
// the form AT-SPI defines ("mnemonic;path;accelerator"): Qt hands over the
// shortcut alone, which Orca takes for a path and never speaks.
class ShortcutMenuItem final : public QAccessibleInterface, public QAccessibleActionInterface {
public:
    ShortcutMenuItem(QMenu* menu, QAction* action) : menu_(menu), action_(action) {}

    bool isValid() const override { return !menu_.isNull() && !action_.isNull(); }
    QObject* object() const override { return action_; }
    QWindow* window() const override { return menu_->windowHandle(); }
    QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(menu_); }
    QAccessibleInterface* child(int) const override { return nullptr; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* focusChild() const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessible::Role role() const override { return QAccessible::MenuItem; }
    void setText(QAccessible::Text, const QString&) override {}

    QString text(QAccessible::Text t) const override
    {
        switch (t) {
        case QAccessible::Name: return withoutAccessKeyMark(action_->text());
        case QAccessible::Accelerator: return action_->shortcut().toString(QKeySequence::NativeText);
        default: return {};
        }
    }
    QRect rect() const override
    {
        const QRect local = menu_->actionGeometry(action_);
        return {menu_->mapToGlobal(local.topLeft()), local.size()};
    }
    QAccessible::State state() const override
    {
        QAccessible::State state;
        state.focusable = true;
        state.disabled = !action_->isEnabled();
        state.invisible = !action_->isVisible() || !menu_->isVisible();
        const bool current = menu_->activeAction() == action_;
        state.focused = current;
        state.selected = current;
        state.hotTracked = current;
        return state;
    }
    void* interface_cast(QAccessible::InterfaceType type) override
    {
        return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this) : nullptr;
    }

    // QAccessibleActionInterface
    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString& name) override
    {
        if (name == pressAction() && action_->isEnabled()) {
            menu_->hide();
            action_->trigger();
        }
    }
    QStringList keyBindingsForAction(const QString& name) const override
    {
        if (name != pressAction())
            return {};
        const QString key = accessKey(action_->text());
        const QString mnemonic = key.isEmpty() ? QString() : QStringLiteral("Alt+") + key;
        return {mnemonic, QString(), text(QAccessible::Accelerator)};
    }

private:
    static QString withoutAccessKeyMark(QString text)
    {
        const auto mark = text.indexOf(QRegularExpression(QStringLiteral("&(?!&)")));
        if (mark >= 0)
            text.remove(mark, 1);
        return text.replace(QStringLiteral("&&"), QStringLiteral("&"));
    }
    static QString accessKey(const QString& text)
    {
        const QRegularExpressionMatch match = QRegularExpression(QStringLiteral("&([^&])")).match(text);
        return match.hasMatch() ? match.captured(1).toUpper() : QString();
    }

    QPointer<QMenu> menu_;
    QPointer<QAction> action_;
};

QAccessibleInterface* menuItemFactory(const QString& className, QObject* object)
{
    if (className != QLatin1String("QAction"))
        return nullptr;
    auto* action = qobject_cast<QAction*>(object);
    if (action == nullptr || action->shortcut().isEmpty())
        return nullptr;
    for (QObject* owner : action->associatedObjects()) {
        if (auto* menu = qobject_cast<QMenu*>(owner))
            return new ShortcutMenuItem(menu, action);
    }
    return nullptr;
}

} // namespace

void installAccessibleFields()
{
    static const bool installed = [] {
        QAccessible::installFactory(fieldFactory);
        QAccessible::installFactory(menuItemFactory);
        return true;
    }();
    (void)installed;
}

} // namespace zembrel
