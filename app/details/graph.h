// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "formula_layout.h"

#include <QImage>
#include <QList>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <QWidget>

#include <optional>
#include <vector>

namespace zembrel {

// What a graph shows, in doubles for drawing only: the values come from the
// exact analysis as their nearest doubles.
struct GraphModel {
    enum class Kind { None, Curve, Lines };
    struct Mark {
        QPointF at;
        QString label;                 // as plain text: for tests, tool tips and copying
        std::vector<formula::Run> set; // as a textbook sets it; none: the label's text
    };
    // a·X + b·Y + d = 0
    struct Line {
        double a = 0;
        double b = 0;
        double d = 0;
        QString label;
    };

    // Part of the x axis: an inequality's solution. No end: −∞ or +∞.
    struct Band {
        std::optional<double> from;
        std::optional<double> to;
        bool closedFrom = false;
        bool closedTo = false;
        QString fromLabel;
        QString toLabel;
        engine::FormulaPtr fromFormula; // the ends as a textbook sets them; none: the labels' text
        engine::FormulaPtr toFormula;
    };

    Kind kind = Kind::None;
    std::vector<double> polynomial; // Curve: coefficients, highest power first; none: the x axis alone
    std::vector<Mark> roots;        // Curve: on the x axis
    std::vector<Mark> turningPoints;
    std::vector<Line> lines; // Lines: one or two
    std::vector<Mark> intersections;
    std::vector<Band> bands; // Curve: marked on the x axis
    QString note;            // a line of text over the plot: "两直线平行"
    QString xName = QStringLiteral("x");
    QString yName = QStringLiteral("y");
};

// y = f(x), or two lines in the X–Y plane, drawn with QPainter over a range
// that holds every marked point with room around it.
class Graph final : public QWidget {
    Q_OBJECT

public:
    explicit Graph(QWidget* parent = nullptr);

    void setModel(GraphModel model);
    const GraphModel& model() const { return model_; }

    // Where a point of the plane falls on the widget; and where every label
    // was put, for the tests that look for clipped text.
    QPointF toWidget(QPointF point) const;
    QList<QRectF> labelRects() const;
    // Where the marked points' labels went: each clear of the others, of
    // every marked point and of the curve or the lines.
    QList<QRectF> markLabelRects() const;
    // Whether the curve or a line passes through the box (widget coordinates).
    bool drawnThrough(const QRectF& box) const;

    // The graph as a picture at the given device pixel ratio.
    QImage picture(qreal ratio) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    static QColor curveColour();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    struct Range {
        double x0 = -5;
        double x1 = 5;
        double y0 = -5;
        double y1 = 5;
    };
    QRectF plotRect(QSizeF size) const;
    QPointF map(QPointF point, QSizeF size) const;
    void paint(QPainter& painter, QSizeF size, QList<QRectF>* labels) const;
    void paintAxes(QPainter& painter, QSizeF size, const QList<QRectF>& reserved, QList<QRectF>* labels) const;
    void paintCurve(QPainter& painter, QSizeF size) const;
    void paintLines(QPainter& painter, QSizeF size) const;
    void paintBands(QPainter& painter, QSizeF size) const;
    // Where each mark's label goes: clear of the labels placed before it, of
    // every marked point and of the curve; as near its point as that allows.
    QList<QRectF> placeLabels(QSizeF size, const std::vector<GraphModel::Mark>& marks, bool below,
                              QList<QRectF>& placed) const;
    // A mark's label laid out in the graph's font.
    formula::FormulaLayout labelLayout(const GraphModel::Mark& mark) const;
    std::vector<QPointF> markedPoints(QSizeF size) const;
    bool crosses(const QRectF& box, QSizeF size) const;
    // The labels of the marks, in the order paint() places them.
    struct PlacedLabels {
        QList<QRectF> turning;
        QList<QRectF> roots;
        QList<QRectF> crossings;
        QList<QRectF> ends;
        QList<QRectF> all;
    };
    PlacedLabels placeAll(QSizeF size) const;
    void paintMarks(QPainter& painter, QSizeF size, const std::vector<GraphModel::Mark>& marks,
                    const QList<QRectF>& boxes, const QColor& colour, bool dots = true) const;
    // The labelled ends of the bands, as marks on the x axis.
    std::vector<GraphModel::Mark> bandEnds() const;
    double valueAt(double x) const;
    void chooseRange();

    GraphModel model_;
    Range range_;
};

} // namespace zembrel
