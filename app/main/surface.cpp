// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "surface.h"

#include "layout.h"

#include <QPaintEvent>
#include <QPainter>

namespace zembrel {

Surface::Surface(QWidget* parent) : QWidget(parent) { setObjectName(QStringLiteral("surface")); }

void Surface::print(const QString& line)
{
    printed_.append(line);
    update(lineRect(printed_.size() - 1));
}

QRect Surface::lineRect(qsizetype index) const
{
    const int height = fontMetrics().height();
    return {0, static_cast<int>(index) * height, width(), height};
}

void Surface::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    painter.setClipRegion(event->region());
    painter.setPen(QPen(palette().color(QPalette::WindowText), 1));

    for (const layout::Line& line : layout::lines()) {
        painter.drawLine(layout::pixels(line.x1), layout::pixels(line.y1), layout::pixels(line.x2),
                         layout::pixels(line.y2));
    }

    const int ascent = fontMetrics().ascent();
    for (qsizetype i = 0; i < printed_.size(); ++i) {
        const QRect rect = lineRect(i);
        if (event->region().intersects(rect))
            painter.drawText(rect.left(), rect.top() + ascent, printed_[i]);
    }
}

} // namespace zembrel
