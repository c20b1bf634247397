// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "graph.h"

#include "fonts.h"

#include <QLineF>
#include <QPaintDevice>
#include <QPainter>
#include <QPainterPath>
#include <QStyleOptionFocusRect>
#include <QStylePainter>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <optional>

namespace zembrel {

namespace {

constexpr qreal kMargin = 10;
constexpr qreal kTickSpacing = 80; // pixels between labelled ticks, about
constexpr qreal kMarkRadius = 4;

constexpr QColor kAxisColour(64, 64, 64);
constexpr QColor kGridColour(228, 228, 228);
constexpr QColor kRootColour(192, 0, 0);
constexpr QColor kTurningColour(0, 122, 51);
constexpr QColor kSecondLineColour(192, 90, 0);
constexpr QColor kBandColour(192, 0, 0, 150);
constexpr qreal kBandWidth = 5;

// 1, 2 or 5 times a power of ten, near `raw`.
double niceStep(double raw)
{
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    for (const double factor : {1.0, 2.0, 5.0}) {
        if (factor * power >= raw)
            return factor * power;
    }
    return 10 * power;
}

QString tickLabel(double value, double step)
{
    if (std::abs(value) < step / 2)
        return QStringLiteral("0");
    QString text;
    if (std::abs(value) >= 1e6 || step < 1e-4) {
        const int exponent = static_cast<int>(std::floor(std::log10(std::abs(value))));
        const double mantissa = value / std::pow(10.0, exponent);
        // Plain "e": the faces that draw the graph lack most superscript digits.
        text = QString::number(mantissa, 'g', 3) + QStringLiteral("e") + QString::number(exponent);
    } else {
        const int decimals = std::max(0, static_cast<int>(std::ceil(-std::log10(step) - 1e-9)));
        text = QString::number(value, 'f', decimals);
        if (decimals > 0) {
            while (text.endsWith(QLatin1Char('0')))
                text.chop(1);
            if (text.endsWith(QLatin1Char('.')))
                text.chop(1);
        }
    }
    return text.replace(QLatin1Char('-'), QStringLiteral("−"));
}

bool finite(double value) { return std::isfinite(value); }

QFont labelFont() { return songFont({9, false}); }

} // namespace

Graph::Graph(QWidget* parent) : QWidget(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setFont(labelFont());
}

QColor Graph::curveColour() { return {31, 95, 191}; }

QSize Graph::sizeHint() const { return {480, 300}; }
QSize Graph::minimumSizeHint() const { return {240, 300}; }

void Graph::setModel(GraphModel model)
{
    model_ = std::move(model);
    chooseRange();
    update();
}

double Graph::valueAt(double x) const
{
    double y = 0;
    for (const double coefficient : model_.polynomial)
        y = y * x + coefficient;
    return y;
}

void Graph::chooseRange()
{
    range_ = {};
    std::vector<QPointF> points;
    for (const auto* marks : {&model_.roots, &model_.turningPoints, &model_.intersections}) {
        for (const GraphModel::Mark& mark : *marks)
            points.push_back(mark.at);
    }
    for (const GraphModel::Band& band : model_.bands) {
        for (const std::optional<double>& end : {band.from, band.to}) {
            if (end)
                points.emplace_back(*end, 0);
        }
    }
    if (model_.kind == GraphModel::Kind::Lines) {
        points.emplace_back(0, 0);
        for (const GraphModel::Line& line : model_.lines) {
            if (line.a != 0)
                points.emplace_back(-line.d / line.a, 0);
            if (line.b != 0)
                points.emplace_back(0, -line.d / line.b);
        }
    }
    if (points.empty())
        points.emplace_back(0, 0);
    for (const QPointF& point : points) {
        if (!finite(point.x()) || !finite(point.y()))
            return;
    }

    const auto [left, right]
        = std::minmax_element(points.begin(), points.end(), [](QPointF p, QPointF q) { return p.x() < q.x(); });
    double x0 = left->x();
    double x1 = right->x();
    if (x1 - x0 == 0) {
        const double half = std::max(1.0, std::abs(x0) / 2);
        x0 -= half;
        x1 += half;
    } else {
        const double margin = 0.3 * (x1 - x0);
        x0 -= margin;
        x1 += margin;
    }
    // The y axis too, where it is near.
    if (x0 > 0 && x0 < (x1 - x0) / 2)
        x0 = -0.1 * (x1 - x0);
    if (x1 < 0 && -x1 < (x1 - x0) / 2)
        x1 = 0.1 * (x1 - x0);

    double y0 = 0;
    double y1 = 0;
    for (const QPointF& point : points) {
        y0 = std::min(y0, point.y());
        y1 = std::max(y1, point.y());
    }
    if (model_.kind == GraphModel::Kind::Curve) {
        // Enough of the curve to see its shape, but the marked points stay
        // apart: the curve may leave a plot that would flatten them.
        double low = 0;
        double high = 0;
        for (int i = 0; i <= 200; ++i) {
            const double y = valueAt(x0 + (x1 - x0) * i / 200);
            if (finite(y)) {
                low = std::min(low, y);
                high = std::max(high, y);
            }
        }
        const double span = y1 - y0;
        if (span == 0) {
            y0 = low;
            y1 = high;
        } else {
            y0 = std::max(std::min(y0, low), y0 - 2 * span);
            y1 = std::min(std::max(y1, high), y1 + 2 * span);
        }
    }
    if (y1 - y0 == 0) {
        y0 -= 1;
        y1 += 1;
    }
    const double margin = 0.15 * (y1 - y0);
    y0 -= margin;
    y1 += margin;
    if (finite(x0) && finite(x1) && finite(y0) && finite(y1) && x1 > x0 && y1 > y0 && finite(x1 - x0)
        && finite(y1 - y0))
        range_ = {x0, x1, y0, y1};
}

QRectF Graph::plotRect(QSizeF size) const
{
    return QRectF(QPointF(0, 0), size).adjusted(kMargin, kMargin, -kMargin, -kMargin);
}

QPointF Graph::map(QPointF point, QSizeF size) const
{
    const QRectF plot = plotRect(size);
    return {plot.left() + (point.x() - range_.x0) / (range_.x1 - range_.x0) * plot.width(),
            plot.bottom() - (point.y() - range_.y0) / (range_.y1 - range_.y0) * plot.height()};
}

QPointF Graph::toWidget(QPointF point) const { return map(point, size()); }

QList<QRectF> Graph::labelRects() const
{
    QImage scratch(size(), QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&scratch);
    QList<QRectF> labels;
    paint(painter, size(), &labels);
    return labels;
}

QImage Graph::picture(qreal ratio) const
{
    QImage image((QSizeF(size()) * ratio).toSize(), QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::white);
    QPainter painter(&image);
    paint(painter, size(), nullptr);
    return image;
}

void Graph::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    paint(painter, size(), nullptr);
    if (hasFocus()) {
        QStyleOptionFocusRect option;
        option.initFrom(this);
        option.rect = rect().adjusted(2, 2, -2, -2);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
    }
}

