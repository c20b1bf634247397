// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "runtime_error.h"

#include <array>
#include <utility>

namespace zembrel {

namespace {

// clang-format off
constexpr std::array kDescriptions{
    ErrorDescription{RuntimeError::InvalidProcedureCall, "无效的过程调用或参数"},
    ErrorDescription{RuntimeError::Overflow, "溢出"},
    ErrorDescription{RuntimeError::DivisionByZero, "除数为零"},
    ErrorDescription{RuntimeError::FileNotFound, "文件未找到"},
};
// clang-format on

} // namespace

std::string describeRuntimeError(int number)
{
    for (const auto& entry : kDescriptions) {
        if (entry.number == number)
            return std::string(entry.text);
    }
    return "应用程序定义的错误或对象定义的错误";
}

std::span<const ErrorDescription> runtimeErrorDescriptions() { return kDescriptions; }

RuntimeError::RuntimeError(int number)
    : std::runtime_error(describeRuntimeError(number)), number_(number), description_(describeRuntimeError(number))
{
}

std::string RuntimeError::boxText() const { return "运行时错误 '" + std::to_string(number_) + "':\n\n" + description_; }

} // namespace zembrel
