// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "expr.h"

#include <gmpxx.h>

namespace zembrel::engine {

namespace {

using Kind = Formula::Kind;

class Printer {
public:
    explicit Printer(std::size_t limit) : limit_(limit) {}

    bool print(const Formula& f)
    {
        if (out_.size() > limit_)
            return false;
        switch (f.kind) {
        case Kind::Integer: return digits(f.integer);
        case Kind::Decimal: return decimal(f);
        case Kind::Symbol: return symbol(f);
        case Kind::Negative: out_ += '-'; return grouped(*f.children.front(), f.children.front()->kind == Kind::Sum);
        case Kind::Sum: return sum(f);
        case Kind::Product:
            for (std::size_t i = 0; i < f.children.size(); ++i) {
                if (i > 0)
                    out_ += '*';
                const Formula& factor = *f.children[i];
                // a/b*c is (a/b)*c and c*a/b is c*(a/b): a fraction needs no parentheses here.
                if (!grouped(factor, factor.kind == Kind::Sum || factor.kind == Kind::Negative))
                    return false;
            }
            return true;
        case Kind::Fraction: {
            const Formula& top = *f.children[0];
            const Formula& bottom = *f.children[1];
            if (!grouped(top, top.kind == Kind::Sum || top.kind == Kind::Negative || top.kind == Kind::Fraction))
                return false;
            out_ += '/';
            return grouped(bottom, bottom.kind != Kind::Integer && bottom.kind != Kind::Symbol);
        }
        case Kind::Root: {
            const Formula& radicand = *f.children.front();
            if (f.index != 2 || radicand.kind != Kind::Integer || radicand.integer < 2)
                return false;
            out_ += "sqrt(";
            digits(radicand.integer);
            out_ += ')';
            return true;
        }
        default: return false;
        }
    }

    std::string text() const { return out_; }
    bool fits() const { return out_.size() <= limit_; }

private:
    bool digits(const mpz_class& n)
    {
        if (mpz_sizeinbase(n.get_mpz_t(), 10) > limit_)
            return false;
        out_ += n.get_str();
        return true;
    }

    bool decimal(const Formula& f)
    {
        // The decimal's exact value as a fraction.
        std::string digitsOnly;
        long places = 0;
        bool afterPoint = false;
        for (const char c : f.text) {
            if (c == '.') {
                afterPoint = true;
                continue;
            }
            digitsOnly += c;
            places += afterPoint ? 1 : 0;
        }
        const long exponent = f.exponent - places;
        if (digitsOnly.size() + static_cast<std::size_t>(exponent < 0 ? -exponent : exponent) > limit_)
            return false;
        mpz_class power;
        mpz_ui_pow_ui(power.get_mpz_t(), 10, static_cast<unsigned long>(exponent < 0 ? -exponent : exponent));
        mpq_class value{mpz_class(digitsOnly)};
        value = exponent < 0 ? mpq_class(value / power) : mpq_class(value * power);
        out_ += value.get_str();
        return true;
    }

    bool symbol(const Formula& f)
    {
        if (f.text == symbol::kImaginaryUnit && f.subscript.empty()) {
            out_ += 'I';
            return true;
        }
        if (f.text.size() == 1 && f.subscript.empty() && f.text[0] >= 'a' && f.text[0] <= 'z') {
            out_ += f.text;
            return true;
        }
        return false;
    }

    bool sum(const Formula& f)
    {
        for (std::size_t i = 0; i < f.children.size(); ++i) {
            const Sign sign = f.signs[i];
            if (sign == Sign::PlusMinus)
                return false;
            if (i == 0)
                out_ += sign == Sign::Minus ? "-" : "";
            else
                out_ += sign == Sign::Minus ? " - " : " + ";
            const Formula& term = *f.children[i];
            if (!grouped(term, term.kind == Kind::Sum || term.kind == Kind::Negative))
                return false;
        }
        return true;
    }

    bool grouped(const Formula& f, bool parentheses)
    {
        if (parentheses)
            out_ += '(';
        if (!print(f))
            return false;
        if (parentheses)
            out_ += ')';
        return true;
    }

    std::size_t limit_;
    std::string out_;
};

} // namespace

std::optional<std::string> ExprText(const Formula& formula, std::size_t limit)
{
    Printer printer(limit);
    if (!printer.print(formula) || !printer.fits())
        return std::nullopt;
    return printer.text();
}

} // namespace zembrel::engine
