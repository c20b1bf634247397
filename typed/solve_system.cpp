// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Equations of degree at most 1 in any number of unknowns: the engine's
// exact elimination, and its working: Cramer's rule for two or three
// unknowns with a determinant that is not 0, else Gauss–Jordan step by step.

#include "solving.h"

#include "expr.h"

#include <array>
#include <limits>

namespace zembrel::typed::solving {

namespace {

using engine::FormulaPtr;
using engine::Reason;
using Row = std::vector<mpq_class>;

// Where the parameters of a general solution take their names from.
constexpr std::array kParameterLetters{'t', 's', 'r', 'u', 'v', 'p', 'q', 'm', 'n', 'k', 'h', 'g',
                                       'a', 'b', 'c', 'd', 'f', 'j', 'l', 'o', 'w', 'x', 'y', 'z'};

FormulaPtr number(const mpq_class& value) { return engine::Number(value, engine::NumberStyle::Decimal); }

// a₁x₁ + … + aₙxₙ = b, the zero terms left out.
FormulaPtr rowFormula(const Row& row, const std::vector<char>& unknowns)
{
    std::vector<Polynomial::Term> terms;
    for (std::size_t j = 0; j < unknowns.size(); ++j) {
        if (row[j] == 0)
            continue;
        std::vector<unsigned long> exponents(unknowns.size(), 0);
        exponents[j] = 1;
        terms.push_back({exponents, row[j]});
    }
    return engine::Eq(TermsFormula(terms, unknowns), number(row.back()));
}

FormulaPtr systemFormula(const std::vector<Row>& rows, const std::vector<char>& unknowns)
{
    std::vector<FormulaPtr> equations;
    equations.reserve(rows.size());
    for (const Row& row : rows)
        equations.push_back(rowFormula(row, unknowns));
    return engine::CasesOf(equations);
}

// constant + Σ cₖ·(parameter k), in the parameters' letters.
FormulaPtr affineFormula(const engine::Affine& x, const std::vector<char>& parameters)
{
    std::vector<std::pair<engine::Sign, FormulaPtr>> terms;
    if (x.constant != 0)
        terms.emplace_back(engine::Sign::Plus, engine::Number(x.constant));
    for (std::size_t k = 0; k < parameters.size(); ++k) {
        const mpq_class& c = x.coefficients[k];
        if (c == 0)
            continue;
        const FormulaPtr parameter = Letter(parameters[k]);
        const FormulaPtr term = abs(c) == 1 ? parameter : engine::Mul({engine::Number(abs(c)), parameter});
        terms.emplace_back(c < 0 ? engine::Sign::Minus : engine::Sign::Plus, term);
    }
    return terms.empty() ? engine::Int(0) : engine::SumOf(terms);
}

FormulaPtr matrixOf(const std::vector<Row>& rows, std::size_t replaced)
{
    std::vector<std::vector<FormulaPtr>> cells;
    for (const Row& row : rows) {
        std::vector<FormulaPtr> line;
        for (std::size_t j = 0; j + 1 < row.size(); ++j)
            line.push_back(number(j == replaced ? row.back() : row[j]));
        cells.push_back(line);
    }
    return engine::MatrixOf(cells, true);
}

void cramer(const engine::LinearSystem& system, const std::vector<char>& unknowns, engine::Working& working)
{
    const engine::Cramer c = engine::SolveByCramer(system);
    const mpq_class D = c.systemDeterminant();
    const FormulaPtr d = engine::Sym("D");
    working.push_back({Reason::SystemDeterminant,
                       {engine::ChainOf(d, {{engine::Relation::Equal, matrixOf(system.equations, unknowns.size())},
                                            {engine::Relation::Equal, number(D)}})}});
    for (std::size_t j = 0; j < unknowns.size(); ++j) {
        const std::string name(1, unknowns[j]);
        const FormulaPtr dj = engine::Sym("D", name);
        const mpq_class Dj = c.replacedDeterminant(j);
        working.push_back(
            {Reason::CramerUnknown,
             {engine::ChainOf(dj, {{engine::Relation::Equal, matrixOf(system.equations, j)},
                                   {engine::Relation::Equal, number(Dj)}}),
              engine::ChainOf(Letter(unknowns[j]), {{engine::Relation::Equal, engine::Frac(dj, d)},
                                                    {engine::Relation::Equal, engine::Number(Dj / D)}})}});
    }
}

void elimination(const engine::SystemSolution& solution, const std::vector<char>& unknowns, engine::Working& working)
{
    using Operation = engine::EliminationStep::Operation;
    const auto ordinal = [](std::size_t row) { return engine::Int(static_cast<long>(row + 1)); };
    for (const engine::EliminationStep& step : solution.steps) {
        const FormulaPtr after = systemFormula(step.after, unknowns);
        switch (step.operation) {
        case Operation::Swap:
            working.push_back({Reason::SwapEquations, {ordinal(step.row), ordinal(step.other), after}});
            break;
        case Operation::Scale:
            working.push_back({Reason::ScaleEquation, {ordinal(step.row), engine::Number(step.factor), after}});
            break;
        case Operation::Eliminate:
            working.push_back(
                {Reason::AddMultiple, {ordinal(step.row), engine::Number(step.factor), ordinal(step.other), after}});
            break;
        }
    }
}

// The row that reads 0 = c, c ≠ 0, as the elimination last wrote it.
FormulaPtr contradiction(const engine::SystemSolution& solution, std::size_t unknowns)
{
    const std::vector<Row>& rows = solution.steps.empty() ? solution.reduced : solution.steps.back().after;
    for (const Row& row : rows) {
        bool zero = true;
        for (std::size_t j = 0; j < unknowns; ++j)
            zero = zero && row[j] == 0;
        if (zero && row.back() != 0)
            return engine::Eq(engine::Int(0), number(row.back()));
    }
    return engine::Eq(engine::Int(0), engine::Int(1));
}

} // namespace

SystemAnswer SolveSystem(const Reading& reading, engine::Working& working, Graph& graph)
{
    SystemAnswer answer;
    answer.unknowns = reading.unknowns;
    const std::size_t n = reading.unknowns.size();
    const bool shown = reading.statements.size() <= kShownEquations;

    std::vector<FormulaPtr> typed;
    bool standard = true;
    for (const Statement& statement : reading.statements) {
        Row row(n + 1);
        std::vector<unsigned long> exponents(n, 0);
        for (std::size_t j = 0; j < n; ++j) {
            exponents[j] = 1;
            row[j] = statement.difference.coefficient(exponents);
            exponents[j] = 0;
        }
        row[n] = -statement.difference.constantTerm();
        if (shown && statement.span.end - statement.span.begin <= kShownStatementLength) {
            typed.push_back(AsWritten(statement, reading.unknowns));
            standard = standard && SameFormula(*typed.back(), *rowFormula(row, reading.unknowns));
        } else {
            typed.push_back(rowFormula(row, reading.unknowns));
        }
        answer.equations.push_back(std::move(row));
        if (n == 2) {
            const Row& r = answer.equations.back();
            graph.lines.push_back({Drawn(r[0]), Drawn(r[1]), Drawn(r[2])});
        }
    }
    if (typed.size() == 1)
        working.push_back({Reason::EquationAsTyped, typed});
    else
        working.push_back({Reason::SystemAsTyped, {engine::CasesOf(typed)}});
    if (!standard)
        working.push_back({Reason::StandardForm, {systemFormula(answer.equations, reading.unknowns)}});

    const engine::LinearSystem system{n, answer.equations};
    const engine::SystemSolution solution = engine::SolveLinearSystem(system, shown);
    answer.kind = solution.kind;
    answer.rank = solution.rank;
    const bool byCramer
        = shown && solution.kind == engine::SystemKind::Unique && (n == 2 || n == 3) && answer.equations.size() == n;
    if (byCramer)
        cramer(system, reading.unknowns, working);
    else
        elimination(solution, reading.unknowns, working);

    switch (solution.kind) {
    case engine::SystemKind::None: working.push_back({Reason::Contradiction, {contradiction(solution, n)}}); break;
    case engine::SystemKind::Unique: {
        std::vector<FormulaPtr> values;
        for (std::size_t j = 0; j < n; ++j) {
            const mpq_class& v = solution.values[j];
            answer.solution.push_back({v, engine::Real(v).decimal20()});
            values.push_back(engine::Eq(Letter(reading.unknowns[j]), engine::Number(v)));
        }
        working.push_back({Reason::UniqueSolution, values});
        break;
    }
    case engine::SystemKind::Infinite: {
        answer.parameters = ParameterNames(reading.unknowns, solution.freeUnknowns.size());
        std::vector<FormulaPtr> chosen;
        for (std::size_t k = 0; k < answer.parameters.size(); ++k)
            chosen.push_back(
                engine::Eq(Letter(reading.unknowns[solution.freeUnknowns[k]]), Letter(answer.parameters[k])));
        std::vector<FormulaPtr> formulas{engine::ListOf(chosen)};
        for (std::size_t j = 0; j < n; ++j) {
            answer.general.push_back(affineFormula(solution.general[j], answer.parameters));
            answer.generalExpr.push_back(
                engine::ExprText(*answer.general.back(), std::numeric_limits<std::size_t>::max()).value_or(""));
            formulas.push_back(engine::Eq(Letter(reading.unknowns[j]), answer.general.back()));
        }
        working.push_back({Reason::GeneralSolution, formulas});
        break;
    }
    }
    return answer;
}

} // namespace zembrel::typed::solving

namespace zembrel::typed {

std::vector<char> ParameterNames(const std::vector<char>& unknowns, std::size_t count)
{
    std::vector<char> names;
    for (const char letter : solving::kParameterLetters) {
        if (names.size() == count)
            break;
        if (std::find(unknowns.begin(), unknowns.end(), letter) == unknowns.end())
            names.push_back(letter);
    }
    return names;
}

} // namespace zembrel::typed
