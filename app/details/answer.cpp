// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "answer.h"

#include "latex.h"
#include "panel.h"
#include "plain_text.h"
#include "qt_text.h"
#include "textbook.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <utility>

namespace zembrel {

namespace {

using engine::FormulaPtr;
using present::Line;

// Typed texts are quoted as far as a line can hold them.
constexpr std::size_t kTypedTextShown = 40;

FormulaPtr coefficientValue(const mpq_class& v) { return engine::Number(v, engine::NumberStyle::Decimal); }

// A coefficient as a page names it: its meaning, a digit in it as a subscript ("a₁").
FormulaPtr coefficientName(Field field)
{
    const std::string meaning(field->meaning);
    const auto digit = meaning.find_first_of("0123456789");
    if (digit == std::string::npos)
        return engine::Sym(meaning);
    return engine::Sym(meaning.substr(0, digit), meaning.substr(digit));
}

// The typed text, shortened and on one line.
std::string typedText(const std::string& text)
{
    QString shown = toQString(text).simplified();
    if (shown.size() > static_cast<qsizetype>(kTypedTextShown))
        shown = shown.left(static_cast<qsizetype>(kTypedTextShown)) + QStringLiteral("…");
    return shown.toStdString();
}

// c·x^k for each coefficient, the leading one kept where it is a typed 0:
// "0x² + 2x − 1 = 0" shows what was read.
FormulaPtr leftSide(const std::vector<mpq_class>& highestFirst)
{
    const FormulaPtr x = engine::Sym("x");
    FormulaPtr rest = engine::PolynomialFormula(highestFirst, x);
    if (highestFirst.front() != 0 || highestFirst.size() < 2)
        return rest;
    const auto degree = static_cast<long>(highestFirst.size() - 1);
    FormulaPtr zeroTerm = engine::Mul({engine::Int(0), degree == 1 ? x : engine::Pow(x, degree)});
    if (rest->kind == engine::Formula::Kind::Integer && rest->integer == 0)
        return zeroTerm;
    return engine::SumOf({{engine::Sign::Plus, zeroTerm}, {engine::Sign::Plus, rest}});
}

// Row i of a system as typed: a·X + b·Y + c·Z + d = 0.
FormulaPtr typedRow(const PanelSystem& system, std::size_t row)
{
    const std::vector<mpq_class>& equation = system.equations.equations.at(row);
    const std::size_t n = system.equations.unknowns;
    std::vector<std::pair<engine::Sign, FormulaPtr>> terms;
    for (std::size_t j = 0; j <= n; ++j) {
        const mpq_class c = j < n ? equation[j] : mpq_class(-equation[n]);
        if (c == 0)
            continue;
        const mpq_class magnitude = abs(c);
        FormulaPtr term = coefficientValue(magnitude);
        if (j < n)
            term = magnitude == 1 ? engine::Sym(system.unknowns[j])
                                  : engine::Mul({coefficientValue(magnitude), engine::Sym(system.unknowns[j])});
        terms.emplace_back(c < 0 ? engine::Sign::Minus : engine::Sign::Plus, term);
    }
    return engine::Eq(terms.empty() ? engine::Int(0) : engine::SumOf(terms), engine::Int(0));
}

std::vector<Line> headingOf(const PanelSolution& s)
{
    if (s.system) {
        std::vector<FormulaPtr> rows;
        for (std::size_t i = 0; i < s.system->equations.equations.size(); ++i)
            rows.push_back(typedRow(*s.system, i));
        return {Line(rows.size() == 1 ? rows.front() : engine::CasesOf(rows))};
    }
    if (!s.polynomial.empty())
        return {Line(engine::Eq(leftSide(s.polynomial), engine::Int(0)))};
    // A panel of another form: its coefficients as read.
    Line line;
    for (std::size_t i = 0; i < s.read.size(); ++i) {
        if (i > 0)
            line += std::string("，");
        line += engine::Eq(coefficientName(s.read[i].field), coefficientValue(s.read[i].value));
    }
    return {line};
}

std::vector<Line> notesOf(const PanelSolution& s)
{
    std::vector<Line> notes;
    for (std::size_t i = 0; i < s.read.size(); ++i) {
        const Reading& r = s.read[i];
        if (s.overflow == i) {
            notes.push_back(Line(coefficientName(r.field)) + ("：“" + typedText(r.text) + "” 超出了数的范围（错误 ")
                            + engine::Int(6) + "），无法分析");
            continue;
        }
        if (!r.whole)
            notes.push_back(Line(coefficientName(r.field)) + ("：“" + typedText(r.text) + "” 读作 ")
                            + coefficientValue(r.value));
    }
    return notes;
}

std::vector<Line> resultsOf(const PanelSolution& s)
{
    std::vector<Line> lines;
    if (s.system) {
        const PanelSystem& system = *s.system;
        if (s.kind == EquationKind::Unique) {
            for (std::size_t j = 0; j < system.unknowns.size(); ++j) {
                const mpq_class& value = system.solution.values[j];
                std::vector<std::pair<engine::Relation, FormulaPtr>> chain{
                    {engine::Relation::Equal, engine::Number(value)}};
                const engine::textbook::ShownDecimal shown = s.decimal(engine::Real(value));
                if (value.get_den() != 1)
                    chain.emplace_back(shown.exact ? engine::Relation::Equal : engine::Relation::Approx, shown.formula);
                lines.emplace_back(engine::ChainOf(engine::Sym(system.unknowns[j]), chain));
            }
        } else if (s.kind == EquationKind::Infinite) {
            std::vector<FormulaPtr> parameters;
            for (std::size_t k = 0; k < system.solution.freeUnknowns.size(); ++k)
                parameters.push_back(engine::Sym(system.parameters[k]));
            for (std::size_t j = 0; j < system.unknowns.size(); ++j)
                lines.emplace_back(
                    engine::Eq(engine::Sym(system.unknowns[j]),
                               engine::textbook::AffineFormula(system.solution.general[j], system.parameters)));
            lines.push_back(Line("其中 ") + engine::ListOf(parameters) + " 为任意实数");
        } else {
            lines.emplace_back("方程组无解");
        }
        return lines;
    }
    if (s.equation) {
        const std::vector<FormulaPtr> roots = engine::textbook::RootLines(*s.equation, "x", s.decimal);
        for (std::size_t i = 0; i < roots.size(); ++i)
            lines.push_back(Line(roots[i]) + MultiplicityNote(s.equation->roots()[i].multiplicity));
    } else if (s.kind == EquationKind::Identity) {
        lines.push_back(Line(engine::Sym("x")) + " 取任意实数，方程都成立");
    } else if (!s.polynomial.empty()) {
        lines.emplace_back("方程无解");
    }
    return lines;
}

// ---- the graph ----------------------------------------------------------------

double nearest(const engine::Real& x) { return x.nearestDouble().value_or(0); }

// "a、b 和 c"
Line joinedWithAnd(const std::vector<FormulaPtr>& items)
{
    Line line;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (i > 0)
            line += std::string(i + 1 == items.size() ? " 和 " : "、");
        line += items[i];
    }
    return line;
}

// Where y = p(x) lies above and below the axis, from its real roots of odd
// multiplicity: the sign at +∞ is the leading coefficient's, and it changes
// at each of them.
Line sidesOf(const Curve& c, int leadingSign, const std::string& noun)
{
    int sign = leadingSign;
    std::vector<int> signs{sign}; // from the right: after the last root, …
    for (auto root = c.realRoots.rbegin(); root != c.realRoots.rend(); ++root) {
        if (root->multiplicity % 2 == 1)
            sign = -sign;
        signs.push_back(sign);
    }
    std::reverse(signs.begin(), signs.end()); // signs[i]: left of root i; signs.back(): right of the last
    const FormulaPtr x = engine::Sym(c.unknown);
    const std::string above = "位于 " + c.unknown + " 轴上方";
    const std::string below = "位于 " + c.unknown + " 轴下方";
    const std::vector<CurveRoot>& roots = c.realRoots;
    if (roots.empty())
        return Line("整条" + noun + (signs.front() > 0 ? above : below));
    std::vector<FormulaPtr> over;
    std::vector<FormulaPtr> under;
    for (std::size_t i = 0; i <= roots.size(); ++i) {
        FormulaPtr part;
        if (i == 0)
            part = engine::Rel(x, engine::Relation::Less, roots.front().shown);
        else if (i == roots.size())
            part = engine::Rel(x, engine::Relation::Greater, roots.back().shown);
        else
            part = engine::ChainOf(roots[i - 1].shown,
                                   {{engine::Relation::Less, x}, {engine::Relation::Less, roots[i].shown}});
        (signs[i] > 0 ? over : under).push_back(part);
    }
    Line line;
    if (!over.empty())
        line += Line("当 ") + engine::OrOf(over) + (" 时，" + noun + above);
    if (!under.empty()) {
        if (!line.empty())
            line += std::string("；");
        line += Line("当 ") + engine::OrOf(under) + (" 时，" + noun + below);
    }
    return line;
}

GraphModel curveOf(const PanelSolution& s, Line& description)
{
    Curve curve;
    curve.polynomial = s.polynomial;
    curve.identity = s.kind == EquationKind::Identity;
    curve.decimal = s.decimal;
    if (s.equation) {
        if (engine::Polynomial::FromHighestFirst(s.polynomial).degree() >= 2)
            curve.turningPoints = s.equation->criticalPoints();
        for (std::size_t i = 0; i < s.equation->roots().size(); ++i) {
            const engine::PolyRoot& root = s.equation->roots()[i];
            if (root.value.isReal())
                curve.realRoots.push_back({ShownOrDecimal(s.equation->exactForm(i), root.value.re, s.decimal),
                                           root.value.re, root.multiplicity});
        }
    }
    return CurveGraph(curve, description);
}

GraphModel linesOf(const PanelSolution& s, Line& description)
{
    GraphModel model;
    const PanelSystem& system = *s.system;
    if (system.mode != 2)
        return model;
    model.kind = GraphModel::Kind::Lines;
    model.xName = QStringLiteral("X");
    model.yName = QStringLiteral("Y");
    static const QStringList circled{QStringLiteral("①"), QStringLiteral("②"), QStringLiteral("③")};
    for (std::size_t i = 0; i < system.equations.equations.size(); ++i) {
        const std::vector<mpq_class>& row = system.equations.equations[i];
        // a·X + b·Y + d = 0 with d = −(the constant)
        model.lines.push_back({nearest(engine::Real(row[0])), nearest(engine::Real(row[1])),
                               nearest(engine::Real(mpq_class(-row[2]))), circled.at(static_cast<qsizetype>(i))});
        if (i > 0)
            description += std::string("，");
        description += Line("直线") + circled.at(static_cast<qsizetype>(i)).toStdString() + " " + typedRow(system, i);
    }
    if (s.kind == EquationKind::Unique) {
        const FormulaPtr at
            = engine::PointOf(engine::Number(system.solution.values[0]), engine::Number(system.solution.values[1]));
        model.intersections.push_back(
            {{nearest(engine::Real(system.solution.values[0])), nearest(engine::Real(system.solution.values[1]))},
             toQString(present::PlainText(*at)),
             {at}});
        description += Line("，交于点 ") + at;
    } else if (s.kind == EquationKind::Infinite) {
        model.note = QStringLiteral("两直线重合");
        description += std::string("，两直线重合");
    } else {
        model.note = QStringLiteral("两直线平行，没有交点");
        description += std::string("，两直线平行，没有交点");
    }
    return model;
}

} // namespace

