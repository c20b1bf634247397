// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Any bytes as a field's text: the exact reader and Val agree. The double
// nearest to the exact value is what Val gives, or both raise error 6.

#include "conversion.h"
#include "exact_number.h"
#include "real.h"
#include "runtime_error.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    std::optional<double> val;
    try {
        val = zembrel::Val(text);
    } catch (const zembrel::RuntimeError& error) {
        if (error.number() != zembrel::RuntimeError::Overflow)
            std::abort();
    }
    const zembrel::ExactNumber number = zembrel::ReadExact(text);
    const std::optional<double> nearest = zembrel::engine::Real(number.value).nearestDouble();
    if (number.overflow != !val) {
        std::fprintf(stderr, "overflow disagrees: exact %d, Val %d\n", number.overflow, !val);
        std::abort();
    }
    if (val && nearest != *val) {
        std::fprintf(stderr, "exact %s rounds to %.17g, Val gave %.17g\n",
                     number.value.get_str().substr(0, 200).c_str(), nearest.value_or(0), *val);
        std::abort();
    }
    return 0;
}
