// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Owning wrappers of FLINT's and Arb's values: each initialises in its
// constructor and clears in its destructor, copies deeply and moves by swap,
// and hands out the C pointer the library's functions take. Nothing more:
// the arithmetic is the libraries' own.

#include <acb.h>
#include <arb.h>
#include <flint/fmpq.h>
#include <flint/fmpq_mat.h>
#include <flint/fmpq_poly.h>
#include <flint/fmpz.h>
#include <flint/fmpz_poly.h>
#include <gmpxx.h>

#include <utility>

namespace zembrel::engine {

template <class T, class Traits>
class Owned {
public:
    Owned() { Traits::init(value_); }
    Owned(const Owned& other)
    {
        Traits::init(value_);
        Traits::set(value_, other.value_);
    }
    Owned(Owned&& other) noexcept
    {
        Traits::init(value_);
        Traits::swap(value_, other.value_);
    }
    Owned& operator=(const Owned& other)
    {
        if (this != &other)
            Traits::set(value_, other.value_);
        return *this;
    }
    Owned& operator=(Owned&& other) noexcept
    {
        Traits::swap(value_, other.value_);
        return *this;
    }
    ~Owned() { Traits::clear(value_); }

    auto* get() { return value_; }
    const auto* get() const { return value_; }

private:
    T value_{};
};

struct FmpzTraits {
    static void init(fmpz_t x) { fmpz_init(x); }
    static void set(fmpz_t x, const fmpz_t y) { fmpz_set(x, y); }
    static void swap(fmpz_t x, fmpz_t y) { fmpz_swap(x, y); }
    static void clear(fmpz_t x) { fmpz_clear(x); }
};
struct FmpqTraits {
    static void init(fmpq_t x) { fmpq_init(x); }
    static void set(fmpq_t x, const fmpq_t y) { fmpq_set(x, y); }
    static void swap(fmpq_t x, fmpq_t y) { fmpq_swap(x, y); }
    static void clear(fmpq_t x) { fmpq_clear(x); }
};
struct FmpzPolyTraits {
    static void init(fmpz_poly_t x) { fmpz_poly_init(x); }
    static void set(fmpz_poly_t x, const fmpz_poly_t y) { fmpz_poly_set(x, y); }
    static void swap(fmpz_poly_t x, fmpz_poly_t y) { fmpz_poly_swap(x, y); }
    static void clear(fmpz_poly_t x) { fmpz_poly_clear(x); }
};
struct FmpqPolyTraits {
    static void init(fmpq_poly_t x) { fmpq_poly_init(x); }
    static void set(fmpq_poly_t x, const fmpq_poly_t y) { fmpq_poly_set(x, y); }
    static void swap(fmpq_poly_t x, fmpq_poly_t y) { fmpq_poly_swap(x, y); }
    static void clear(fmpq_poly_t x) { fmpq_poly_clear(x); }
};
struct ArbTraits {
    static void init(arb_t x) { arb_init(x); }
    static void set(arb_t x, const arb_t y) { arb_set(x, y); }
    static void swap(arb_t x, arb_t y) { arb_swap(x, y); }
    static void clear(arb_t x) { arb_clear(x); }
};
struct AcbTraits {
    static void init(acb_t x) { acb_init(x); }
    static void set(acb_t x, const acb_t y) { acb_set(x, y); }
    static void swap(acb_t x, acb_t y) { acb_swap(x, y); }
    static void clear(acb_t x) { acb_clear(x); }
};

using Fmpz = Owned<fmpz_t, FmpzTraits>;
using Fmpq = Owned<fmpq_t, FmpqTraits>;
using FmpzPoly = Owned<fmpz_poly_t, FmpzPolyTraits>;
using FmpqPoly = Owned<fmpq_poly_t, FmpqPolyTraits>;
using Arb = Owned<arb_t, ArbTraits>;
using Acb = Owned<acb_t, AcbTraits>;

// A matrix has its size from the start, so it is no Owned.
class FmpqMat {
public:
    FmpqMat(long rows, long columns) { fmpq_mat_init(value_, rows, columns); }
    FmpqMat(const FmpqMat& other) { fmpq_mat_init_set(value_, other.value_); }
    FmpqMat& operator=(const FmpqMat& other) = delete;
    ~FmpqMat() { fmpq_mat_clear(value_); }

    fmpq_mat_struct* get() { return value_; }
    const fmpq_mat_struct* get() const { return value_; }
    fmpq* at(long row, long column) { return fmpq_mat_entry(value_, row, column); }
    const fmpq* at(long row, long column) const { return fmpq_mat_entry(value_, row, column); }
    long rows() const { return fmpq_mat_nrows(value_); }
    long columns() const { return fmpq_mat_ncols(value_); }

private:
    fmpq_mat_t value_{};
};

// Between GMP's C++ classes and FLINT's values.
inline Fmpz ToFmpz(const mpz_class& x)
{
    Fmpz y;
    fmpz_set_mpz(y.get(), x.get_mpz_t());
    return y;
}
inline mpz_class ToMpz(const fmpz_t x)
{
    mpz_class y;
    fmpz_get_mpz(y.get_mpz_t(), x);
    return y;
}
inline void SetFmpq(fmpq_t y, const mpq_class& x) { fmpq_set_mpq(y, x.get_mpq_t()); }
inline Fmpq ToFmpq(const mpq_class& x)
{
    Fmpq y;
    SetFmpq(y.get(), x);
    return y;
}
inline mpq_class ToMpq(const fmpq_t x)
{
    mpq_class y;
    fmpq_get_mpq(y.get_mpq_t(), x);
    return y;
}

} // namespace zembrel::engine
