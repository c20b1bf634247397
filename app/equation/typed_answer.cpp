// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "typed_answer.h"

#include "plain_text.h"
#include "qt_text.h"
#include "wording.h"

#include <QStringList>

#include <algorithm>
#include <array>
#include <string>
#include <utility>
#include <vector>

namespace zembrel {

namespace {

using engine::FormulaPtr;
using present::Line;
using namespace typed;

// 一 to 十, as a kind's name says a count ("三元一次方程组").
constexpr std::array<const char*, 11> kCounts{"零", "一", "二", "三", "四", "五", "六", "七", "八", "九", "十"};

// "一元三次", "一元 12 次": small counts in characters, larger ones as numbers a screen reader says.
Line countWord(std::size_t count, const std::string& after)
{
    if (count < kCounts.size())
        return Line(kCounts.at(count) + after);
    return Line(" ") + engine::Int(static_cast<long>(count)) + (" " + after);
}

// "两个", "四个", "12 个": how many, as a sentence counts.
Line howMany(std::size_t count)
{
    if (count == 2)
        return Line("两个");
    if (count < kCounts.size())
        return Line(std::string(kCounts.at(count)) + "个");
    return Line(" ") + engine::Int(static_cast<long>(count)) + " 个";
}

FormulaPtr letter(char unknown) { return engine::Sym(std::string(1, unknown)); }

std::string name(char unknown) { return {unknown}; }

double nearest(const engine::Real& value) { return value.nearestDouble().value_or(0); }

double nearest(const mpq_class& value) { return nearest(engine::Real(value)); }

QString plain(const FormulaPtr& formula) { return toQString(present::PlainText(*formula)); }

// ---- the statements as read ---------------------------------------------------

std::vector<Line> headingOf(const TypedSolution& s)
{
    if (s.working.empty())
        return {};
    const engine::Step& first = s.working.front();
    using engine::Reason;
    if (first.reason != Reason::EquationAsTyped && first.reason != Reason::SystemAsTyped
        && first.reason != Reason::InequalityAsTyped && first.reason != Reason::InequalitiesAsTyped)
        return {};
    std::vector<Line> lines;
    for (const FormulaPtr& formula : first.formulas)
        lines.emplace_back(formula);
    return lines;
}

// ---- errors ------------------------------------------------------------------

std::vector<Line> errorNotes(const SolutionError& error, std::string_view text)
{
    Line line(error.message);
    const QList<uint> characters = toQString(std::string(text)).toUcs4();
    if (error.at && *error.at < static_cast<std::size_t>(characters.size())) {
        const auto at = static_cast<char32_t>(characters.at(static_cast<qsizetype>(*error.at)));
        const QString shown = at == U'\n' ? QStringLiteral("换行") : QString::fromUcs4(&at, 1);
        line += Line("（第 ") + engine::Int(static_cast<long>(*error.at + 1))
                + (" 个字符“" + shown.toStdString() + "”处）");
    }
    return {line};
}

// ---- polynomials ---------------------------------------------------------------

Line polynomialSummary(const PolynomialAnswer& a)
{
    const FormulaPtr x = letter(a.unknown);
    switch (a.kind) {
    case PolynomialKind::Identity: return Line("恒等式：任意实数 ") + x + " 都是方程的解";
    case PolynomialKind::None: return Line("矛盾方程：没有数能使它成立，方程无解");
    case PolynomialKind::Roots: break;
    }
    std::size_t real = 0;
    std::size_t complex = 0;
    int counted = 0;
    for (const Root& root : a.roots) {
        (root.value.isReal() ? real : complex) += 1;
        counted += root.multiplicity;
    }
    Line line = countWord(1, "元") + countWord(static_cast<std::size_t>(a.degree), "次方程");
    if (real == 0)
        line += std::string("，没有实数根");
    else if (real == 1)
        line += std::string("，有一个实数根");
    else
        line += Line("，有") + howMany(real) + "不相等的实数根";
    if (complex > 0)
        line += Line(real == 0 ? "，有" : "和") + howMany(complex) + "虚数根（两两共轭）";
    if (counted > static_cast<int>(a.roots.size()))
        line += Line("；重根按重数计，共") + howMany(static_cast<std::size_t>(counted)) + "根";
    return line;
}

std::vector<Line> polynomialResults(const PolynomialAnswer& a)
{
    const FormulaPtr x = letter(a.unknown);
    switch (a.kind) {
    case PolynomialKind::Identity: return {Line(x) + " 取任意实数，方程都成立"};
    case PolynomialKind::None: return {Line("方程无解")};
    case PolynomialKind::Roots: break;
    }
    std::vector<Line> lines;
    std::size_t next = 0;
    for (const Root& root : a.roots) {
        lines.push_back(Line(engine::textbook::RootLine(name(a.unknown), next, static_cast<std::size_t>(a.degree),
                                                        root.value, root.multiplicity, root.shown.exact, PageDecimal))
                        + MultiplicityNote(root.multiplicity));
    }
    return lines;
}

GraphModel polynomialGraph(const TypedSolution& s, const PolynomialAnswer& a, Line& description)
{
    Curve curve;
    curve.polynomial = a.coefficients;
    curve.unknown = name(a.unknown);
    curve.identity = a.kind == PolynomialKind::Identity;
    curve.decimal = PageDecimal;
    if (a.degree >= 2)
        curve.turningPoints = s.graph.turningPoints.exact();
    for (const Root& root : a.roots) {
        if (root.value.isReal())
            curve.realRoots.push_back(
                {ShownOrDecimal(root.shown.exact, root.value.re, PageDecimal), root.value.re, root.multiplicity});
    }
    return CurveGraph(curve, description);
}

// ---- systems -------------------------------------------------------------------

// a₁x₁ + … + aₙxₙ = b as the standard form writes it.
FormulaPtr rowFormula(const std::vector<mpq_class>& row, const std::vector<char>& unknowns)
{
    std::vector<std::pair<engine::Sign, FormulaPtr>> terms;
    for (std::size_t j = 0; j < unknowns.size(); ++j) {
        if (row[j] == 0)
            continue;
        const mpq_class magnitude = abs(row[j]);
        const FormulaPtr x = letter(unknowns[j]);
        terms.emplace_back(row[j] < 0 ? engine::Sign::Minus : engine::Sign::Plus,
                           magnitude == 1 ? x : engine::Mul({engine::Number(magnitude), x}));
    }
    return engine::Eq(terms.empty() ? engine::Int(0) : engine::SumOf(terms), engine::Number(row.back()));
}

Line systemSummary(const SystemAnswer& a)
{
    Line line = countWord(a.unknowns.size(), "元一次方程") + (a.equations.size() > 1 ? "组" : "");
    switch (a.kind) {
    case engine::SystemKind::Unique: return line + "，有唯一解";
    case engine::SystemKind::None: return line + "，无解";
    case engine::SystemKind::Infinite: break;
    }
    return line + "，有无数组解（系数矩阵的秩为 " + engine::Int(static_cast<long>(a.rank)) + "）";
}

std::vector<Line> systemResults(const SystemAnswer& a)
{
    std::vector<Line> lines;
    switch (a.kind) {
    case engine::SystemKind::Unique:
        for (std::size_t j = 0; j < a.unknowns.size(); ++j) {
            const mpq_class& value = a.solution[j].exact;
            std::vector<std::pair<engine::Relation, FormulaPtr>> chain{
                {engine::Relation::Equal, engine::Number(value)}};
            if (value.get_den() != 1) {
                const engine::textbook::ShownDecimal shown = PageDecimal(engine::Real(value));
                chain.emplace_back(shown.exact ? engine::Relation::Equal : engine::Relation::Approx, shown.formula);
            }
            lines.emplace_back(engine::ChainOf(letter(a.unknowns[j]), chain));
        }
        break;
    case engine::SystemKind::Infinite: {
        for (std::size_t j = 0; j < a.unknowns.size(); ++j)
            lines.emplace_back(engine::Eq(letter(a.unknowns[j]), a.general[j]));
        std::vector<FormulaPtr> parameters;
        for (const char p : a.parameters)
            parameters.push_back(letter(p));
        lines.push_back(Line("其中 ") + engine::ListOf(parameters) + " 为任意实数");
        break;
    }
    case engine::SystemKind::None: lines.emplace_back(a.equations.size() > 1 ? "方程组无解" : "方程无解"); break;
    }
    return lines;
}

// ①, ②, … ⑳, then (21), (22), …
QString lineLabel(std::size_t index)
{
    constexpr std::size_t kCircled = 20;
    if (index < kCircled)
        return QString(QChar(static_cast<char16_t>(u'①' + index)));
    return QStringLiteral("(%1)").arg(index + 1);
}

GraphModel systemGraph(const SystemAnswer& a, Line& description)
{
    GraphModel model;
    if (a.unknowns.size() != 2)
        return model;
    model.kind = GraphModel::Kind::Lines;
    model.xName = toQString(name(a.unknowns[0]));
    model.yName = toQString(name(a.unknowns[1]));
    std::size_t shown = 0;
    for (std::size_t i = 0; i < a.equations.size(); ++i) {
        const std::vector<mpq_class>& row = a.equations[i];
        if (row[0] == 0 && row[1] == 0)
            continue; // 0 = b draws nothing
        const QString label = lineLabel(i);
        model.lines.push_back({nearest(row[0]), nearest(row[1]), nearest(mpq_class(-row[2])), label});
        description += Line(shown++ == 0 ? "直线" : "，直线") + label.toStdString() + " " + rowFormula(row, a.unknowns);
    }
    const bool two = model.lines.size() == 2;
    if (a.kind == engine::SystemKind::Unique) {
        const FormulaPtr at = engine::PointOf(engine::Number(a.solution[0].exact), engine::Number(a.solution[1].exact));
        model.intersections.push_back({{nearest(a.solution[0].exact), nearest(a.solution[1].exact)}, plain(at), {at}});
        description += Line(two ? "，交于点 " : "，都经过点 ") + at;
    } else if (a.kind == engine::SystemKind::Infinite && model.lines.size() > 1) {
        model.note = two ? QStringLiteral("两直线重合") : QStringLiteral("各直线重合");
        description += "，" + model.note.toStdString();
    } else if (a.kind == engine::SystemKind::None) {
        model.note = two ? QStringLiteral("两直线平行，没有交点") : QStringLiteral("这些直线没有公共点");
        description += "，" + model.note.toStdString();
    }
    return model;
}

// ---- inequalities ----------------------------------------------------------------

int degreeOf(const InequalityPart& part) { return static_cast<int>(part.coefficients.size()) - 1; }

Line inequalitySummary(const InequalityAnswer& a)
{
    int degree = 0;
    for (const InequalityPart& part : a.parts)
        degree = std::max(degree, degreeOf(part));
    const std::string group = a.parts.size() > 1 ? "不等式组" : "不等式";
    Line line = degree == 0 ? Line("不含未知数的" + group)
                            : countWord(1, "元") + countWord(static_cast<std::size_t>(degree), "次" + group);
    if (a.intervals.empty())
        return line + "，无解";
    if (a.intervals.size() == 1 && !a.intervals.front().from && !a.intervals.front().to)
        return line + "，任意实数都是它的解";
    return line;
}

std::vector<Line> inequalityResults(const InequalityAnswer& a)
{
    const FormulaPtr set = SolutionIntervals(a.intervals);
    if (a.intervals.empty())
        return {Line(a.parts.size() > 1 ? "不等式组无解，解集为 " : "不等式无解，解集为 ") + set};
    if (a.intervals.size() == 1 && !a.intervals.front().from && !a.intervals.front().to)
        return {Line(letter(a.unknown)) + " 取任意实数，解集为 " + set};
    return {Line(SolutionRelations(a.intervals, a.unknown)), Line("解集为 ") + set};
}

FormulaPtr endFormula(const std::optional<End>& end)
{
    return end ? ShownOrDecimal(end->shown.exact, end->value, PageDecimal) : nullptr;
}

QString endLabel(const std::optional<End>& end) { return end ? plain(endFormula(end)) : QString(); }

GraphModel inequalityGraph(const InequalityAnswer& a, Line& description)
{
    GraphModel model;
    model.kind = GraphModel::Kind::Curve;
    model.xName = toQString(name(a.unknown));
    const std::string axis = name(a.unknown) + " 轴";
    if (a.parts.size() == 1 && degreeOf(a.parts.front()) >= 1) {
        const std::vector<mpq_class>& p = a.parts.front().coefficients;
        for (const mpq_class& c : p)
            model.polynomial.push_back(nearest(c));
        const std::string noun = p.size() == 3 ? "抛物线" : p.size() == 2 ? "直线" : "曲线";
        description = Line(noun + " ") + engine::Eq(engine::Sym("y"), engine::PolynomialFormula(p, letter(a.unknown)))
                      + ("；" + axis + "上标出的是解集");
    } else {
        model.yName.clear();
        description = Line("数轴上标出的是解集");
    }
    for (const Interval& i : a.intervals) {
        model.bands.push_back({i.from ? std::optional<double>(nearest(i.from->value)) : std::nullopt,
                               i.to ? std::optional<double>(nearest(i.to->value)) : std::nullopt, i.closedFrom,
                               i.closedTo, endLabel(i.from), endLabel(i.to), endFormula(i.from), endFormula(i.to)});
    }
    description += Line(" ") + SolutionIntervals(a.intervals);
    description += std::string("，实心点表示包含端点，空心点表示不含端点");
    return model;
}

} // namespace

zembrel::Answer AnswerOf(const TypedSolution& s, std::string_view text)
{
    zembrel::Answer a;
    if (const auto* error = std::get_if<SolutionError>(&s.answer)) {
        a.notes = errorNotes(*error, text);
        return a;
    }
    a.heading = headingOf(s);
    for (const engine::Step& step : s.working)
        a.working.push_back(present::StepLine(step));
    if (const auto* p = std::get_if<PolynomialAnswer>(&s.answer)) {
        a.summary = polynomialSummary(*p);
        a.resultsCaption = QStringLiteral("根");
        a.results = polynomialResults(*p);
        a.graphName = QStringLiteral("函数图像");
        a.graph = polynomialGraph(s, *p, a.graphDescription);
    } else if (const auto* system = std::get_if<SystemAnswer>(&s.answer)) {
        a.summary = systemSummary(*system);
        a.resultsCaption = QStringLiteral("解");
        a.results = systemResults(*system);
        a.graphName = QStringLiteral("直线的图像");
        a.graph = systemGraph(*system, a.graphDescription);
    } else if (const auto* inequality = std::get_if<InequalityAnswer>(&s.answer)) {
        a.summary = inequalitySummary(*inequality);
        a.resultsCaption = QStringLiteral("解集");
        a.results = inequalityResults(*inequality);
        a.graphName = QStringLiteral("解集的图像");
        a.graph = inequalityGraph(*inequality, a.graphDescription);
    }
    return a;
}

std::optional<qsizetype> ErrorPosition(const TypedSolution& solution, const QString& text)
{
    const auto* error = std::get_if<SolutionError>(&solution.answer);
    if (error == nullptr || !error->at)
        return std::nullopt;
    // Code points to UTF-16 units: a character beyond the BMP takes two.
    std::size_t codePoint = 0;
    for (qsizetype unit = 0; unit < text.size(); ++unit) {
        if (codePoint == *error->at)
            return unit;
        if (text.at(unit).isHighSurrogate() && unit + 1 < text.size())
            ++unit;
        ++codePoint;
    }
    return codePoint == *error->at ? std::optional<qsizetype>(text.size()) : std::nullopt;
}

} // namespace zembrel
