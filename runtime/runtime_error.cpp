#include "runtime_error.h"

#include <array>
#include <utility>

namespace zembrel {

namespace {

struct Description {
    int number;
    const char* text;
};

// clang-format off
constexpr std::array kDescriptions{
    Description{5, "无效的过程调用或参数"},
    Description{6, "溢出"},
    Description{11, "除数为零"},
    Description{53, "文件未找到"},
};
// clang-format on

} // namespace

std::string describeRuntimeError(int number)
{
    for (const auto& entry : kDescriptions) {
        if (entry.number == number)
            return entry.text;
    }
    return "应用程序定义的错误或对象定义的错误";
}

RuntimeError::RuntimeError(int number)
    : std::runtime_error(describeRuntimeError(number)), number_(number), description_(describeRuntimeError(number))
{
}

std::string RuntimeError::boxText() const { return "运行时错误 '" + std::to_string(number_) + "':\n\n" + description_; }

} // namespace zembrel
