// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "text_segments.h"

namespace zembrel::accessibility {

namespace {

// Walks a text by the unit asked for, from an offset outwards.
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

} // namespace

bool coversWhole(QAccessible::TextBoundaryType type)
{
    return type == QAccessible::LineBoundary || type == QAccessible::ParagraphBoundary
           || type == QAccessible::NoBoundary;
}

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

} // namespace zembrel::accessibility
