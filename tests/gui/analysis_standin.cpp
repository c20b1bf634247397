// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// A stand-in for the exact core while it is being built: the analyses of the
// equations the GUI tests and the README's pictures type, written out by
// hand, and for any other text only what was read. The window links the real
// core (zembrel_exact) as soon as the build has it.

#include "analysis.h"

#include <cctype>
#include <map>
#include <string>

namespace zembrel::exact {

namespace {

// Sign, digits and one point; the rest of the text is not read.
Reading readOf(const FieldText& field)
{
    Reading reading{std::string(field.field), std::string(field.text), 0, true};
    std::string digits;
    std::size_t i = 0;
    const std::string& text = reading.text;
    while (i < text.size() && text[i] == ' ')
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+'))
        negative = text[i++] == '-';
    long scale = 0;
    bool point = false;
    for (; i < text.size(); ++i) {
        if (std::isdigit(static_cast<unsigned char>(text[i]))) {
            digits += text[i];
            scale += point ? 1 : 0;
        } else if (text[i] == '.' && !point) {
            point = true;
        } else {
            break;
        }
    }
    while (i < text.size() && text[i] == ' ')
        ++i;
    reading.whole = i == text.size();
    if (!digits.empty()) {
        mpz_class denominator;
        mpz_ui_pow_ui(denominator.get_mpz_t(), 10, static_cast<unsigned long>(scale));
        reading.value = mpq_class(mpz_class(digits), denominator);
        reading.value.canonicalize();
        if (negative)
            reading.value = -reading.value;
    }
    return reading;
}

Root root(std::string exact, std::string textbook, std::string re, double nearest, int multiplicity = 1,
          std::string im = "0", double imNearest = 0)
{
    return {{std::move(exact), std::move(textbook)}, std::move(re), std::move(im), nearest, imNearest, multiplicity};
}

Point point(std::string x, std::string y, double xNearest, double yNearest)
{
    return {{x, x}, {std::move(x), std::move(y)}, xNearest, yNearest};
}

using Known = std::map<std::string, Analysis>;

Known known()
{
    Known k;
    Analysis a;

    a = {};
    a.kind = "one";
    a.summary = "a ≠ 0，方程有唯一解";
    a.roots = {root("-1/3", "−1/3", "-0.33333333333333333333", -1.0 / 3)};
    a.steps = {"3x + 1 = 0", "3x = −1", "x = −1/3"};
    k["Linear|3|1"] = a;

    a = {};
    a.kind = "one";
    a.summary = "a ≠ 0，方程有唯一解";
    a.roots = {root("-1", "−1", "-1", -1)};
    a.steps = {"x + 1 = 0", "x = −1"};
    k["Linear|1/3|1"] = a;

    a = {};
    a.kind = "two-real";
    a.summary = "Δ > 0，方程有两个不相等的实数根";
    a.roots = {root("3/2 - sqrt(5)/2", "(3 − √5)/2", "0.38196601125010515180", 0.3819660112501051),
               root("3/2 + sqrt(5)/2", "(3 + √5)/2", "2.6180339887498948482", 2.618033988749895)};
    a.discriminant = 5;
    a.vertexX = mpq_class(3, 2);
    a.vertexY = mpq_class(-5, 4);
    a.sum = 3;
    a.product = 1;
    a.turningPoints = {point("3/2", "−5/4", 1.5, -1.25)};
    a.steps = {"Δ = b² − 4ac = (−3)² − 4 × 1 × 1 = 5 > 0", "x = (−b ± √Δ)/(2a) = (3 ± √5)/2",
               "x₁ = (3 − √5)/2，x₂ = (3 + √5)/2", "顶点 (−b/(2a), (4ac − b²)/(4a)) = (3/2, −5/4)",
               "x₁ + x₂ = −b/a = 3，x₁x₂ = c/a = 1"};
    k["Quadratic|1|-3|1"] = a;

    a = {};
    a.kind = "double";
    a.summary = "Δ = 0，方程有两个相等的实数根";
    a.roots = {root("7/20", "7/20", "0.35", 0.35, 2)};
    a.discriminant = 0;
    a.vertexX = mpq_class(7, 20);
    a.vertexY = 0;
    a.sum = mpq_class(7, 10);
    a.product = mpq_class(49, 400);
    a.turningPoints = {point("7/20", "0", 0.35, 0)};
    a.steps = {"Δ = b² − 4ac = (−2.8)² − 4 × 4 × 0.49 = 0", "方程有两个相等的实数根 x₁ = x₂ = 7/20",
               "4x² − 2.8x + 0.49 = 4(x − 7/20)²"};
    k["Quadratic|4|-2.8|0.49"] = a;

    a = {};
    a.kind = "complex";
    a.summary = "Δ < 0，方程有两个共轭虚数根";
    a.roots = {root("I", "i", "0", 0, 1, "1", 1), root("-I", "−i", "0", 0, 1, "-1", -1)};
    a.discriminant = -4;
    a.vertexX = 0;
    a.vertexY = 1;
    a.sum = 0;
    a.product = 1;
    a.turningPoints = {point("0", "1", 0, 1)};
    a.steps = {"Δ = b² − 4ac = 0² − 4 × 1 × 1 = −4 < 0", "x = (−b ± √Δ)/(2a) = ±i"};
    k["Quadratic|1|0|1"] = a;

    a = {};
    a.kind = "three-real";
    a.summary = "判别式 < 0，方程有三个不相等的实数根";
    a.roots = {root("-3", "−3", "-3", -3), root("1", "1", "1", 1), root("2", "2", "2", 2)};
    a.discriminant = mpq_class(-100, 27);
    a.turningPoints = {point("−√21/3", "6 + 14√21/9", -1.5275252316519468, 13.128451081042411),
                       point("√21/3", "6 − 14√21/9", 1.5275252316519468, -1.1284510810424107)};
    a.steps = {"(q/2)² + (p/3)³ = 3² + (−7/3)³ = −100/27 < 0", "x = 1 是方程的根",
               "x³ − 7x + 6 = (x − 1)(x² + x − 6) = (x − 1)(x − 2)(x + 3)"};
    k["Cubic|-7|6"] = a;

    a = {};
    a.kind = "one-real";
    a.summary = "判别式 > 0，方程有一个实数根和两个共轭虚数根";
    a.roots = {root({}, "∛(−1/2 + √93/18) + ∛(−1/2 − √93/18)", "-0.68232780382801932737", -0.6823278038280193),
               root({}, "", "0.34116390191400966368", 0.34116390191400966, 1, "1.1615413999972519361", 1.161541399997252),
               root({}, "", "0.34116390191400966368", 0.34116390191400966, 1, "-1.1615413999972519361",
                    -1.161541399997252)};
    a.roots[0].value.exact = std::nullopt;
    a.discriminant = mpq_class(31, 108);
    a.steps = {"(q/2)² + (p/3)³ = (1/2)² + (1/3)³ = 31/108 > 0", "卡尔达诺公式：x = ∛(−q/2 + √Δ) + ∛(−q/2 − √Δ)"};
    k["Cubic|1|1"] = a;

    const auto unknown = [](std::string name, mpq_class value, std::string decimal, double nearest) {
        return Unknown{std::move(name), std::move(value), std::move(decimal), nearest};
    };
    a = {};
    a.kind = "unique";
    a.summary = "D ≠ 0，方程组有唯一解";
    a.mode = 2;
    a.determinant = -5;
    a.solution = {unknown("X", 2, "2", 2), unknown("Y", 1, "1", 1)};
    a.steps = {"D = a₁b₂ − a₂b₁ = 2 × (−1) − 1 × 3 = −5", "X = D_X/D = −10/(−5) = 2", "Y = D_Y/D = −5/(−5) = 1"};
    k["System|2|3|0|1|-1|0|0|0|0|-7|-1|0"] = a;

    a = {};
    a.kind = "none";
    a.summary = "D = 0，两直线平行，方程组无解";
    a.mode = 2;
    a.determinant = 0;
    a.steps = {"D = 1 × 2 − 2 × 1 = 0", "② − 2 × ①：0 = −1，矛盾"};
    k["System|1|1|0|2|2|0|0|0|0|-1|-3|0"] = a;

    a = {};
    a.kind = "infinite";
    a.summary = "D = 0，两直线重合，方程组有无数组解";
    a.mode = 2;
    a.determinant = 0;
    a.general = {{"X", {"t", "t"}}, {"Y", {"1 - t", "1 − t"}}};
    a.steps = {"D = 1 × 2 − 2 × 1 = 0", "② = 2 × ①", "设 X = t，则 Y = 1 − t"};
    k["System|1|1|0|2|2|0|0|0|0|-1|-2|0"] = a;

    a = {};
    a.kind = "unique";
    a.summary = "D ≠ 0，方程组有唯一解";
    a.mode = 3;
    a.determinant = 5;
    a.solution = {unknown("X", 1, "1", 1), unknown("Y", 2, "2", 2), unknown("Z", 3, "3", 3)};
    a.steps = {"D = 5", "X = D_X/D = 1", "Y = D_Y/D = 2", "Z = D_Z/D = 3"};
    k["System|1|1|1|2|-1|0|0|1|-1|-6|0|1"] = a;
    return k;
}

Analysis analyse(std::string panel, std::span<const FieldText> fields)
{
    static const Known table = known();
    std::string key = panel;
    for (const FieldText& field : fields)
        key += "|" + (field.text.empty() ? std::string("0") : std::string(field.text));
    Analysis analysis;
    if (const auto found = table.find(key); found != table.end())
        analysis = found->second;
    else
        analysis.summary = "（尚无精确分析）";
    analysis.panel = std::move(panel);
    analysis.read.clear();
    for (const FieldText& field : fields)
        analysis.read.push_back(readOf(field));
    return analysis;
}

} // namespace

Analysis AnalyseLinear(std::span<const FieldText> fields) { return analyse("Linear", fields); }
Analysis AnalyseQuadratic(std::span<const FieldText> fields) { return analyse("Quadratic", fields); }
Analysis AnalyseCubic(std::span<const FieldText> fields) { return analyse("Cubic", fields); }
Analysis AnalyseSystem(std::span<const FieldText> fields)
{
    Analysis analysis = analyse("System", fields);
    if (analysis.mode == 0)
        analysis.mode = 2;
    return analysis;
}

} // namespace zembrel::exact
