// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "algebra.h"
#include "analysis.h"
#include "conversion.h"
#include "panel_solve.h"
#include "reader.h"
#include "rounding.h"
#include "runtime_error.h"

#include <gtest/gtest.h>
#include <mpfr.h>

#include <array>
#include <cmath>
#include <optional>
#include <random>
#include <string>
#include <vector>

using namespace zembrel;
using namespace zembrel::exact;

namespace {

std::optional<double> valOrOverflow(const std::string& text)
{
    try {
        return Val(text);
    } catch (const RuntimeError&) {
        return std::nullopt;
    }
}

struct ReaderRow {
    const char* name;
    std::string text;
    const char* value; // RATIONAL
    bool whole;
    bool overflow;
};

const std::string kBeyondLargest = "18" + std::string(307, '0');

const ReaderRow kReaderRows[] = {
    {"empty", "", "0", true, false},
    {"blanks", " \t ", "0", true, false},
    {"one tenth", "0.1", "1/10", true, false},
    {"exponent", "2.5e-3", "1/400", true, false},
    {"blanks anywhere", " - 1 2 . 5 E + 1 ", "-125", true, false},
    {"capital E", "3E2", "300", true, false},
    {"point first", ".5", "1/2", true, false},
    {"point last", "7.", "7", true, false},
    {"fraction stops", "1/3", "1", false, false},
    {"comma stops", "1,5", "1", false, false},
    {"letters", "3x", "3", false, false},
    {"full-width digits", "１２", "0", false, false},
    {"sign alone", "-", "0", false, false},
    {"exponent without digits", "1e", "1", false, false},
    {"exponent sign without digits", "1e+", "1", false, false},
    {"second point", "1.2.3", "6/5", false, false},
    {"two signs", "+-1", "0", false, false},
    {"largest double", "1.7976931348623157e308", nullptr, true, false},
    {"beyond the largest double, and still told", "1.8e308", kBeyondLargest.c_str(), true, true},
    {"huge exponent", "1e999999999999", "0", true, true},
    {"zero with huge exponent", "0e999999999999", "0", true, false},
    {"far below the smallest double", "1e-400", nullptr, true, false},
};

TEST(ExactReader, ReadsWhatValReads)
{
    for (const ReaderRow& row : kReaderRows) {
        SCOPED_TRACE(row.name);
        const ExactNumber number = ReadExact(row.text);
        EXPECT_EQ(number.whole, row.whole);
        EXPECT_EQ(number.overflow, row.overflow);
        if (row.value) {
            EXPECT_EQ(RationalText(number.value), row.value);
        }
        const std::optional<double> val = valOrOverflow(row.text);
        EXPECT_EQ(!val, number.overflow);
        if (val && !number.overflow) {
            EXPECT_EQ(NearestDouble(number.value), *val);
        }
    }
}

TEST(ExactReader, AstronomicalExponentsAreReadAsValReadsThem)
{
    // Below 10^-1000000 only the flush keeps the exact value from taking gigabytes.
    const ExactNumber tiny = ReadExact("-7e-999999999");
    EXPECT_TRUE(tiny.flushed);
    EXPECT_EQ(tiny.value, 0);
    EXPECT_EQ(Val("-7e-999999999"), 0);
    // A million written digits stay exact.
    const std::string written = "0." + std::string(999'990, '0') + "3";
    const ExactNumber small = ReadExact(written);
    EXPECT_FALSE(small.flushed);
    EXPECT_EQ(small.value * mpq_class(mpz_class("1" + std::string(999'991, '0'))), 3);
}

TEST(ExactReader, AgreesWithValOnRandomTexts)
{
    std::mt19937_64 random(18);
    const std::string alphabet = "0123456789.eE+- \t";
    for (int i = 0; i < 20000; ++i) {
        std::string text;
        const int length = static_cast<int>(random() % 30);
        for (int k = 0; k < length; ++k)
            text += alphabet[random() % alphabet.size()];
        if (i % 3 == 0)
            text = std::to_string(random() % 1000) + "." + std::to_string(random()) + "e"
                   + std::to_string(static_cast<int>(random() % 700) - 350);
        const ExactNumber number = ReadExact(text);
        const std::optional<double> val = valOrOverflow(text);
        ASSERT_EQ(!val, number.overflow) << text;
        if (val) {
            ASSERT_EQ(NearestDouble(number.value), *val) << text;
        }
    }
}

TEST(ExactReader, SubnormalsAndTheOverflowEdge)
{
    // Around the smallest subnormal, half of it, and the largest double's rounding edge.
    for (const char* text :
         {"4.9406564584124654e-324", "2.4703282292062327e-324", "2.4703282292062328e-324", "2.2250738585072011e-308",
          "1.7976931348623158e308", "1.797693134862315807e308", "-1.797693134862315808e308", "1e-323", "3e-324"}) {
        SCOPED_TRACE(text);
        const ExactNumber number = ReadExact(text);
        const std::optional<double> val = valOrOverflow(text);
        ASSERT_EQ(!val, number.overflow);
        if (val) {
            EXPECT_EQ(NearestDouble(number.value), *val);
        }
    }
}

struct DecimalRow {
    const char* name;
    const char* rational;
    const char* decimal;
};

TEST(ExactRounding, DecimalTextHasTwentyCorrectDigits)
{
    const DecimalRow rows[] = {
        {"zero", "0", "0"},
        {"short", "7/20", "0.35"},
        {"third", "-1/3", "-0.33333333333333333333"},
        {"small", "-1/30000000000", "-3.3333333333333333333e-11"},
        {"rounds up to a power of ten", "99999999999999999999999/1000", "1e20"},
        {"tie to even", "100000000000000000005/10", "10000000000000000000"},
        {"large integer", "123456789012345678901234", "1.234567890123456789e23"},
    };
    for (const DecimalRow& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(DecimalText(mpq_class(row.rational)), row.decimal);
    }
}

std::vector<FieldText> fieldsOf(const std::vector<std::string>& texts)
{
    static const std::array<const char*, 12> names{"F1", "F2", "F3", "F4",  "F5",  "F6",
                                                   "F7", "F8", "F9", "F10", "F11", "F12"};
    std::vector<FieldText> fields;
    for (std::size_t i = 0; i < texts.size(); ++i)
        fields.push_back({names[i], texts[i]});
    return fields;
}

struct RootRow {
    const char* name;
    std::vector<std::string> texts;
    const char* kind;
    std::vector<std::string> exact; // each root's EXPR, "null" for none
    std::vector<std::string> re;
    std::vector<std::string> im;
    std::vector<int> multiplicity;
};

void expectRoots(const Analysis& analysis, const RootRow& row)
{
    EXPECT_EQ(analysis.kind, row.kind);
    ASSERT_EQ(analysis.roots.size(), row.exact.size());
    for (std::size_t i = 0; i < row.exact.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(analysis.roots[i].value.exact.value_or("null"), row.exact[i]);
        EXPECT_EQ(analysis.roots[i].re, row.re[i]);
        EXPECT_EQ(analysis.roots[i].im, row.im[i]);
        EXPECT_EQ(analysis.roots[i].multiplicity, row.multiplicity[i]);
    }
}

TEST(ExactAnalysis, QuadraticRoots)
{
    const RootRow rows[] = {
        {"(2x - 0.7)^2", {"4", "-2.8", "0.49"}, "double", {"7/20"}, {"0.35"}, {"0"}, {2}},
        {"x^2 - 0.2x + 0.01", {"1", "-0.2", "0.01"}, "double", {"1/10"}, {"0.1"}, {"0"}, {2}},
        {"golden",
         {"1", "-3", "1"},
         "two-real",
         {"3/2 - sqrt(5)/2", "3/2 + sqrt(5)/2"},
         {"0.3819660112501051518", "2.6180339887498948482"},
         {"0", "0"},
         {1, 1}},
        {"rational", {"2", "-1", "-1"}, "two-real", {"-1/2", "1"}, {"-0.5", "1"}, {"0", "0"}, {1, 1}},
        {"complex",
         {"2", "1", "1"},
         "complex",
         {"-1/4 + sqrt(7)/4*I", "-1/4 - sqrt(7)/4*I"},
         {"-0.25", "-0.25"},
         {"0.66143782776614764763", "-0.66143782776614764763"},
         {1, 1}},
        {"unit imaginary", {"1", "0", "1"}, "complex", {"I", "-I"}, {"0", "0"}, {"1", "-1"}, {1, 1}},
        {"a = 0 linear", {"0", "2", "-1"}, "linear", {"1/2"}, {"0.5"}, {"0"}, {1}},
        {"a = 0 identity", {"0", "0", ""}, "identity", {}, {}, {}, {}},
        {"a = 0 none", {"0", "0", "3"}, "none", {}, {}, {}, {}},
        {"square factor",
         {"1", "0", "-12"},
         "two-real",
         {"-2*sqrt(3)", "2*sqrt(3)"},
         {"-3.4641016151377545871", "3.4641016151377545871"},
         {"0", "0"},
         {1, 1}},
    };
    for (const RootRow& row : rows) {
        SCOPED_TRACE(row.name);
        expectRoots(AnalyseQuadratic(fieldsOf(row.texts)), row);
    }
}

TEST(ExactAnalysis, CubicRoots)
{
    const RootRow rows[] = {
        {"triple", {"0", "0"}, "triple", {"0"}, {"0"}, {"0"}, {3}},
        {"double", {"-3", "2"}, "double", {"-2", "1"}, {"-2", "1"}, {"0", "0"}, {1, 2}},
        {"rational root, complex pair",
         {"1", "-2"},
         "one-real",
         {"1", "-1/2 + sqrt(7)/2*I", "-1/2 - sqrt(7)/2*I"},
         {"1", "-0.5", "-0.5"},
         {"0", "1.3228756555322952953", "-1.3228756555322952953"},
         {1, 1, 1}},
        {"three rational", {"-7", "6"}, "three-real", {"-3", "1", "2"}, {"-3", "1", "2"}, {"0", "0", "0"}, {1, 1, 1}},
        {"fractional root", {"-0.75", "0.25"}, "double", {"-1", "1/2"}, {"-1", "0.5"}, {"0", "0"}, {1, 2}},
        {"no rational root",
         {"-2", "-5"},
         "one-real",
         {"null", "null", "null"},
         {"2.0945514815423265915", "-1.0472757407711632957", "-1.0472757407711632957"},
         {"0", "1.1359398890889281862", "-1.1359398890889281862"},
         {1, 1, 1}},
        {"three irrational",
         {"-3", "1"},
         "three-real",
         {"null", "null", "null"},
         {"-1.8793852415718167681", "0.3472963553338606977", "1.5320888862379560704"},
         {"0", "0", "0"},
         {1, 1, 1}},
    };
    for (const RootRow& row : rows) {
        SCOPED_TRACE(row.name);
        expectRoots(AnalyseCubic(fieldsOf(row.texts)), row);
    }
}

struct SystemRow {
    const char* name;
    std::vector<std::string> texts; // a1 b1 c1 a2 b2 c2 a3 b3 c3 d1 d2 d3
    const char* kind;
    int mode;
    const char* determinant;
    std::vector<std::string> values; // solution RATIONALs or general EXPRs
};

TEST(ExactAnalysis, Systems)
{
    const SystemRow rows[] = {
        {"unique two", {"1", "1", "0", "1", "-1", "0", "", "", "", "-3", "-1", ""}, "unique", 2, "-2", {"2", "1"}},
        {"same line twice",
         {"1", "1", "0", "2", "2", "0", "", "", "", "-1", "-2", ""},
         "infinite",
         2,
         "0",
         {"1 - t", "t"}},
        {"parallel", {"1", "1", "0", "1", "1", "0", "", "", "", "-1", "-2", ""}, "none", 2, "0", {}},
        {"third equation contradicts",
         {"1", "1", "0", "1", "-1", "0", "1", "0", "0", "-3", "-1", "5"},
         "none",
         2,
         "-2",
         {}},
        {"unique three",
         {"1", "1", "1", "1", "-1", "0", "0", "1", "-1", "-6", "1", "1"},
         "unique",
         3,
         "3",
         {"1", "2", "3"}},
        {"one plane three times",
         {"1", "1", "1", "2", "2", "2", "3", "3", "3", "-1", "-2", "-3"},
         "infinite",
         3,
         "0",
         {"1 - t - s", "t", "s"}},
    };
    for (const SystemRow& row : rows) {
        SCOPED_TRACE(row.name);
        const Analysis a = AnalyseSystem(fieldsOf(row.texts));
        EXPECT_EQ(a.kind, row.kind);
        EXPECT_EQ(a.mode, row.mode);
        ASSERT_TRUE(a.determinant);
        EXPECT_EQ(RationalText(*a.determinant), row.determinant);
        std::vector<std::string> values;
        for (const Unknown& u : a.solution)
            values.push_back(RationalText(u.exact));
        for (const GeneralUnknown& g : a.general)
            values.push_back(g.value.exact.value_or("null"));
        EXPECT_EQ(values, row.values);
    }
}

TEST(ExactAnalysis, ReadFailureNamesTheField)
{
    const Analysis a = AnalyseLinear(fieldsOf({"1", "1e999"}));
    ASSERT_TRUE(a.error);
    EXPECT_EQ(a.error->field, "F2");
    EXPECT_TRUE(a.roots.empty());
}

TEST(ExactAnalysis, StepsWriteTheDiscriminantAsTyped)
{
    const Analysis a = AnalyseQuadratic(fieldsOf({"4", "-2.8", "0.49"}));
    const auto has
        = [&](const std::string& line) { return std::find(a.steps.begin(), a.steps.end(), line) != a.steps.end(); };
    EXPECT_TRUE(has("Δ = b² − 4ac = (−2.8)² − 4 × 4 × 0.49 = 0"));
    EXPECT_TRUE(has("方程有两个相等的实数根 x₁ = x₂ = −b/(2a) = 7/20"));
    EXPECT_EQ(AnalyseQuadratic(fieldsOf({"1", "-3", "1"})).roots[0].value.textbook, "(3 − √5)/2");
    EXPECT_EQ(AnalyseQuadratic(fieldsOf({"1", "1", "1"})).roots[0].value.textbook, "−1/2 + (√3/2)i");
}

// The panels' values: exact decisions, nearest doubles, no intermediate overflow.
struct QuadraticSolveRow {
    const char* name;
    const char* a;
    const char* b;
    const char* c;
    int sign;
    double X1;
    double X2;
};

TEST(ExactPanels, QuadraticShowsTheNearestDoubles)
{
    const QuadraticSolveRow rows[] = {
        {"(2x - 0.7)^2", "4", "-2.8", "0.49", 0, 0.35, 0.35},
        {"x^2 - 1.4x + 0.49", "1", "-1.4", "0.49", 0, 0.7, 0.7},
        {"x^2 - 0.2x + 0.01", "1", "-0.2", "0.01", 0, 0.1, 0.1},
        {"huge b", "1", "1e200", "1", 1, -1e-200, -1e200},
        {"huge a and c", "1e300", "1", "1e300", -1, 0, 0},
        {"negative a", "-1", "0", "4", 1, -2, 2},
    };
    for (const QuadraticSolveRow& row : rows) {
        SCOPED_TRACE(row.name);
        const QuadraticSolution s
            = SolveQuadraticExact(mpq_class(ReadExact(row.a).value), ReadExact(row.b).value, ReadExact(row.c).value);
        EXPECT_EQ(s.discriminantSign, row.sign);
        EXPECT_FALSE(s.outOfRange);
        if (row.sign >= 0) {
            EXPECT_EQ(s.X1, row.X1);
            EXPECT_EQ(s.X2, row.X2);
            EXPECT_TRUE(CheckQuadraticExact(ReadExact(row.a).value, ReadExact(row.b).value, ReadExact(row.c).value,
                                            s.X1, s.X2));
        }
    }
    // 1e300·x² + x + 1e300: re = −1/(2e300), im = √(4e600 − 1)/(2e300) ≈ 1.
    const QuadraticSolution s = SolveQuadraticExact(ReadExact("1e300").value, 1, ReadExact("1e300").value);
    EXPECT_EQ(s.re, -5e-301);
    EXPECT_EQ(s.im, 1.0);
}

TEST(ExactPanels, ChecksJudgeTheShownRoot)
{
    EXPECT_TRUE(CheckLinearExact(3, 1, -1.0 / 3));
    EXPECT_FALSE(CheckLinearExact(3, 1, -0.3333));
    EXPECT_FALSE(CheckQuadraticExact(1, -3, 2, 2, 1.0000003));
}

TEST(ExactPanels, Systems)
{
    SystemExactCoefficients k;
    k.a = {1, 2, 0};
    k.b = {1, 2, 0};
    k.c = {0, 0, 0};
    k.d = {-1, -2, 0};
    EXPECT_EQ(SolveSystemExact(k).outcome, SystemExactOutcome::CoincidentLines);
    k.d = {-1, -3, 0};
    EXPECT_EQ(SolveSystemExact(k).outcome, SystemExactOutcome::ParallelLines);
    k.b = {1, -1, 0};
    k.d = {-3, -3, 0};
    SystemExactSolution s = SolveSystemExact(k);
    ASSERT_EQ(s.outcome, SystemExactOutcome::SolvedTwo);
    EXPECT_TRUE(CheckSystemExact(k, s, s.X, s.Y, 0));
    k.a[2] = 1; // a third equation X − 5 = 0 that X = 2 does not satisfy
    k.d[2] = -5;
    EXPECT_FALSE(CheckSystemExact(k, SolveSystemExact(k), s.X, s.Y, 0));
    // Ill-conditioned: row 3 within 1e-9 of row 1 + row 2.
    k.a = {1, 2, mpq_class(3) + mpq_class(1, 1000000000)};
    k.b = {1, 3, 4};
    k.c = {1, 1, 2};
    k.d = {-1, -2, -3};
    s = SolveSystemExact(k);
    ASSERT_EQ(s.outcome, SystemExactOutcome::SolvedThree);
    EXPECT_EQ(s.X, 0);
    EXPECT_TRUE(CheckSystemExact(k, s, s.X, s.Y, s.Z));
}

// Roots of random quadratics and cubics against an independent computation:
// Newton's method in MPFR at 2000 bits from the double root.
TEST(ExactPanels, RandomRootsAreCorrectlyRounded)
{
    std::mt19937_64 random(2026);
    std::uniform_int_distribution<int> digits(-9999, 9999);
    mpfr_t x, f, g, t;
    mpfr_inits2(2000, x, f, g, t, static_cast<mpfr_ptr>(nullptr));
    for (int i = 0; i < 300; ++i) {
        const mpq_class p(digits(random), 100);
        const mpq_class q(digits(random), 10);
        const CubicRoot shown = SolveCubicRootExact(p, q);
        mpfr_set_d(x, shown.x, MPFR_RNDN);
        for (int step = 0; step < 30; ++step) {
            mpfr_sqr(t, x, MPFR_RNDN);
            mpfr_mul(f, t, x, MPFR_RNDN);
            mpfr_mul_ui(g, t, 3, MPFR_RNDN);
            mpfr_add_q(g, g, p.get_mpq_t(), MPFR_RNDN);
            mpfr_mul_q(t, x, p.get_mpq_t(), MPFR_RNDN);
            mpfr_add(f, f, t, MPFR_RNDN);
            mpfr_add_q(f, f, q.get_mpq_t(), MPFR_RNDN);
            mpfr_div(t, f, g, MPFR_RNDN);
            mpfr_sub(x, x, t, MPFR_RNDN);
        }
        EXPECT_EQ(mpfr_get_d(x, MPFR_RNDN), shown.x) << p.get_str() << " " << q.get_str();
    }
    mpfr_clears(x, f, g, t, static_cast<mpfr_ptr>(nullptr));
}

TEST(ExactAnalysis, LongCoefficientsKeepTheRootsButNotTheirExactForm)
{
    const std::string longDigits = "0." + std::string(99'990, '3') + "1";
    const Analysis a = AnalyseCubic(fieldsOf({longDigits, "-5"}));
    EXPECT_EQ(a.kind, "one-real");
    ASSERT_EQ(a.roots.size(), 3U);
    EXPECT_FALSE(a.roots[0].value.exact);
    EXPECT_EQ(a.roots[0].re.substr(0, 6), "1.6450");
}

} // namespace

namespace {

// A decimal of `digits` random digits after the point: long numbers whose
// fractions share long powers of 2 and 5, as typed fields make them.
std::string longDecimal(std::mt19937_64& random, int lead, std::size_t digits)
{
    std::string text = std::to_string(lead) + ".";
    for (std::size_t i = 0; i < digits; ++i)
        text += static_cast<char>('0' + random() % 10);
    return text;
}

double nearestOf(const mpq_class& x) { return NearestDouble(x).value_or(0); }

} // namespace

// Signs decided on cross-multiplied whole numbers and roots rounded through
// enclosures must agree with the plain rational arithmetic they replace.
TEST(ExactPanels, LongFieldsGiveWhatPlainRationalsGive)
{
    std::mt19937_64 random(18);
    for (int i = 0; i < 12; ++i) {
        SCOPED_TRACE(i);
        const mpq_class longValue = ReadExact(longDecimal(random, 1 + i % 7, 3000)).value;
        const mpq_class a = i % 3 == 0 ? longValue : Reduced(2 + i, 5);
        const mpq_class b = i % 3 == 1 ? mpq_class(-longValue) : Reduced(-7 - i, 4);
        const mpq_class c = i % 3 == 2 ? longValue : Reduced(3 - i, 10);

        EXPECT_EQ(SolveLinearExact(a, b).x, nearestOf(-b / a));
        const mpq_class D = b * b - 4 * a * c;
        const QuadraticSolution s = SolveQuadraticExact(a, b, c);
        EXPECT_EQ(s.discriminantSign, sgn(D));
        if (D >= 0) {
            EXPECT_EQ(s.X1, RoundValue(PlusRoot(a, b, c, true)).nearest);
            EXPECT_EQ(s.X2, RoundValue(PlusRoot(a, b, c, false)).nearest);
            EXPECT_TRUE(CheckQuadraticExact(a, b, c, s.X1, s.X2));
        } else {
            EXPECT_EQ(s.re, nearestOf(-b / (2 * a)));
        }

        SystemExactCoefficients k;
        k.a = {a, 1, mpq_class(1, 3)};
        k.b = {b, c, 2};
        k.c = i % 2 == 0 ? std::array<mpq_class, 3>{0, 0, 0} : std::array<mpq_class, 3>{0, 1, 5};
        k.d = {c, -1, 4};
        const SystemExactSolution solved = SolveSystemExact(k);
        // Cramer's rule in plain rationals.
        const auto det3 = [](const std::array<mpq_class, 3>& x, const std::array<mpq_class, 3>& y,
                             const std::array<mpq_class, 3>& z) -> mpq_class {
            return x[0] * (y[1] * z[2] - y[2] * z[1]) - y[0] * (x[1] * z[2] - x[2] * z[1])
                   + z[0] * (x[1] * y[2] - x[2] * y[1]);
        };
        const std::array<mpq_class, 3> e{-k.d[0], -k.d[1], -k.d[2]};
        if (i % 2 == 0) {
            const mpq_class d2 = k.a[0] * k.b[1] - k.a[1] * k.b[0];
            ASSERT_EQ(solved.outcome, SystemExactOutcome::SolvedTwo);
            EXPECT_EQ(solved.X, nearestOf((k.b[0] * k.d[1] - k.b[1] * k.d[0]) / d2));
            EXPECT_EQ(solved.Y, nearestOf((k.a[1] * k.d[0] - k.a[0] * k.d[1]) / d2));
        } else {
            const mpq_class d3 = det3(k.a, k.b, k.c);
            ASSERT_EQ(solved.outcome, SystemExactOutcome::SolvedThree);
            EXPECT_EQ(solved.X, nearestOf(det3(e, k.b, k.c) / d3));
            EXPECT_EQ(solved.Z, nearestOf(det3(k.a, k.b, e) / d3));
            EXPECT_TRUE(CheckSystemExact(k, solved, solved.X, solved.Y, solved.Z));
        }
    }
}

TEST(ExactAlgebra, ReducedIsLowestTerms)
{
    mpz_class tenPower;
    mpz_ui_pow_ui(tenPower.get_mpz_t(), 10, 5000);
    const struct {
        const char* name;
        mpz_class num;
        mpz_class den;
    } rows[] = {
        {"small", 6, 4},
        {"negative denominator", 6, -4},
        {"zero", 0, -7},
        {"shared powers of 2, 3 and 5 and a shared 7", 7 * 27 * tenPower, 21 * 8 * tenPower},
        {"a long power of 5 against a long power of 2", tenPower / 2, tenPower * 3},
        {"coprime", 1234567, 7654321},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        mpq_class expected(row.num, row.den);
        expected.canonicalize();
        const mpq_class reduced = Reduced(row.num, row.den);
        EXPECT_EQ(reduced.get_num(), expected.get_num());
        EXPECT_EQ(reduced.get_den(), expected.get_den());
    }
}
