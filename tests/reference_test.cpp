// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Every panel against the truth: thousands of generated equations, typed,
// solved and checked through the event table as a user would, and what the
// panel shows judged against answers worked out exactly (whole numbers of
// 1e-5 in 128-bit integers) or in 113-bit floating point. Every root shown
// is also held to the exact root rounded once: its text read back exactly
// must be the only place the exact root can round to.

#include "session.h"

#include <gmpxx.h>
#include <gtest/gtest.h>
#include <quadmath.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace zembrel {
namespace {

__extension__ typedef __int128 Integer;
__extension__ typedef __float128 Quad;

using Lines = std::vector<std::string>;
using Rng = std::mt19937_64;

// Every generated coefficient is a whole number of 1e-5, held scaled by 10^5.
constexpr int kDecimals = 5;
constexpr Integer kUnit = 100000;

// Inputs per distribution (per shape for the system panel).
constexpr int kCount = 1000;
constexpr int kSystemCount = 150;

int below(Rng& rng, int n) { return static_cast<int>(rng() % static_cast<std::uint64_t>(n)); }

Integer wholeUpTo(Rng& rng, int bound) { return Integer(below(rng, 2 * bound + 1) - bound) * kUnit; }

// One to three significant digits, either sign, magnitude in [10^low, 10^high).
Integer decimalBetween(Rng& rng, int low, int high)
{
    const int digits = 1 + below(rng, 3);
    const int decade = low + below(rng, high - low);
    Integer first = 1;
    for (int i = 1; i < digits; ++i)
        first *= 10;
    Integer scaled = first + below(rng, static_cast<int>(9 * first));
    for (int i = 0; i < decade - (digits - 1) + kDecimals; ++i)
        scaled *= 10;
    return below(rng, 2) == 0 ? scaled : -scaled;
}

struct Distribution {
    const char* name;
    Integer (*draw)(Rng&);
};

// clang-format off
const Distribution kDistributions[] = {
    {"integers in [-20, 20]", [](Rng& rng) { return wholeUpTo(rng, 20); }},
    {"integers in [-1000, 1000]", [](Rng& rng) { return wholeUpTo(rng, 1000); }},
    {"1 to 3 digits in 1e-2..1e3", [](Rng& rng) { return decimalBetween(rng, -2, 3); }},
    {"1 to 3 digits in 1e-3..1e6", [](Rng& rng) { return decimalBetween(rng, -3, 6); }},
};
// clang-format on

Integer nonZero(Rng& rng, const Distribution& d)
{
    for (;;) {
        if (const Integer value = d.draw(rng); value != 0)
            return value;
    }
}

// The text a user types for the value: "-0.00123", "370000", "0".
std::string textOf(Integer scaled)
{
    Integer magnitude = scaled < 0 ? -scaled : scaled;
    std::string digits;
    do {
        digits.insert(digits.begin(), static_cast<char>('0' + static_cast<int>(magnitude % 10)));
        magnitude /= 10;
    } while (magnitude != 0);
    if (digits.size() <= kDecimals)
        digits.insert(0, kDecimals + 1 - digits.size(), '0');
    std::string text = digits.substr(0, digits.size() - kDecimals);
    std::string fraction = digits.substr(digits.size() - kDecimals);
    fraction.erase(fraction.find_last_not_of('0') + 1);
    if (!fraction.empty())
        text += "." + fraction;
    return scaled < 0 ? "-" + text : text;
}

Quad valueOf(Integer scaled) { return Quad(scaled) / Quad(kUnit); }

std::string show(Quad value)
{
    std::array<char, 64> buffer{};
    quadmath_snprintf(buffer.data(), buffer.size(), "%.21Qg", value);
    return buffer.data();
}

Quad magnitude(Quad re, Quad im) { return sqrtq(re * re + im * im); }

// The step of the last digit a shown number can have: its 15th significant
// digit or the pattern's last decimal, whichever is coarser.
Quad stepOf(Quad value, int decimals)
{
    const Quad lastDecimal = powq(10, -decimals);
    if (value == 0)
        return lastDecimal;
    return std::max(powq(10, floorq(log10q(fabsq(value))) - 14), lastDecimal);
}

// Str writes every significant digit it keeps, with no decimals limit.
constexpr int kStrDecimals = 400;

// A root as the panel shows it, next to the exact root and the size of the
// answer that its error is measured against.
struct Compared {
    Quad error;
    Quad step;
    Quad size;