FormulaPtr ShownOrDecimal(const FormulaPtr& exact, const engine::Real& value,
                          const engine::textbook::DecimalWriter& decimal)
{
    return exact ? exact : decimal(value).formula;
}

GraphModel CurveGraph(const Curve& c, present::Line& description)
{
    GraphModel model;
    model.kind = GraphModel::Kind::Curve;
    model.xName = toQString(c.unknown);
    for (const mpq_class& coefficient : c.polynomial)
        model.polynomial.push_back(nearest(engine::Real(coefficient)));
    const engine::Polynomial p = engine::Polynomial::FromHighestFirst(c.polynomial);
    const int degree = p.degree();
    const FormulaPtr x = engine::Sym(c.unknown);
    const std::string axis = c.unknown + " 轴";
    const FormulaPtr curve = engine::Eq(engine::Sym("y"), engine::PolynomialFormula(c.polynomial, x));
    const std::string noun = degree == 2 ? "抛物线" : degree <= 1 ? "直线" : "曲线";
    description = present::Line(noun + " ") + curve;
    if (degree == 2)
        description += std::string(c.polynomial.front() > 0 ? "，开口向上" : "，开口向下");
    if (c.identity) {
        description += "，与 " + axis + "重合";
        return model;
    }
    // Turning points, each told exactly what it is.
    for (const engine::CriticalPoint& point : c.turningPoints) {
        const char* name = degree == 2                                   ? "顶点"
                           : point.kind == engine::CriticalKind::Maximum ? "极大值点"
                           : point.kind == engine::CriticalKind::Minimum ? "极小值点"
                                                                         : "驻点";
        const FormulaPtr at = engine::PointOf(ShownOrDecimal(point.exactX, point.x, c.decimal),
                                              ShownOrDecimal(point.exactY, point.y, c.decimal));
        model.turningPoints.push_back({{nearest(point.x), nearest(point.y)},
                                       QString::fromUtf8(name) + QLatin1Char(' ') + toQString(present::PlainText(*at)),
                                       {QString::fromUtf8(name) + QLatin1Char(' '), at}});
        description += present::Line(std::string("，") + name + " ") + at;
    }
    // Where it meets the axis.
    std::vector<FormulaPtr> shown;
    for (const CurveRoot& root : c.realRoots) {
        QString label = toQString(present::PlainText(*root.shown));
        if (label.size() > 24)
            label = label.left(23) + QStringLiteral("…");
        model.roots.push_back({{nearest(root.value), 0}, label, {root.shown}});
        shown.push_back(root.shown);
    }
    if (shown.empty()) {
        description += "，与 " + axis + "没有交点";
    } else {
        const bool touches = c.realRoots.size() == 1 && c.realRoots.front().multiplicity % 2 == 0;
        description
            += present::Line(touches ? "，与 " + axis + "相切于 " : "，与 " + axis + "交于 ") + joinedWithAnd(shown);
    }
    description
        += present::Line("，与 y 轴交于点 ") + engine::PointOf(engine::Int(0), coefficientValue(p.coefficient(0)));
    if (degree >= 1)
        description += present::Line("；") + sidesOf(c, sgn(p.leading()), noun);
    return model;
}

