// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "details_page.h"

#include "analysed_panels.h"
#include "fonts.h"
#include "graph.h"
#include "qt_text.h"
#include "textbook.h"

#include <QLabel>
#include <QVBoxLayout>

#include <initializer_list>
#include <utility>
#include <vector>

namespace zembrel {

namespace {

// Readable on the window's background and apart from the text's black.
constexpr QLatin1StringView kWarningColour("#b34700");
// Longer texts are cut where the page shows them: a million-character
// field must not make a label lay out a million characters.
constexpr qsizetype kTypedTextShown = 40;
constexpr qsizetype kFormShown = 400;
constexpr qsizetype kStepShown = 2000;

QString q(std::string_view text) { return toQString(text); }

QString signedNumber(const mpq_class& value)
{
    const textbook::Number number = textbook::numberOf(value);
    return (number.negative ? QStringLiteral("−") : QString()) + number.magnitude;
}

QString rationalForm(const mpq_class& value)
{
    QString text = textbook::shortened(QString::fromStdString(value.get_str()), kFormShown);
    return text.replace(QLatin1Char('-'), QStringLiteral("−"));
}

QString subscript(int n)
{
    static const QString digits = QStringLiteral("₀₁₂₃₄₅₆₇₈₉");
    QString text;
    for (const QChar c : QString::number(n))
        text += digits.at(c.digitValue());
    return text;
}

// The equations the page knows how to write out; any other panel's page
// lists its coefficients as read instead.
bool isSystem(const exact::Analysis& analysis) { return analysis.panel == "System"; }
bool isEquationInX(const exact::Analysis& analysis)
{
    return analysis.panel == "Linear" || analysis.panel == "Quadratic" || analysis.panel == "Cubic";
}

// The sum of an equation's left side, as read.
QString leftSide(const exact::Analysis& analysis, std::size_t row = 0)
{
    const auto number = [&analysis](std::size_t i) { return textbook::numberOf(analysis.read.at(i).value); };
    std::vector<textbook::Term> terms;
    if (analysis.panel == "Linear")
        terms = {{number(0), QStringLiteral("x"), true}, {number(1), {}}};
    else if (analysis.panel == "Quadratic")
        terms = {{number(0), QStringLiteral("x²"), true}, {number(1), QStringLiteral("x")}, {number(2), {}}};
    else if (analysis.panel == "Cubic")
        terms = {{textbook::numberOf(1), QStringLiteral("x³")}, {number(0), QStringLiteral("x")}, {number(1), {}}};
    else if (isSystem(analysis))
        terms = {{number(3 * row), QStringLiteral("X")},
                 {number(3 * row + 1), QStringLiteral("Y")},
                 {number(3 * row + 2), QStringLiteral("Z")},
                 {number(9 + row), {}}};
    return textbook::sumOf(terms);
}

bool rowIsZero(const exact::Analysis& analysis, std::size_t row)
{
    for (const std::size_t i : {3 * row, 3 * row + 1, 3 * row + 2, 9 + row}) {
        if (sgn(analysis.read.at(i).value) != 0)
            return false;
    }
    return true;
}

// The rows of a system the analysis takes part: the third only where it is typed.
std::vector<std::size_t> systemRows(const exact::Analysis& analysis)
{
    std::vector<std::size_t> rows{0, 1};
    if (analysis.mode == 3 || !rowIsZero(analysis, 2))
        rows.push_back(2);
    return rows;
}

QString circled(std::size_t row)
{
    return QStringList{QStringLiteral("①"), QStringLiteral("②"), QStringLiteral("③")}.at(static_cast<qsizetype>(row));
}

QString form(const exact::Expression& expression) { return textbook::shortened(q(expression.textbook), kFormShown); }

QString rootDecimal(const exact::Root& root)
{
    QString text = textbook::decimal15(root.re);
    if (root.im != "0") {
        QString im = textbook::decimal15(root.im);
        const bool negative = im.startsWith(QStringLiteral("−"));
        if (negative)
            im.remove(0, 1);
        if (im == QStringLiteral("1"))
            im.clear();
        text = (text == QStringLiteral("0") ? (negative ? QStringLiteral("−") : QString())
                                            : text + (negative ? QStringLiteral(" − ") : QStringLiteral(" + ")))
               + im + QStringLiteral("i");
    }
    return text;
}

bool realRoot(const exact::Root& root) { return root.im == "0"; }

// "x₁ = x₂ = 7/20 = 0.35（二重根）"
QStringList rootLines(const exact::Analysis& analysis)
{
    int count = 0;
    for (const exact::Root& root : analysis.roots)
        count += root.multiplicity;
    QStringList lines;
    int next = 1;
    for (const exact::Root& root : analysis.roots) {
        QStringList names;
        for (int i = 0; i < root.multiplicity; ++i)
            names << (count == 1 ? QStringLiteral("x") : QStringLiteral("x") + subscript(next++));
        const QString exactForm = form(root.value);
        const QString decimal = rootDecimal(root);
        QString line = names.join(QStringLiteral(" = ")) + QStringLiteral(" = ");
        if (exactForm.isEmpty() || exactForm == decimal)
            line += decimal;
        else
            line += exactForm
                    + (realRoot(root) && textbook::decimalIsWhole(root.re, exactForm) ? QStringLiteral(" = ")
                                                                                      : QStringLiteral(" ≈ "))
                    + decimal;
        if (root.multiplicity == 2)
            line += QStringLiteral("（二重根）");
        else if (root.multiplicity == 3)
            line += QStringLiteral("（三重根）");
        lines << line;
    }
    if (analysis.kind == "identity")
        lines << QStringLiteral("x 取任意实数，方程都成立");
    else if (analysis.kind == "none")
        lines << QStringLiteral("方程无解");
    return lines;
}

QStringList solutionLines(const exact::Analysis& analysis)
{
    QStringList lines;
    if (analysis.kind == "unique") {
        for (const exact::Unknown& unknown : analysis.solution) {
            const QString exactForm = rationalForm(unknown.exact);
            const QString decimal = textbook::decimal15(unknown.decimal);
            QString line = q(unknown.name) + QStringLiteral(" = ") + exactForm;
            if (exactForm != decimal)
                line += (textbook::decimalIsWhole(unknown.decimal, exactForm) ? QStringLiteral(" = ")
                                                                              : QStringLiteral(" ≈ "))
                        + decimal;
            lines << line;
        }
    } else if (analysis.kind == "infinite") {
        bool second = false;
        for (const exact::GeneralUnknown& unknown : analysis.general) {
            lines << q(unknown.name) + QStringLiteral(" = ") + form(unknown.value);
            second = second || unknown.value.textbook.find('s') != std::string::npos;
        }
        lines << (second ? QStringLiteral("其中 t、s 为任意实数") : QStringLiteral("其中 t 为任意实数"));
    } else if (analysis.kind == "none") {
        lines << QStringLiteral("方程组无解");
    }
    return lines;
}

QString joinedRoots(const QStringList& roots)
{
    if (roots.size() <= 1)
        return roots.join(QString());
    return QStringList(roots.mid(0, roots.size() - 1)).join(QStringLiteral("、")) + QStringLiteral(" 和 ")
           + roots.last();
}

QString pointText(const exact::Point& point) { return QStringLiteral("(%1, %2)").arg(form(point.x), form(point.y)); }

// The graph of the equation and the same graph in words.
GraphModel graphOf(const exact::Analysis& analysis, QString& description)
{
    GraphModel model;
    description.clear();
    if (analysis.error || analysis.read.empty())
        return model;
    if (isSystem(analysis)) {
        if (analysis.mode != 2)
            return model;
        model.kind = GraphModel::Kind::Lines;
        model.xName = QStringLiteral("X");
        model.yName = QStringLiteral("Y");
        QStringList lines;
        for (const std::size_t row : systemRows(analysis)) {
            const auto at = [&analysis](std::size_t i) { return textbook::nearestDouble(analysis.read.at(i).value); };
            model.lines.push_back({at(3 * row), at(3 * row + 1), at(9 + row), circled(row)});
            lines << QStringLiteral("直线%1 %2 = 0").arg(circled(row), leftSide(analysis, row));
        }
        description = lines.join(QStringLiteral("，"));
        if (analysis.kind == "unique" && analysis.solution.size() >= 2) {
            const QString at
                = QStringLiteral("(%1, %2)")
                      .arg(rationalForm(analysis.solution[0].exact), rationalForm(analysis.solution[1].exact));
            model.intersections.push_back({{analysis.solution[0].nearest, analysis.solution[1].nearest}, at});
            description += QStringLiteral("，交于点 ") + at;
        } else if (analysis.kind == "infinite") {
            model.note = QStringLiteral("两直线重合");
            description += QStringLiteral("，两直线重合");
        } else if (analysis.kind == "none") {
            model.note = QStringLiteral("两直线平行，没有交点");
            description += QStringLiteral("，两直线平行，没有交点");
        }
        return model;
    }

    if (!isEquationInX(analysis))
        return model;
    model.kind = GraphModel::Kind::Curve;
    std::vector<mpq_class> coefficients;
    if (analysis.panel == "Cubic")
        coefficients = {1, 0, analysis.read.at(0).value, analysis.read.at(1).value};
    else
        for (const exact::Reading& reading : analysis.read)
            coefficients.push_back(reading.value);
    for (const mpq_class& coefficient : coefficients)
        model.polynomial.push_back(textbook::nearestDouble(coefficient));

    QStringList crossings;
    bool touches = false;
    for (const exact::Root& root : analysis.roots) {
        if (!realRoot(root))
            continue;
        const QString label = form(root.value).isEmpty() ? textbook::decimal15(root.re) : form(root.value);
        model.roots.push_back({{root.reNearest, 0}, textbook::shortened(label, 24)});
        crossings << label;
        touches = touches || root.multiplicity > 1;
    }
    const bool quadratic = analysis.panel == "Quadratic" && sgn(analysis.read.at(0).value) != 0;
    const bool straight = analysis.panel == "Linear" || (analysis.panel == "Quadratic" && !quadratic);
    QStringList parts;
    parts << (quadratic  ? QStringLiteral("抛物线")
              : straight ? QStringLiteral("直线")
                         : QStringLiteral("三次曲线"))
                 + QStringLiteral(" y = ") + leftSide(analysis);
    if (quadratic) {
        parts << (sgn(analysis.read.at(0).value) > 0 ? QStringLiteral("开口向上") : QStringLiteral("开口向下"));
        for (const exact::Point& point : analysis.turningPoints) {
            model.turningPoints.push_back(
                {{point.xNearest, point.yNearest}, QStringLiteral("顶点 ") + pointText(point)});
            parts << QStringLiteral("顶点 ") + pointText(point);
        }
    } else if (!straight) {
        for (const exact::Point& point : analysis.turningPoints) {
            const bool highest
                = std::all_of(analysis.turningPoints.begin(), analysis.turningPoints.end(),
                              [&point](const exact::Point& other) { return other.yNearest <= point.yNearest; });
            const QString name = analysis.turningPoints.size() == 1 ? QStringLiteral("拐点")
                                 : highest                          ? QStringLiteral("极大值点")
                                                                    : QStringLiteral("极小值点");
            model.turningPoints.push_back(
                {{point.xNearest, point.yNearest}, name + QLatin1Char(' ') + pointText(point)});
            parts << name + QLatin1Char(' ') + pointText(point);
        }
    }
    if (analysis.kind == "identity")
        parts << QStringLiteral("与 x 轴重合");
    else if (crossings.isEmpty())
        parts << QStringLiteral("与 x 轴没有交点");
    else if (touches && crossings.size() == 1 && quadratic)
        parts << QStringLiteral("与 x 轴相切于 ") + crossings.first();
    else
        parts << QStringLiteral("与 x 轴交于 ") + joinedRoots(crossings);
    description = parts.join(QStringLiteral("，"));
    return model;
}

} // namespace

DetailsPage::DetailsPage(const PanelDefinition& panel, QWidget* parent) : QScrollArea(parent), panel_(panel)
{
    setObjectName(q(panel.title));
    setAccessibleName(q(panel.title));
    setWidgetResizable(true);
    setFrameShape(QFrame::NoFrame);
    auto* contents = new QWidget(this);
    auto* layout = new QVBoxLayout(contents);
    layout->setSpacing(8);
    busy_ = addLabel(QStringLiteral("busy"), QStringLiteral("正在计算…"));
    busy_->setTextFormat(Qt::PlainText);
    busy_->setText(busy_->accessibleName());
    busy_->setAccessibleDescription(busy_->accessibleName());
    busy_->hide();
    layout->addWidget(busy_);
    equation_ = addLabel(QStringLiteral("equation"), QStringLiteral("方程"));
    QFont larger = songFont({12, true});
    equation_->setFont(larger);
    layout->addWidget(equation_);
    readings_ = addLabel(QStringLiteral("readings"), QStringLiteral("读数提示"));
    layout->addWidget(readings_);
    summary_ = addLabel(QStringLiteral("summary"), QStringLiteral("结论"));
    layout->addWidget(summary_);
    // Named 根 or 解 once the page knows which it shows.
    roots_ = addLabel(QStringLiteral("roots"), QStringLiteral("根"));
    layout->addWidget(roots_);
    steps_ = addLabel(QStringLiteral("steps"), QStringLiteral("解题过程"));
    layout->addWidget(steps_);
    graph_ = new Graph(contents);
    graph_->setObjectName(QStringLiteral("graph"));
    // Shown once there is something to draw: a page waiting for its first analysis shows no empty frame.
    graph_->hide();
    layout->addWidget(graph_);
    layout->addStretch(1);
    setWidget(contents);
}

namespace {
// The property that keeps what a label's section is, for its accessible name.
constexpr char kCaption[] = "zembrelCaption";
} // namespace

QLabel* DetailsPage::addLabel(const QString& name, const QString& accessibleName)
{
    auto* label = new QLabel(this);
    label->setObjectName(name);
    label->setWordWrap(true);
    label->setTextFormat(Qt::RichText);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    // Tab reaches every text, so that a screen reader reads each in turn.
    label->setFocusPolicy(Qt::StrongFocus);
    label->setAccessibleName(accessibleName);
    label->setProperty(kCaption, accessibleName);
    return label;
}

void DetailsPage::setSection(QLabel* label, const Section& section)
{
    label->setText(section.html);
    // Orca speaks a focused label's name, not its description: the name
    // carries the text itself, behind what the section is.
    const QString caption = label->property(kCaption).toString();
    const bool named = section.plain.isEmpty() || section.plain.startsWith(caption);
    label->setAccessibleName(named ? (section.plain.isEmpty() ? caption : section.plain)
                                   : caption + QStringLiteral("：") + section.plain);
    label->setAccessibleDescription(section.plain);
    label->setVisible(!section.plain.isEmpty());
    if (!section.plain.isEmpty())
        plain_ << section.plain;
}

void DetailsPage::setBusy(bool busy)
{
    busy_->setVisible(busy);
    for (QWidget* shown : std::initializer_list<QWidget*>{equation_, readings_, summary_, roots_, steps_, graph_})
        shown->setEnabled(!busy);
}

bool DetailsPage::busy() const { return busy_->isVisibleTo(this); }

bool DetailsPage::hasGraph() const { return graph_->model().kind != GraphModel::Kind::None; }

QString DetailsPage::plainText() const { return plain_.join(QStringLiteral("\n\n")) + QLatin1Char('\n'); }

DetailsPage::Content DetailsPage::contentOf(const PanelDefinition& panel, const exact::Analysis& analysis)
{
    Content content;

    // The equation as read.
    QStringList equations;
    if (!analysis.error && analysis.read.size() == panel.coefficients.size()) {
        if (isSystem(analysis)) {
            for (const std::size_t row : systemRows(analysis))
                equations << circled(row) + QLatin1Char(' ') + leftSide(analysis, row) + QStringLiteral(" = 0");
        } else if (isEquationInX(analysis)) {
            equations << leftSide(analysis) + QStringLiteral(" = 0");
        } else {
            QStringList read;
            for (std::size_t i = 0; i < analysis.read.size(); ++i)
                read << coefficientName(panel.coefficients[i]) + QStringLiteral(" = ")
                            + signedNumber(analysis.read[i].value);
            equations << read.join(QStringLiteral("，"));
        }
    }
    Section equation;
    equation.plain = equations.join(QLatin1Char('\n'));
    for (const QString& line : equations)
        equation.html += (equation.html.isEmpty() ? QString() : QStringLiteral("<br>")) + textbook::rich(line);
    content.equation = std::move(equation);

    // Each text that was not wholly a number, and how it was read.
    Section readings;
    QStringList notes;
    for (std::size_t i = 0; i < analysis.read.size() && i < panel.coefficients.size(); ++i) {
        const exact::Reading& reading = analysis.read[i];
        if (reading.whole)
            continue;
        const QString typed = textbook::shortened(q(reading.text).simplified(), kTypedTextShown);
        notes << QStringLiteral("%1：“%2” 读作 %3")
                     .arg(coefficientName(panel.coefficients[i]), typed, signedNumber(reading.value));
    }
    if (analysis.error) {
        QString name;
        QString typed;
        for (const Field coefficient : panel.coefficients) {
            if (coefficient->name == analysis.error->field)
                name = coefficientName(coefficient);
        }
        for (const exact::Reading& reading : analysis.read) {
            if (reading.field == analysis.error->field)
                typed = textbook::shortened(q(reading.text).simplified(), kTypedTextShown);
        }
        notes << QStringLiteral("%1：“%2” 超出了数的范围（错误 %3），无法分析")
                     .arg(name, typed)
                     .arg(analysis.error->number);
    }
    readings.plain = notes.join(QLatin1Char('\n'));
    for (const QString& note : notes)
        readings.html
            += QStringLiteral("<div style=\"color: %1\">⚠ %2</div>").arg(kWarningColour, note.toHtmlEscaped());
    content.readings = std::move(readings);

    Section summary;
    summary.plain = analysis.error ? QString() : q(analysis.summary);
    summary.html = QStringLiteral("<b>") + textbook::rich(summary.plain) + QStringLiteral("</b>");
    content.summary = std::move(summary);

    Section roots;
    const QStringList lines = analysis.error       ? QStringList()
                              : isSystem(analysis) ? solutionLines(analysis)
                                                   : rootLines(analysis);
    content.rootsName = isSystem(analysis) ? QStringLiteral("解") : QStringLiteral("根");
    if (!lines.isEmpty()) {
        const QString heading = isSystem(analysis) ? QStringLiteral("解：") : QStringLiteral("根：");
        roots.plain = heading + QLatin1Char('\n') + lines.join(QLatin1Char('\n'));
        roots.html = QStringLiteral("<b>") + heading + QStringLiteral("</b>");
        for (const QString& line : lines)
            roots.html += QStringLiteral("<br>") + textbook::rich(line);
    }
    content.roots = std::move(roots);

    Section steps;
    if (!analysis.error && !analysis.steps.empty()) {
        QStringList lines;
        for (const std::string& step : analysis.steps)
            lines << textbook::shortened(q(step), kStepShown);
        steps.plain = QStringLiteral("解题过程：\n") + lines.join(QLatin1Char('\n'));
        steps.html = QStringLiteral("<b>解题过程：</b>");
        for (const QString& line : lines)
            steps.html += QStringLiteral("<br>") + textbook::rich(line);
    }
    content.steps = std::move(steps);

    content.graph = graphOf(analysis, content.graphDescription);
    content.graphName = isSystem(analysis) ? QStringLiteral("两直线的图像") : QStringLiteral("函数图像");
    return content;
}

void DetailsPage::present(const Content& content)
{
    setBusy(false);
    plain_.clear();
    plain_ << q(panel_.title);
    setSection(equation_, content.equation);
    setSection(readings_, content.readings);
    setSection(summary_, content.summary);
    roots_->setProperty(kCaption, content.rootsName);
    setSection(roots_, content.roots);
    setSection(steps_, content.steps);
    graph_->setModel(content.graph);
    graph_->setVisible(hasGraph());
    graph_->setAccessibleName(content.graphName);
    graph_->setAccessibleDescription(content.graphDescription);
    graph_->setToolTip(content.graphDescription);
    if (hasGraph())
        plain_ << QStringLiteral("图像：") + content.graphDescription;
}

void DetailsPage::present(const exact::Analysis& analysis) { present(contentOf(panel_, analysis)); }

} // namespace zembrel
