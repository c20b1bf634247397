// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// What the typed solution takes from the engine: roots in their order with
// their exact forms and correctly rounded digits, exact comparisons, and
// linear systems with and without their steps.

#include "expr.h"
#include "flint.h"
#include "linear_system.h"
#include "plain_text.h"
#include "polynomial.h"
#include "real.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>
#include <utility>
#include <vector>

using namespace zembrel::engine;

namespace {

std::vector<mpq_class> rationals(const std::vector<const char*>& texts)
{
    std::vector<mpq_class> values;
    values.reserve(texts.size());
    for (const char* text : texts)
        values.emplace_back(text);
    return values;
}

mpz_class tenTo(unsigned long n)
{
    mpz_class p;
    mpz_ui_pow_ui(p.get_mpz_t(), 10, n);
    return p;
}

struct ExpectedRoot {
    const char* expr; // nullptr: no EXPR
    const char* re;
    const char* im;
    int multiplicity;
};

struct RootsRow {
    const char* name;
    std::vector<const char*> coefficients; // highest first
    std::vector<ExpectedRoot> roots;
};

const RootsRow kRoots[] = {
    {"rational roots ascending",
     {"2", "-3", "-11", "6"},
     {{"-2", "-2", "0", 1}, {"1/2", "0.5", "0", 1}, {"3", "3", "0", 1}}},
    {"surds of two quadratic factors",
     {"1", "0", "-5", "0", "6"},
     {{"-sqrt(3)", "-1.7320508075688772935", "0", 1},
      {"-sqrt(2)", "-1.4142135623730950488", "0", 1},
      {"sqrt(2)", "1.4142135623730950488", "0", 1},
      {"sqrt(3)", "1.7320508075688772935", "0", 1}}},
    {"repeated roots", {"1", "1", "-5", "-1", "8", "-4"}, {{"-2", "-2", "0", 2}, {"1", "1", "0", 3}}},
    {"complex pair, upper first", {"1", "2", "5"}, {{"-1 + 2*I", "-1", "2", 1}, {"-1 - 2*I", "-1", "-2", 1}}},
    {"real roots before complex ones",
     {"1", "0", "0", "8"},
     {{"-2", "-2", "0", 1},
      {"1 + sqrt(3)*I", "1", "1.7320508075688772935", 1},
      {"1 - sqrt(3)*I", "1", "-1.7320508075688772935", 1}}},
    {"irreducible cubic has no EXPR",
     {"1", "0", "-3", "1"},
     {{nullptr, "-1.8793852415718167681", "0", 1},
      {nullptr, "0.3472963553338606977", "0", 1},
      {nullptr, "1.5320888862379560704", "0", 1}}},
};

TEST(EngineRoots, InOrderWithExactFormsAndDigits)
{
    for (const RootsRow& row : kRoots) {
        SCOPED_TRACE(row.name);
        const auto coefficients = rationals(row.coefficients);
        const Factorisation f = Factorise(Polynomial::FromHighestFirst(coefficients));
        const std::vector<PolyRoot> roots = Roots(f);
        ASSERT_EQ(roots.size(), row.roots.size());
        for (std::size_t i = 0; i < roots.size(); ++i) {
            const FormulaPtr exact = ExactForm(roots[i], f);
            const std::optional<std::string> expr = exact ? ExprText(*exact) : std::nullopt;
            EXPECT_EQ(expr.value_or("null"), row.roots[i].expr ? row.roots[i].expr : "null");
            EXPECT_EQ(roots[i].value.re.decimal20(), row.roots[i].re);
            EXPECT_EQ(roots[i].value.im.decimal20(), row.roots[i].im);
            EXPECT_EQ(roots[i].multiplicity, row.roots[i].multiplicity);
        }
    }
}

// The smaller root of x² + 10¹⁰⁰⁰x + 1 is −10⁻¹⁰⁰⁰ − 10⁻³⁰⁰⁰ − …: the two
// terms of the formula cancel to the last of their 3300 bits.
TEST(EngineRoots, ASmallRootBesideAHugeOneRounds)
{
    const std::vector<mpq_class> coefficients{1, mpq_class(tenTo(1000)), 1};
    const Factorisation f = Factorise(Polynomial::FromHighestFirst(coefficients));
    const std::vector<PolyRoot> roots = Roots(f);
    ASSERT_EQ(roots.size(), 2u);
    EXPECT_EQ(roots[0].value.re.decimal20(), "-1e1000");
    EXPECT_EQ(roots[1].value.re.decimal20(), "-1e-1000");
    EXPECT_EQ(roots[1].value.re.sign(), -1);
}

TEST(EngineRoots, CubeRootOfANumberIsWrittenAlone)
{
    const std::vector<mpq_class> coefficients{1, 0, 0, -2};
    const Factorisation f = Factorise(Polynomial::FromHighestFirst(coefficients));
    const std::vector<PolyRoot> roots = Roots(f);
    ASSERT_EQ(roots.size(), 3u);
    EXPECT_EQ(zembrel::present::PlainText(*ExactForm(roots[0], f)), "∛2");
    EXPECT_EQ(zembrel::present::PlainText(*ExactForm(roots[1], f)), "−∛2/2 + (√3/2)∛2i");
    EXPECT_EQ(roots[1].value.im.sign(), 1);
}

// (x − 1)(x − 2)(x − 10²⁰⁰⁰)²: too long to factor completely, and still
// every root of a quadratic squarefree factor is exact.
TEST(EngineRoots, LongCoefficientsKeepRationalRootsOfQuadraticFactors)
{
    const mpz_class big = tenTo(2000);
    // (x² − 3x + 2)(x² − 2·big·x + big²)
    const std::vector<mpq_class> coefficients{1, mpq_class(-2 * big - 3), mpq_class(big * big + 6 * big + 2),
                                              mpq_class(-3 * big * big - 4 * big), mpq_class(2 * big * big)};
    const Factorisation f = Factorise(Polynomial::FromHighestFirst(coefficients));
    EXPECT_FALSE(f.complete);
    const std::vector<PolyRoot> roots = Roots(f);
    ASSERT_EQ(roots.size(), 3u);
    EXPECT_EQ(ExprText(*ExactForm(roots[0], f)).value_or("null"), "1");
    EXPECT_EQ(ExprText(*ExactForm(roots[1], f)).value_or("null"), "2");
    EXPECT_TRUE(roots[0].value.re.equals(1));
    EXPECT_EQ(roots[2].multiplicity, 2);
}

// Too long to factor completely, a polynomial still splits into its
// squarefree factors, each with its multiplicity, and they multiply back to
// it. The first row with a cubic of 100 000 digits took FLINT's own
// squarefree factorisation minutes.
TEST(EngineRoots, LongCoefficientsSplitIntoSquarefreeFactors)
{
    struct Part {
        std::vector<mpz_class> coefficients; // lowest first
        unsigned long power;
    };
    struct Row {
        const char* name;
        mpz_class unit;
        std::vector<Part> parts;
        std::vector<std::pair<int, int>> degreesAndMultiplicities; // in Factorise's order
    };
    const mpz_class big = tenTo(7000);
    const std::vector<Row> rows = {
        {"a cubed long cubic beside a squared quadratic",
         -3,
         {{{-1, 0, 1}, 2}, {{56, big, 0, 1}, 3}},
         {{1, 2}, {1, 2}, {3, 3}}},
        {"short factors beside a long one are factored completely",
         1,
         {{{-1, 0, 1}, 2}, {{-200, 0, 0, 1}, 2}, {{56, big, 0, 1}, 3}},
         {{1, 2}, {1, 2}, {3, 2}, {3, 3}}},
        {"a power of one long linear factor", 1, {{{-tenTo(3000), 1}, 5}}, {{1, 5}}},
        {"squarefree, so one factor", 1, {{{1, big, 0, 0, 1}, 1}}, {{4, 1}}},
        {"a long quadratic squared splits into its roots",
         6,
         {{{-2 * tenTo(3000), 2 - tenTo(3000), 1}, 2}, {{1, 1, 1, 0, 1}, 1}},
         {{1, 2}, {1, 2}, {4, 1}}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        FmpzPoly whole;
        fmpz_poly_set_mpz(whole.get(), row.unit.get_mpz_t());
        for (const Part& part : row.parts) {
            FmpzPoly factor;
            for (std::size_t i = 0; i < part.coefficients.size(); ++i)
                fmpz_poly_set_coeff_mpz(factor.get(), static_cast<long>(i), part.coefficients[i].get_mpz_t());
            fmpz_poly_pow(factor.get(), factor.get(), part.power);
            fmpz_poly_mul(whole.get(), whole.get(), factor.get());
        }
        std::vector<mpq_class> highestFirst;
        for (long i = fmpz_poly_degree(whole.get()); i >= 0; --i)
            highestFirst.emplace_back(ToMpz(whole.get()->coeffs + i));
        const Factorisation f = Factorise(Polynomial::FromHighestFirst(highestFirst));
        EXPECT_FALSE(f.complete);
        std::vector<std::pair<int, int>> found;
        FmpqPoly product;
        fmpq_poly_set_mpq(product.get(), f.unit.get_mpq_t());
        for (const Factor& factor : f.factors) {
            found.emplace_back(factor.degree(), factor.multiplicity);
            FmpzPoly power;
            fmpz_poly_pow(power.get(), factor.polynomial.get(), static_cast<unsigned long>(factor.multiplicity));
            FmpqPoly term;
            fmpq_poly_set_fmpz_poly(term.get(), power.get());
            fmpq_poly_mul(product.get(), product.get(), term.get());
        }
        EXPECT_EQ(found, row.degreesAndMultiplicities);
        // Every root of a short factor of degree 1 or 2 has its exact form.
        for (const PolyRoot& root : Roots(f)) {
            const Factor& factor = f.factors[root.factor];
            if (factor.degree() <= 2 && std::labs(fmpz_poly_max_bits(factor.polynomial.get())) < 64) {
                EXPECT_TRUE(ExactForm(root, f)) << root.value.re.decimal20();
            }
        }
        FmpqPoly expected;
        fmpq_poly_set_fmpz_poly(expected.get(), whole.get());
        EXPECT_TRUE(fmpq_poly_equal(product.get(), expected.get()));
    }
}

// Roots far from 1, found through P(2^s·y): x⁸ = 2·10⁴⁰⁰ and x⁸ = 2·10⁻⁴⁰⁰.
TEST(EngineRoots, RootsFarFromOneKeepTheirDigits)
{
    const mpz_class big = tenTo(400);
    const struct {
        const char* name;
        std::vector<mpq_class> coefficients;
        const char* positive;
    } rows[] = {
        {"huge", {1, 0, 0, 0, 0, 0, 0, 0, mpq_class(-2 * big)}, "1.0905077326652576592e50"},
        {"tiny", {1, 0, 0, 0, 0, 0, 0, 0, mpq_class(-2, big)}, "1.0905077326652576592e-50"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const Factorisation f = Factorise(Polynomial::FromHighestFirst(row.coefficients));
        const std::vector<PolyRoot> roots = Roots(f);
        ASSERT_EQ(roots.size(), 8u);
        EXPECT_EQ(roots[0].value.re.decimal20(), std::string("-") + row.positive);
        EXPECT_EQ(roots[1].value.re.decimal20(), row.positive);
        EXPECT_EQ(roots[2].value.im.sign(), 1);
        EXPECT_EQ(roots[7].value.im.sign(), -1);
    }
}

// x³ + 2·10¹⁰⁰⁰x² + 200x + 10: the complex roots' imaginary parts cancel
// in Cardano's formula to 10⁻⁵⁰⁰, and their signs are known by their order.
TEST(EngineRoots, TinyImaginaryPartsOfACubic)
{
    const std::vector<mpq_class> coefficients{1, mpq_class(2 * tenTo(1000)), 200, 10};
    const Factorisation f = Factorise(Polynomial::FromHighestFirst(coefficients));
    const std::vector<PolyRoot> roots = Roots(f);
    ASSERT_EQ(roots.size(), 3u);
    EXPECT_EQ(roots[0].value.re.decimal20(), "-2e1000");
    EXPECT_EQ(roots[1].value.im.sign(), 1);
    EXPECT_EQ((-roots[1].value.im).sign(), -1);
    EXPECT_EQ(roots[1].value.re.decimal20(), "-5e-999");
    EXPECT_EQ(roots[1].value.im.decimal20(), "2.2360679774997896964e-500");
    EXPECT_EQ(roots[2].value.im.decimal20(), "-2.2360679774997896964e-500");
}

// Cubics too long to factor, whose kind rests on the discriminant's sign:
// an enclosure decides it unless it is 0 or nearly so, then the whole
// numbers do. Roots at B, B + 1 and 1 make it tiny beside its terms.
TEST(EngineRoots, LongCubicsOfEveryDiscriminant)
{
    const mpz_class big = tenTo(7000) + 1;
    const auto cubic = [](const mpz_class& a, const mpz_class& b, const mpz_class& c) {
        // (x − a)(x − b)(x − c)
        return std::vector<mpq_class>{1, mpq_class(-(a + b + c)), mpq_class(a * b + b * c + a * c),
                                      mpq_class(-a * b * c)};
    };
    const auto negated = [](std::vector<mpq_class> coefficients) {
        for (mpq_class& c : coefficients)
            c = -c;
        return coefficients;
    };
    const struct {
        const char* name;
        std::vector<mpq_class> coefficients;
        std::size_t distinct;
        std::size_t real;
    } rows[] = {
        {"one real root", {1, 0, mpq_class(big), 1}, 3, 1},
        {"three real roots", {1, 0, mpq_class(-big), 1}, 3, 3},
        {"three close to one another beside their size", cubic(big, big + 1, 1), 3, 3},
        {"a double root", cubic(big, big, 1), 2, 2},
        {"a double root, the leading coefficient negative", negated(cubic(big, big, 1)), 2, 2},
        {"a triple root, the leading coefficient negative", negated(cubic(big, big, big)), 1, 1},
        // −10⁹⁰⁰⁰x³ + (1 + 10⁹⁰⁰⁰)x² (found by fuzzing: it aborted the program)
        {"a double root at 0 beside a long one", {mpq_class(-tenTo(9000)), mpq_class(1 + tenTo(9000)), 0, 0}, 2, 2},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const Factorisation f = Factorise(Polynomial::FromHighestFirst(row.coefficients));
        EXPECT_GT(Polynomial::FromHighestFirst(row.coefficients).bits(), kFactorBits);
        const std::vector<PolyRoot> roots = Roots(f);
        ASSERT_EQ(roots.size(), row.distinct);
        std::size_t real = 0;
        for (const PolyRoot& root : roots)
            real += root.value.isReal() ? 1 : 0;
        EXPECT_EQ(real, row.real);
        // unit × Π factorᵐ is the polynomial again.
        FmpqPoly product;
        fmpq_poly_set_mpq(product.get(), f.unit.get_mpq_t());
        for (const Factor& factor : f.factors) {
            FmpqPoly power;
            fmpq_poly_set_fmpz_poly(power.get(), factor.polynomial.get());
            fmpq_poly_pow(power.get(), power.get(), static_cast<unsigned long>(factor.multiplicity));
            fmpq_poly_mul(product.get(), product.get(), power.get());
        }
        for (std::size_t i = 0; i < row.coefficients.size(); ++i) {
            Fmpq c;
            fmpq_poly_get_coeff_fmpq(c.get(), product.get(), static_cast<long>(row.coefficients.size() - 1 - i));
            EXPECT_EQ(ToMpq(c.get()), row.coefficients[i]) << "coefficient " << i;
        }
    }
    EXPECT_EQ(CubicDiscriminant(mpq_class(-3, 7), mpq_class(5, 2)),
              mpq_class(5, 4) * mpq_class(5, 4) + mpq_class(-1, 7) * mpq_class(-1, 7) * mpq_class(-1, 7));
}

struct CompareRow {
    const char* name = nullptr;
    Real a;
    Real b;
    int expected = 0;
};

Real longCubicRoot()
{
    const std::vector<mpq_class> coefficients{1, mpq_class(2 * tenTo(20202)), -1, 1};
    const Factorisation f = Factorise(Polynomial::FromHighestFirst(coefficients));
    return Roots(f).front().value.re;
}

TEST(EngineReal, ComparesExactly)
{
    const Real sqrt2 = Real::Surd(0, 1, 2);
    const CompareRow rows[] = {
        {"rationals", Real(mpq_class(1, 3)), Real(mpq_class(1, 2)), -1},
        {"an unreduced quotient equals its value", Real::Quotient(2, 4), Real(mpq_class(1, 2)), 0},
        {"a surd and a close rational", sqrt2, Real(mpq_class("14142135623730950488/10000000000000000000")), 1},
        {"the same surd two ways", sqrt2, Real::SurdQuotient(0, 2, 2, 2), 0},
        {"a surd and its negative", -sqrt2, sqrt2, -1},
        // x³ + 2·10²⁰²⁰²x² − x + 1: its real root, about −2·10²⁰²⁰², from an
        // enclosure that narrows only past 400 000 bits (found by fuzzing:
        // it was listed after √2)
        {"a long cubic's root far below a surd", longCubicRoot(), -sqrt2, -1},
    };
    for (const CompareRow& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(Compare(row.a, row.b), row.expected);
    }
}

TEST(EngineLinearSystem, StepsOnlyWhenAskedAndTheSameAnswer)
{
    const LinearSystem system{
        3, {rationals({"1", "1", "1", "6"}), rationals({"0", "2", "5", "-4"}), rationals({"2", "5", "-1", "27"})}};
    const SystemSolution with = SolveLinearSystem(system);
    const SystemSolution without = SolveLinearSystem(system, false);
    EXPECT_FALSE(with.steps.empty());
    EXPECT_TRUE(without.steps.empty());
    EXPECT_EQ(with.kind, SystemKind::Unique);
    EXPECT_EQ(without.values, with.values);
    EXPECT_EQ(with.values, rationals({"5", "3", "-2"}));
}

} // namespace
