// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "caption.h"

#include "fonts.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QStyleOptionButton>
#include <QStylePainter>

namespace zembrel {

Caption::Caption(const QString& text, QWidget* parent) : QLabel(text, parent)
{
    setTextFormat(Qt::PlainText);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void Caption::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    painter.setPen(palette().color(foregroundRole()));
    painter.drawText(QPointF(0, songBaseline(font())), text());
}

CaptionButton::CaptionButton(const QString& caption, QWidget* parent) : QPushButton(caption, parent) {}

void CaptionButton::paintEvent(QPaintEvent* /*event*/)
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    const QStringList lines = option.text.split(QLatin1Char('\n'));
    option.text.clear();
    painter.drawControl(QStyle::CE_PushButton, option);

    // The style's colour for the caption in the button's present state.
    painter.setPen(option.palette.color(QPalette::ButtonText));
    const QFontMetricsF metrics(font());
    const qreal em = font().pixelSize();
    qreal top = (height() - em * static_cast<qreal>(lines.size())) / 2;
    for (const QString& line : lines) {
        painter.drawText(QPointF((width() - metrics.horizontalAdvance(line)) / 2, top + songBaseline(font())), line);
        top += em;
    }
}

} // namespace zembrel