present::Line MultiplicityNote(int multiplicity)
{
    switch (multiplicity) {
    case 1: return {};
    case 2: return present::Line("（二重根）");
    case 3: return present::Line("（三重根）");
    default: return present::Line("（") + engine::Int(multiplicity) + " 重根）";
    }
}

Answer AnswerOf(const PanelSolution& s)
{
    Answer a;
    a.notes = notesOf(s);
    a.resultsCaption = s.system ? QStringLiteral("解") : QStringLiteral("根");
    a.graphName = s.system ? QStringLiteral("两直线的图像") : QStringLiteral("函数图像");
    if (s.overflow)
        return a;
    a.heading = headingOf(s);
    a.summary = s.summary;
    a.results = resultsOf(s);
    for (const engine::Step& step : s.working())
        a.working.push_back(present::StepLine(step));
    if (s.system)
        a.graph = linesOf(s, a.graphDescription);
    else if (!s.polynomial.empty())
        a.graph = curveOf(s, a.graphDescription);
    return a;
}

QString PlainText(const QString& title, const Answer& a)
{
    QStringList parts{title};
    const auto add = [&parts](const QString& caption, const std::vector<present::Line>& lines) {
        QStringList text;
        for (const present::Line& line : lines)
            text << toQString(present::PlainLine(line));
        if (!text.isEmpty())
            parts << (caption.isEmpty() ? QString() : caption + QStringLiteral("：\n")) + text.join(QLatin1Char('\n'));
    };
    add({}, a.heading);
    add({}, a.notes);
    if (!a.summary.empty())
        parts << toQString(present::PlainLine(a.summary));
    add(a.resultsCaption, a.results);
    add(QStringLiteral("解题过程"), a.working);
    if (a.graph.kind != GraphModel::Kind::None)
        parts << QStringLiteral("图像：") + toQString(present::PlainLine(a.graphDescription));
    return parts.join(QStringLiteral("\n\n")) + QLatin1Char('\n');
}

QString LatexText(const Answer& a)
{
    std::vector<std::string> lines;
    for (const std::vector<present::Line>* group : {&a.heading, &a.results, &a.working}) {
        for (const present::Line& line : *group)
            lines.push_back(present::LatexLine(line));
    }
    return toQString(present::LatexDocument(lines));
}

} // namespace zembrel
