// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "parser.h"

#include <utility>

namespace zembrel::typed {

namespace {

// Recursive descent, one function a rule. Brackets and exponents nest at most
// kMaxNesting deep, which bounds the recursion here and in every walk of the
// tree after.
class Parser {
public:
    Parser(Tokens& statement, std::u32string_view text)
        : tokens_(statement.tokens), literals_(statement.literals), text_(text)
    {
    }

    ParsedStatement statement()
    {
        ParsedStatement result;
        result.span = {tokens_.front().span.begin, tokens_.back().span.end};
        result.left = sum();
        const Token* relation = peek();
        if (!relation)
            Fail(ErrorKind::MissingRelation, result.span.begin);
        if (relation->kind == TokenKind::Close)
            Fail(ErrorKind::UnmatchedClose, relation->span.begin);
        take();
        result.relation = relation->relation;
        result.relationSpan = relation->span;
        result.right = sum();
        if (const Token* after = peek()) {
            if (after->kind == TokenKind::Relation)
                Fail(ErrorKind::TwoRelations, after->span.begin, detail(*after));
            Fail(ErrorKind::UnmatchedClose, after->span.begin);
        }
        return result;
    }

private:
    const Token* peek() const { return next_ < tokens_.size() ? &tokens_[next_] : nullptr; }
    const Token* previous() const { return next_ > 0 ? &tokens_[next_ - 1] : nullptr; }
    const Token& take() { return tokens_[next_++]; }
    bool at(TokenKind kind) const { return peek() && peek()->kind == kind; }
    std::string detail(const Token& token) const
    {
        return Encode(text_.substr(token.span.begin, token.span.end - token.span.begin));
    }

    // One more level of brackets or exponents, for as long as the guard lives.
    class Nesting {
    public:
        Nesting(Parser& parser, const Token& opener) : parser_(parser)
        {
            if (++parser_.depth_ > kMaxNesting)
                Fail(ErrorKind::NestingTooDeep, opener.span.begin);
        }
        ~Nesting() { --parser_.depth_; }
        Nesting(const Nesting&) = delete;
        Nesting& operator=(const Nesting&) = delete;

    private:
        Parser& parser_;
    };

    static Expr node(Expr::Kind kind, Span span)
    {
        Expr expr;
        expr.kind = kind;
        expr.span = span;
        return expr;
    }

    static void join(Expr& parent, Expr child, Joint joint, std::size_t jointAt)
    {
        child.joint = joint;
        child.jointAt = jointAt;
        parent.span.end = child.span.end;
        parent.children.push_back(std::move(child));
    }

    // sum := [sign] product {sign [sign] product}
    Expr sum()
    {
        Expr result = node(Expr::Kind::Sum, {});
        if (at(TokenKind::Sign)) {
            const Token& sign = take();
            result.span.begin = sign.span.begin;
            join(result, product(), sign.joint, sign.span.begin);
        } else {
            Expr first = product();
            result.span.begin = first.span.begin;
            const std::size_t firstAt = first.span.begin;
            join(result, std::move(first), Joint::None, firstAt);
        }
        while (at(TokenKind::Sign)) {
            const Token& sign = take();
            join(result, signedProduct(), sign.joint, sign.span.begin);
        }
        if (result.children.size() == 1 && result.children.front().joint == Joint::None)
            return unwrap(std::move(result));
        return result;
    }

    // After a sign: a product, or a Sum of one term when a second sign follows.
    Expr signedProduct()
    {
        if (!at(TokenKind::Sign))
            return product();
        const Token& sign = take();
        Expr result = node(Expr::Kind::Sum, {sign.span.begin, sign.span.end});
        join(result, product(), sign.joint, sign.span.begin);
        return result;
    }

    // product := factor {(× | ÷) [sign] factor | factor}
    Expr product()
    {
        Expr first = factor();
        Expr result = node(Expr::Kind::Product, first.span);
        const std::size_t firstAt = first.span.begin;
        join(result, std::move(first), Joint::None, firstAt);
        for (const Token* next = peek(); next; next = peek()) {
            if (next->kind == TokenKind::Times || next->kind == TokenKind::Divide) {
                const Token& op = take();
                join(result, signedFactor(), op.joint, op.span.begin);
            } else if (next->kind == TokenKind::Letter || next->kind == TokenKind::Open) {
                Expr factorExpr = factor();
                const std::size_t factorAt = factorExpr.span.begin;
                join(result, std::move(factorExpr), Joint::Implicit, factorAt);
            } else if (next->kind == TokenKind::Number) {
                // "2 3" lacks an operator; "x2" and "(x+1)2" are most likely powers.
                const bool afterNumber = previous()->kind == TokenKind::Number;
                Fail(afterNumber ? ErrorKind::MissingOperator : ErrorKind::NumberAfterFactor, next->span.begin);
            } else {
                break;
            }
        }
        if (result.children.size() == 1)
            return unwrap(std::move(result));
        return result;
    }

