#include "fonts.h"

#include <QApplication>
#include <QtMath>

namespace zembrel {

QStringList songSubstitutes()
{
    return {QStringLiteral("AR PL UMing CN"), QStringLiteral("Noto Serif CJK SC"), QStringLiteral("Noto Sans CJK SC")};
}

void installSongSubstitutes() { QFont::insertSubstitutions(kSongFamily, songSubstitutes()); }

QFont songFont(layout::FontSpec spec)
{
    QFont font(kSongFamily);
    font.setPixelSize(qRound(spec.points * 96 / 72));
    font.setBold(spec.bold);
    return font;
}

void useSongFontThroughout()
{
    installSongSubstitutes();
    QApplication::setFont(songFont(layout::kDefaultFont));
}

} // namespace zembrel
