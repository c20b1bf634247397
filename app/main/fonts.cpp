// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "fonts.h"

#include <QApplication>
#include <QFontMetricsF>
#include <QtMath>

#include <algorithm>
#include <cmath>

namespace zembrel {

namespace {

// A caption is condensed in steps of 5 %, so that the captions of one style
// share a few font engines: each engine costs the start a fontconfig match,
// a FreeType size and its own glyphs.
constexpr int kStretchStep = 5;

// 宋体's ascent, in 256ths of an em.
constexpr qreal kSongAscent = 220.0 / 256.0;

qreal songWidth(const QString& line, int pixelSize)
{
    qreal ems = 0;
    for (const QChar character : line)
        ems += character.unicode() < 0x80 ? 0.5 : 1.0;
    return ems * pixelSize;
}

} // namespace

QStringList songSubstitutes(bool bold)
{
    const QString uming = QStringLiteral("AR PL UMing CN");
    const QString notoSerif = QStringLiteral("Noto Serif CJK SC");
    const QString notoSans = QStringLiteral("Noto Sans CJK SC");
    if (bold)
        return {notoSerif, uming, notoSans};
    return {uming, notoSerif, notoSans};
}

QFont songFont(layout::FontStyle style)
{
    QFont font;
    font.setFamilies(QStringList{kSongFamily.toString()} + songSubstitutes(style.bold));
    font.setPixelSize(qRound(style.points * 96 / 72));
    font.setBold(style.bold);
    // Set, not inherited, so that the 解题详情 window, whose parent is the
    // main window, shapes its formulas' marks and superscripts.
    font.setStyleStrategy(QFont::PreferDefault);
    // UMing carries no hinting of its own: hinted, FreeType's autohinter
    // would first read some hundred of its glyphs to find where a stroke
    // sits, megabytes of a 17 MB file, before the window could be drawn.
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

QFont windowFont(layout::FontStyle style)
{
    QFont font = songFont(style);
    font.setStyleStrategy(QFont::PreferNoShaping);
    return font;
}

QFont captionFont(layout::FontStyle style, const QString& caption)
{
    QFont font = windowFont(style);
    const QFontMetricsF metrics(font);
    int stretch = 100;
    for (const QString& line : caption.split(QLatin1Char('\n'))) {
        const qreal width = metrics.horizontalAdvance(line);
        const qreal room = songWidth(line, font.pixelSize());
        if (width > room)
            stretch = std::min(stretch, static_cast<int>(std::floor(100 * room / width / kStretchStep)) * kStretchStep);
    }
    if (stretch < 100)
        font.setStretch(stretch);
    return font;
}

// Rounded up: a face whose ideographs fill its em box to the top, as Noto's
// do, would lose their top row above the line.
qreal songBaseline(const QFont& font) { return std::ceil(font.pixelSize() * kSongAscent); }

void useSongFontThroughout() { QApplication::setFont(windowFont(layout::kDefaultFont)); }

} // namespace zembrel