    // After × ÷ ^: a factor, or a Sum of one signed factor.
    Expr signedFactor()
    {
        if (!at(TokenKind::Sign))
            return factor();
        const Token& sign = take();
        Expr result = node(Expr::Kind::Sum, {sign.span.begin, sign.span.end});
        join(result, factor(), sign.joint, sign.span.begin);
        return result;
    }

    // factor := postfix [^ [sign] factor]
    Expr factor()
    {
        Expr base = postfix();
        if (!at(TokenKind::Caret))
            return base;
        const Token& caret = take();
        const Nesting nesting(*this, caret);
        Expr result = node(Expr::Kind::Power, base.span);
        join(result, std::move(base), Joint::None, result.span.begin);
        join(result, signedFactor(), Joint::Caret, caret.span.begin);
        return result;
    }

    // postfix := atom {superscript digits}
    Expr postfix()
    {
        Expr base = atom();
        std::size_t levels = 0;
        while (at(TokenKind::Superscript)) {
            const Token& digits = take();
            if (depth_ + ++levels > kMaxNesting)
                Fail(ErrorKind::NestingTooDeep, digits.span.begin);
            Expr exponent = node(Expr::Kind::Number, digits.span);
            exponent.number = std::move(literals_[digits.index]);
            Expr power = node(Expr::Kind::Power, base.span);
            join(power, std::move(base), Joint::None, power.span.begin);
            join(power, std::move(exponent), Joint::Superscript, digits.span.begin);
            base = std::move(power);
        }
        return base;
    }

    // atom := number | letter | ( sum ) | [ sum ]
    Expr atom()
    {
        const Token* next = peek();
        if (!next)
            missingOperand();
        switch (next->kind) {
        case TokenKind::Number: {
            Expr number = node(Expr::Kind::Number, take().span);
            number.number = std::move(literals_[next->index]);
            return number;
        }
        case TokenKind::Letter: {
            Expr unknown = node(Expr::Kind::Unknown, take().span);
            unknown.unknown = next->index;
            return unknown;
        }
        case TokenKind::Open: {
            const Token& open = take();
            const Nesting nesting(*this, open);
            Expr group = node(Expr::Kind::Group, open.span);
            Expr inner = sum();
            const std::size_t innerAt = inner.span.begin;
            join(group, std::move(inner), Joint::None, innerAt);
            const Token* close = peek();
            if (!close || close->kind == TokenKind::Relation)
                Fail(ErrorKind::UnmatchedOpen, open.span.begin);
            if (close->bracket != open.bracket)
                Fail(ErrorKind::UnmatchedClose, close->span.begin);
            group.bracket = open.bracket;
            group.span.end = take().span.end;
            return group;
        }
        default: missingOperand();
        }
    }

    // Where an operand should begin and none does, the error names what is
    // missing by what stands before: an operator lacks its operand, an open
    // bracket its content or its close, a relation its side.
    [[noreturn]] void missingOperand() const
    {
        const Token* next = peek();
        const Token* before = previous();
        const TokenKind beforeKind = before ? before->kind : TokenKind::Relation;
        switch (beforeKind) {
        case TokenKind::Sign:
        case TokenKind::Times:
        case TokenKind::Divide:
        case TokenKind::Caret: Fail(ErrorKind::MissingOperand, before->span.begin, detail(*before));
        case TokenKind::Open:
            if (next && next->kind == TokenKind::Close)
                Fail(ErrorKind::EmptyBrackets, before->span.begin);
            if (!next || next->kind == TokenKind::Relation)
                Fail(ErrorKind::UnmatchedOpen, before->span.begin);
            break;
        default:       // the start of a side: before is its relation, or nothing
            if (!next) // after the relation: a statement has a token
                Fail(ErrorKind::EmptySide, before ? before->span.begin : 0, before ? detail(*before) : std::string());
            if (next->kind == TokenKind::Relation)
                Fail(before ? ErrorKind::TwoRelations : ErrorKind::EmptySide, next->span.begin, detail(*next));
            if (next->kind == TokenKind::Close)
                Fail(ErrorKind::UnmatchedClose, next->span.begin);
            break;
        }
        // An operator or exponent with nothing before it: "*x", "(²)".
        Fail(ErrorKind::MissingOperand, next->span.begin, detail(*next));
    }

    // A Sum or Product of one child with no joint is that child.
    static Expr unwrap(Expr single)
    {
        Expr child = std::move(single.children.front());
        child.joint = Joint::None;
        child.jointAt = child.span.begin;
        return child;
    }

    const std::vector<Token>& tokens_;
    std::vector<Literal>& literals_;
    std::u32string_view text_;
    std::size_t next_ = 0;
    std::size_t depth_ = 0;
};

} // namespace

ParsedStatement Parse(Tokens& statement, std::u32string_view text) { return Parser(statement, text).statement(); }

} // namespace zembrel::typed
