// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Any bytes through Val: a finite number or the overflow error, nothing else.

#include "conversion.h"
#include "runtime_error.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

using namespace zembrel;

namespace {

std::optional<double> valOrOverflow(std::string_view text)
{
    try {
        const double value = Val(text);
        if (!std::isfinite(value)) {
            std::fprintf(stderr, "Val gave %g\n", value);
            std::abort();
        }
        return value;
    } catch (const RuntimeError& error) {
        if (error.number() != RuntimeError::Overflow) {
            std::fprintf(stderr, "Val raised error %d\n", error.number());
            std::abort();
        }
        return std::nullopt;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::optional<double> value = valOrOverflow(text);

    // Blanks and tabs are skipped wherever they stand, so taking them out
    // must not change the number.
    std::string compact;
    for (const char c : text) {
        if (c != ' ' && c != '\t')
            compact += c;
    }
    const std::optional<double> compactValue = valOrOverflow(compact);
    const bool same = value == compactValue && (!value || std::signbit(*value) == std::signbit(*compactValue));
    if (!same) {
        std::fprintf(stderr, "blanks changed Val: %.17g against %.17g\n", value.value_or(INFINITY),
                     compactValue.value_or(INFINITY));
        std::abort();
    }
    return 0;
}