void Graph::paint(QPainter& painter, QSizeF size, QList<QRectF>* labels) const
{
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setFont(font());
    painter.fillRect(QRectF(QPointF(0, 0), size), Qt::white);
    if (model_.kind == GraphModel::Kind::None)
        return;
    // The marks' labels first: the ticks' labels give way to them.
    const PlacedLabels placed = placeAll(size);
    const QList<QRectF>& reserved = placed.all;
    if (labels != nullptr)
        labels->append(reserved);
    paintAxes(painter, size, reserved, labels);
    painter.save();
    painter.setClipRect(plotRect(size));
    if (model_.kind == GraphModel::Kind::Curve)
        paintCurve(painter, size);
    else
        paintLines(painter, size);
    paintBands(painter, size);
    painter.restore();
    paintMarks(painter, size, model_.turningPoints, placed.turning, kTurningColour);
    paintMarks(painter, size, model_.roots, placed.roots, kRootColour);
    paintMarks(painter, size, model_.intersections, placed.crossings, kRootColour);
    paintMarks(painter, size, bandEnds(), placed.ends, kRootColour, false);
    if (!model_.note.isEmpty()) {
        const QRectF plot = plotRect(size);
        const QRectF box = painter.fontMetrics().boundingRect(model_.note);
        const QRectF placed(plot.right() - box.width() - 6, plot.top() + 4, box.width() + 2, box.height());
        painter.setPen(kAxisColour);
        painter.drawText(placed, Qt::AlignLeft | Qt::AlignTop, model_.note);
        if (labels != nullptr)
            labels->append(placed);
    }
}

