// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "equation.h"
#include "expr.h"
#include "linear_system.h"
#include "once.h"
#include "polynomial.h"
#include "real.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <random>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

using namespace zembrel::engine;

namespace {

Polynomial polynomialOf(const std::vector<std::string>& highestFirst)
{
    std::vector<mpq_class> c;
    c.reserve(highestFirst.size());
    for (const std::string& text : highestFirst)
        c.emplace_back(text);
    for (mpq_class& x : c)
        x.canonicalize();
    return Polynomial::FromHighestFirst(c);
}

// ∏ (x − r) over the rationals, each to its multiplicity.
Polynomial withRoots(const std::vector<std::pair<std::string, int>>& roots)
{
    std::vector<mpq_class> p{1}; // lowest first
    for (const auto& [text, multiplicity] : roots) {
        mpq_class r(text);
        r.canonicalize();
        for (int k = 0; k < multiplicity; ++k) {
            std::vector<mpq_class> next(p.size() + 1);
            for (std::size_t i = 0; i < p.size(); ++i) {
                next[i + 1] += p[i];
                next[i] -= r * p[i];
            }
            p = next;
        }
    }
    return Polynomial::FromLowestFirst(p);
}

struct RootRow {
    const char* name;
    Polynomial p;
    // Each distinct root: its EXPR ("null" for none), DECIMAL re and im, multiplicity.
    std::vector<std::tuple<std::string, std::string, std::string, int>> roots;
};

std::string exprOf(const PolynomialEquation& e, std::size_t i)
{
    const FormulaPtr f = e.exactForm(i);
    if (!f)
        return "null";
    return ExprText(*f).value_or("noexpr");
}

TEST(Engine, RootsOfKnownPolynomials)
{
    const std::string tiny = "1/" + std::string("1") + std::string(300, '0');
    const RootRow rows[] = {
        {"rational and repeated", withRoots({{"-2", 1}, {"1", 2}}), {{"-2", "-2", "0", 1}, {"1", "1", "0", 2}}},
        {"a triple root at a fraction", withRoots({{"7/20", 3}}), {{"7/20", "0.35", "0", 3}}},
        {"quadratic surds",
         polynomialOf({"1", "-3", "1"}),
         {{"(3 - sqrt(5))/2", "0.3819660112501051518", "0", 1}, {"(3 + sqrt(5))/2", "2.6180339887498948482", "0", 1}}},
        {"x⁴ − 5x² + 6 in quadratic factors",
         polynomialOf({"1", "0", "-5", "0", "6"}),
         {{"-sqrt(3)", "-1.7320508075688772935", "0", 1},
          {"-sqrt(2)", "-1.4142135623730950488", "0", 1},
          {"sqrt(2)", "1.4142135623730950488", "0", 1},
          {"sqrt(3)", "1.7320508075688772935", "0", 1}}},
        {"x⁴ − 5x² + 4 all rational",
         polynomialOf({"1", "0", "-5", "0", "4"}),
         {{"-2", "-2", "0", 1}, {"-1", "-1", "0", 1}, {"1", "1", "0", 1}, {"2", "2", "0", 1}}},
        {"complex pair", polynomialOf({"1", "2", "5"}), {{"-1 + 2*I", "-1", "2", 1}, {"-1 - 2*I", "-1", "-2", 1}}},
        {"complex with a surd",
         polynomialOf({"2", "1", "1"}),
         {{"-1/4 + sqrt(7)/4*I", "-0.25", "0.66143782776614764763", 1},
          {"-1/4 - sqrt(7)/4*I", "-0.25", "-0.66143782776614764763", 1}}},
        {"x⁵ − x − 1 has no exact form",
         polynomialOf({"1", "0", "0", "0", "-1", "-1"}),
         {{"null", "1.1673039782614186843", "0", 1},
          {"null", "-0.76488443360058472603", "0.35247154603172624932", 1},
          {"null", "-0.76488443360058472603", "-0.35247154603172624932", 1},
          {"null", "0.1812324444698753839", "1.0839541013177106684", 1},
          {"null", "0.1812324444698753839", "-1.0839541013177106684", 1}}},
        {"purely imaginary roots of an irreducible quartic",
         polynomialOf({"1", "0", "1", "0", "-1"}),
         {{"null", "-0.78615137775742328607", "0", 1},
          {"null", "0.78615137775742328607", "0", 1},
          {"null", "0", "1.2720196495140689643", 1},
          {"null", "0", "-1.2720196495140689643", 1}}},
        {"clustered roots 10⁻²⁰ apart",
         withRoots({{"1", 1}, {"100000000000000000001/100000000000000000000", 1}}),
         {{"1", "1", "0", 1}, {"100000000000000000001/100000000000000000000", "1", "0", 1}}},
        {"tiny coefficients",
         polynomialOf({tiny, "0", "-" + std::string("2") + tiny.substr(1)}),
         {{"-sqrt(2)", "-1.4142135623730950488", "0", 1}, {"sqrt(2)", "1.4142135623730950488", "0", 1}}},
        {"huge coefficients",
         polynomialOf({"1" + std::string(300, '0'), "0", "-2" + std::string(300, '0')}),
         {{"-sqrt(2)", "-1.4142135623730950488", "0", 1}, {"sqrt(2)", "1.4142135623730950488", "0", 1}}},
    };
    for (const RootRow& row : rows) {
        SCOPED_TRACE(row.name);
        const PolynomialEquation e(row.p);
        ASSERT_EQ(e.roots().size(), row.roots.size());
        for (std::size_t i = 0; i < row.roots.size(); ++i) {
            SCOPED_TRACE(i);
            const auto& [expr, re, im, multiplicity] = row.roots[i];
            EXPECT_EQ(exprOf(e, i), expr);
            EXPECT_EQ(e.roots()[i].value.re.decimal20(), re);
            EXPECT_EQ(e.roots()[i].value.im.decimal20(), im);
            EXPECT_EQ(e.roots()[i].multiplicity, multiplicity);
        }
    }
}

// Wilkinson's polynomial ∏(x − k), k = 1…20: its coefficients reach 10¹⁹, and
// every root is found exactly, in order.
TEST(Engine, WilkinsonsPolynomialHasItsIntegerRoots)
{
    std::vector<std::pair<std::string, int>> roots;
    for (int k = 1; k <= 20; ++k)
        roots.emplace_back(std::to_string(k), 1);
    const PolynomialEquation e(withRoots(roots));
    ASSERT_EQ(e.roots().size(), 20U);
    for (std::size_t i = 0; i < 20; ++i)
        EXPECT_EQ(exprOf(e, i), std::to_string(i + 1));
}

// Random integer polynomials of degree up to 12: each real root's enclosure
// holds a sign change of the polynomial, evaluated exactly at rationals
// just outside the 20 digits shown; multiplicities add up to the degree.
TEST(Engine, RandomPolynomialsRootsAreTrue)
{
    std::mt19937 random(7);
    for (int n = 0; n < 60; ++n) {
        const int degree = 1 + static_cast<int>(random() % 12);
        std::vector<mpq_class> c;
        for (int i = 0; i <= degree; ++i)
            c.emplace_back(static_cast<int>(random() % 199) - 99);
        if (c.front() == 0)
            c.front() = 1;
        const Polynomial p = Polynomial::FromHighestFirst(c);
        const PolynomialEquation e(p);
        int total = 0;
        for (const PolyRoot& root : e.roots()) {
            total += root.multiplicity;
            if (!root.value.isReal() || root.multiplicity % 2 == 0)
                continue;
            // x ± 10⁻¹⁵·(1 + |x|) straddles the root: p changes sign.
            const mpq_class x = ValueOf(root.value.re.significant(30, Tie::ToEven));
            const mpq_class step = mpq_class(1, mpz_class("1000000000000000")) * (1 + abs(x));
            const auto at = [&p](const mpq_class& t) {
                mpq_class y = 0;
                for (int k = p.degree(); k >= 0; --k)
                    y = y * t + p.coefficient(k);
                return sgn(y);
            };
            EXPECT_NE(at(x - step) * at(x + step), 1) << "degree " << degree << " root " << x.get_str();
        }
        EXPECT_EQ(total, degree);
    }
}

TEST(Engine, TurningPointsAreToldExactly)
{
    // x³ − 3x + 10²⁰: a maximum at −1 and a minimum at 1, though the curve's
    // values there differ by 4 in 10²⁰.
    const PolynomialEquation e(polynomialOf({"1", "0", "-3", "100000000000000000000"}));
    const std::vector<CriticalPoint>& points = e.criticalPoints();
    ASSERT_EQ(points.size(), 2U);
    EXPECT_EQ(points[0].kind, CriticalKind::Maximum);
    EXPECT_EQ(points[1].kind, CriticalKind::Minimum);
    EXPECT_EQ(ExprText(*points[0].exactY).value_or(""), "100000000000000000002");
    // x⁴: one minimum; x³: a stationary point that is no extremum.
    EXPECT_EQ(PolynomialEquation(polynomialOf({"1", "0", "0", "0", "0"})).criticalPoints().front().kind,
              CriticalKind::Minimum);
    EXPECT_EQ(PolynomialEquation(polynomialOf({"1", "0", "0", "0"})).criticalPoints().front().kind,
              CriticalKind::Stationary);
    // The vertex of a parabola opening either way: −2x² + 3x − 1 peaks at (3/4, 1/8); 3x² + x has its lowest at (−1/6,
    // −1/12).
    const struct {
        std::vector<std::string> coefficients;
        CriticalKind kind;
        const char* x;
        const char* y;
    } parabolas[] = {{{"-2", "3", "-1"}, CriticalKind::Maximum, "3/4", "1/8"},
                     {{"3", "1", "0"}, CriticalKind::Minimum, "-1/6", "-1/12"}};
    for (const auto& row : parabolas) {
        const std::vector<CriticalPoint> vertex = PolynomialEquation(polynomialOf(row.coefficients)).criticalPoints();
        ASSERT_EQ(vertex.size(), 1U);
        EXPECT_EQ(vertex[0].kind, row.kind);
        EXPECT_EQ(ExprText(*vertex[0].exactX).value_or(""), row.x);
        EXPECT_EQ(ExprText(*vertex[0].exactY).value_or(""), row.y);
        EXPECT_TRUE(vertex[0].y.equals(mpq_class(row.y)));
    }
}

struct RoundingRow {
    const char* name;
    Real value;
    int digits;
    Tie tie;
    std::string expected; // DecimalText of the rounding
};

TEST(Engine, RoundingIsOnceAndExact)
{
    const RoundingRow rows[] = {
        {"a tie at the 15th digit goes away from zero", Real(mpq_class("1234567890123455/10000000000000000")), 15,
         Tie::AwayFromZero, "0.123456789012346"},
        {"the same tie to even", Real(mpq_class("1234567890123445/10000000000000000")), 15, Tie::ToEven,
         "0.123456789012344"},
        {"a negative tie away from zero", Real(mpq_class("-25/10")), 1, Tie::AwayFromZero, "-3"},
        {"a surd just above a tie", Real::Surd(0, 1, 2), 3, Tie::AwayFromZero, "1.41"},
        {"a linear root rounded once", Real(mpq_class(93, 11)), 15, Tie::AwayFromZero, "8.45454545454545"},
        {"a quadratic root rounded once", Real::Surd(mpq_class(-17, 8), mpq_class(-1, 8), 2897), 15, Tie::AwayFromZero,
         "-8.85297332039894"},
    };
    for (const RoundingRow& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(DecimalText(row.value.significant(row.digits, row.tie)), row.expected);
    }
    EXPECT_EQ(Real(mpq_class(1, 3)).nearestDouble(), 1.0 / 3);
    EXPECT_FALSE(Real(mpq_class(mpz_class("1" + std::string(400, '0')))).nearestDouble());
}

// Long numbers are written in decimal without a general conversion where
// they are powers of 10 times a short number; every kind must read the same.
TEST(Engine, RationalTextOfLongNumbers)
{
    const auto power = [](unsigned long base, unsigned long n) {
        mpz_class p;
        mpz_ui_pow_ui(p.get_mpz_t(), base, n);
        return p;
    };
    std::mt19937 random(7);
    std::string digits = "9";
    while (digits.size() < 5000)
        digits += static_cast<char>('0' + random() % 10);
    const mpz_class general(digits);
    const struct {
        const char* name;
        mpq_class value;
    } rows[] = {
        {"a power of ten", mpq_class(1, power(10, 5000))},
        {"more twos than fives", mpq_class(-3, power(2, 16700) * power(5, 5000))},
        {"more fives than twos and a short factor", mpq_class(general, power(2, 100) * power(5, 8000) * 3)},
        {"fives with too few twos", mpq_class(1, power(5, 8000))},
        {"a short factor that is itself fives and twos", mpq_class(power(10, 5000) * 7 * 7 * 7 * 125 * 4)},
        {"divisible by many fives but not a power", mpq_class(power(5, 40) * power(2, 40) * general)},
        {"a general long number", mpq_class(general, 7)},
        {"short", mpq_class(-7, power(10, 30))},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        mpq_class value = row.value;
        value.canonicalize();
        EXPECT_EQ(RationalText(value), value.get_str());
    }
}

// ---- systems --------------------------------------------------------------------

struct SystemRow {
    const char* name;
    std::size_t unknowns;
    std::vector<std::vector<long>> equations; // coefficients, then the right side
    SystemKind kind;
    std::size_t parameters;
};

// Every value of the parameters gives a solution: the constant part and each
// parameter's direction substituted exactly.
void expectSolves(const SystemRow& row, const SystemSolution& s)
{
    for (std::size_t k = 0; k <= s.freeUnknowns.size(); ++k) {
        for (const std::vector<long>& eq : row.equations) {
            mpq_class sum = 0;
            for (std::size_t j = 0; j < row.unknowns; ++j) {
                const mpq_class x = s.kind == SystemKind::Unique ? s.values[j]
                                    : k == 0                     ? s.general[j].constant
                                             : s.general[j].constant + s.general[j].coefficients[k - 1];
                sum += eq[j] * x;
            }
            EXPECT_EQ(sum, mpq_class(eq[row.unknowns])) << "parameter " << k;
        }
    }
}

TEST(Engine, LinearSystemsOfEverySize)
{
    std::vector<SystemRow> rows{
        {"one unknown", 1, {{3, 6}}, SystemKind::Unique, 0},
        {"two, unique", 2, {{2, 3, 7}, {1, -1, 1}}, SystemKind::Unique, 0},
        {"two, the same line", 2, {{1, 1, 1}, {2, 2, 2}}, SystemKind::Infinite, 1},
        {"two, parallel", 2, {{1, 1, 1}, {2, 2, 5}}, SystemKind::None, 0},
        {"three, unique", 3, {{1, 1, 1, 6}, {2, -1, 1, 3}, {1, 2, -1, 2}}, SystemKind::Unique, 0},
        {"three, two parameters", 3, {{1, 1, 1, 1}, {2, 2, 2, 2}}, SystemKind::Infinite, 2},
        {"three square, singular: a plane twice",
         3,
         {{1, 1, 1, 1}, {2, 2, 2, 2}, {1, -1, 0, 0}},
         SystemKind::Infinite,
         1},
        {"three square, singular and inconsistent", 3, {{1, 1, 1, 1}, {1, 1, 1, 2}, {1, 2, 3, 4}}, SystemKind::None, 0},
        {"four unknowns, three parameters", 4, {{1, 2, 3, 4, 10}}, SystemKind::Infinite, 3},
        {"more equations than unknowns, consistent", 2, {{1, 0, 1}, {0, 1, 2}, {1, 1, 3}}, SystemKind::Unique, 0},
        {"more equations than unknowns, inconsistent", 2, {{1, 0, 1}, {0, 1, 2}, {1, 1, 4}}, SystemKind::None, 0},
    };
    // Ten unknowns: x_j = j, a Hilbert-like matrix of whole numbers.
    SystemRow ten{"ten unknowns", 10, {}, SystemKind::Unique, 0};
    for (long i = 0; i < 10; ++i) {
        std::vector<long> eq;
        long right = 0;
        for (long j = 0; j < 10; ++j) {
            const long a = (i + 1) * (j + 2) % 11 + (i == j ? 20 : 0);
            eq.push_back(a);
            right += a * (j + 1);
        }
        eq.push_back(right);
        ten.equations.push_back(eq);
    }
    rows.push_back(ten);
    for (const SystemRow& row : rows) {
        SCOPED_TRACE(row.name);
        LinearSystem system{row.unknowns, {}};
        for (const std::vector<long>& eq : row.equations) {
            std::vector<mpq_class> r;
            r.reserve(eq.size());
            for (const long x : eq)
                r.emplace_back(x);
            system.equations.push_back(r);
        }
        const SystemSolution s = SolveLinearSystem(system);
        EXPECT_EQ(s.kind, row.kind);
        // Cramer's determinants, where kept, are those of the system.
        for (std::size_t j = 0; j < s.cramer.size(); ++j)
            EXPECT_EQ(s.cramer[j], SystemDeterminant(system, j == 0 ? row.unknowns : j - 1)) << "determinant " << j;
        EXPECT_EQ(s.freeUnknowns.size(), row.parameters);
        if (s.kind != SystemKind::None)
            expectSolves(row, s);
        // The elimination a textbook writes ends where FLINT's does.
        if (!s.steps.empty() && s.kind != SystemKind::None) {
            EXPECT_EQ(s.steps.back().after, s.reduced);
        }
    }
}

// One coefficient of thousands of digits, in every place it can take: the
// solution is the quotients of Cramer's determinants in lowest terms,
// although no gcd of two long numbers is taken for them.
TEST(Engine, ASystemWithOneLongCoefficientSolvesExactly)
{
    mpz_class ten;
    mpz_ui_pow_ui(ten.get_mpz_t(), 10, 7000);
    const std::vector<std::pair<const char*, mpq_class>> longs{
        {"whole", mpq_class(ten + 7)},
        {"negative", mpq_class(-3 * ten + 1)},
        {"decimal", mpq_class(ten * 31 + 9, ten)},
    };
    const std::vector<std::vector<mpq_class>> base{
        {2, 3, -1, 4}, {mpq_class(9, 2), -5, 6, 7}, {8, mpq_class(19, 2), -1, 2}};
    for (std::size_t n : {2U, 3U}) {
        for (const auto& [name, value] : longs) {
            for (std::size_t i = 0; i < n; ++i) {
                for (std::size_t k = 0; k <= n; ++k) {
                    SCOPED_TRACE(std::string(name) + " at " + std::to_string(i) + "," + std::to_string(k) + " of "
                                 + std::to_string(n));
                    LinearSystem system{n, {}};
                    for (std::size_t r = 0; r < n; ++r) {
                        std::vector<mpq_class> eq(base[r].begin(), base[r].begin() + static_cast<long>(n));
                        eq.push_back(base[r][3]);
                        system.equations.push_back(eq);
                    }
                    system.equations[i][k] = value;
                    const SystemSolution s = SolveLinearSystem(system, false);
                    ASSERT_EQ(s.kind, SystemKind::Unique);
                    for (std::size_t j = 0; j < n; ++j)
                        EXPECT_EQ(s.values[j], s.cramer[j + 1] / s.cramer[0]) << "x" << j;
                    for (std::size_t r = 0; r < n; ++r) {
                        mpq_class sum = 0;
                        for (std::size_t j = 0; j < n; ++j)
                            sum += system.equations[r][j] * s.values[j];
                        EXPECT_EQ(sum, system.equations[r][n]) << "equation " << r;
                    }
                }
            }
        }
    }
}

} // namespace

