// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Writing JSON objects and arrays the way every driver line writes them:
// members in the order they are added, ", " between members and elements.

#include "wire_format.h"

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace zembrel {

inline std::string jsonBool(bool value) { return value ? "true" : "false"; }

class JsonObject {
public:
    JsonObject& add(std::string_view key, const std::string& json)
    {
        out_ += out_.empty() ? "{" : ", ";
        out_ += jsonString(key);
        out_ += ": ";
        out_ += json;
        return *this;
    }
    std::string str() const& { return out_.empty() ? "{}" : out_ + "}"; }
    std::string str() && { return out_.empty() ? "{}" : std::move(out_ += "}"); }

private:
    std::string out_;
};

template <class T, class ToJson>
std::string jsonArray(const std::vector<T>& items, ToJson toJson)
{
    std::string out = "[";
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (i > 0)
            out += ", ";
        out += toJson(items[i]);
    }
    out += "]";
    return out;
}

} // namespace zembrel