void Graph::paintAxes(QPainter& painter, QSizeF size, const QList<QRectF>& reserved, QList<QRectF>* labels) const
{
    const QRectF plot = plotRect(size);
    const QFontMetricsF metrics(painter.font());
    const double xStep = niceStep((range_.x1 - range_.x0) / std::max(1.0, plot.width() / kTickSpacing));
    const double yStep = niceStep((range_.y1 - range_.y0) / std::max(1.0, plot.height() / (kTickSpacing * 0.6)));
    const QPointF origin = map({0, 0}, size);
    const qreal axisY = std::clamp(origin.y(), plot.top(), plot.bottom());
    const qreal axisX = std::clamp(origin.x(), plot.left(), plot.right());

    QList<QRectF> placed = reserved;
    const auto place = [&](const QString& text, QPointF anchor, Qt::Alignment alignment) {
        QRectF box = metrics.boundingRect(text);
        box.moveTopLeft(anchor);
        if (alignment & Qt::AlignRight)
            box.moveRight(anchor.x());
        if (alignment & Qt::AlignHCenter)
            box.moveLeft(anchor.x() - box.width() / 2);
        if (alignment & Qt::AlignVCenter)
            box.moveTop(anchor.y() - box.height() / 2);
        if (alignment & Qt::AlignBottom)
            box.moveBottom(anchor.y());
        if (!plot.contains(box))
            return;
        for (const QRectF& other : placed) {
            if (other.intersects(box))
                return;
        }
        placed.append(box);
        painter.drawText(box, Qt::AlignCenter, text);
    };

    painter.setPen(QPen(kGridColour, 1));
    for (double x = std::ceil(range_.x0 / xStep) * xStep; x <= range_.x1; x += xStep)
        painter.drawLine(QPointF(map({x, 0}, size).x(), plot.top()), QPointF(map({x, 0}, size).x(), plot.bottom()));
    for (double y = std::ceil(range_.y0 / yStep) * yStep; y <= range_.y1; y += yStep)
        painter.drawLine(QPointF(plot.left(), map({0, y}, size).y()), QPointF(plot.right(), map({0, y}, size).y()));

    painter.setPen(QPen(kAxisColour, 1));
    painter.drawRect(plot);
    painter.drawLine(QPointF(plot.left(), axisY), QPointF(plot.right(), axisY));
    painter.drawLine(QPointF(axisX, plot.top()), QPointF(axisX, plot.bottom()));
    // Names at the positive ends.
    place(model_.xName, {plot.right() - 3, axisY - 2}, Qt::AlignRight | Qt::AlignBottom);
    place(model_.yName, {axisX + 4, plot.top() + 2}, Qt::AlignLeft);

    const bool labelsBelow = axisY + metrics.height() + 4 < plot.bottom();
    for (double x = std::ceil(range_.x0 / xStep) * xStep; x <= range_.x1; x += xStep) {
        const qreal px = map({x, 0}, size).x();
        painter.drawLine(QPointF(px, axisY - 3), QPointF(px, axisY + 3));
        if (std::abs(x) < xStep / 2)
            continue;
        place(tickLabel(x, xStep), {px, labelsBelow ? axisY + 4 : axisY - 4},
              Qt::AlignHCenter | (labelsBelow ? Qt::AlignTop : Qt::AlignBottom));
    }
    const bool labelsLeft = axisX - 30 > plot.left();
    for (double y = std::ceil(range_.y0 / yStep) * yStep; y <= range_.y1; y += yStep) {
        const qreal py = map({0, y}, size).y();
        painter.drawLine(QPointF(axisX - 3, py), QPointF(axisX + 3, py));
        if (std::abs(y) < yStep / 2)
            continue;
        place(tickLabel(y, yStep), {labelsLeft ? axisX - 5 : axisX + 5, py},
              Qt::AlignVCenter | (labelsLeft ? Qt::AlignRight : Qt::AlignLeft));
    }
    if (labels != nullptr)
        labels->append(placed.mid(reserved.size()));
}