// Short numbers' limbs come from blocks each thread keeps: a number that
// grows past them and shrinks back keeps its digits, and numbers made on a
// thread that has ended are still freed well on another.
TEST(Engine, NumbersKeepTheirDigitsThroughKeptMemory)
{
    std::vector<mpz_class> made;
    std::thread maker([&made] {
        for (unsigned long bits = 1; bits <= 1200; bits += 37) {
            mpz_class n;
            mpz_ui_pow_ui(n.get_mpz_t(), 3, bits);
            made.push_back(n);
        }
    });
    maker.join();
    for (std::size_t i = 0; i < made.size(); ++i) {
        SCOPED_TRACE(i);
        mpz_class expected;
        mpz_ui_pow_ui(expected.get_mpz_t(), 3, 1 + 37 * i);
        mpz_class n = made[i];
        n *= n; // grows, through every size kept and beyond
        mpz_sqrt(n.get_mpz_t(), n.get_mpz_t());
        mpz_realloc2(n.get_mpz_t(), 64); // shrinks into a kept size when it fits
        EXPECT_EQ(n, mpz_sizeinbase(expected.get_mpz_t(), 2) <= 64 ? expected : mpz_class(0));
        EXPECT_EQ(made[i], expected);
    }
    made.clear();
}

// Many threads asking at once run the function once and all see its
// result; a function that throws leaves the next caller to run it.
TEST(Engine, OnceRunsOnceForAllThreads)
{
    Once once;
    std::atomic<int> runs = 0;
    int value = 0;
    std::vector<std::thread> threads;
    std::vector<int> seen(8);
    for (std::size_t i = 0; i < seen.size(); ++i) {
        threads.emplace_back([&, i] {
            once.call([&] {
                std::this_thread::sleep_for(std::chrono::milliseconds(20));
                value = 42;
                ++runs;
            });
            seen[i] = value;
        });
    }
    for (std::thread& t : threads)
        t.join();
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(seen, std::vector<int>(8, 42));

    Once failing;
    EXPECT_THROW(failing.call([] { throw std::runtime_error("first"); }), std::runtime_error);
    bool ran = false;
    failing.call([&ran] { ran = true; });
    EXPECT_TRUE(ran);
}
