// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "number.h"

#include "runtime_error.h"

#include <cmath>

namespace zembrel {

namespace {

// Operands are always finite, so a non-finite result is an overflow.
Number checked(double result)
{
    if (!std::isfinite(result))
        throw RuntimeError(RuntimeError::Overflow);
    return result;
}

} // namespace

Number operator+(Number a, Number b) { return checked(a.value_ + b.value_); }
Number operator-(Number a, Number b) { return checked(a.value_ - b.value_); }
Number operator*(Number a, Number b) { return checked(a.value_ * b.value_); }

Number operator/(Number a, Number b)
{
    if (b.value_ == 0.0)
        throw RuntimeError(RuntimeError::DivisionByZero);
    return checked(a.value_ / b.value_);
}

Number Sqr(Number x)
{
    if (x.value() < 0.0)
        throw RuntimeError(RuntimeError::InvalidProcedureCall);
    return std::sqrt(x.value());
}

Number Abs(Number x) { return std::fabs(x.value()); }

Number Pow(Number base, Number exponent)
{
    const double b = base.value();
    const double e = exponent.value();
    if (b < 0.0 && std::trunc(e) != e)
        throw RuntimeError(RuntimeError::InvalidProcedureCall);
    // 0 raised to a negative power is a division by zero.
    if (b == 0.0 && e < 0.0)
        throw RuntimeError(RuntimeError::DivisionByZero);
    return checked(std::pow(b, e));
}

Number Acos(Number x)
{
    if (x.value() < -1.0 || x.value() > 1.0)
        throw RuntimeError(RuntimeError::InvalidProcedureCall);
    return std::acos(x.value());
}

Number Cos(Number x) { return std::cos(x.value()); }

} // namespace zembrel
