// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "layout.h"

#include <QFont>
#include <QStringList>

namespace zembrel {

// The window's one font family, as the layout names it.
inline constexpr QStringView kSongFamily = u"宋体";

// The installed faces that stand in for 宋体 where it is missing, best first:
// Ming (Song) faces, then a sans face that surely covers every character.
// AR PL UMing has 宋体's own proportions, so it leads for regular text; bold
// text takes Noto Serif CJK first, whose bold is a face of its own: a bold
// made up from a regular face thins out at high scale factors.
QStringList songSubstitutes(bool bold = false);

// 宋体 in the size and weight given, then its stand-ins. The size is fixed in
// pixels at 96 dots per inch, the scale of the twips layout, so that a
// desktop with larger fonts cannot push text out of the fixed-size fields;
// the device pixel ratio still scales it on high-density screens.
QFont songFont(layout::FontStyle style);

// songFont for the main window's fixed texts (captions, fields, menus, the
// status bar and boxes): laid out without OpenType shaping unless a text's
// script needs it. Chinese and the ASCII of numbers look the same either way,
// and the start then loads no shaping tables, which for the bold face alone
// come to more than a megabyte.
QFont windowFont(layout::FontStyle style);

// The layout gives each caption (in windowFont) the room 宋体 takes for it: half an em for a
// character of the ASCII range, one em for any other. The font, condensed
// where a stand-in's letters are wider, so the caption keeps to that room.
QFont captionFont(layout::FontStyle style, const QString& caption);

// How far below the top of a line of `font` 宋体 puts the baseline: 220/256
// em, whatever the ascent of the face that stands in.
qreal songBaseline(const QFont& font);

// Makes the window's default font, 宋体 9 pt, the application's font, so the
// menus and message boxes share it.
void useSongFontThroughout();

} // namespace zembrel
