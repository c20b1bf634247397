// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// A polynomial equation p(x) = 0 of degree ≥ 1, solved once: its
// factorisation and every root at construction, which is all rounding a root
// needs; each root's exact form and the curve's turning points when first
// asked, since those reduce fractions. Safe to read from several threads.

#include "once.h"
#include "polynomial.h"

#include <memory>
#include <mutex>
#include <optional>
#include <vector>

namespace zembrel::engine {

class PolynomialEquation {
public:
    explicit PolynomialEquation(Polynomial p);
    PolynomialEquation(const PolynomialEquation&) = delete;
    PolynomialEquation& operator=(const PolynomialEquation&) = delete;
    ~PolynomialEquation() = default;

    const Polynomial& polynomial() const { return polynomial_; }
    const Factorisation& factorisation() const { return factorisation_; }
    const std::vector<PolyRoot>& roots() const { return roots_; }
    std::size_t rootCount() const; // with multiplicities

    // The exact form of roots()[i], or nullptr where there is none to write.
    FormulaPtr exactForm(std::size_t i) const;
    // The real x where p′(x) = 0, each a maximum, a minimum or neither.
    const std::vector<CriticalPoint>& criticalPoints() const;

private:
    Polynomial polynomial_;
    Factorisation factorisation_;
    std::vector<PolyRoot> roots_;
    mutable std::mutex mutex_;
    mutable std::vector<std::optional<FormulaPtr>> forms_;
    mutable Once critical_;
    mutable std::vector<CriticalPoint> criticalPoints_;
};

} // namespace zembrel::engine
