// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "box.h"

#include <QPainter>

namespace zembrel::formula {

void paint(const Box& box, QPainter& painter, QPointF origin)
{
    const QColor ink = painter.pen().color();
    switch (box.ink) {
    case Ink::None: break;
    case Ink::Text:
        painter.setFont(box.font);
        painter.drawText(origin + QPointF(box.textX, 0), box.text);
        break;
    case Ink::Rule: painter.fillRect(box.rect().translated(origin), ink); break;
    case Ink::Shape: painter.fillPath(box.shape.translated(origin), ink); break;
    }
    for (const Box::Child& child : box.children)
        paint(child.box, painter, origin + child.at);
}

Box named(Part part, Box content)
{
    Box wrapper;
    wrapper.part = part;
    wrapper.width = content.width;
    wrapper.ascent = content.ascent;
    wrapper.descent = content.descent;
    wrapper.children.push_back({QPointF(0, 0), std::move(content)});
    return wrapper;
}

} // namespace zembrel::formula
