// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// One statement's tokens into its parse tree, by the grammar in
// typed_reader.h. Internal to the reader.

#include "lexer.h"

namespace zembrel::typed {

// A statement as written, not yet expanded.
struct ParsedStatement {
    Expr left;
    Expr right;
    Relation relation = Relation::Equal;
    Span span;
    Span relationSpan;
};

// `statement` holds at least one token; its numbers are moved into the tree.
// `text` is the whole text, for the details of errors. Throws Failure.
ParsedStatement Parse(Tokens& statement, std::u32string_view text);

} // namespace zembrel::typed
