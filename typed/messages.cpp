// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "typed_reader.h"

#include <array>
#include <string>

namespace zembrel::typed {

namespace {

struct MessageRow {
    ErrorKind kind = ErrorKind::Empty;
    const char* text = nullptr; // {detail}: the error's detail; {limit}: the row's limit
    long limit = 0;
};

// One row a kind, in the order of ErrorKind.
constexpr MessageRow kMessages[] = {
    {ErrorKind::Empty, "请输入方程或不等式"},
    {ErrorKind::InvalidText, "这段文字含有无法识别的编码，请重新输入"},
    {ErrorKind::UnknownCharacter, "不认识的符号“{detail}”"},
    {ErrorKind::ReservedLetter, "字母“{detail}”不能作未知数：e 和 i 在数学中另有含义，请换一个字母"},
    {ErrorKind::MalformedNumber, "数的写法有误：小数点旁边要有数字，一个数只能有一个小数点"},
    {ErrorKind::MissingOperator, "两个数之间缺少运算符号"},
    {ErrorKind::NumberAfterFactor,
     "数字不能直接写在字母、括号或指数后面：系数请写在前面（如 2x），乘方请写成 x^2 或 x²"},
    {ErrorKind::UnmatchedOpen, "括号不配对：缺少右括号"},
    {ErrorKind::UnmatchedClose, "括号不配对：缺少左括号"},
    {ErrorKind::EmptyBrackets, "括号里面是空的"},
    {ErrorKind::MissingOperand, "运算符号“{detail}”缺少参与运算的数或式子"},
    {ErrorKind::MissingRelation, "缺少等号或不等号"},
    {ErrorKind::TwoRelations, "一个式子只能有一个等号或不等号；连写的不等式（如 1<x<3）请分开写成 x>1，x<3"},
    {ErrorKind::EmptySide, "“{detail}”的一边没有式子"},
    {ErrorKind::NestingTooDeep, "括号或乘方套得太深：最多 {limit} 层", static_cast<long>(kMaxNesting)},
    {ErrorKind::TooManyUnknowns, "未知数太多：最多 {limit} 个，“{detail}”是多出的一个",
     static_cast<long>(kMaxUnknowns)},
    {ErrorKind::ExponentNotWhole, "指数要是 0 到 {limit} 的整数，并且不能含未知数", kMaxExponent},
    {ErrorKind::DivisorWithUnknown, "除数里不能有未知数"},
    {ErrorKind::DivisionByZero, "除数不能为 0"},
    {ErrorKind::ZeroToPowerZero, "0 的 0 次幂没有意义"},
    {ErrorKind::DegreeOver100, "次数太高：展开后不能超过 {limit} 次", kMaxDegree},
    {ErrorKind::TooLarge, "算式太大：展开后的项数或数字太多，无法计算"},
};

constexpr bool inKindOrder()
{
    std::size_t i = 0;
    for (const MessageRow& row : kMessages) {
        if (static_cast<std::size_t>(row.kind) != i++)
            return false;
    }
    return i == kErrorKinds;
}
static_assert(inKindOrder(), "kMessages holds one row for each ErrorKind, in order");

void replace(std::string& text, const std::string& name, const std::string& value)
{
    const std::size_t at = text.find(name);
    if (at != std::string::npos)
        text.replace(at, name.size(), value);
}

} // namespace

std::string Message(const ReadError& error)
{
    const MessageRow& row = kMessages[static_cast<std::size_t>(error.kind)];
    std::string text = row.text;
    replace(text, "{detail}", error.detail);
    replace(text, "{limit}", std::to_string(row.limit));
    return text;
}

} // namespace zembrel::typed
