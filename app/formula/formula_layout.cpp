// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "formula_layout.h"

#include "plain_text.h"
#include "typesetter.h"

#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>
#include <optional>

namespace zembrel::formula {

namespace {

// Which breaks a line prefers, best first.
int rank(Break place)
{
    switch (place) {
    case Break::Item: return 0;
    case Break::Relation: return 1;
    case Break::Sign: return 2;
    case Break::None: break;
    }
    return 3;
}

// A continuation line without a relation to align with is indented this many ems.
constexpr qreal kHangingIndent = 2;
// A line is filled enough at this part of its width to end at a relation rather than a later sign.
constexpr qreal kFilled = 0.4;

void flatten(const Box& box, QPointF origin, int parent, std::vector<PlacedBox>& boxes)
{
    const int index = static_cast<int>(boxes.size());
    boxes.push_back({box.part, box.rect().translated(origin), parent, box.ink == Ink::Text ? box.text : QString()});
    for (const Box::Child& child : box.children)
        flatten(child.box, origin + child.at, index, boxes);
}

} // namespace

FormulaLayout::FormulaLayout(std::vector<Run> runs, const QFont& font, qreal devicePixelRatio)
    : runs_(std::move(runs)),
      ratio_(devicePixelRatio),
      typesetter_(std::make_unique<const Typesetter>(font, devicePixelRatio))
{
    const Typesetter& typesetter = *typesetter_;
    for (const Run& run : runs_) {
        std::vector<Atom> atoms;
        if (const auto* text = std::get_if<QString>(&run))
            atoms = typesetter.textAtoms(*text);
        else if (const auto& formula = std::get<engine::FormulaPtr>(run))
            atoms = typesetter.atoms(*formula);
        // A formula may begin a line after text, and text after a formula.
        if (!atoms.empty() && !atoms_.empty())
            atoms.front().breakBefore = Break::Item;
        for (Atom& atom : atoms) {
            spaces_.push_back(atoms_.empty() ? 0 : typesetter.space(atoms_.back(), atom));
            atoms_.push_back(std::move(atom));
        }
    }
    formulaOnly_ = runs_.size() == 1 && std::holds_alternative<engine::FormulaPtr>(runs_.front());

    // The ink of an ideograph: a line of formulas is as tall as a line of text.
    const QFontMetricsF text(typesetter.textFont());
    const QRectF ideograph = text.tightBoundingRect(QStringLiteral("中"));
    const qreal em = typesetter.metrics(Style::Display).em;
    strutAscent_ = typesetter.snapUp(std::max(-ideograph.top(), 0.8 * em));
    strutDescent_ = typesetter.snapUp(std::max(ideograph.bottom(), 0.15 * em));
    lineGap_ = typesetter.snap(0.35 * em);
    arrange();
}

FormulaLayout::FormulaLayout(const engine::FormulaPtr& formula, const QFont& font, qreal devicePixelRatio)
    : FormulaLayout(std::vector<Run>{formula}, font, devicePixelRatio)
{
}

FormulaLayout::FormulaLayout(FormulaLayout&&) noexcept = default;
FormulaLayout& FormulaLayout::operator=(FormulaLayout&&) noexcept = default;
FormulaLayout::~FormulaLayout() = default;

qreal FormulaLayout::lineWidth(const Line& line) const
{
    qreal width = 0;
    for (std::size_t i = line.begin; i < line.end; ++i)
        width += (i > line.begin ? spaces_[i] : 0) + atoms_[i].box.width;
    return width;
}

std::vector<FormulaLayout::Line> FormulaLayout::plan(qreal width) const
{
    const std::size_t count = atoms_.size();
    const qreal em = typesetter_->metrics(Style::Display).em;
    // Where the first relation sign starts and, an em further, its right side:
    // continuation lines line up there while it is on the first line.
    std::size_t relationAt = count;
    std::optional<qreal> relation;
    std::optional<qreal> rightSide;
    qreal along = 0;
    for (std::size_t i = 0; i < count && !relation; ++i) {
        along += spaces_[i];
        if (atoms_[i].type == Class::Rel) {
            relationAt = i;
            relation = along;
            if (i + 1 < count)
                rightSide = along + atoms_[i].box.width + spaces_[i + 1] + em;
        }
        along += atoms_[i].box.width;
    }
    const auto indentFor = [&](Break place) -> qreal {
        const qreal hanging = width > 4 * kHangingIndent * em ? kHangingIndent * em : 0;
        if (!formulaOnly_ || place == Break::Item)
            return 0;
        const std::optional<qreal> aligned = place == Break::Relation ? relation : rightSide;
        if (aligned && *aligned <= width / 2)
            return typesetter_->snap(*aligned);
        return typesetter_->snap(hanging);
    };
    // Whether a line may begin at atom k. A new item always may; a relation
    // or a sign only with what follows it up to the next break: "A" alone
    // above "= " and a matrix too wide for any line would help nobody.
    const auto breaksAt = [&](std::size_t k) {
        if (atoms_[k].breakBefore == Break::None)
            return false;
        if (atoms_[k].breakBefore == Break::Item)
            return true;
        qreal x = indentFor(atoms_[k].breakBefore) + atoms_[k].box.width;
        for (std::size_t i = k + 1; i < count && atoms_[i].breakBefore == Break::None; ++i)
            x += spaces_[i] + atoms_[i].box.width;
        return x <= width;
    };

    std::vector<Line> lines;
    std::size_t begin = 0;
    while (begin < count) {
        const qreal indent = lines.empty() ? 0 : indentFor(atoms_[begin].breakBefore);
        // The places the line may end at: before atom `at`, `used` filled.
        struct Place {
            std::size_t at;
            qreal used;
        };
        std::vector<Place> places;
        qreal x = indent;
        std::size_t end = begin;
        for (; end < count; ++end) {
            const qreal advance = (end > begin ? spaces_[end] : 0) + atoms_[end].box.width;
            if (end > begin && breaksAt(end))
                places.push_back({end, x});
            if (end > begin && x + advance > width)
                break;
            x += advance;
        }
        std::size_t next = count;
        if (end < count) {
            if (places.empty()) {
                // Nothing breaks to any use within the width: the line runs on to where something does.
                next = end + 1;
                while (next < count && !breaksAt(next))
                    ++next;
            } else {
                // The best kind of break that leaves the line filled enough, the latest
                // of its kind; else the latest.
                const qreal middle = indent + kFilled * (width - indent);
                const Place* chosen = &places.back();
                for (const Place& place : places) {
                    if (place.used >= middle
                        && (chosen->used < middle
                            || rank(atoms_[place.at].breakBefore) <= rank(atoms_[chosen->at].breakBefore)))
                        chosen = &place;
                }
                next = chosen->at;
            }
        }
        lines.push_back({begin, next, indent});
        if (lines.size() == 1 && relationAt >= next) {
            relation.reset();
            rightSide.reset();
        }
        begin = next;
    }
    return lines;
}

QSizeF FormulaLayout::measure(const std::vector<Line>& lines) const
{
    qreal width = 0;
    qreal height = 0;
    for (const Line& line : lines) {
        qreal ascent = strutAscent_;
        qreal descent = strutDescent_;
        for (std::size_t i = line.begin; i < line.end; ++i) {
            ascent = std::max(ascent, atoms_[i].box.ascent);
            descent = std::max(descent, atoms_[i].box.descent);
        }
        width = std::max(width, line.indent + lineWidth(line));
        height += (height > 0 ? lineGap_ : 0) + ascent + descent;
    }
    return {width, height};
}

void FormulaLayout::arrange(qreal width)
{
    root_ = Box{};
    root_.part = Part::Block;
    qreal y = 0;
    for (const Line& line : plan(width)) {
        Box row;
        row.part = Part::Line;
        row.ascent = strutAscent_;
        row.descent = strutDescent_;
        qreal x = 0;
        for (std::size_t i = line.begin; i < line.end; ++i) {
            x += i > line.begin ? spaces_[i] : 0;
            const Box& box = atoms_[i].box;
            row.ascent = std::max(row.ascent, box.ascent);
            row.descent = std::max(row.descent, box.descent);
            row.children.push_back({QPointF(x, 0), box});
            x += box.width;
        }
        row.width = x;
        y += (y > 0 ? lineGap_ : 0) + row.ascent;
        root_.width = std::max(root_.width, line.indent + row.width);
        const qreal descent = row.descent;
        root_.children.push_back({QPointF(line.indent, y), std::move(row)});
        y += descent;
    }
    root_.descent = y;
}

QSizeF FormulaLayout::sizeFor(qreal width) const { return measure(plan(width)); }

QSizeF FormulaLayout::size() const { return {root_.width, root_.height()}; }

int FormulaLayout::lineCount() const { return static_cast<int>(root_.children.size()); }

qreal FormulaLayout::baseline() const { return root_.children.empty() ? 0 : root_.children.front().at.y(); }

qreal FormulaLayout::naturalWidth() const { return measure(plan(kUnlimited)).width(); }

qreal FormulaLayout::narrowestWidth() const
{
    qreal widest = 0;
    qreal stretch = 0;
    for (std::size_t i = 0; i < atoms_.size(); ++i) {
        if (i > 0 && atoms_[i].breakBefore != Break::None)
            stretch = 0;
        else
            stretch += spaces_[i];
        stretch += atoms_[i].box.width;
        widest = std::max(widest, stretch);
    }
    return widest;
}

void FormulaLayout::paint(QPainter& painter, QPointF topLeft) const
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    formula::paint(root_, painter, topLeft);
    painter.restore();
}

std::vector<PlacedBox> FormulaLayout::boxes() const
{
    std::vector<PlacedBox> boxes;
    flatten(root_, QPointF(0, 0), -1, boxes);
    return boxes;
}

QString FormulaLayout::plainText() const
{
    QString text;
    for (const Run& run : runs_) {
        if (const auto* words = std::get_if<QString>(&run))
            text += *words;
        else if (const auto& formula = std::get<engine::FormulaPtr>(run))
            text += QString::fromStdString(present::PlainText(*formula));
    }
    return text;
}

} // namespace zembrel::formula