void Graph::paintCurve(QPainter& painter, QSizeF size) const
{
    if (model_.polynomial.empty())
        return;
    const QRectF plot = plotRect(size);
    // A point a device pixel, sharp on a dense screen too; points far outside
    // are held near the plot, where the clip cuts them.
    const qreal step = 1 / std::max<qreal>(1, painter.device()->devicePixelRatioF());
    QPainterPath path;
    bool started = false;
    for (qreal px = plot.left(); px <= plot.right() + step; px += step) {
        const double x = range_.x0 + (px - plot.left()) / plot.width() * (range_.x1 - range_.x0);
        const double y = valueAt(x);
        if (!finite(y)) {
            started = false;
            continue;
        }
        const qreal py = std::clamp(map({x, y}, size).y(), plot.top() - plot.height(), plot.bottom() + plot.height());
        if (started)
            path.lineTo(px, py);
        else
            path.moveTo(px, py);
        started = true;
    }
    painter.setPen(QPen(curveColour(), 2));
    painter.drawPath(path);
}

void Graph::paintLines(QPainter& painter, QSizeF size) const
{
    const QRectF plot = plotRect(size);
    const QFontMetricsF metrics(painter.font());
    int index = 0;
    for (const GraphModel::Line& line : model_.lines) {
        QPointF from;
        QPointF to;
        if (line.b != 0) {
            from = map({range_.x0, (-line.d - line.a * range_.x0) / line.b}, size);
            to = map({range_.x1, (-line.d - line.a * range_.x1) / line.b}, size);
        } else if (line.a != 0) {
            from = map({-line.d / line.a, range_.y0}, size);
            to = map({-line.d / line.a, range_.y1}, size);
        } else {
            ++index;
            continue;
        }
        QPen pen(index == 0 ? curveColour() : kSecondLineColour, 2);
        // The second line dashed, so that a line lying on the first still shows.
        if (index > 0)
            pen.setDashPattern({4, 4});
        painter.setPen(pen);
        painter.drawLine(from, to);
        // Its name beside it, near where it leaves the plot on the right or at the top.
        const QLineF visible = QLineF(from, to);
        QPointF end = to;
        for (qreal t = 1; t >= 0; t -= 0.01) {
            end = visible.pointAt(t);
            if (plot.adjusted(20, 20, -20, -20).contains(end))
                break;
        }
        QRectF box = metrics.boundingRect(line.label).adjusted(-2, -1, 2, 1);
        box.moveCenter(end + QPointF(-box.width(), index == 0 ? -box.height() : box.height()));
        box.moveLeft(std::clamp(box.left(), plot.left() + 2, plot.right() - box.width() - 2));
        box.moveTop(std::clamp(box.top(), plot.top() + 2, plot.bottom() - box.height() - 2));
        painter.drawText(box, Qt::AlignCenter, line.label);
        ++index;
    }
}

