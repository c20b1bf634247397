// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// A parse tree into its exact polynomial, each operation checked against the
// limits before it is done (or, for an addition, right after). The terms of a
// sum and the factors of a product are combined in a balanced order, not one
// by one: each takes part in about log₂ n operations, so that a long chain
// (a sum of ten thousand fractions, 2·2·…·2) costs little more than its last
// operation. Internal to the reader.

#include "budget.h"
#include "lexer.h"

namespace zembrel::typed {

class Expander {
public:
    Expander(std::size_t unknowns, Budget& budget) : unknowns_(unknowns), budget_(budget) {}

    // Throws Failure.
    Polynomial expand(const Expr& expr);
    // left − right; an error is told at `at`, the relation.
    Polynomial difference(const Polynomial& left, const Polynomial& right, std::size_t at);

private:
    // A value and whether an unknown is written in it: a divisor or an
    // exponent may hold none, whatever it comes to.
    struct Value {
        Polynomial polynomial;
        bool written = false;
    };

    // Consecutive terms or factors already combined; `at` is where the joint
    // before the first of them stands, where an error in joining it is told.
    struct Block {
        Polynomial polynomial;
        std::size_t length = 1;
        std::size_t at = 0;
    };
    enum class Operation { Add, Multiply };

    Value value(const Expr& expr);
    Value sum(const Expr& expr);
    Value product(const Expr& expr);
    Value power(const Expr& expr);
    // The chain so far on `blocks`: two blocks of one length join at once.
    void push(std::vector<Block>& blocks, Block block, Operation operation);
    Polynomial combine(std::vector<Block>& blocks, Operation operation);
    void joinLast(std::vector<Block>& blocks, Operation operation);
    Polynomial add(const Polynomial& a, const Polynomial& b, std::size_t at);
    Polynomial multiply(const Polynomial& a, const Polynomial& b, std::size_t at);
    Polynomial reciprocal(const Value& divisor, const Expr& expr);

    std::size_t unknowns_;
    Budget& budget_;
};

} // namespace zembrel::typed
