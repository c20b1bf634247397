// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <algorithm>
#include <functional>
#include <optional>
#include <ranges>
#include <string_view>

namespace zembrel {

// The row of a table whose name (as `nameOf` reads it) is `name`; the one
// lookup behind every control and menu-item name the driver reads.
template <std::ranges::input_range Table, class NameOf>
std::optional<std::ranges::range_value_t<Table>> findNamed(const Table& table, std::string_view name, NameOf nameOf)
{
    const auto found = std::ranges::find(table, name, nameOf);
    if (found == std::ranges::end(table))
        return std::nullopt;
    return *found;
}

} // namespace zembrel
