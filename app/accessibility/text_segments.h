// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Text segmentation for screen readers: the character, word, sentence or
// line at an offset of a text. Qt 6.4's own line-edit interface loops for
// ever in QTextBoundaryFinder when asked for the word at the end of a text,
// which a screen reader asks whenever the caret moves by word; this one
// walks only the segments it returns and their neighbours, so a request
// costs time in proportion to what it answers.

#include <QAccessible>
#include <QString>

#include <optional>

namespace zembrel::accessibility {

// The offsets Qt's clients pass for "where the caret is" and "the end".
constexpr int kCaretOffset = -2;
constexpr int kEndOffset = -1;

struct Answer {
    int start;
    int end;
};

// Whether a unit takes the whole text: a line edit holds one line.
bool coversWhole(QAccessible::TextBoundaryType type);

// At the end of the text a word or sentence is the one just finished, which
// a screen reader reads after the caret has moved past it; a character there
// is none.
std::optional<Answer> segmentAt(const QString& text, int offset, QAccessible::TextBoundaryType type);

// The segment's text, its ends written to the offsets (-1 for none).
QString answer(const QString& text, std::optional<Answer> found, int* startOffset, int* endOffset);

} // namespace zembrel::accessibility