    bool rightTo(Quad relative) const { return error <= step || error <= relative * size; }
};

// A Format text such as "-0.0204081632653061", or a Str pair " 1 + 2 i".
struct Shown {
    Quad re = 0;
    Quad im = 0;
    Quad step = 0;
};

Shown shownOf(const std::string& text, int decimals)
{
    char* end = nullptr;
    Shown shown;
    shown.re = strtoflt128(text.c_str(), &end);
    const std::string_view rest(end);
    if (rest.empty()) {
        shown.step = stepOf(shown.re, decimals);
        return shown;
    }
    // re, " +" or " -", im, " i"
    shown.im = strtoflt128(end + 2, nullptr);
    if (rest.starts_with(" -"))
        shown.im = -shown.im;
    shown.step = std::max(stepOf(shown.re, kStrDecimals), stepOf(shown.im, kStrDecimals));
    return shown;
}

Compared compare(const Shown& shown, Quad re, Quad im, Quad size)
{
    return {magnitude(shown.re - re, shown.im - im), shown.step, size};
}

// NotAllowed: the check button was left disabled (complex roots).
enum class Verdict { None, Right, Wrong, NotAllowed };

struct VerdictTexts {
    std::string right;
    std::string wrong;
};

const VerdictTexts kEquationVerdicts{R"(["msgbox", 0, "计算正确"])",
                                     R"(["msgbox", 0, "计算可能有误，请刷新后再试。"])"};
const VerdictTexts kSystemVerdicts{R"(["msgbox", 0, "方程组解正确！"])",
                                   R"(["msgbox", 0, "方程组解可能有误，请重新调整顺序后再试！"])"};

Verdict verdictOf(const Lines& lines, const VerdictTexts& texts)
{
    if (std::ranges::find(lines, texts.right) != lines.end())
        return Verdict::Right;
    if (std::ranges::find(lines, texts.wrong) != lines.end())
        return Verdict::Wrong;
    return Verdict::None;
}

bool writes(const Lines& lines, Field field)
{
    const std::string start = R"(["text", ")" + std::string(field.name()) + R"(")";
    return std::ranges::any_of(lines, [&](const std::string& line) { return line.starts_with(start); });
}

// The faults found, by kind, each with the first inputs that show it.
class Findings {
public:
    void add(const std::string& kind, const std::string& example)
    {
        Kind& k = kinds_[kind];
        if (k.examples.size() < 3)
            k.examples.push_back(example);
        ++k.count;
    }

    bool empty() const { return kinds_.empty(); }

