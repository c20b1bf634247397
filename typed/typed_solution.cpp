// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "typed_solution.h"

#include "lexer.h"
#include "solving.h"

#include <stdexcept>

namespace zembrel::typed {

namespace {

// What a text that reads cannot be, each told at its place.
enum class Unsolvable {
    NotLinear,                // a system's equation of degree 2 or more: at the term that makes it so
    EquationsAndInequalities, // at the first relation of the other sort than the first statement's
    TwoUnknowns,              // an inequality in two unknowns: at the second
    DifferentUnknowns,        // inequalities in different unknowns: at the later one
    RootsOutOfReach,          // roots too close or too far apart in size to find in time (no place)
    CoefficientsTooLong,      // a factor of degree 4 or more with coefficients of over 1000 digits (no place)
    Failed,                   // the exact arithmetic gave up (values closer than it can tell)
};

struct UnsolvableRow {
    Unsolvable kind = Unsolvable::Failed;
    const char* text = nullptr; // {detail}: what is at fault, as typed; {first}: what it differs from
};

// One row a kind, in the order of Unsolvable.
constexpr UnsolvableRow kUnsolvable[] = {
    {Unsolvable::NotLinear, "方程组里的方程（以及含两个或更多未知数的方程）只能是一次方程：“{detail}”的次数高于 1"},
    {Unsolvable::EquationsAndInequalities, "方程和不等式不能一起解：请只输入方程（组），或只输入不等式（组）"},
    {Unsolvable::TwoUnknowns, "一个不等式只能含一个未知数：这里又出现了“{detail}”"},
    {Unsolvable::DifferentUnknowns, "不等式组里的不等式要含同一个未知数：前面是“{first}”，这里是“{detail}”"},
    {Unsolvable::RootsOutOfReach, "根挨得太近或大小相差太悬殊，无法在合理的时间内求出所有的根"},
    {Unsolvable::CoefficientsTooLong,
     "四次及以上的因式，系数最多约 1000 位：这里的系数太长，无法在合理的时间内求出所有的根"},
    {Unsolvable::Failed, "无法精确比较这些数的大小，不能求解"},
};

constexpr bool inKindOrder()
{
    std::size_t i = 0;
    for (const UnsolvableRow& row : kUnsolvable) {
        if (static_cast<std::size_t>(row.kind) != i++)
            return false;
    }
    return i == static_cast<std::size_t>(Unsolvable::Failed) + 1;
}
static_assert(inKindOrder(), "kUnsolvable holds one row for each Unsolvable, in order");

// A term quoted in a message is cut after this many characters.
constexpr std::size_t kQuotedLength = 30;

void replace(std::string& text, const std::string& name, const std::string& value)
{
    const std::size_t at = text.find(name);
    if (at != std::string::npos)
        text.replace(at, name.size(), value);
}

SolutionError unsolvable(Unsolvable kind, std::optional<std::size_t> at, const std::string& detail = {},
                         const std::string& first = {})
{
    std::string text = kUnsolvable[static_cast<std::size_t>(kind)].text;
    replace(text, "{detail}", detail);
    replace(text, "{first}", first);
    return {text, at};
}

// The characters of a span as typed, cut short where long.
std::string quoted(std::string_view text, Span span)
{
    const std::u32string characters = Decode(text);
    const std::size_t length = std::min(span.end - span.begin, kQuotedLength);
    std::string quote = Encode(std::u32string_view(characters).substr(span.begin, length));
    return span.end - span.begin > kQuotedLength ? quote + "…" : quote;
}

struct Occurrence {
    std::size_t at = 0;
    std::size_t unknown = 0;
};

// The unknowns as written in a side, in the order of the text.
void occurrences(const Expr& expr, std::vector<Occurrence>& found)
{
    if (expr.kind == Expr::Kind::Unknown)
        found.push_back({expr.span.begin, expr.unknown});
    for (const Expr& child : expr.children)
        occurrences(child, found);
}

// The terms of a side, brackets around a sum opened: x² + (y + z²) has x², y, z².
void leafTerms(const Expr& expr, std::vector<const Expr*>& terms)
{
    const Expr* e = &expr;
    while (e->kind == Expr::Kind::Group)
        e = &e->children.front();
    if (e->kind != Expr::Kind::Sum || e->children.size() == 1) {
        terms.push_back(&expr);
        return;
    }
    for (const Expr& child : e->children)
        leafTerms(child, terms);
}

// Where a statement stops being linear: the first term, as typed, with a
// term of degree 2 or more that the collected difference keeps.
Span nonlinearSpan(const Statement& statement, std::size_t unknowns)
{
    std::vector<const Expr*> terms;
    leafTerms(statement.left, terms);
    leafTerms(statement.right, terms);
    for (const Expr* term : terms) {
        const auto expanded = Expand(*term, unknowns);
        if (!std::holds_alternative<Polynomial>(expanded))
            continue;
        for (const Polynomial::Term& t : std::get<Polynomial>(expanded).terms()) {
            unsigned long degree = 0;
            for (const unsigned long e : t.exponents)
                degree += e;
            if (degree > 1 && statement.difference.coefficient(t.exponents) != 0)
                return term->span;
        }
    }
    return statement.span;
}

std::optional<SolutionError> mixed(const Reading& reading)
{
    const bool equations = reading.statements.front().relation == Relation::Equal;
    for (const Statement& statement : reading.statements) {
        if ((statement.relation == Relation::Equal) != equations)
            return unsolvable(Unsolvable::EquationsAndInequalities, statement.relationSpan.begin);
    }
    return std::nullopt;
}

std::optional<SolutionError> inequalityUnknowns(const Reading& reading)
{
    std::optional<std::size_t> unknown;
    for (const Statement& statement : reading.statements) {
        std::vector<Occurrence> found;
        occurrences(statement.left, found);
        occurrences(statement.right, found);
        const bool earlier = unknown.has_value();
        for (const Occurrence& o : found) {
            if (!unknown)
                unknown = o.unknown;
            if (o.unknown == *unknown)
                continue;
            const std::string letter(1, reading.unknowns[o.unknown]);
            if (earlier)
                return unsolvable(Unsolvable::DifferentUnknowns, o.at, letter,
                                  std::string(1, reading.unknowns[*unknown]));
            return unsolvable(Unsolvable::TwoUnknowns, o.at, letter);
        }
    }
    return std::nullopt;
}

std::optional<SolutionError> notLinear(const Reading& reading, std::string_view text)
{
    for (const Statement& statement : reading.statements) {
        if (statement.difference.totalDegree() > 1) {
            const Span span = nonlinearSpan(statement, reading.unknowns.size());
            return unsolvable(Unsolvable::NotLinear, span.begin, quoted(text, span));
        }
    }
    return std::nullopt;
}

TypedSolution solve(const Reading& reading, std::string_view text)
{
    TypedSolution solution;
    if (auto error = mixed(reading)) {
        solution.answer = std::move(*error);
        return solution;
    }
    if (reading.statements.front().relation != Relation::Equal) {
        if (auto error = inequalityUnknowns(reading))
            solution.answer = std::move(*error);
        else
            solution.answer = solving::SolveInequalities(reading, solution.working, solution.graph);
        return solution;
    }
    if (reading.statements.size() == 1 && reading.unknowns.size() <= 1) {
        solution.answer = solving::SolvePolynomial(reading, solution.working, solution.graph);
        return solution;
    }
    if (auto error = notLinear(reading, text))
        solution.answer = std::move(*error);
    else
        solution.answer = solving::SolveSystem(reading, solution.working, solution.graph);
    return solution;
}

} // namespace

TypedSolution SolveTyped(std::string_view text)
{
    auto read = Read(text);
    if (const auto* error = std::get_if<ReadError>(&read))
        return {SolutionError{Message(*error), error->at}, {}, {}};
    try {
        return solve(std::get<Reading>(read), text);
    } catch (const solving::RootsOutOfReach& out) {
        const bool length = out.why() == solving::RootsOutOfReach::Why::Length;
        return {
            unsolvable(length ? Unsolvable::CoefficientsTooLong : Unsolvable::RootsOutOfReach, std::nullopt), {}, {}};
    } catch (const std::runtime_error&) {
        return {unsolvable(Unsolvable::Failed, std::nullopt), {}, {}};
    }
}

} // namespace zembrel::typed
