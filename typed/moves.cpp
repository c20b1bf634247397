// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "solving.h"

#include <optional>

namespace zembrel::typed::solving {

namespace {

using engine::Formula;
using engine::FormulaPtr;
using engine::Sign;
using Kind = Formula::Kind;

bool isZero(const Expr& side)
{
    const Expr* e = &side;
    while (e->kind == Expr::Kind::Group)
        e = &e->children.front();
    return e->kind == Expr::Kind::Number && e->number->value == 0;
}

bool hasBrackets(const Expr& expr)
{
    if (expr.kind == Expr::Kind::Group)
        return true;
    for (const Expr& child : expr.children) {
        if (hasBrackets(child))
            return true;
    }
    return false;
}

// left − (right): the terms of the left side, then the right side
// subtracted whole, so that a printer brackets it where it must.
FormulaPtr moved(const FormulaPtr& left, const FormulaPtr& right)
{
    Formula f(Kind::Sum);
    if (left->kind == Kind::Sum) {
        f.children = left->children;
        f.signs = left->signs;
    } else if (left->kind == Kind::Negative) {
        f.children = {left->children.front()};
        f.signs = {Sign::Minus};
    } else {
        f.children = {left};
        f.signs = {Sign::Plus};
    }
    f.children.push_back(right);
    f.signs.push_back(Sign::Minus);
    return engine::MakeFormula(std::move(f));
}

// The terms of a side as typed, each with its sign.
void termsOf(const Expr& side, bool negated, std::vector<std::pair<const Expr*, bool>>& terms)
{
    const Expr* e = &side;
    while (e->kind == Expr::Kind::Group)
        e = &e->children.front();
    if (e->kind != Expr::Kind::Sum) {
        terms.emplace_back(e, negated);
        return;
    }
    for (const Expr& child : e->children)
        terms.emplace_back(&child, negated != (child.joint == Joint::Minus));
}

// Each term of left − right multiplied out on its own, nothing yet
// collected across terms: what 去括号 writes. None where that is long.
std::optional<std::vector<Polynomial::Term>> bracketsRemoved(const Statement& statement, std::size_t unknowns)
{
    std::vector<std::pair<const Expr*, bool>> terms;
    termsOf(statement.left, false, terms);
    termsOf(statement.right, true, terms);
    std::vector<Polynomial::Term> all;
    for (const auto& [term, negated] : terms) {
        const auto expanded = Expand(*term, unknowns);
        if (!std::holds_alternative<Polynomial>(expanded))
            return std::nullopt;
        const Polynomial& p = std::get<Polynomial>(expanded);
        if (all.size() + p.termCount() > kExpandedTerms)
            return std::nullopt;
        for (Polynomial::Term& t : p.terms()) {
            if (negated)
                t.coefficient = -t.coefficient;
            all.push_back(std::move(t));
        }
    }
    return all;
}

} // namespace

void AddMoves(const Statement& statement, const std::vector<char>& unknowns, engine::Working& working)
{
    const engine::Relation relation = EngineRelation(statement.relation);
    const FormulaPtr zero = engine::Int(0);
    const bool shown = statement.span.end - statement.span.begin <= kShownStatementLength;
    FormulaPtr last = shown ? AsWritten(statement.left, unknowns) : nullptr;
    if (shown && !isZero(statement.right)) {
        last = moved(last, AsWritten(statement.right, unknowns));
        working.push_back({engine::Reason::MoveTerms, {engine::Rel(last, relation, zero)}});
    }
    const bool expandable = statement.span.end - statement.span.begin <= kExpandedStatementLength;
    if (expandable && (hasBrackets(statement.left) || hasBrackets(statement.right))) {
        if (const auto terms = bracketsRemoved(statement, unknowns.size())) {
            last = TermsFormula(*terms, unknowns);
            working.push_back({engine::Reason::Expand, {engine::Rel(last, relation, zero)}});
        }
    }
    const FormulaPtr collected = TermsFormula(statement.difference.terms(), unknowns);
    if (!last || !SameFormula(*last, *collected))
        working.push_back({engine::Reason::Collect, {engine::Rel(collected, relation, zero)}});
}

} // namespace zembrel::typed::solving
