// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "system.h"

#include "check.h"
#include "conversion.h"

#include <algorithm>
#include <array>
#include <string_view>
#include <utility>

namespace zembrel {

namespace system {

namespace {

// What the window does with the equations: solves equations 1 and 2 for X
// and Y when every Z coefficient is 0, all three for X, Y and Z otherwise.
enum class Outcome {
    MissingVariable, // every X or every Y coefficient is 0
    ParallelLines,   // two-variable mode, D = 0, distinct lines
    CoincidentLines, // two-variable mode, D = 0, the same line twice
    SolvedTwo,       // two-variable mode: X, Y from equations 1 and 2
    SingularSystem,  // three-variable mode, determinant 0
    SolvedThree,     // three-variable mode: X, Y, Z
};

struct Message {
    std::string_view text;
    MsgBoxStyle style = MsgBoxStyle::OkOnly;
};

// What the solve and the check say of an outcome without a solution: the
// solve warns with icons, the check answers plainly and words the singular
// case more briefly.
struct Refusal {
    Outcome outcome = Outcome::MissingVariable;
    Message solve;
    Message check;
};

// clang-format off
constexpr std::array kRefusals{
    Refusal{Outcome::MissingVariable, {kMissingVariable, MsgBoxStyle::OkOnly},
                                      {kMissingVariable, MsgBoxStyle::OkOnly}},
    Refusal{Outcome::ParallelLines,   {kParallelLines, MsgBoxStyle::Critical},
                                      {kParallelLines, MsgBoxStyle::OkOnly}},
    Refusal{Outcome::CoincidentLines, {kCoincidentLines, MsgBoxStyle::Exclamation},
                                      {kCoincidentLines, MsgBoxStyle::OkOnly}},
    Refusal{Outcome::SingularSystem,  {kSingularSolve, MsgBoxStyle::Exclamation},
                                      {kSingularCheck, MsgBoxStyle::OkOnly}},
};
// clang-format on

// Equation i of the panel: its X, Y and Z coefficients and its constant.
struct Row {
    Field a, b, c, d;
};
constexpr std::array<Row, 3> kRows{Row{a1, b1, c1, d1}, Row{a2, b2, c2, d2}, Row{a3, b3, c3, d3}};

class SystemSolution final : public PanelSolution {
public:
    Outcome outcome = Outcome::MissingVariable;
    // Cramer's rule in whole numbers on the equations the window solves.
    engine::Cramer cramer;
    // The solved unknowns X, Y (and Z) as the window shows them.
    std::vector<engine::Real> shown;

    // Solved in two-variable mode with a third equation that is not all 0:
    // does it hold for the solution of the first two?
    bool thirdEquationHolds() const
    {
        const Row& r = kRows[2];
        if (value(r.a) == 0 && value(r.b) == 0 && value(r.d) == 0)
            return true;
        // a₃·X + b₃·Y + d₃ = 0 with X, Y over the determinant
        const mpq_class sum = value(r.a) * cramer.numerators[0] + value(r.b) * cramer.numerators[1]
                              + value(r.d) * mpq_class(cramer.determinant);
        return sum == 0;
    }

