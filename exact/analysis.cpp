// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "analysis.h"

#include "algebra.h"
#include "reader.h"
#include "rounding.h"

#include <algorithm>
#include <array>
#include <utility>

namespace zembrel::exact {

namespace {

constexpr std::size_t kLongestExpression = 1000;
constexpr std::string_view kMinus = "−";
constexpr std::array<std::string_view, 3> kSubscripts{"₁", "₂", "₃"};

// ---- numbers as text --------------------------------------------------------

std::string book(std::string text)
{
    if (!text.empty() && text.front() == '-')
        return std::string(kMinus) + text.substr(1);
    return text;
}

// Beyond about 1 000 digits an exact form is no longer written out (the
// protocol's limit for EXPR); writing million-digit numbers as text would
// cost more than the whole analysis.
bool tooLong(const mpq_class& x)
{
    return mpz_sizeinbase(x.get_num().get_mpz_t(), 2) + mpz_sizeinbase(x.get_den().get_mpz_t(), 2) > 3400;
}

std::string bookRational(const mpq_class& x)
{
    if (tooLong(x))
        return "≈" + book(DecimalText(x));
    return book(RationalText(x));
}

// A coefficient as a textbook writes it: a short terminating decimal as a
// decimal ("−2.8"), anything else as a fraction.
std::string bookCoefficient(const mpq_class& x)
{
    mpz_class den = x.get_den();
    unsigned long places = 0;
    unsigned long twos = mpz_remove(den.get_mpz_t(), den.get_mpz_t(), mpz_class(2).get_mpz_t());
    unsigned long fives = mpz_remove(den.get_mpz_t(), den.get_mpz_t(), mpz_class(5).get_mpz_t());
    places = std::max(twos, fives);
    if (tooLong(x) || den != 1 || places == 0 || places > 30 || mpz_sizeinbase(x.get_num().get_mpz_t(), 10) > 40)
        return bookRational(x);
    mpz_class power;
    mpz_ui_pow_ui(power.get_mpz_t(), 10, places);
    const mpz_class scaled = abs(x.get_num()) * power / x.get_den();
    std::string digits = scaled.get_str();
    if (digits.size() <= places)
        digits.insert(0, places + 1 - digits.size(), '0');
    digits.insert(digits.size() - places, ".");
    return (x < 0 ? std::string(kMinus) : std::string()) + digits;
}

// Wrapped in parentheses when it begins with a minus, for "(−2.8)²".
std::string inner(const std::string& text) { return text.starts_with(kMinus) ? "(" + text + ")" : text; }

struct Surd {
    std::string expr;
    std::string book;
};

// |v|·√m as a term: "sqrt(5)/2", "3*sqrt(2)" and "√5/2", "3√2" (m = 1: rational).
Surd surdTerm(const mpq_class& magnitude, const mpz_class& m)
{
    const mpz_class& n = magnitude.get_num();
    const mpz_class& d = magnitude.get_den();
    if (m == 1)
        return {RationalText(magnitude), bookRational(magnitude)};
    const std::string root = "sqrt(" + m.get_str() + ")";
    const std::string bookRoot = "√" + m.get_str();
    Surd s;
    s.expr = (n == 1 ? root : n.get_str() + "*" + root) + (d == 1 ? "" : "/" + d.get_str());
    s.book = (n == 1 ? bookRoot : n.get_str() + bookRoot) + (d == 1 ? "" : "/" + d.get_str());
    return s;
}

Expression realExpression(const ExactValue& x)
{
    if (!x.known)
        return {std::nullopt, ""};
    if (x.rational() && tooLong(x.rationalValue()))
        return {std::nullopt, bookRational(x.rationalValue())};
    if (x.rational())
        return {RationalText(x.rationalValue()), bookRational(x.rationalValue())};
    if (tooLong(x.u) || tooLong(x.v) || mpz_sizeinbase(x.m.get_mpz_t(), 2) > 3400)
        return {std::nullopt, ""};
    Expression e;
    const Surd term = surdTerm(abs(x.v), x.m);
    const bool negative = x.v < 0;
    if (x.u == 0)
        e.exact = (negative ? "-" : "") + term.expr;
    else
        e.exact = RationalText(x.u) + (negative ? " - " : " + ") + term.expr;
    // Textbook: over one denominator, "(3 − √5)/2".
    mpz_class L;
    mpz_lcm(L.get_mpz_t(), x.u.get_den().get_mpz_t(), x.v.get_den().get_mpz_t());
    const mpz_class U = x.u.get_num() * (L / x.u.get_den());
    const mpz_class V = abs(x.v.get_num()) * (L / x.v.get_den());
    const Surd whole = surdTerm(mpq_class(V), x.m);
    std::string top = U == 0 ? (negative ? std::string(kMinus) : "") + whole.book
                             : book(U.get_str()) + " " + (negative ? std::string(kMinus) : "+") + " " + whole.book;
    if (L == 1)
        e.textbook = top;
    else
        e.textbook = (U == 0 ? top : "(" + top + ")") + "/" + L.get_str();
    return e;
}

Expression complexExpression(const ComplexRoot& root)
{
    if (root.real())
        return realExpression(root.re);
    if (!root.re.known || !root.im.known || tooLong(root.re.u) || tooLong(root.im.v)
        || mpz_sizeinbase(root.im.m.get_mpz_t(), 2) > 3400)
        return {std::nullopt, ""};
    const mpq_class re = root.re.rationalValue();
    const bool negative = root.im.v < 0;
    const Surd term = surdTerm(abs(root.im.v), root.im.m);
    std::string exprIm = term.expr == "1" ? "I" : term.expr + "*I";
    std::string bookIm = term.book == "1"                               ? "i"
                         : (root.im.m == 1 && root.im.v.get_den() == 1) ? term.book + "i"
                                                                        : "(" + term.book + ")i";
    Expression e;
    if (re == 0) {
        e.exact = (negative ? "-" : "") + exprIm;
        e.textbook = (negative ? std::string(kMinus) : "") + bookIm;
    } else {
        e.exact = RationalText(re) + (negative ? " - " : " + ") + exprIm;
        e.textbook = bookRational(re) + (negative ? " − " : " + ") + bookIm;
    }
    return e;
}

Root makeRoot(const ComplexRoot& root)
{
    Root r;
    r.value = complexExpression(root);
    if (r.value.exact && r.value.exact->size() > kLongestExpression)
        r.value.exact.reset();
    const Rounded re = RoundValue(root.re);
    r.re = re.decimal;
    r.reNearest = re.nearest.value_or(0);
    if (root.real()) {
        r.im = "0";
    } else {
        const Rounded im = RoundValue(root.im);
        r.im = im.decimal;
        r.imNearest = im.nearest.value_or(0);
    }
    if (r.value.textbook.empty())
        r.value.textbook
            = book(r.re)
              + (root.real() ? ""
                             : (r.im.starts_with('-') ? " − " : " + ")
                                   + book(r.im).substr(r.im.starts_with('-') ? std::string(kMinus).size() : 0) + "i")
              + "（近似）";
    r.multiplicity = root.multiplicity;
    return r;
}

double nearest(const mpq_class& x) { return NearestDouble(x).value_or(0); }

Expression rationalExpression(const mpq_class& x)
{
    if (tooLong(x))
        return {std::nullopt, bookRational(x)};
    return {RationalText(x), bookRational(x)};
}

// ---- reading ----------------------------------------------------------------

bool readAll(Analysis& analysis, std::span<const FieldText> fields)
{
    for (const FieldText& field : fields) {
        const ExactNumber number = ReadExact(field.text);
        if (number.overflow && !analysis.error)
            analysis.error = ReadFailure{6, std::string(field.field)};
        analysis.read.push_back({std::string(field.field), std::string(field.text), number.value, number.whole});
    }
    return !analysis.error;
}

std::string rootName(std::size_t i, std::size_t count)
{
    return count == 1 ? "x" : "x" + std::string(kSubscripts[std::min<std::size_t>(i, 2)]);
}

void addRoots(Analysis& analysis, const std::vector<ComplexRoot>& roots)
{
    for (const ComplexRoot& root : roots)
        analysis.roots.push_back(makeRoot(root));
}

std::string rootsLine(const Analysis& analysis)
{
    std::string line;
    std::size_t index = 0;
    const std::size_t count = [&] {
        std::size_t n = 0;
        for (const Root& r : analysis.roots)
            n += static_cast<std::size_t>(r.multiplicity);
        return n;
    }();
    for (const Root& r : analysis.roots) {
        if (!line.empty())
            line += "，";
        for (int k = 0; k < r.multiplicity; ++k)
            line += rootName(index++, count) + " = ";
        line += r.value.textbook;
    }
    return line;
}

void linearPart(Analysis& analysis, const mpq_class& a, const mpq_class& b, const std::string& equation)
{
    // a·x + b = 0
    if (a != 0) {
        const mpq_class x = Quotient(-b, a);
        analysis.kind = analysis.panel == "Quadratic" ? "linear" : "one";
        analysis.summary
            = analysis.panel == "Quadratic" ? "a = 0，方程是一元一次方程，有唯一解" : "a ≠ 0，方程有唯一解";
        analysis.roots.push_back(makeRoot({MakeValue(x, 0, 1), MakeValue(0, 0, 1), 1}));
        analysis.steps.push_back(equation);
        analysis.steps.push_back(bookCoefficient(a) + "x = " + bookCoefficient(-b));
        analysis.steps.push_back("x = −b/a = " + book(RationalText(-b)) + " ÷ " + inner(bookCoefficient(a)) + " = "
                                 + bookRational(x));
    } else if (b == 0) {
        analysis.kind = "identity";
        analysis.summary = "方程的系数都为 0，任意实数 x 都是方程的解";
        analysis.steps.push_back(equation);
        analysis.steps.push_back("0 = 0 恒成立，任意实数 x 都是方程的解");
    } else {
        analysis.kind = "none";
        analysis.summary = "未知数的系数为 0 而常数项不为 0，方程无解";
        analysis.steps.push_back(equation);
        analysis.steps.push_back(bookCoefficient(b) + " = 0 不成立，方程无解");
    }
}

// "x² − 0.2x + 0.01", leaving out zero terms.
std::string polynomial(const std::vector<std::pair<mpq_class, std::string>>& terms)
{
    std::string text;
    for (const auto& [c, power] : terms) {
        if (c == 0)
            continue;
        std::string magnitude = bookCoefficient(abs(c));
        if (!power.empty() && magnitude == "1")
            magnitude.clear();
        if (text.empty())
            text = c < 0 ? std::string(kMinus) : std::string();
        else
            text += c < 0 ? " − " : " + ";
        text += magnitude;
        text += power;
    }
    return text.empty() ? "0" : text;
}

std::string factor(const mpq_class& r)
{
    if (r == 0)
        return "x";
    return "(x " + std::string(r > 0 ? "− " : "+ ") + bookRational(abs(r)) + ")";
}

} // namespace

Analysis AnalyseLinear(std::span<const FieldText> fields)
{
    Analysis analysis;
    analysis.panel = "Linear";
    if (!readAll(analysis, fields))
        return analysis;
    const mpq_class& a = analysis.read.at(0).value;
    const mpq_class& b = analysis.read.at(1).value;
    linearPart(analysis, a, b,
               "方程 " + polynomial({{a, "x"}, {b, ""}}) + " = 0（a = " + bookCoefficient(a)
                   + "，b = " + bookCoefficient(b) + "）");
    return analysis;
}

Analysis AnalyseQuadratic(std::span<const FieldText> fields)
{
    Analysis analysis;
    analysis.panel = "Quadratic";
    if (!readAll(analysis, fields))
        return analysis;
    const mpq_class& a = analysis.read.at(0).value;
    const mpq_class& b = analysis.read.at(1).value;
    const mpq_class& c = analysis.read.at(2).value;
    const std::string equation = "方程 " + polynomial({{a, "x²"}, {b, "x"}, {c, ""}})
                                 + " = 0（a = " + bookCoefficient(a) + "，b = " + bookCoefficient(b)
                                 + "，c = " + bookCoefficient(c) + "）";
    if (a == 0) {
        linearPart(analysis, b, c, equation);
        if (analysis.kind == "identity")
            analysis.summary = "a = b = c = 0，任意实数 x 都是方程的解";
        else if (analysis.kind == "none")
            analysis.summary = "a = b = 0 而 c ≠ 0，方程无解";
        return analysis;
    }
    const mpq_class D = QuadraticDiscriminant(a, b, c);
    analysis.discriminant = D;
    analysis.vertexX = Quotient(-b, 2 * a);
    // c − b²/(4a) rather than −Δ/(4a): when one coefficient is long, each
    // fraction here has a short part to reduce by.
    const mpq_class bSquared(b.get_num() * b.get_num(), b.get_den() * b.get_den()); // lowest terms as b is
    analysis.vertexY = c - Quotient(bSquared, 4 * a);
    analysis.sum = Quotient(-b, a);
    analysis.product = Quotient(c, a);
    const std::vector<ComplexRoot> roots = QuadraticRoots(a, b, c);
    addRoots(analysis, roots);
    const int s = sgn(D);
    analysis.kind = s > 0 ? "two-real" : s == 0 ? "double" : "complex";
    analysis.summary = s > 0    ? "Δ > 0，方程有两个不相等的实数根"
                       : s == 0 ? "Δ = 0，方程有两个相等的实数根"
                                : "Δ < 0，方程没有实数根，有两个共轭虚数根";
    analysis.turningPoints.push_back({rationalExpression(*analysis.vertexX), rationalExpression(*analysis.vertexY),
                                      nearest(*analysis.vertexX), nearest(*analysis.vertexY)});

    auto& steps = analysis.steps;
    steps.push_back(equation);
    steps.push_back("Δ = b² − 4ac = " + inner(bookCoefficient(b)) + "² − 4 × " + inner(bookCoefficient(a)) + " × "
                    + inner(bookCoefficient(c)) + " = " + bookRational(D));
    if (s > 0) {
        steps.push_back("Δ > 0，方程有两个不相等的实数根");
        steps.push_back("x = (−b ± √Δ)/(2a)");
        steps.push_back(rootsLine(analysis));
    } else if (s == 0) {
        steps.push_back("方程有两个相等的实数根 x₁ = x₂ = −b/(2a) = " + analysis.roots[0].value.textbook);
    } else {
        steps.push_back("Δ < 0，方程没有实数根；在复数范围内 x = (−b ± i√(−Δ))/(2a)");
        steps.push_back(rootsLine(analysis));
    }
    steps.push_back("根与系数的关系：x₁ + x₂ = −b/a = " + bookRational(*analysis.sum)
                    + "，x₁x₂ = c/a = " + bookRational(*analysis.product));
    steps.push_back("抛物线 y = " + polynomial({{a, "x²"}, {b, "x"}, {c, ""}}) + " 的顶点为 ("
                    + bookRational(*analysis.vertexX) + ", " + bookRational(*analysis.vertexY)
                    + ")，对称轴 x = " + bookRational(*analysis.vertexX));
    const bool rationalRoots
        = std::all_of(roots.begin(), roots.end(), [](const ComplexRoot& r) { return r.real() && r.re.rational(); });
    if (rationalRoots) {
        std::string form = a == 1 ? "" : a == -1 ? std::string(kMinus) : inner(bookCoefficient(a));
        for (const ComplexRoot& r : roots) {
            const std::string f = factor(r.re.rationalValue());
            form += r.multiplicity == 2 ? (f == "x" ? "x²" : f + "²") : f;
        }
        steps.push_back("因式分解：" + form + " = 0");
    }
    return analysis;
}

Analysis AnalyseCubic(std::span<const FieldText> fields)
{
    Analysis analysis;
    analysis.panel = "Cubic";
    if (!readAll(analysis, fields))
        return analysis;
    const mpq_class& p = analysis.read.at(0).value;
    const mpq_class& q = analysis.read.at(1).value;
    const mpq_class disc = CubicDiscriminant(p, q);
    analysis.discriminant = disc;
    const CubicRoots solved = SolveCubicExact(p, q, disc);
    addRoots(analysis, solved.roots);
    const int s = sgn(disc);
    if (p == 0 && q == 0)
        analysis.kind = "triple";
    else
        analysis.kind = s > 0 ? "one-real" : s == 0 ? "double" : "three-real";
    analysis.summary = analysis.kind == "triple"   ? "p = q = 0，方程有三个相等的实数根 x = 0"
                       : analysis.kind == "double" ? "Δ = 0，方程有三个实数根，其中两个相等"
                       : s > 0                     ? "Δ > 0，方程有一个实数根和两个共轭虚数根"
                                                   : "Δ < 0，方程有三个不相等的实数根";
    if (p < 0) {
        // Turning points where 3x² + p = 0: x = ±√(−p/3).
        mpq_class k;
        mpz_class m;
        SimplestSqrt(-p / 3, k, m);
        for (const int side : {-1, 1}) {
            const ExactValue x = MakeValue(0, side * k, m);
            // y = x³ + px + q = x(x² + p) + q = x·(2p/3) + q
            const ExactValue y
                = MakeValue(q, Reduced(side * 2 * k.get_num() * p.get_num(), 3 * k.get_den() * p.get_den()), m);
            analysis.turningPoints.push_back({realExpression(x), realExpression(y), RoundValue(x).nearest.value_or(0),
                                              RoundValue(y).nearest.value_or(0)});
        }
    }

    auto& steps = analysis.steps;
    steps.push_back("方程 " + polynomial({{1, "x³"}, {p, "x"}, {q, ""}}) + " = 0（p = " + bookCoefficient(p)
                    + "，q = " + bookCoefficient(q) + "）");
    steps.push_back("Δ = (q/2)² + (p/3)³ = " + inner(bookRational(q / 2)) + "² + " + inner(bookRational(p / 3))
                    + "³ = " + bookRational(disc));
    if (analysis.kind == "triple") {
        steps.push_back("p = q = 0，方程即 x³ = 0");
    } else if (analysis.kind == "double") {
        steps.push_back("Δ = 0 且 p ≠ 0：x₁ = 3q/p = " + bookRational(Quotient(3 * q, p))
                        + "，x₂ = x₃ = −3q/(2p) = " + bookRational(Quotient(-3 * q, 2 * p)));
    } else if (s > 0) {
        steps.push_back("Δ > 0，用卡尔达诺公式：x = ∛(−q/2 + √Δ) + ∛(−q/2 − √Δ)");
    } else {
        steps.push_back("Δ < 0，用三角函数法：x = 2√(−p/3)·cos(θ/3 − 2kπ/3)，cos θ = (3q/(2p))·√(−3/p)，k = 0, 1, 2");
    }
    if (solved.rationalRoot && analysis.kind != "triple" && analysis.kind != "double") {
        const mpq_class& r = *solved.rationalRoot;
        steps.push_back("x = " + bookRational(r) + " 是方程的有理根，因式分解：" + factor(r) + "("
                        + polynomial({{1, "x²"}, {r, "x"}, {r * r + p, ""}}) + ") = 0");
    } else if (!solved.searched) {
        steps.push_back("系数过长，不再寻找有理根；以下为精确到 20 位有效数字的近似值");
    }
    steps.push_back(rootsLine(analysis));
    return analysis;
}

// ---- the system -------------------------------------------------------------

namespace {

struct Affine {
    mpq_class constant;
    std::array<mpq_class, 2> parameter; // coefficients of t and s
};

constexpr std::array<std::string_view, 2> kParameters{"t", "s"};

Expression affineExpression(const Affine& x)
{
    std::string expr, text;
    if (x.constant != 0) {
        expr = RationalText(x.constant);
        text = bookRational(x.constant);
    }
    for (std::size_t k = 0; k < 2; ++k) {
        const mpq_class& c = x.parameter[k];
        if (c == 0)
            continue;
        const std::string name(kParameters[k]);
        const mpq_class magnitude = abs(c);
        const std::string exprTerm = magnitude == 1 ? name : RationalText(magnitude) + "*" + name;
        const std::string bookTerm = magnitude == 1             ? name
                                     : magnitude.get_den() == 1 ? RationalText(magnitude) + name
                                                                : "(" + RationalText(magnitude) + ")" + name;
        if (expr.empty()) {
            expr = (c < 0 ? "-" : "") + exprTerm;
            text = (c < 0 ? std::string(kMinus) : "") + bookTerm;
        } else {
            expr += (c < 0 ? " - " : " + ") + exprTerm;
            text += (c < 0 ? " − " : " + ") + bookTerm;
        }
    }
    if (expr.empty())
        return {"0", "0"};
    return {expr, text};
}

const std::array<std::string, 3> kUnknowns{"X", "Y", "Z"};

std::string equationText(const std::vector<mpq_class>& row, std::size_t n)
{
    std::vector<std::pair<mpq_class, std::string>> terms;
    for (std::size_t j = 0; j < n; ++j)
        terms.emplace_back(row[j], kUnknowns[j]);
    return polynomial(terms) + " = " + bookCoefficient(row[n]);
}

} // namespace

Analysis AnalyseSystem(std::span<const FieldText> fields)
{
    Analysis analysis;
    analysis.panel = "System";
    if (!readAll(analysis, fields))
        return analysis;
    const auto v = [&](std::size_t i) -> const mpq_class& { return analysis.read.at(i).value; };
    // Equation i: a·X + b·Y + c·Z + d = 0, as rows [a, b, c | −d].
    std::array<std::array<mpq_class, 4>, 3> eq;
    for (std::size_t i = 0; i < 3; ++i)
        eq[i] = {v(3 * i), v(3 * i + 1), v(3 * i + 2), -v(9 + i)};
    const bool twoVariables = eq[0][2] == 0 && eq[1][2] == 0 && eq[2][2] == 0;
    const std::size_t n = twoVariables ? 2 : 3;
    analysis.mode = static_cast<int>(n);
    std::vector<std::vector<mpq_class>> rows;
    for (std::size_t i = 0; i < 3; ++i) {
        const bool allZero = std::all_of(eq[i].begin(), eq[i].end(), [](const mpq_class& x) { return x == 0; });
        if (twoVariables && i == 2 && allZero)
            continue;
        rows.push_back(n == 2 ? std::vector<mpq_class>{eq[i][0], eq[i][1], eq[i][3]}
                              : std::vector<mpq_class>{eq[i][0], eq[i][1], eq[i][2], eq[i][3]});
    }
    auto& steps = analysis.steps;
    steps.push_back(n == 2 ? "Z 的系数都为 0，按二元一次方程组求解：" : "三元一次方程组：");
    for (const auto& row : rows)
        steps.push_back(equationText(row, n));

    // The determinants in whole numbers: each equation times the common
    // multiple of its denominators, so no fraction is reduced until the end.
    std::array<std::vector<mpz_class>, 3> whole;
    mpz_class scale = 1;
    for (std::size_t i = 0; i < n; ++i) {
        const std::array<const mpq_class*, 4> terms{&eq[i][0], &eq[i][1], &eq[i][2], &eq[i][3]};
        mpz_class multiple;
        whole[i] = WholeTerms(terms, multiple);
        scale *= multiple;
    }
    // Column j of the coefficients replaced by the constants when j < n.
    const auto wholeDeterminant = [&](std::size_t replaced) {
        const auto at
            = [&](std::size_t i, std::size_t j) -> const mpz_class& { return whole[i][j == replaced ? 3 : j]; };
        if (n == 2)
            return mpz_class(at(0, 0) * at(1, 1) - at(0, 1) * at(1, 0));
        return mpz_class(at(0, 0) * (at(1, 1) * at(2, 2) - at(1, 2) * at(2, 1))
                         - at(0, 1) * (at(1, 0) * at(2, 2) - at(1, 2) * at(2, 0))
                         + at(0, 2) * (at(1, 0) * at(2, 1) - at(1, 1) * at(2, 0)));
    };
    const mpz_class D = wholeDeterminant(n);
    analysis.determinant = Reduced(D, scale);
    if (n == 2) {
        steps.push_back("D = |a₁ b₁; a₂ b₂| = " + inner(bookCoefficient(eq[0][0])) + " × "
                        + inner(bookCoefficient(eq[1][1])) + " − " + inner(bookCoefficient(eq[0][1])) + " × "
                        + inner(bookCoefficient(eq[1][0])) + " = " + bookRational(*analysis.determinant));
    } else {
        steps.push_back("系数行列式 D = " + bookRational(*analysis.determinant));
    }
    const bool square = rows.size() == n;
    if (square && *analysis.determinant != 0) {
        // Cramer's rule: each unknown is D_j / D, column j replaced by the constants.
        for (std::size_t j = 0; j < n; ++j) {
            const mpz_class wholeDj = wholeDeterminant(j);
            const mpq_class Dj = Reduced(wholeDj, scale);
            const mpq_class x = Reduced(wholeDj, D);
            steps.push_back("D" + std::string(1, static_cast<char>('x' + j)) + " = " + bookRational(Dj) + "，"
                            + kUnknowns[j] + " = D" + std::string(1, static_cast<char>('x' + j))
                            + "/D = " + bookRational(x));
            analysis.solution.push_back({kUnknowns[j], x, DecimalText(x), nearest(x)});
        }
        analysis.kind = "unique";
        analysis.summary = "D ≠ 0，方程组有唯一解";
        return analysis;
    }

    // Gauss–Jordan elimination in rationals: the pivots no longer matter.
    std::vector<std::size_t> pivotColumn;
    std::size_t r = 0;
    for (std::size_t col = 0; col < n && r < rows.size(); ++col) {
        std::size_t pivot = r;
        while (pivot < rows.size() && rows[pivot][col] == 0)
            ++pivot;
        if (pivot == rows.size())
            continue;
        std::swap(rows[r], rows[pivot]);
        const mpq_class lead = rows[r][col];
        for (auto& x : rows[r])
            x /= lead;
        for (std::size_t i = 0; i < rows.size(); ++i) {
            if (i == r || rows[i][col] == 0)
                continue;
            const mpq_class f = rows[i][col];
            for (std::size_t k = 0; k <= n; ++k)
                rows[i][k] -= f * rows[r][k];
        }
        pivotColumn.push_back(col);
        ++r;
    }
    steps.push_back("用消元法化简：");
    for (const auto& row : rows)
        steps.push_back(equationText(row, n));
    for (std::size_t i = r; i < rows.size(); ++i) {
        if (rows[i][n] != 0) {
            analysis.kind = "none";
            analysis.summary = "方程组中出现矛盾的方程 0 = " + bookCoefficient(rows[i][n]) + "，方程组无解";
            steps.push_back("0 = " + bookCoefficient(rows[i][n]) + " 不成立，方程组无解");
            return analysis;
        }
    }
    std::vector<Affine> value(n);
    std::size_t parameter = 0;
    std::vector<bool> isPivot(n, false);
    for (const std::size_t col : pivotColumn)
        isPivot[col] = true;
    for (std::size_t j = 0; j < n; ++j) {
        if (!isPivot[j])
            value[j].parameter[parameter++] = 1;
    }
    for (std::size_t i = 0; i < pivotColumn.size(); ++i) {
        Affine& x = value[pivotColumn[i]];
        x.constant = rows[i][n];
        for (std::size_t j = 0; j < n; ++j) {
            if (isPivot[j] || j == pivotColumn[i])
                continue;
            for (std::size_t k = 0; k < 2; ++k)
                x.parameter[k] -= rows[i][j] * value[j].parameter[k];
        }
    }
    if (parameter == 0) {
        analysis.kind = "unique";
        analysis.summary = "方程组有唯一解";
        for (std::size_t j = 0; j < n; ++j)
            analysis.solution.push_back(
                {kUnknowns[j], value[j].constant, DecimalText(value[j].constant), nearest(value[j].constant)});
        return analysis;
    }
    analysis.kind = "infinite";
    analysis.summary = "方程组有无数组解";
    std::string line = parameter == 1 ? "令自由未知数为 t，通解为 " : "令自由未知数为 t、s，通解为 ";
    for (std::size_t j = 0; j < n; ++j) {
        const Expression e = affineExpression(value[j]);
        analysis.general.push_back({kUnknowns[j], e});
        line += (j ? "，" : "") + kUnknowns[j] + " = " + e.textbook;
    }
    steps.push_back(line);
    return analysis;
}

} // namespace zembrel::exact
