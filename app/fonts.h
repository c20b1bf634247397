#pragma once

#include "layout.h"

#include <QFont>
#include <QStringList>

namespace zembrel {

// The window's one font family.
inline const QString kSongFamily = QStringLiteral("宋体");

// The installed fonts that stand in for 宋体 where it is missing, best first:
// Ming (Song) faces, then a sans face that surely covers every character.
QStringList songSubstitutes();

// Lets Qt find a stand-in whenever 宋体 is asked for. Safe to call again.
void installSongSubstitutes();

// 宋体 in the size and weight given. The size is fixed in pixels at 96 dots
// per inch, the scale of the twips layout, so that a desktop with larger
// fonts cannot push text out of the fixed-size fields; the device pixel
// ratio still scales it on high-density screens.
QFont songFont(layout::FontStyle style);

// Makes the window's default font, 宋体 9 pt, the application's font, so the
// menus and message boxes share it.
void useSongFontThroughout();

} // namespace zembrel