    Facts facts() const override
    {
        if (overflow)
            return {};
        Facts f;
        const std::size_t n = system->mode == 2 ? 2 : 3;
        // The panel's first n equations are the system solved when it is square.
        if (!system->solution.cramer.empty()) {
            f.determinant = system->solution.cramer.front();
            return f;
        }
        std::vector<std::vector<mpq_class>> matrix;
        for (std::size_t i = 0; i < n; ++i) {
            const Row& r = kRows[i];
            matrix.push_back(n == 2 ? std::vector<mpq_class>{value(r.a), value(r.b)}
                                    : std::vector<mpq_class>{value(r.a), value(r.b), value(r.c)});
        }
        f.determinant = engine::Determinant(matrix);
        return f;
    }

protected:
    engine::Working makeWorking() const override
    {
        engine::Working w;
        if (system->mode == 2)
            w.push_back({engine::Reason::XYOnly, {}});
        const engine::Working solved = engine::textbook::LinearSystemWorking(
            system->equations, system->unknowns, system->solution, system->parameters, decimal);
        w.insert(w.end(), solved.begin(), solved.end());
        return w;
    }
};

std::shared_ptr<const SystemSolution> solutionIn(const Window& window)
{
    return std::static_pointer_cast<const SystemSolution>(SolutionFor(kSystemPanel, window));
}

// a·X + b·Y (+ c·Z) = −d for each equation that takes part.
engine::LinearSystem equationsOf(const SystemSolution& s, std::span<const std::size_t> rows, std::size_t n)
{
    engine::LinearSystem system{n, {}};
    for (const std::size_t i : rows) {
        const Row& r = kRows[i];
        std::vector<mpq_class> row{s.value(r.a), s.value(r.b)};
        if (n == 3)
            row.push_back(s.value(r.c));
        row.push_back(-s.value(r.d));
        system.equations.push_back(std::move(row));
    }
    return system;
}

void solveForWindow(SystemSolution& s)
{
    const auto allZero = [&s](Field Row::*column) {
        return std::ranges::all_of(kRows, [&](const Row& r) { return s.value(r.*column) == 0; });
    };
    if (allZero(&Row::a) || allZero(&Row::b)) {
        s.outcome = Outcome::MissingVariable;
        return;
    }
    const bool two = s.system->mode == 2;
    const std::array<std::size_t, 3> all{0, 1, 2};
    const std::span<const std::size_t> rows(all.data(), two ? 2 : 3);
    const engine::LinearSystem square = equationsOf(s, rows, two ? 2 : 3);
    s.cramer = engine::SolveByCramer(square);
    if (s.cramer.determinant == 0) {
        if (!two) {
            s.outcome = Outcome::SingularSystem;
            return;
        }
        const engine::SystemSolution lines = engine::SolveLinearSystem(square, false);
        s.outcome = lines.kind == engine::SystemKind::Infinite ? Outcome::CoincidentLines : Outcome::ParallelLines;
        return;
    }
    s.outcome = two ? Outcome::SolvedTwo : Outcome::SolvedThree;
    for (const mpz_class& numerator : s.cramer.numerators)
        s.shown.push_back(engine::Real::Quotient(numerator, s.cramer.determinant));
}

} // namespace

std::shared_ptr<const PanelSolution> Solve(std::vector<Reading> read)
{
    auto s = std::make_shared<SystemSolution>();
    if (!s->begin(kSystemPanel, std::move(read), kTwelveDecimals))
        return s;
    PanelSystem system;
    system.mode = std::ranges::all_of(kRows, [&](const Row& r) { return s->value(r.c) == 0; }) ? 2 : 3;
    const std::size_t n = system.mode == 2 ? 2 : 3;
    system.unknowns = n == 2 ? std::vector<std::string>{"X", "Y"} : std::vector<std::string>{"X", "Y", "Z"};
    system.parameters = {"t", "s"};
    // In two-variable mode a third equation takes part where it is typed.
    const Row& third = kRows[2];
    const bool thirdTyped = s->value(third.a) != 0 || s->value(third.b) != 0 || s->value(third.d) != 0;
    system.rows = n == 3 || thirdTyped ? std::vector<std::size_t>{0, 1, 2} : std::vector<std::size_t>{0, 1};
    system.equations = equationsOf(*s, system.rows, n);
    // The steps of elimination only where the working shows them: it finds them itself.
    system.solution = engine::SolveLinearSystem(system.equations, false);
    switch (system.solution.kind) {
    case engine::SystemKind::Unique: s->kind = EquationKind::Unique; break;
    case engine::SystemKind::None: s->kind = EquationKind::None; break;
    case engine::SystemKind::Infinite: s->kind = EquationKind::Infinite; break;
    }
    s->summary = s->kind == EquationKind::Unique ? present::Line("方程组有唯一解")
                 : s->kind == EquationKind::None ? present::Line("方程组无解")
                                                 : present::Line("方程组有无数组解");
    s->system = std::move(system);
    solveForWindow(*s);
    return s;
}

} // namespace system

namespace {

// Shows what the solve or the check says of an outcome without a solution;
// false for a solved system.
bool refuse(Window& window, system::Message system::Refusal::*use, system::Outcome outcome)
{
    const auto row = std::ranges::find(system::kRefusals, outcome, &system::Refusal::outcome);
    if (row == system::kRefusals.end())
        return false;
    const system::Message& message = (*row).*use;
    window.MsgBox(message.text, message.style);
    return true;
}

} // namespace

void SolveSystem(Window& window)
{
    // Enabled before anything is read, so even a refused solve allows one check.
    window.setEnabled(system::check, true);
    // Two-variable mode (every Z coefficient 0) solves equations 1 and 2;
    // every decision is taken on the exact coefficients.
    const auto solution = system::solutionIn(window);
    RaiseOnOverflow(*solution);
    if (refuse(window, &system::Refusal::solve, solution->outcome))
        return;
    // Every text before any field: a value beyond the doubles writes none.
    std::vector<std::string> texts;
    for (const engine::Real& value : solution->shown)
        texts.push_back(FormatExact(value, kTwelveDecimals));
    window.setText(system::X, texts[0]);
    window.setText(system::Y, texts[1]);
    // No Z in two-variable mode; an earlier Z must not stay beside X and Y.
    window.setText(system::Z, texts.size() == 3 ? texts[2] : "");
}

void CheckSystem(Window& window)
{
    window.setEnabled(system::check, false);
    // The check re-solves from the coefficients rather than reading the
    // result fields, so it judges the solution the present coefficients give.
    const auto solution = system::solutionIn(window);
    RaiseOnOverflow(*solution);
    if (refuse(window, &system::Refusal::check, solution->outcome))
        return;
    for (const engine::Real& value : solution->shown)
        RaiseBeyondDoubles(value);
    const bool passed = ShownValuesHold(solution->shown)
                        && (solution->outcome != system::Outcome::SolvedTwo || solution->thirdEquationHolds());
    window.MsgBox(passed ? system::kSolutionRight : system::kSolutionWrong, MsgBoxStyle::OkOnly);
}

} // namespace zembrel
