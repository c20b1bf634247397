// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "typesetter.h"

#include "plain_text.h"

#include <QFontInfo>
#include <QFontMetricsF>
#include <QHash>
#include <QImage>
#include <QMutex>
#include <QPainter>
#include <QPainterPathStroker>
#include <QTextBoundaryFinder>
#include <QTransform>

#include <algorithm>
#include <cmath>

namespace zembrel::formula {

namespace {

// Longer numbers show their first digits and "…": a field may hold a million.
constexpr std::size_t kLongestNumber = 40;

using engine::Formula;
using Kind = Formula::Kind;

// The script styles' sizes as parts of the text's, and the smallest size
// that stays legible.
constexpr std::array<qreal, 3> kSizes{1.0, 0.71, 0.58};
constexpr int kSmallestPixels = 7;

// The space between neighbouring atoms in 18ths of an em: thin 3, medium 4,
// thick 5, as textbooks set them. A negative entry is left out in scripts.
// Text is spaced apart from formulas where it meets them (space()).
constexpr int kWord = 6; // around 或 and 且
// clang-format off
constexpr std::array<std::array<int, 8>, 8> kSpaces{{
    //   Ord     Op    Bin    Rel  Punct  Inner   Word  Text      (right)
    {      0,     3,    -4,    -5,     0,    -3, kWord,    0}, // Ord (left)
    {      3,     3,    -4,    -5,     0,    -3, kWord,    0}, // Op
    {     -4,    -4,     0,     0,     0,    -4, kWord,    0}, // Bin
    {     -5,    -5,     0,     0,     0,    -5, kWord,    0}, // Rel
    {      4,     4,     4,     4,     4,     4, kWord,    0}, // Punct
    {     -3,     3,    -4,    -5,    -3,    -3, kWord,    0}, // Inner
    {  kWord, kWord, kWord, kWord, kWord, kWord,     0,    0}, // Word
    {      0,     0,     0,     0,     0,     0,     0,    0}, // Text
}};
// clang-format on
static_assert(kSpaces.size() == static_cast<std::size_t>(Class::Text) + 1);

QString q(const std::string& text) { return QString::fromStdString(text); }

int level(Style style)
{
    switch (style) {
    case Style::Display:
    case Style::Text: return 0;
    case Style::Script: return 1;
    case Style::ScriptScript: return 2;
    }
    return 0;
}

// The style of a superscript, a subscript or a root's index.
Style scriptStyle(Style style) { return level(style) == 0 ? Style::Script : Style::ScriptScript; }

// The style of a fraction's numerator and denominator.
Style partStyle(Style style)
{
    switch (style) {
    case Style::Display: return Style::Text;
    case Style::Text: return Style::Script;
    case Style::Script:
    case Style::ScriptScript: return Style::ScriptScript;
    }
    return Style::Text;
}

QString relationText(engine::Relation relation)
{
    switch (relation) {
    case engine::Relation::Equal: return QStringLiteral("=");
    case engine::Relation::Approx: return QStringLiteral("≈");
    case engine::Relation::NotEqual: return QStringLiteral("≠");
    case engine::Relation::Less: return QStringLiteral("<");
    case engine::Relation::Greater: return QStringLiteral(">");
    case engine::Relation::LessEqual: return QStringLiteral("≤");
    case engine::Relation::GreaterEqual: return QStringLiteral("≥");
    }
    return QStringLiteral("=");
}

// A letter is an unknown and in italics: x, a, D, θ. π and i are constants,
// Δ a name: upright, as are words and digits.
bool isUnknown(const std::string& name)
{
    const QString text = q(name);
    if (text.size() != 1 || name == engine::symbol::kImaginaryUnit)
        return false;
    const QChar c = text.front();
    return (c.script() == QChar::Script_Latin && c.isLetter()) || name == engine::symbol::kTheta;
}

// How tightly a formula holds together when it stands beside others.
enum class Binding { Loose, Product, Atom };

Binding bindingOf(const Formula& f)
{
    switch (f.kind) {
    case Kind::Sum:
    case Kind::Negative:
    case Kind::Chain:
    case Kind::Or:
    case Kind::And:
    case Kind::List:
    case Kind::Union: return Binding::Loose;
    case Kind::Product:
    case Kind::Fraction: return Binding::Product;
    default: return Binding::Atom;
    }
}

bool startsWithDigit(const Formula& f)
{
    return f.kind == Kind::Integer || f.kind == Kind::Decimal
           || ((f.kind == Kind::Power || f.kind == Kind::Product) && startsWithDigit(*f.children.front()));
}

// Parentheses, as the one-line printer decides them, less those that a
// stacked fraction, a raised exponent and a radical's overline make needless.
bool parenthesisedAsFactor(const Formula& product, std::size_t i)
{
    const Formula& factor = *product.children[i];
    if (factor.kind == Kind::Fraction)
        return false;
    return bindingOf(factor) != Binding::Atom || (i > 0 && !product.timesShown && startsWithDigit(factor));
}

bool parenthesisedAsBase(const Formula& base)
{
    // (x²)³ and (√2)² would read as x²³ and √2² without them.
    return bindingOf(base) != Binding::Atom || base.kind == Kind::Power || base.kind == Kind::Root
           || (base.kind == Kind::Decimal && base.exponent != 0);
}

bool parenthesisedAsTerm(const Formula& term) { return bindingOf(term) == Binding::Loose; }

Class classOf(const Formula& f, bool parenthesised)
{
    if (parenthesised)
        return Class::Ord;
    switch (f.kind) {
    case Kind::Fraction: return Class::Inner;
    case Kind::Function: return Class::Op;
    default: return Class::Ord;
    }
}

Box ruleBox(Part part, qreal width, qreal thickness)
{
    Box rule;
    rule.part = part;
    rule.ink = Ink::Rule;
    rule.width = width;
    rule.ascent = thickness;
    return rule;
}

void place(Box& parent, QPointF at, Box child)
{
    parent.ascent = std::max(parent.ascent, child.ascent - at.y());
    parent.descent = std::max(parent.descent, child.descent + at.y());
    parent.width = std::max(parent.width, at.x() + child.width);
    parent.children.push_back({at, std::move(child)});
}

} // namespace

Typesetter::Typesetter(const QFont& font, qreal devicePixelRatio) : ratio_(devicePixelRatio), textFont_(font)
{
    const int pixels = font.pixelSize() > 0 ? font.pixelSize() : QFontInfo(font).pixelSize();
    for (std::size_t i = 0; i < metrics_.size(); ++i) {
        const int size = std::max(std::min(pixels, kSmallestPixels), static_cast<int>(std::lround(pixels * kSizes[i])));
        metrics_[i] = metricsFor(font, size);
    }
}

Metrics Typesetter::metricsFor(const QFont& base, int pixels) const
{
    Metrics m;
    m.upright = base;
    m.upright.setPixelSize(pixels);
    m.upright.setItalic(false);
    m.italic = m.upright;
    m.italic.setItalic(true);
    const QFontMetricsF font(m.upright);
    m.em = pixels;
    const QRectF plus = inkOf(QStringLiteral("+"), m.upright);
    m.axis = -plus.center().y();
    m.plusInk = plus;
    m.rule = std::max(1.0, std::round(std::max(font.lineWidth(), m.em / 18) * ratio_)) / ratio_;
    m.xHeight = font.xHeight();
    const QRectF parenthesis = inkOf(QStringLiteral("("), m.upright);
    m.fenceHalf = std::max(-parenthesis.top() - m.axis, parenthesis.bottom() + m.axis);
    return m;
}

const Metrics& Typesetter::metrics(Style style) const { return metrics_[static_cast<std::size_t>(level(style))]; }

qreal Typesetter::snap(qreal length) const { return std::round(length * ratio_) / ratio_; }

qreal Typesetter::snapUp(qreal length) const { return std::ceil(length * ratio_ - 1e-6) / ratio_; }

qreal Typesetter::space(const Atom& left, const Atom& right, Style style) const
{
    const qreal em = metrics(style).em;
    if ((left.type == Class::Text) != (right.type == Class::Text)) {
        // Chinese sets a quarter em between its characters and a formula.
        const QString& text = left.type == Class::Text ? left.box.text : right.box.text;
        const QChar edge = left.type == Class::Text ? text.back() : text.front();
        return edge.script() == QChar::Script_Han ? snap(em / 4) : 0;
    }
    const int mu = kSpaces[static_cast<std::size_t>(left.type)][static_cast<std::size_t>(right.type)];
    if (mu < 0 && level(style) > 0)
        return 0;
    return snap(std::abs(mu) * em / 18);
}

QRectF Typesetter::inkOf(const QString& text, const QFont& font) const
{
    // Drawn, not asked of the font: a face's bounds for a slanted letter made
    // up from an upright one are far wider than its ink. Every formula of the
    // program draws the same few glyphs: each is drawn once, whichever
    // typesetter asks, on whichever thread.
    static QMutex lock;
    static QHash<QString, QRectF> inks;
    const QString key = font.key() + QChar(0) + QString::number(ratio_) + QChar(0) + text;
    {
        const QMutexLocker locked(&lock);
        if (const auto known = inks.constFind(key); known != inks.cend())
            return *known;
    }
    const QFontMetricsF metrics(font);
    const qreal margin = metrics.height();
    const QSizeF room(metrics.horizontalAdvance(text) + 2 * margin, 3 * margin);
    QImage canvas((room * ratio_).toSize(), QImage::Format_ARGB32_Premultiplied);
    canvas.setDevicePixelRatio(ratio_);
    canvas.fill(Qt::transparent);
    QPainter painter(&canvas);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(QPointF(margin, 2 * margin), text);
    painter.end();
    const int width = canvas.width();
    const int height = canvas.height();
    int left = width;
    int right = -1;
    int top = height;
    int bottom = -1;
    for (int y = 0; y < height; ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(canvas.constScanLine(y));
        for (int x = 0; x < width; ++x) {
            if (qAlpha(line[x]) != 0) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
        }
    }
    QRectF ink;
    if (right >= 0)
        ink = QRectF(left / ratio_ - margin, top / ratio_ - 2 * margin, (right - left + 1) / ratio_,
                     (bottom - top + 1) / ratio_);
    const QMutexLocker locked(&lock);
    inks.insert(key, ink);
    return ink;
}

Box Typesetter::glyphs(const QString& text, const QFont& font) const
{
    const QRectF ink = inkOf(text, font);
    Box box;
    box.part = Part::Glyphs;
    box.ink = Ink::Text;
    box.text = text;
    box.font = font;
    // A letter may reach past its advance on either side: the box holds all of its ink.
    box.textX = snapUp(std::max<qreal>(0, -ink.left()));
    box.width = snapUp(box.textX + std::max(QFontMetricsF(font).horizontalAdvance(text), ink.right()));
    box.ascent = snapUp(std::max<qreal>(0, -ink.top()));
    box.descent = snapUp(std::max<qreal>(0, ink.bottom()));
    return box;
}

Box Typesetter::mark(const QString& text, const QFont& font) const
{
    // Fitted to its ink and a narrow margin: a CJK face's full-width signs
    // and Greek letters would stand apart, its monospaced Latin letters unevenly.
    const QRectF ink = inkOf(text, font);
    const qreal margin = sideBearing(font);
    Box box = glyphs(text, font);
    box.textX = snap(margin - ink.left());
    box.width = snapUp(box.textX + ink.right() + margin);
    return box;
}

qreal Typesetter::sideBearing(const QFont& font) const { return std::max(1 / ratio_, snap(0.05 * font.pixelSize())); }

Box Typesetter::minus(Style style) const
{
    // As long as the face's "+" is wide, as thick as a fraction bar, on the axis.
    const Metrics& m = metrics(style);
    const qreal margin = sideBearing(m.upright);
    Box minus;
    minus.part = Part::Minus;
    minus.ink = Ink::Shape;
    minus.width = snapUp(m.plusInk.width() + 2 * margin);
    const qreal bottom = snap(m.axis - m.rule / 2);
    minus.ascent = bottom + m.rule;
    minus.shape.addRect(QRectF(margin, -minus.ascent, minus.width - 2 * margin, m.rule));
    return minus;
}

Box Typesetter::number(const std::string& digits, Style style) const
{
    // Cut where the one-line printer cuts, so that both show the same digits.
    const std::size_t longest = present::PlainOptions{}.longestNumber;
    if (digits.size() <= longest)
        return glyphs(q(digits), metrics(style).upright);
    return glyphs(q(digits.substr(0, longest)) + QStringLiteral("…"), metrics(style).upright);
}

Box Typesetter::name(const std::string& text, Style style, bool beforeScripts) const
{
    const Metrics& m = metrics(style);
    Box name = mark(q(text), isUnknown(text) ? m.italic : m.upright);
    // Its scripts follow its ink closely: x₁, not x ₁.
    if (beforeScripts)
        name.width -= sideBearing(name.font);
    return name;
}

Box Typesetter::symbol(const Formula& f, Style style) const
{
    if (f.subscript.empty())
        return name(f.text, style);
    const Box subscript = name(f.subscript, scriptStyle(style));
    return scripts(name(f.text, style, true), nullptr, &subscript, style);
}

Box Typesetter::power(const Formula& f, Style style) const
{
    const Formula& base = *f.children[0];
    const Box exponent = box(*f.children[1], scriptStyle(style));
    if (base.kind == Kind::Symbol) {
        // x₁²: the subscript under the exponent, both beside the letter.
        if (base.subscript.empty())
            return scripts(name(base.text, style, true), &exponent, nullptr, style);
        const Box subscript = name(base.subscript, scriptStyle(style));
        return scripts(name(base.text, style, true), &exponent, &subscript, style);
    }
    return scripts(grouped(base, parenthesisedAsBase(base), style), &exponent, nullptr, style);
}

Box Typesetter::decimal(const Formula& f, Style style) const
{
    Box digits = number(f.text, style);
    if (f.exponent == 0)
        return digits;
    // 1.5 × 10⁻¹¹
    const Style raised = scriptStyle(style);
    std::vector<Atom> power;
    if (f.exponent < 0)
        power.push_back({minus(raised), Class::Ord});
    power.push_back({number(std::to_string(std::abs(f.exponent)), raised), Class::Ord});
    const Box exponent = pack(power, raised);
    std::vector<Atom> atoms{
        {std::move(digits), Class::Ord},
        {mark(QStringLiteral("×"), metrics(style).upright), Class::Bin},
        {scripts(number("10", style), &exponent, nullptr, style), Class::Ord},
    };
    return pack(atoms, style);
}

Box Typesetter::fraction(const Box& numerator, const Box& denominator, Style style) const
{
    const Metrics& m = metrics(style);
    const qreal gap = std::max(m.rule, snap((style == Style::Display ? 0.14 : 0.09) * m.em));
    const qreal overhang = snap(0.08 * m.em);
    // Heights above the baseline: the bar lies on the axis.
    const qreal barBottom = snap(m.axis - m.rule / 2);
    const qreal up = barBottom + m.rule + gap + numerator.descent;
    const qreal down = denominator.ascent + gap - barBottom;

    Box fraction;
    fraction.part = Part::Fraction;
    const qreal width = std::max(numerator.width, denominator.width) + 2 * overhang;
    place(fraction, {snap((width - numerator.width) / 2), -up}, named(Part::Numerator, numerator));
    place(fraction, {0, -barBottom}, ruleBox(Part::FractionBar, width, m.rule));
    place(fraction, {snap((width - denominator.width) / 2), down}, named(Part::Denominator, denominator));
    return fraction;
}

Box Typesetter::radical(const Box& radicand, int index, Style style) const
{
    const Metrics& m = metrics(style);
    const qreal em = m.em;
    // Heights above the baseline.
    const qreal lineBottom = radicand.ascent + std::max(m.rule, snap(0.12 * em));
    const qreal lineTop = lineBottom + m.rule;
    const qreal bottom = -std::max(radicand.descent, snap(0.1 * em));
    const qreal height = lineTop - bottom;
    const qreal heavy = std::max(2 * m.rule, 0.08 * em);
    const qreal signWidth = snap(0.55 * em + 0.1 * std::max<qreal>(0, height - 1.1 * em));
    const qreal tickHeight = bottom + std::min(0.42 * em, 0.55 * height);

    // A short tick rising to a heavy stroke down to the bottom, then a thin
    // stroke up to the overline; drawn through the box's edges and cut at them.
    const QPointF start(0.03 * em, -(tickHeight - 0.06 * em));
    const QPointF tick(0.14 * em, -tickHeight);
    const QPointF low(0.31 * em, -(bottom + heavy / 2));
    const QPointF corner(signWidth - m.rule / 2, -(lineTop - m.rule / 2));
    const QPointF beyond = low + (corner - low) * 1.5;
    QPainterPathStroker stroker;
    stroker.setCapStyle(Qt::FlatCap);
    stroker.setJoinStyle(Qt::RoundJoin);
    QPainterPath sign;
    const auto stroke = [&](QPointF from, QPointF to, qreal width) {
        QPainterPath line(from);
        line.lineTo(to);
        stroker.setWidth(width);
        sign = sign.united(stroker.createStroke(line));
    };
    stroke(start, tick, m.rule);
    stroke(tick, low, heavy);
    stroke(low, beyond, m.rule * 1.2);
    QPainterPath bounds;
    bounds.addRect(QRectF(0, -lineTop, signWidth, height));

    Box signBox;
    signBox.part = Part::RadicalSign;
    signBox.ink = Ink::Shape;
    signBox.width = signWidth;
    signBox.ascent = lineTop;
    signBox.descent = -bottom;
    signBox.shape = sign.intersected(bounds);

    Box radical;
    radical.part = Part::Radical;
    qreal signX = 0;
    if (index != 2) {
        // The index sits over the tick, raised to six tenths of the sign,
        // its right end over the bottom of the sign.
        Box raised = number(std::to_string(index), Style::ScriptScript);
        const qreal right = snap(0.32 * em);
        signX = std::max<qreal>(0, raised.width - right);
        const qreal baseline = snap(std::max(tickHeight + 0.1 * em, bottom + 0.6 * height)) + raised.descent;
        const QPointF at(signX + right - raised.width, -baseline);
        place(radical, at, named(Part::RootIndex, std::move(raised)));
    }
    const qreal radicandX = signX + signWidth + snap(0.05 * em);
    const qreal lineEnd = radicandX + radicand.width + snap(0.05 * em);
    place(radical, {signX, 0}, std::move(signBox));
    place(radical, {signX + signWidth, -lineBottom}, ruleBox(Part::Overline, lineEnd - signX - signWidth, m.rule));
    place(radical, {radicandX, 0}, named(Part::Radicand, radicand));
    return radical;
}

Box Typesetter::scripts(Box nucleus, const Box* superscript, const Box* subscript, Style style) const
{
    const Metrics& m = metrics(style);
    const Metrics& s = metrics(scriptStyle(style));
    // A letter's scripts keep their places; a taller nucleus lifts and lowers them.
    const bool letter = nucleus.part == Part::Glyphs;
    qreal up = 0;
    qreal down = 0;
    if (superscript != nullptr)
        up = std::max({letter ? 0 : nucleus.ascent - 0.39 * s.em, (style == Style::Display ? 0.41 : 0.36) * m.em,
                       superscript->descent + m.xHeight / 4});
    if (subscript != nullptr)
        down = std::max({letter ? 0 : nucleus.descent + 0.05 * s.em, (superscript ? 0.25 : 0.15) * m.em,
                         subscript->ascent - 0.8 * m.xHeight});
    if (superscript != nullptr && subscript != nullptr) {
        const qreal between = (up - superscript->descent) - (subscript->ascent - down);
        down += std::max<qreal>(0, 4 * m.rule - between);
    }
    const qreal x = nucleus.width + (letter ? 0 : snap(0.04 * m.em));
    Box scripts;
    scripts.part = Part::Scripts;
    place(scripts, {0, 0}, named(Part::Nucleus, std::move(nucleus)));
    if (superscript != nullptr)
        place(scripts, {x, -snap(up)}, named(Part::Superscript, *superscript));
    if (subscript != nullptr)
        place(scripts, {x, snap(down)}, named(Part::Subscript, *subscript));
    return scripts;
}

Box Typesetter::fence(Fence kind, bool opening, qreal top, qreal bottom, Style style) const
{
    const Metrics& m = metrics(style);
    const qreal em = m.em;
    const qreal height = top - bottom;
    Box fence;
    fence.part = opening ? Part::OpenFence : Part::CloseFence;
    fence.ink = Ink::Shape;
    fence.ascent = top;
    fence.descent = -bottom;
    const qreal yTop = -top;
    const qreal yBottom = -bottom;
    QPainterPath path;
    switch (kind) {
    case Fence::None: break;
    case Fence::Parenthesis: {
        // Between two curves that meet the tips a thin stroke apart and part
        // widest in the middle; taller ones a little wider.
        fence.width = snap(0.3 * em + 0.08 * std::max<qreal>(0, height - 1.2 * em));
        const qreal thick = std::max(1.6 * m.rule, 0.11 * em);
        const qreal thin = std::max(0.7 * m.rule, 0.05 * em);
        const qreal tip = fence.width - 0.04 * em;
        const qreal outer = 0.07 * em;
        const qreal inner = outer + thick;
        // A cubic's middle lies at (end + 3 × control) / 4.
        const qreal outerControl = (4 * outer - tip) / 3;
        const qreal innerControl = (4 * inner - (tip - thin)) / 3;
        const qreal reach = 0.28 * height;
        path.moveTo(tip, yTop);
        path.cubicTo(outerControl, yTop + reach, outerControl, yBottom - reach, tip, yBottom);
        path.lineTo(tip - thin, yBottom);
        path.cubicTo(innerControl, yBottom - reach, innerControl, yTop + reach, tip - thin, yTop);
        path.closeSubpath();
        break;
    }
    case Fence::Bracket: {
        fence.width = snap(0.3 * em);
        const qreal stem = std::max(m.rule, snap(0.06 * em));
        const qreal left = snap(0.08 * em);
        const qreal armEnd = fence.width - snap(0.02 * em);
        path.addRect(QRectF(left, yTop, stem, height));
        path.addRect(QRectF(left, yTop, armEnd - left, m.rule));
        path.addRect(QRectF(left, yBottom - m.rule, armEnd - left, m.rule));
        break;
    }
    case Fence::Bar:
        fence.width = snap(0.25 * em);
        path.addRect(QRectF(snap((fence.width - m.rule) / 2), yTop, m.rule, height));
        break;
    case Fence::Brace: {
        // Its middle line stroked: from the top tip in to the stem, down to
        // the point at the middle, and out again to the bottom tip.
        fence.width = snap(0.5 * em);
        const qreal stroke = std::max(1.4 * m.rule, 0.08 * em);
        const qreal tipX = fence.width - 0.04 * em;
        const qreal stem = fence.width * 0.5;
        const qreal pointX = 0.04 * em + stroke / 2;
        const qreal middle = (yTop + yBottom) / 2;
        const qreal bend = std::min(0.22 * em, (height - stroke) / 4);
        const qreal yFirst = yTop + stroke / 2;
        const qreal yLast = yBottom - stroke / 2;
        QPainterPath line(QPointF(tipX, yFirst));
        line.quadTo(stem, yFirst, stem, yFirst + bend);
        line.lineTo(stem, middle - bend);
        line.quadTo(stem, middle, pointX, middle);
        line.quadTo(stem, middle, stem, middle + bend);
        line.lineTo(stem, yLast - bend);
        line.quadTo(stem, yLast, tipX, yLast);
        QPainterPathStroker stroker;
        stroker.setWidth(stroke);
        stroker.setCapStyle(Qt::FlatCap);
        stroker.setJoinStyle(Qt::RoundJoin);
        path = stroker.createStroke(line).simplified();
        break;
    }
    }
    fence.shape = opening ? path : QTransform(-1, 0, 0, 1, fence.width, 0).map(path);
    return fence;
}

Box Typesetter::fenced(Box inside, Fence open, Fence close, Style style) const
{
    const Metrics& m = metrics(style);
    // As tall as the inside and as the face's own parenthesis, evenly about the axis.
    const qreal half = std::max(
        {inside.ascent - m.axis + snap(0.06 * m.em), inside.descent + m.axis + snap(0.06 * m.em), m.fenceHalf});
    const qreal top = snapUp(m.axis + half);
    const qreal bottom = top - snapUp(2 * half);
    const qreal gap = snap((open == Fence::Brace ? 0.15 : 0.03) * m.em);

    Box fenced;
    fenced.part = Part::Fenced;
    qreal x = 0;
    if (open != Fence::None) {
        Box opening = fence(open, true, top, bottom, style);
        x = opening.width + gap;
        place(fenced, {0, 0}, std::move(opening));
    }
    const qreal insideWidth = inside.width;
    place(fenced, {x, 0}, named(Part::Inside, std::move(inside)));
    x += insideWidth;
    if (close != Fence::None)
        place(fenced, {x + gap, 0}, fence(close, false, top, bottom, style));
    return fenced;
}

Box Typesetter::array(const Formula& f, Style style, bool centred) const
{
    const Metrics& m = metrics(style);
    const std::size_t columns = f.kind == Kind::Matrix ? std::max<std::size_t>(1, f.columns) : 1;
    const std::size_t rows = f.children.size() / columns;
    std::vector<Box> cells;
    for (std::size_t i = 0; i < rows * columns; ++i)
        cells.push_back(box(*f.children[i], style));

    // Every row at least as tall as a line of digits, so that rows keep an even pace.
    std::vector<qreal> widths(columns, 0);
    std::vector<qreal> ascents(rows, snap(0.75 * m.em));
    std::vector<qreal> descents(rows, snap(0.25 * m.em));
    for (std::size_t i = 0; i < cells.size(); ++i) {
        widths[i % columns] = std::max(widths[i % columns], cells[i].width);
        ascents[i / columns] = std::max(ascents[i / columns], cells[i].ascent);
        descents[i / columns] = std::max(descents[i / columns], cells[i].descent);
    }
    const qreal rowGap = snap(0.3 * m.em);
    const qreal columnGap = snap(0.9 * m.em);
    qreal total = rowGap * static_cast<qreal>(rows - 1);
    for (std::size_t r = 0; r < rows; ++r)
        total += ascents[r] + descents[r];

    Box array;
    array.part = Part::Array;
    qreal y = -snap(m.axis + total / 2);
    for (std::size_t r = 0; r < rows; ++r) {
        y += ascents[r];
        qreal x = 0;
        for (std::size_t c = 0; c < columns; ++c) {
            Box& cell = cells[r * columns + c];
            const qreal indent = centred ? snap((widths[c] - cell.width) / 2) : 0;
            place(array, {x + indent, y}, named(Part::Cell, std::move(cell)));
            x += widths[c] + columnGap;
        }
        y += descents[r] + rowGap;
    }
    return array;
}

Box Typesetter::grouped(const Formula& f, bool parentheses, Style style) const
{
    if (!parentheses)
        return box(f, style);
    return fenced(box(f, style), Fence::Parenthesis, Fence::Parenthesis, style);
}

Atom Typesetter::sign(engine::Sign sign, bool first, Style style) const
{
    Atom atom;
    switch (sign) {
    case engine::Sign::Plus: atom.box = mark(QStringLiteral("+"), metrics(style).upright); break;
    case engine::Sign::Minus: atom.box = minus(style); break;
    case engine::Sign::PlusMinus: atom.box = mark(QStringLiteral("±"), metrics(style).upright); break;
    }
    // The sign before the first term belongs to it: −b, ±√Δ.
    atom.type = first ? Class::Ord : Class::Bin;
    atom.breakBefore = first ? Break::None : Break::Sign;
    return atom;
}

void Typesetter::append(std::vector<Atom>& atoms, const Formula& f, Style style, Break breakBefore) const
{
    const std::size_t first = atoms.size();
    spread(f, style, atoms);
    if (first < atoms.size())
        atoms[first].breakBefore = breakBefore;
}

void Typesetter::spread(const Formula& f, Style style, std::vector<Atom>& atoms) const
{
    const Metrics& m = metrics(style);
    switch (f.kind) {
    case Kind::Chain:
        spread(*f.children.front(), style, atoms);
        for (std::size_t i = 0; i < f.relations.size(); ++i) {
            atoms.push_back({mark(relationText(f.relations[i]), m.upright), Class::Rel, Break::Relation});
            spread(*f.children[i + 1], style, atoms);
        }
        return;
    case Kind::Sum:
        for (std::size_t i = 0; i < f.children.size(); ++i) {
            if (i > 0 || f.signs[i] != engine::Sign::Plus)
                atoms.push_back(sign(f.signs[i], i == 0, style));
            const Formula& term = *f.children[i];
            const bool parentheses = parenthesisedAsTerm(term);
            atoms.push_back({grouped(term, parentheses, style), classOf(term, parentheses)});
        }
        return;
    case Kind::Negative: {
        atoms.push_back({minus(style), Class::Ord});
        const Formula& operand = *f.children.front();
        const bool parentheses = parenthesisedAsTerm(operand);
        atoms.push_back({grouped(operand, parentheses, style), classOf(operand, parentheses)});
        return;
    }
    case Kind::Product:
        for (std::size_t i = 0; i < f.children.size(); ++i) {
            if (i > 0 && f.timesShown)
                atoms.push_back({mark(QStringLiteral("×"), m.upright), Class::Bin});
            const Formula& factor = *f.children[i];
            const bool parentheses = parenthesisedAsFactor(f, i);
            atoms.push_back({grouped(factor, parentheses, style), classOf(factor, parentheses)});
        }
        return;
    case Kind::Or:
    case Kind::And:
        for (std::size_t i = 0; i < f.children.size(); ++i) {
            if (i > 0) {
                const QString word = f.kind == Kind::Or ? QStringLiteral("或") : QStringLiteral("且");
                atoms.push_back({glyphs(word, m.upright), Class::Word, Break::Item});
            }
            spread(*f.children[i], style, atoms);
        }
        return;
    case Kind::List:
        for (std::size_t i = 0; i < f.children.size(); ++i) {
            if (i > 0)
                atoms.push_back({glyphs(QStringLiteral("，"), m.upright), Class::Punct});
            append(atoms, *f.children[i], style, i > 0 ? Break::Item : Break::None);
        }
        return;
    case Kind::Union:
        for (std::size_t i = 0; i < f.children.size(); ++i) {
            if (i > 0)
                atoms.push_back({mark(QStringLiteral("∪"), m.upright), Class::Bin, Break::Sign});
            spread(*f.children[i], style, atoms);
        }
        return;
    default: atoms.push_back({box(f, style), classOf(f, false)});
    }
}

std::vector<Atom> Typesetter::atoms(const Formula& formula, Style style) const
{
    std::vector<Atom> atoms;
    spread(formula, style, atoms);
    return atoms;
}

std::vector<Atom> Typesetter::textAtoms(const QString& text) const
{
    std::vector<Atom> atoms;
    QTextBoundaryFinder finder(QTextBoundaryFinder::Line, text);
    qsizetype start = 0;
    while (finder.toNextBoundary() != -1) {
        const qsizetype end = finder.position();
        if (end > start)
            atoms.push_back({glyphs(text.mid(start, end - start), textFont_), Class::Text, Break::Item});
        start = end;
    }
    return atoms;
}

Box Typesetter::pack(const std::vector<Atom>& atoms, Style style) const
{
    if (atoms.size() == 1)
        return atoms.front().box;
    Box row;
    qreal x = 0;
    for (std::size_t i = 0; i < atoms.size(); ++i) {
        if (i > 0)
            x += space(atoms[i - 1], atoms[i], style);
        place(row, {x, 0}, atoms[i].box);
        x += atoms[i].box.width;
    }
    return row;
}

Box Typesetter::box(const Formula& f, Style style) const
{
    switch (f.kind) {
    case Kind::Integer: return number(engine::DigitsToShow(f.integer, kLongestNumber), style);
    case Kind::Decimal: return decimal(f, style);
    case Kind::Symbol: return symbol(f, style);
    case Kind::Fraction:
        return fraction(box(*f.children[0], partStyle(style)), box(*f.children[1], partStyle(style)), style);
    case Kind::Power: return power(f, style);
    case Kind::Root: return radical(box(*f.children.front(), style), f.index, style);
    case Kind::Function: {
        // cos(x): the name upright, the argument always in parentheses.
        Box function;
        Box name = glyphs(q(f.text), metrics(style).upright);
        const qreal x = name.width;
        place(function, {0, 0}, std::move(name));
        place(function, {x, 0}, fenced(box(*f.children.front(), style), Fence::Parenthesis, Fence::Parenthesis, style));
        return function;
    }
    case Kind::Matrix: {
        const Fence fence = f.bars ? Fence::Bar : Fence::Bracket;
        return fenced(array(f, style, true), fence, fence, style);
    }
    case Kind::Cases: return fenced(array(f, style, false), Fence::Brace, Fence::None, style);
    case Kind::Point: {
        const Metrics& m = metrics(style);
        std::vector<Atom> inside;
        spread(*f.children[0], style, inside);
        inside.push_back({glyphs(QStringLiteral(","), m.upright), Class::Punct});
        spread(*f.children[1], style, inside);
        return fenced(pack(inside, style), Fence::Parenthesis, Fence::Parenthesis, style);
    }
    case Kind::Interval: {
        // An end of nullptr is infinite: −∞ on the left, +∞ on the right.
        const Metrics& m = metrics(style);
        std::vector<Atom> inside;
        const auto infinity = [&] { return Atom{mark(QString::fromUtf8(engine::symbol::kInfinity), m.upright)}; };
        if (f.children[0]) {
            spread(*f.children[0], style, inside);
        } else {
            inside.push_back({minus(style), Class::Ord});
            inside.push_back(infinity());
        }
        inside.push_back({glyphs(QStringLiteral(","), m.upright), Class::Punct});
        if (f.children[1]) {
            spread(*f.children[1], style, inside);
        } else {
            inside.push_back({mark(QStringLiteral("+"), m.upright), Class::Ord});
            inside.push_back(infinity());
        }
        return fenced(pack(inside, style), f.closedLeft ? Fence::Bracket : Fence::Parenthesis,
                      f.closedRight ? Fence::Bracket : Fence::Parenthesis, style);
    }
    case Kind::Negative:
    case Kind::Sum:
    case Kind::Product:
    case Kind::Chain:
    case Kind::Or:
    case Kind::And:
    case Kind::List:
    case Kind::Union: return pack(atoms(f, style), style);
    }
    return {};
}

} // namespace zembrel::formula
