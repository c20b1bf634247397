#include "fonts.h"

#include <QApplication>
#include <QtMath>

namespace zembrel {

QStringList songSubstitutes()
{
    return {QStringLiteral("AR PL UMing CN"), QStringLiteral("Noto Serif CJK SC"), QStringLiteral("Noto Sans CJK SC")};
}

void installSongSubstitutes() { QFont::insertSubstitutions(kSongFamily, songSubstitutes()); }

QFont songFont(layout::FontStyle style)
{
    QFont font(kSongFamily);
    font.setPixelSize(qRound(style.points * 96 / 72));
    font.setBold(style.bold);
    return font;
}

void useSongFontThroughout()
{
    installSongSubstitutes();
    QApplication::setFont(songFont(layout::kDefaultFont));
}

} // namespace zembrel
