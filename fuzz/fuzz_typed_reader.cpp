// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Any bytes as a typed equation: a Reading within the limits, or an error
// that points into the text and has a message.

#include "typed_reader.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace {

using namespace zembrel::typed;

void require(bool holds, const char* what)
{
    if (!holds) {
        std::fprintf(stderr, "%s\n", what);
        std::abort();
    }
}

// Characters of UTF-8 text: the bytes that begin one.
std::size_t characters(std::string_view text)
{
    std::size_t count = 0;
    for (const char c : text)
        count += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return count;
}

void checkTree(const Expr& expr, std::size_t length, std::size_t unknowns)
{
    require(expr.span.begin < expr.span.end && expr.span.end <= length, "a node's span lies outside the text");
    require(expr.kind != Expr::Kind::Unknown || expr.unknown < unknowns, "an unknown outside the list");
    require((expr.kind == Expr::Kind::Number) == expr.number.has_value(), "a number without its value");
    for (const Expr& child : expr.children) {
        require(expr.span.begin <= child.span.begin && child.span.end <= expr.span.end, "a child outside its parent");
        checkTree(child, length, unknowns);
    }
}

void checkLimits(const Polynomial& p, std::size_t unknowns)
{
    require(p.unknowns() == unknowns, "a polynomial in another count of unknowns");
    require(p.totalDegree() <= kMaxDegree, "total degree over the limit");
    for (std::size_t v = 0; v < unknowns; ++v)
        require(p.degree(v) <= kMaxDegree, "degree over the limit");
    require(p.termCount() <= kMaxTerms, "too many terms");
    require(p.coefficientBits() <= kMaxCoefficientBits, "a coefficient over the limit");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::size_t length = characters(text);
    const auto result = Read(text);
    if (const auto* error = std::get_if<ReadError>(&result)) {
        require(error->at.has_value() == (error->kind != ErrorKind::Empty), "an error without its place");
        // Text that is no UTF-8 is told at the characters before the first bad byte.
        const bool inside = error->kind == ErrorKind::InvalidText ? *error->at < size && *error->at <= length
                                                                  : !error->at || *error->at < length;
        require(inside, "an error's place lies outside the text");
        require(!Message(*error).empty(), "an error without a message");
        return 0;
    }
    const Reading& reading = std::get<Reading>(result);
    require(!reading.statements.empty() && reading.unknowns.size() <= kMaxUnknowns, "a reading out of shape");
    for (const Statement& statement : reading.statements) {
        checkTree(statement.left, length, reading.unknowns.size());
        checkTree(statement.right, length, reading.unknowns.size());
        require(statement.left.span.end <= statement.relationSpan.begin
                    && statement.relationSpan.end <= statement.right.span.begin,
                "the relation is not between the sides");
        checkLimits(statement.difference, reading.unknowns.size());
    }
    return 0;
}
