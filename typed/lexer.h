// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The first steps of reading: UTF-8 into characters, characters into the
// tokens of one statement at a time. Internal to the reader.

#include "budget.h"
#include "typed_reader.h"

#include <array>
#include <exception>
#include <string>
#include <string_view>
#include <vector>

namespace zembrel::typed {

// An error found anywhere in the reading, carried out to Read.
class Failure : public std::exception {
public:
    explicit Failure(ReadError error) : error_(std::move(error)) {}
    const ReadError& error() const { return error_; }
    const char* what() const noexcept override { return "typed equation not read"; }

private:
    ReadError error_;
};

[[noreturn]] void Fail(ErrorKind kind, std::size_t at, std::string detail = {});

// The code points of the text; InvalidText where it is not UTF-8.
std::u32string Decode(std::string_view utf8);

// Characters as UTF-8, for an error's detail; an invisible one as U+XXXX.
std::string Encode(std::u32string_view text);

enum class TokenKind { Number, Letter, Sign, Times, Divide, Caret, Superscript, Open, Close, Relation };

struct Token {
    TokenKind kind = TokenKind::Number;
    Span span;
    Joint joint = Joint::None;           // Sign, Times, Divide, Caret, Superscript
    Relation relation = Relation::Equal; // Relation
    Bracket bracket = Bracket::Round;    // Open, Close
    // Letter: the unknown's index; Number and Superscript (its digits): the
    // index of its value in Statement::literals.
    std::size_t index = 0;
};

// One statement's tokens, and the numbers they hold.
struct Tokens {
    std::vector<Token> tokens;
    std::vector<Literal> literals;
};

class Lexer {
public:
    // Numbers are charged to `budget` as they are made.
    Lexer(std::u32string_view text, Budget& budget) : text_(text), budget_(budget) {}

    // The tokens up to the next separator or the end of the text (none for
    // an empty statement); false once the text is used up.
    bool nextStatement(Tokens& statement);

    const std::vector<char>& unknowns() const { return unknowns_; }

private:
    Token number(std::vector<Literal>& literals);
    Token letter();
    Token superscript(std::vector<Literal>& literals);

    std::u32string_view text_;
    Budget& budget_;
    std::size_t next_ = 0;
    bool ended_ = false;
    std::vector<char> unknowns_;
    std::array<std::size_t, 26> index_{}; // 1 + the unknown's index, 0 before its first appearance
};

} // namespace zembrel::typed
