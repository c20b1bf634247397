// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "typed_reader.h"

#include "expander.h"
#include "lexer.h"
#include "parser.h"

#include <utility>

namespace zembrel::typed {

std::variant<Reading, ReadError> Read(std::string_view utf8)
{
    try {
        const std::u32string text = Decode(utf8);
        Budget budget;
        Lexer lexer(text, budget);
        std::vector<ParsedStatement> parsed;
        Tokens statement;
        while (lexer.nextStatement(statement)) {
            if (!statement.tokens.empty())
                parsed.push_back(Parse(statement, text));
        }
        if (parsed.empty())
            return ReadError{ErrorKind::Empty, std::nullopt, {}};

        Reading reading;
        reading.unknowns = lexer.unknowns();
        Expander expander(reading.unknowns.size(), budget);
        for (ParsedStatement& written : parsed) {
            Statement statement;
            const Polynomial left = expander.expand(written.left);
            const Polynomial right = expander.expand(written.right);
            statement.difference = expander.difference(left, right, written.relationSpan.begin);
            statement.left = std::move(written.left);
            statement.right = std::move(written.right);
            statement.relation = written.relation;
            statement.span = written.span;
            statement.relationSpan = written.relationSpan;
            reading.statements.push_back(std::move(statement));
        }
        return reading;
    } catch (const Failure& failure) {
        return failure.error();
    }
}

std::variant<Polynomial, ReadError> Expand(const Expr& expr, std::size_t unknowns)
{
    try {
        Budget budget;
        return Expander(unknowns, budget).expand(expr);
    } catch (const Failure& failure) {
        return failure.error();
    }
}

} // namespace zembrel::typed
