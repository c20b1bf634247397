// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "wire_format.h"

#include <gtest/gtest.h>

namespace zembrel {
namespace {

struct JsonCase {
    const char* name;
    std::string text;
    const char* json;
};

// Field texts come back in the driver's events as JSON strings that stay one
// line in every reader and show their characters in the order they are held.
TEST(DriverOutput, WritesEveryTextAsOneVisibleJsonString)
{
    using namespace std::string_literals;
    // clang-format off
    const JsonCase cases[] = {
        {"plain and Chinese text as it is", "2. 计算正确", R"("2. 计算正确")"},
        {"quote and backslash", R"(a"b\c)", R"("a\"b\\c")"},
        {"short escapes", "\n\r\t\b\f", R"("\n\r\t\b\f")"},
        {"other C0 controls and NUL", "\x01\x1f" "2\0"s, R"("\u0001\u001f2\u0000")"},
        {"delete", "\x7f", R"("\u007f")"},
        {"C1 controls, the next line among them", "\u0080\u0085\u009f", R"("\u0080\u0085\u009f")"},
        {"first letter after the C1 controls", "\u00a0\u00e9", "\"\u00a0\u00e9\""},
        {"line and paragraph separators", "\u2028\u2029", R"("\u2028\u2029")"},
        {"right-to-left and left-to-right marks", "\u200f5\u200e\u061c", R"("\u200f5\u200e\u061c")"},
        {"embeddings and overrides", "\u202a\u202b\u202c\u202d\u202e", R"("\u202a\u202b\u202c\u202d\u202e")"},
        {"isolates", "\u2066\u2067\u2068\u2069", R"("\u2066\u2067\u2068\u2069")"},
        {"neighbours of the marks as they are", "\u200d\u2027\u202f\u2065\u206a", "\"\u200d\u2027\u202f\u2065\u206a\""},
        {"full-width digits and four-byte characters", "１２\U0001F600", "\"１２\U0001F600\""},
        // Not UTF-8: the bytes go out unchanged, none taken for a control.
        {"stray continuation byte", "\x85", "\"\x85\""},
        {"overlong encoding of a control", "\xc0\x85", "\"\xc0\x85\""},
        {"sequence cut short", "\xe2\x80", "\"\xe2\x80\""},
        {"Chinese cut short at the end", "计\xe7\xae", "\"计\xe7\xae\""},
        {"a Chinese lead byte before a quote", "\xe7\"", "\"\xe7\\\"\""},
        {"lead byte beyond four bytes", "\xf8\x80\x80\x80\x85", "\"\xf8\x80\x80\x80\x85\""},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(jsonString(c.text), c.json);
    }
}

} // namespace
} // namespace zembrel