// Each band a broad stroke along the x axis; a closed end a filled dot, an
// open end a ring, as a textbook marks a solution set on the number line.
void Graph::paintBands(QPainter& painter, QSizeF size) const
{
    const QRectF plot = plotRect(size);
    const qreal axisY = std::clamp(map({0, 0}, size).y(), plot.top(), plot.bottom());
    const auto atX = [&](double x) { return std::clamp(map({x, 0}, size).x(), plot.left() - 1, plot.right() + 1); };
    for (const GraphModel::Band& band : model_.bands) {
        const qreal from = band.from ? atX(*band.from) : plot.left() - 1;
        const qreal to = band.to ? atX(*band.to) : plot.right() + 1;
        painter.setPen(QPen(kBandColour, kBandWidth, Qt::SolidLine, Qt::FlatCap));
        painter.drawLine(QPointF(from, axisY), QPointF(to, axisY));
        const auto end = [&](qreal x, bool closed) {
            painter.setPen(QPen(kRootColour, 1.5));
            painter.setBrush(closed ? QBrush(kRootColour) : QBrush(Qt::white));
            painter.drawEllipse(QPointF(x, axisY), kMarkRadius, kMarkRadius);
        };
        if (band.from)
            end(from, band.closedFrom);
        if (band.to && (!band.from || *band.to != *band.from))
            end(to, band.closedTo);
    }
    painter.setBrush(Qt::NoBrush);
}

Graph::PlacedLabels Graph::placeAll(QSizeF size) const
{
    PlacedLabels p;
    p.turning = placeLabels(size, model_.turningPoints, false, p.all);
    p.roots = placeLabels(size, model_.roots, true, p.all);
    p.crossings = placeLabels(size, model_.intersections, false, p.all);
    p.ends = placeLabels(size, bandEnds(), true, p.all);
    return p;
}

formula::FormulaLayout Graph::labelLayout(const GraphModel::Mark& mark) const
{
    std::vector<formula::Run> runs = mark.set;
    if (runs.empty())
        runs.emplace_back(mark.label);
    formula::FormulaLayout layout(std::move(runs), font(), devicePixelRatioF());
    layout.arrange();
    return layout;
}

QList<QRectF> Graph::markLabelRects() const
{
    QList<QRectF> boxes = placeAll(size()).all;
    boxes.removeIf([](const QRectF& box) { return box.isNull(); });
    return boxes;
}

bool Graph::drawnThrough(const QRectF& box) const { return crosses(box, size()); }

std::vector<QPointF> Graph::markedPoints(QSizeF size) const
{
    std::vector<QPointF> points;
    for (const auto* marks : {&model_.roots, &model_.turningPoints, &model_.intersections}) {
        for (const GraphModel::Mark& mark : *marks)
            points.push_back(map(mark.at, size));
    }
    for (const GraphModel::Mark& end : bandEnds())
        points.push_back(map(end.at, size));
    return points;
}

bool Graph::crosses(const QRectF& box, QSizeF size) const
{
    const QRectF plot = plotRect(size);
    const auto inside = [&](double y) {
        const double py = map({0, y}, size).y();
        return std::isfinite(y) && py >= box.top() && py <= box.bottom();
    };
    const auto xAt = [&](qreal px) { return range_.x0 + (px - plot.left()) / plot.width() * (range_.x1 - range_.x0); };
    for (qreal px = box.left(); px <= box.right(); px += 1) {
        const double x = xAt(px);
        if (model_.kind == GraphModel::Kind::Curve && !model_.polynomial.empty() && inside(valueAt(x)))
            return true;
        if (model_.kind != GraphModel::Kind::Lines)
            continue;
        for (const GraphModel::Line& line : model_.lines) {
            if (line.b != 0 && inside((-line.d - line.a * x) / line.b))
                return true;
            if (line.b == 0 && line.a != 0 && std::abs(map({-line.d / line.a, 0}, size).x() - px) < 1)
                return true;
        }
    }
    return false;
}

