// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "equation.h"

#include <utility>

namespace zembrel::engine {

PolynomialEquation::PolynomialEquation(Polynomial p)
    : polynomial_(std::move(p)), factorisation_(Factorise(polynomial_)), roots_(Roots(factorisation_))
{
    forms_.resize(roots_.size());
}

std::size_t PolynomialEquation::rootCount() const
{
    std::size_t count = 0;
    for (const PolyRoot& root : roots_)
        count += static_cast<std::size_t>(root.multiplicity);
    return count;
}

FormulaPtr PolynomialEquation::exactForm(std::size_t i) const
{
    {
        const std::lock_guard lock(mutex_);
        if (forms_.at(i))
            return *forms_[i];
    }
    // Made outside the lock: a long reduction must not hold up other roots.
    FormulaPtr form = ExactForm(roots_[i], factorisation_);
    const std::lock_guard lock(mutex_);
    forms_[i] = form;
    return form;
}

const std::vector<CriticalPoint>& PolynomialEquation::criticalPoints() const
{
    critical_.call([this] { criticalPoints_ = CriticalPoints(polynomial_); });
    return criticalPoints_;
}

} // namespace zembrel::engine
