// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <span>
#include <stdexcept>
#include <string>
#include <string_view>

namespace zembrel {

// A numbered runtime error. Operations never catch it; the event boundary
// does, shows the error box and lets the program go on.
class RuntimeError : public std::runtime_error {
public:
    enum ErrorNumber : int {
        InvalidProcedureCall = 5,
        Overflow = 6,
        DivisionByZero = 11,
        FileNotFound = 53,
    };

    explicit RuntimeError(int number);

    int number() const noexcept { return number_; }
    // The Chinese description shown in the error box, e.g. "溢出" for 6.
    const std::string& description() const noexcept { return description_; }
    // "运行时错误 '6':", a blank line, then the description.
    std::string boxText() const;

private:
    int number_;
    std::string description_;
};

std::string describeRuntimeError(int number);

// The errors an operation can raise, with their descriptions.
struct ErrorDescription {
    int number;
    std::string_view text;
};
std::span<const ErrorDescription> runtimeErrorDescriptions();

} // namespace zembrel