QList<QRectF> Graph::placeLabels(QSizeF size, const std::vector<GraphModel::Mark>& marks, bool below,
                                 QList<QRectF>& placed) const
{
    const QRectF bounds = QRectF(QPointF(0, 0), size).adjusted(1, 1, -1, -1);
    const std::vector<QPointF> points = markedPoints(size);
    const auto covers = [&](const QRectF& box) {
        const QRectF grown = box.adjusted(-kMarkRadius, -kMarkRadius, kMarkRadius, kMarkRadius);
        return std::any_of(points.begin(), points.end(), [&](QPointF p) { return grown.contains(p); });
    };
    QList<QRectF> boxes;
    for (const GraphModel::Mark& mark : marks) {
        const QPointF at = map(mark.at, size);
        if (!plotRect(size).contains(at) || mark.label.isEmpty()) {
            boxes.append(QRectF());
            continue;
        }
        const QRectF shape = QRectF(QPointF(0, 0), labelLayout(mark).size()).adjusted(-2, 0, 2, 0);
        const qreal gap = kMarkRadius + 2;
        // Beside the point first (below for a root, above for the others),
        // then ever further out in eight directions.
        const qreal vertical = below ? 1 : -1;
        const std::array<QPointF, 8> directions{QPointF(0, vertical),  QPointF(0, -vertical), QPointF(1, vertical),
                                                QPointF(-1, vertical), QPointF(1, -vertical), QPointF(-1, -vertical),
                                                QPointF(1, 0),         QPointF(-1, 0)};
        QRectF chosen;
        QRectF fallback;
        for (int ring = 0; ring < 6 && chosen.isNull(); ++ring) {
            const qreal reach = ring * shape.height();
            for (const QPointF& d : directions) {
                QRectF box = shape;
                box.moveCenter(at);
                box.translate(d.x() * (shape.width() / 2 + gap + reach), d.y() * (shape.height() / 2 + gap + reach));
                box.moveLeft(std::clamp(box.left(), bounds.left(), bounds.right() - box.width()));
                box.moveTop(std::clamp(box.top(), bounds.top(), bounds.bottom() - box.height()));
                const bool apart
                    = std::none_of(placed.begin(), placed.end(), [&](const QRectF& r) { return r.intersects(box); });
                if (!apart)
                    continue;
                if (fallback.isNull())
                    fallback = box;
                if (!covers(box) && !crosses(box, size)) {
                    chosen = box;
                    break;
                }
            }
        }
        // Nowhere clear of everything: clear of the other labels at least.
        if (chosen.isNull())
            chosen = fallback;
        boxes.append(chosen);
        if (!chosen.isNull())
            placed.append(chosen);
    }
    return boxes;
}

std::vector<GraphModel::Mark> Graph::bandEnds() const
{
    std::vector<GraphModel::Mark> ends;
    for (const GraphModel::Band& band : model_.bands) {
        const auto set = [](const engine::FormulaPtr& f) {
            return f ? std::vector<formula::Run>{f} : std::vector<formula::Run>{};
        };
        if (band.from)
            ends.push_back({{*band.from, 0}, band.fromLabel, set(band.fromFormula)});
        if (band.to && (!band.from || *band.to != *band.from))
            ends.push_back({{*band.to, 0}, band.toLabel, set(band.toFormula)});
    }
    return ends;
}

void Graph::paintMarks(QPainter& painter, QSizeF size, const std::vector<GraphModel::Mark>& marks,
                       const QList<QRectF>& boxes, const QColor& colour, bool dots) const
{
    for (std::size_t i = 0; i < marks.size(); ++i) {
        const QPointF at = map(marks[i].at, size);
        if (!plotRect(size).contains(at))
            continue;
        if (dots) {
            painter.setPen(QPen(Qt::white, 1.5));
            painter.setBrush(colour);
            painter.drawEllipse(at, kMarkRadius, kMarkRadius);
        }
        const QRectF& box = boxes.at(static_cast<qsizetype>(i));
        if (box.isNull())
            continue;
        painter.setPen(colour.darker(120));
        labelLayout(marks[i]).paint(painter, box.topLeft() + QPointF(2, 0));
    }
    painter.setBrush(Qt::NoBrush);
}

} // namespace zembrel