    std::string report() const
    {
        std::string text;
        for (const auto& [kind, k] : kinds_) {
            text += kind + ": " + std::to_string(k.count) + "\n";
            for (const std::string& example : k.examples)
                text += "    " + example + "\n";
        }
        return text;
    }

private:
    struct Kind {
        int count = 0;
        std::vector<std::string> examples;
    };
    std::map<std::string, Kind> kinds_;
};

// Shown roots, the check's verdict and the truth of both. `miss` is how far,
// relative to its size, an equation the roots did not come from misses them.
void judge(Findings& findings, const std::string& where, const std::vector<Compared>& roots, Verdict verdict,
           Quad miss = 0)
{
    const bool shownWrong = !std::ranges::all_of(roots, [](const Compared& c) { return c.rightTo(1e-6); });
    // A typed third equation must hold exactly: any miss makes the answer wrong.
    const bool right = std::ranges::all_of(roots, [](const Compared& c) { return c.rightTo(1e-12); }) && miss == 0;
    const bool wrong = shownWrong || miss > 0;
    if (shownWrong)
        findings.add("a shown root is wrong beyond 1e-6", where);
    if (wrong && verdict == Verdict::Right)
        findings.add("the check passes a wrong answer", where);
    if (right && verdict == Verdict::Wrong)
        findings.add("the check fails a right answer", where);
    if (verdict == Verdict::None)
        findings.add("the check gives no verdict", where);
}

std::string field(Field f, testing::Session& session) { return std::string(f.name()) + " " + session.window().text(f); }

// A fresh window for each of `count` inputs of every distribution, drawn
// from a fixed seed so that every run judges the same equations.
template <typename Body>
void generate(std::uint64_t seed, int count, const Body& body)
{
    for (const Distribution& d : kDistributions) {
        Rng rng(seed);
        for (int i = 0; i < count; ++i) {
            testing::Session session;
            body(rng, d, session);
        }
    }
}

void type(testing::Session& session, Field field, Integer value) { session.type(field, textOf(value)); }

// --- Rounded once --------------------------------------------------------------

mpz_class wholeOf(Integer value)
{
    const bool negative = value < 0;
    const Integer magnitude = negative ? -value : value;
    const Integer word = Integer(1) << 32;
    mpz_class result(static_cast<unsigned long>(magnitude / word / word));
    result <<= 64;
    result += static_cast<unsigned long>(magnitude % (word * word));
    return negative ? mpz_class(-result) : result;
}

mpq_class ratio(Integer numerator, Integer denominator)
{
    mpq_class value(wholeOf(numerator), wholeOf(denominator));
    value.canonicalize();
    return value;
}

mpq_class exactOf(Integer scaled) { return ratio(scaled, kUnit); }

mpq_class powerOfTen(long exponent)
{
    mpz_class p;
    mpz_ui_pow_ui(p.get_mpz_t(), 10, static_cast<unsigned long>(exponent < 0 ? -exponent : exponent));
    return exponent < 0 ? mpq_class(1, p) : mpq_class(p);
}

// A shown number read back exactly, and half the unit of its last place: the
// 15th significant digit. `cut` when the pattern's decimals end it sooner;
// such a text was rounded twice by design and is not judged here.
struct ReadBack {
    mpq_class value;
    mpq_class half;
    bool cut = false;
};

// "-8.45454545454545", "2.", " 0.5", "1.5E+20".
ReadBack readBack(std::string_view text, int decimals)
{
    while (text.starts_with(' '))
        text.remove_prefix(1);
    const bool negative = text.starts_with('-');
    if (negative)
        text.remove_prefix(1);
    long exponent = 0;
    if (const std::size_t e = text.find('E'); e != std::string_view::npos) {
        exponent = std::stol(std::string(text.substr(e + 1)));
        text = text.substr(0, e);
    }
    std::string digits;
    long decimalsWritten = 0;
    bool afterPoint = false;
    for (const char c : text) {
        if (c == '.') {
            afterPoint = true;
            continue;
        }
        digits += c;
        decimalsWritten += afterPoint ? 1 : 0;
    }
    ReadBack r;
    r.value = mpq_class(mpz_class(digits, 10)) * powerOfTen(exponent - decimalsWritten);
    if (negative)
        r.value = -r.value;
    if (r.value == 0)
        return r;      // only an exact 0 rounds to 0
    long leading = -1; // the place of the first significant digit: 10^leading ≤ |value| < 10^(leading+1)
    while (abs(r.value) >= powerOfTen(leading + 1))
        ++leading;
    while (abs(r.value) < powerOfTen(leading))
        --leading;
    r.half = powerOfTen(leading - 14) / 2;
    r.cut = leading - 14 < -decimals;
    return r;
}

// Whether the exact root can round, once and halves away from zero, to the
// text: |root| ∈ [|v| − h, |v| + h) on v's side. `rootIn(lo, hi, closedAtLow)`
// says whether a root lies between lo and hi, with the closed end named.
using RootIn = std::function<bool(const mpq_class& lo, const mpq_class& hi, bool closedAtLow)>;

bool roundsTo(const ReadBack& shown, const RootIn& rootIn)
{
    if (shown.half == 0)
        return rootIn(0, 0, true);
    const mpq_class lo = shown.value - shown.half, hi = shown.value + shown.half;
    return rootIn(lo, hi, shown.value > 0);
}

RootIn atRational(const mpq_class& root)
{
    return [root](const mpq_class& lo, const mpq_class& hi, bool closedAtLow) {
        if (lo == hi)
            return root == lo;
        return closedAtLow ? lo <= root && root < hi : lo < root && root <= hi;
    };
}

// A simple root of the polynomial (highest coefficient first), found by the
// change of its sign; rational roots of any multiplicity are given apart.
RootIn ofPolynomial(std::vector<mpq_class> coefficients, std::vector<mpq_class> rationalRoots = {})
{
    return [coefficients = std::move(coefficients),
            rationalRoots = std::move(rationalRoots)](const mpq_class& lo, const mpq_class& hi, bool closedAtLow) {
        if (std::ranges::any_of(rationalRoots, [&](const mpq_class& r) { return atRational(r)(lo, hi, closedAtLow); }))
            return true;
        const auto at = [&](const mpq_class& x) {
            mpq_class value = 0;
            for (const mpq_class& c : coefficients)
                value = value * x + c;
            return sgn(value);
        };
        const int low = at(lo), high = at(hi);
        if (lo == hi)
            return low == 0;
        if ((closedAtLow ? low : high) == 0)
            return true;
        return low * high < 0;
    };
}

// Counts the shown texts that are not their exact root rounded once.
void judgeRounding(Findings& findings, const std::string& where, const std::string& text, int decimals,
                   const RootIn& rootIn)
{
    const ReadBack shown = readBack(text, decimals);
    if (!shown.cut && !roundsTo(shown, rootIn))
        findings.add("a shown root is not the exact root rounded once", where);
}

// A complex field " 0.5 + 0.5 i": its real and imaginary parts.
std::pair<std::string, std::string> partsOf(const std::string& text)
{
    std::size_t sign = text.find(" + ", 1);
    const bool minus = sign == std::string::npos;
    if (minus)
        sign = text.find(" - ", 1);
    std::string im = text.substr(sign + 3, text.size() - sign - 5);
    return {text.substr(0, sign), minus ? "-" + im : im};
}

// --- Linear ------------------------------------------------------------------

TEST(Reference, LinearRootsAndVerdictsAreTrue)
{
    Findings findings;
    generate(11, kCount, [&](Rng& rng, const Distribution& d, testing::Session& session) {
        const Integer a = nonZero(rng, d);
        const Integer b = d.draw(rng);
        type(session, linear::a, a);
        type(session, linear::b, b);
        session.click(linear::solve);
        session.click(linear::check);
        const Verdict verdict = verdictOf(session.take(), kEquationVerdicts);

        const Quad x = -Quad(b) / Quad(a);
        const Shown X = shownOf(session.window().text(linear::X), 18);
        const std::string where = std::string(d.name) + ": " + textOf(a) + "·x + " + textOf(b) + " shows "
                                  + field(linear::X, session) + ", exact " + show(x);
        judge(findings, where, {compare(X, x, 0, fabsq(x))}, verdict);
        judgeRounding(findings, where, session.window().text(linear::X), 18, atRational(-exactOf(b) / exactOf(a)));
    });
    EXPECT_TRUE(findings.empty()) << findings.report();
}

// --- Quadratic -------------------------------------------------------------

struct QuadraticRoots {
    Quad re1, im1, re2, im2;
};

// X1 is the root with +√D, X2 the one with −√D, worked out without cancellation.
QuadraticRoots exactRoots(Integer a, Integer b, Integer c)
{
    const Integer D = b * b - 4 * a * c;
    const Quad A = Quad(a), B = Quad(b), C = Quad(c);
    if (D < 0) {
        const Quad re = -B / (2 * A);
        const Quad im = sqrtq(Quad(-D)) / fabsq(2 * A);
        return {re, im, re, -im};
    }
    const Quad s = sqrtq(Quad(D));
    if (b > 0) {
        const Quad q = (-B - s) / 2;
        return {C / q, 0, q / A, 0};
    }
    if (b < 0) {
        const Quad q = (-B + s) / 2;
        return {q / A, 0, C / q, 0};
    }
    return {s / (2 * A), 0, -s / (2 * A), 0};
}

TEST(Reference, QuadraticRootsAndVerdictsAreTrue)
{
    Findings findings;
    generate(22, kCount, [&](Rng& rng, const Distribution& d, testing::Session& session) {
        const Integer a = nonZero(rng, d);
        const Integer b = d.draw(rng);
        const Integer c = d.draw(rng);
        type(session, quadratic::a, a);
        type(session, quadratic::b, b);
        type(session, quadratic::c, c);
        session.click(quadratic::solve);
        const bool complex = !session.window().isEnabled(quadratic::check);
        session.click(quadratic::check);
        const Verdict verdict = complex ? Verdict::NotAllowed : verdictOf(session.take(), kEquationVerdicts);

        const QuadraticRoots x = exactRoots(a, b, c);
        const Shown X1 = shownOf(session.window().text(quadratic::X1), 16);
        const Shown X2 = shownOf(session.window().text(quadratic::X2), 16);
        const std::string where = std::string(d.name) + ": " + textOf(a) + "·x² + " + textOf(b) + "·x + " + textOf(c)
                                  + " shows " + field(quadratic::X1, session) + ", " + field(quadratic::X2, session)
                                  + "; exact " + show(x.re1) + " " + show(x.im1) + "i, " + show(x.re2) + " "
                                  + show(x.im2) + "i";
        const std::vector<Compared> roots{compare(X1, x.re1, x.im1, magnitude(x.re1, x.im1)),
                                          compare(X2, x.re2, x.im2, magnitude(x.re2, x.im2))};
        judge(findings, where, roots, verdict);

        const mpq_class A = exactOf(a), B = exactOf(b), C = exactOf(c), D = B * B - 4 * A * C;
        for (const Field X : std::array<Field, 2>{quadratic::X1, quadratic::X2}) {
            const std::string text = session.window().text(X);
            if (D >= 0) {
                std::vector<mpq_class> doubleRoot;
                if (D == 0)
                    doubleRoot.push_back(-B / (2 * A));
                judgeRounding(findings, where, text, 16, ofPolynomial({A, B, C}, doubleRoot));
                continue;
            }
            // Str writes each part whole: the real part −b/2a, the imaginary ±√(−D)/2|a|.
            const auto [re, im] = partsOf(text);
            judgeRounding(findings, where, re, kStrDecimals, atRational(-B / (2 * A)));
            judgeRounding(findings, where, im, kStrDecimals, ofPolynomial({4 * A * A, 0, D}));
        }
    });
    EXPECT_TRUE(findings.empty()) << findings.report();
}

// --- Cubic -----------------------------------------------------------------

Quad polished(Quad p, Quad q, Quad x)
{
    for (int step = 0; step < 4; ++step) {
        const Quad g = 3 * x * x + p;
        if (g == 0)
            break;
        x -= ((x * x + p) * x + q) / g;
    }
    return x;
}

// Every real root of x³ + p·x + q = 0.
std::vector<Quad> exactRealRoots(Quad p, Quad q)
{
    const Quad D = q * q / 4 + p * p * p / 27;
    if (D > 0 || p == 0) {
        const Quad s = sqrtq(fmaxq(D, 0));
        return {polished(p, q, cbrtq(-q / 2 + s) + cbrtq(-q / 2 - s))};
    }
    const Quad m = sqrtq(-p / 3);
    const Quad theta = acosq(fminq(fmaxq(3 * q / (2 * p * m), -1), 1)) / 3;
    std::vector<Quad> roots;
    roots.reserve(3);
    for (int k = 0; k < 3; ++k)
        roots.push_back(polished(p, q, 2 * m * cosq(theta - 2 * acosq(-1) * k / 3)));
    return roots;
}

TEST(Reference, CubicRootsAndVerdictsAreTrue)
{
    Findings findings;
    generate(33, kCount, [&](Rng& rng, const Distribution& d, testing::Session& session) {
        const Integer p = d.draw(rng);
        const Integer q = d.draw(rng);
        type(session, cubic::p, p);
        type(session, cubic::q, q);
        session.click(cubic::solve);
        const bool shown = writes(session.take(), cubic::X);
        session.click(cubic::check);
        const Verdict verdict = verdictOf(session.take(), kEquationVerdicts);

        const std::vector<Quad> roots = exactRealRoots(valueOf(p), valueOf(q));
        const Shown X = shownOf(session.window().text(cubic::X), 18);
        const Quad x = *std::ranges::min_element(roots, {}, [&](Quad r) { return fabsq(X.re - r); });
        const std::string where = std::string(d.name) + ": x³ + " + textOf(p) + "·x + " + textOf(q) + " shows "
                                  + field(cubic::X, session) + ", nearest exact root " + show(x);
        if (shown) {
            judge(findings, where, {compare(X, x, 0, fabsq(x))}, verdict);
            const mpq_class P = exactOf(p), Q = exactOf(q);
            std::vector<mpq_class> repeated; // where the discriminant vanishes, every root is rational
            if (P == 0 && Q == 0)
                repeated = {0};
            else if (4 * P * P * P + 27 * Q * Q == 0)
                repeated = {3 * Q / P, -3 * Q / (2 * P)};
            judgeRounding(findings, where, session.window().text(cubic::X), 18, ofPolynomial({1, 0, P, Q}, repeated));
        } else
            findings.add("no root shown", where);
    });
    EXPECT_TRUE(findings.empty()) << findings.report();
}

// --- Linear system ---------------------------------------------------------

// a, b, c, d of each equation a·X + b·Y + c·Z + d = 0, scaled by 10^5.
using Row = std::array<Integer, 4>;
using Rows = std::array<Row, 3>;

// clang-format off
constexpr std::array<std::array<Field, 4>, 3> kGrid{{
    {system::a1, system::b1, system::c1, system::d1},
    {system::a2, system::b2, system::c2, system::d2},
    {system::a3, system::b3, system::c3, system::d3},
}};
// clang-format on

Row drawRow(Rng& rng, const Distribution& d, bool withZ)
{
    return {d.draw(rng), d.draw(rng), withZ ? d.draw(rng) : 0, d.draw(rng)};
}

Row sum(const Row& r, const Row& s) { return {r[0] + s[0], r[1] + s[1], r[2] + s[2], r[3] + s[3]}; }

struct Shape {
    const char* name;
    Rows (*draw)(Rng&, const Distribution&);
};

// clang-format off
const Shape kShapes[] = {
    {"three equations", [](Rng& rng, const Distribution& d) {
         return Rows{drawRow(rng, d, true), drawRow(rng, d, true), drawRow(rng, d, true)};
     }},
    {"three equations, the third the sum of the others", [](Rng& rng, const Distribution& d) {
         const Row first = drawRow(rng, d, true), second = drawRow(rng, d, true);
         return Rows{first, second, sum(first, second)};
     }},
    {"two equations", [](Rng& rng, const Distribution& d) {
         return Rows{drawRow(rng, d, false), drawRow(rng, d, false), Row{}};
     }},
    {"two equations and a third that agrees", [](Rng& rng, const Distribution& d) {
         const Row first = drawRow(rng, d, false), second = drawRow(rng, d, false);
         return Rows{first, second, sum(first, second)};
     }},
    {"two equations and a third that contradicts", [](Rng& rng, const Distribution& d) {
         const Row first = drawRow(rng, d, false), second = drawRow(rng, d, false);
         Row third = sum(first, second);
         third[3] += nonZero(rng, d);
         return Rows{first, second, third};
     }},
    {"two parallel lines", [](Rng& rng, const Distribution& d) {
         const Row first = drawRow(rng, d, false);
         const Integer k = 2 + below(rng, 4);
         return Rows{first, Row{first[0] * k, first[1] * k, 0, d.draw(rng)}, Row{}};
     }},
};
// clang-format on

Integer det2(Integer a, Integer b, Integer c, Integer d) { return a * d - b * c; }

Integer det3(const std::array<std::array<Integer, 3>, 3>& m)
{
    return m[0][0] * det2(m[1][1], m[1][2], m[2][1], m[2][2]) - m[0][1] * det2(m[1][0], m[1][2], m[2][0], m[2][2])
           + m[0][2] * det2(m[1][0], m[1][1], m[2][0], m[2][1]);
}

// The exact solution by Cramer's rule in the panel's mode, as numerators over
// a common determinant; the determinant is 0 when there is no single one.
struct ExactSolution {
    bool threeVariables = false;
    Integer determinant = 0;
    std::array<Integer, 3> numerators{};
};

ExactSolution exactSolution(const Rows& k)
{
    ExactSolution s;
    s.threeVariables = k[0][2] != 0 || k[1][2] != 0 || k[2][2] != 0;
    if (!s.threeVariables) {
        s.determinant = det2(k[0][0], k[0][1], k[1][0], k[1][1]);
        s.numerators = {det2(-k[0][3], k[0][1], -k[1][3], k[1][1]), det2(k[0][0], -k[0][3], k[1][0], -k[1][3]), 0};
        return s;
    }
    for (std::size_t column = 0; column < 4; ++column) {
        std::array<std::array<Integer, 3>, 3> m{};
        for (std::size_t row = 0; row < 3; ++row) {
            for (std::size_t j = 0; j < 3; ++j)
                m[row][j] = j == column ? -k[row][3] : k[row][j];
        }
        if (column == 3)
            s.determinant = det3(m);
        else
            s.numerators[column] = det3(m);
    }
    return s;
}

// How far equation 3 misses the exact two-variable solution, relative to the
// size of its terms; 0 when it takes no part.
Quad thirdRowMiss(const Rows& k, const ExactSolution& s)
{
    const Row& r = k[2];
    if (s.threeVariables || (r[0] == 0 && r[1] == 0 && r[3] == 0))
        return 0;
    const Integer scaledMiss = r[0] * s.numerators[0] + r[1] * s.numerators[1] + r[3] * s.determinant;
    if (scaledMiss == 0)
        return 0;
    const Quad D = fabsq(Quad(s.determinant));
    const Quad n = fmaxq(fabsq(Quad(s.numerators[0])), fabsq(Quad(s.numerators[1]))) / D;
    const Quad size = (fabsq(Quad(r[0])) + fabsq(Quad(r[1]))) * n + fabsq(Quad(r[3]));
    return fabsq(Quad(scaledMiss)) / D / size;
}

std::string describe(const Rows& k)
{
    std::string text;
    for (const Row& row : k)
        text += "[" + textOf(row[0]) + " " + textOf(row[1]) + " " + textOf(row[2]) + " " + textOf(row[3]) + "]";
    return text;
}

void judgeSystem(Findings& findings, const std::string& name, const Rows& k, testing::Session& session)
{
    for (std::size_t row = 0; row < 3; ++row) {
        for (std::size_t column = 0; column < 4; ++column)
            type(session, kGrid[row][column], k[row][column]);
    }
    session.click(system::solve);
    const bool solved = writes(session.take(), system::X);
    session.click(system::check);
    const Verdict verdict = verdictOf(session.take(), kSystemVerdicts);

    const ExactSolution s = exactSolution(k);
    std::string where = name + ": " + describe(k) + " shows " + field(system::X, session) + ", "
                        + field(system::Y, session) + ", " + field(system::Z, session);
    if (s.determinant == 0) {
        if (solved)
            findings.add("a singular system is solved", where);
        return;
    }
    std::array<Quad, 3> x{};
    for (std::size_t j = 0; j < 3; ++j)
        x[j] = Quad(s.numerators[j]) / Quad(s.determinant);
    where += "; exact " + show(x[0]) + ", " + show(x[1]) + ", " + show(x[2]);
    if (!solved) {
        findings.add("a regular system is refused", where);
        return;
    }
    // The error of each unknown is measured against the largest of them.
    const Quad n = fmaxq(fmaxq(fabsq(x[0]), fabsq(x[1])), fabsq(x[2]));
    const std::array<Field, 3> results{system::X, system::Y, system::Z};
    std::vector<Compared> unknowns;
    for (std::size_t j = 0; j < (s.threeVariables ? 3 : 2); ++j) {
        const std::string text = session.window().text(results[j]);
        unknowns.push_back(compare(shownOf(text, 12), x[j], 0, n));
        judgeRounding(findings, where, text, 12, atRational(ratio(s.numerators[j], s.determinant)));
    }
    // A contradicting third equation makes the answer wrong however right X
    // and Y are for the first two.
    judge(findings, where, unknowns, verdict, thirdRowMiss(k, s));
}

TEST(Reference, SystemSolutionsAndVerdictsAreTrue)
{
    Findings findings;
    for (const Shape& shape : kShapes) {
        generate(44, kSystemCount, [&](Rng& rng, const Distribution& d, testing::Session& session) {
            judgeSystem(findings, std::string(d.name) + ", " + shape.name, shape.draw(rng, d), session);
        });
    }
    EXPECT_TRUE(findings.empty()) << findings.report();
}

} // namespace
} // namespace zembrel
