// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "panel.h"
#include "window.h"

#include <vector>

namespace zembrel {

// Equation k reads ak·X + bk·Y + ck·Z + dk = 0. Equation 1: Text13, Text14,
// Text15, Text9; equation 2: Text16, Text17, Text18, Text25; equation 3:
// Text19, Text20, Text21, Text26.
struct SystemCoefficients {
    double a1 = 0, b1 = 0, c1 = 0, d1 = 0;
    double a2 = 0, b2 = 0, c2 = 0, d2 = 0;
    double a3 = 0, b3 = 0, c3 = 0, d3 = 0;
};

// clang-format off
enum class SystemOutcome {
    MissingVariable, // every X or every Y coefficient is zero
    ParallelLines,   // two-variable mode, D zero or rounding noise
    SolvedTwo,       // two-variable mode: X, Y
    SingularSystem,  // three-variable mode, reduced determinant zero or rounding noise
    SolvedThree,     // three-variable mode: X, Y, Z
};
// clang-format on

struct SystemSolution {
    SystemOutcome outcome = SystemOutcome::MissingVariable;
    double X = 0;
    double Y = 0;
    double Z = 0; // SolvedThree only
};

// The panel's whole computation, shared by the solve and the check so that
// the check judges, bit for bit, the values the solve displays. Two-variable
// mode (every Z coefficient zero) uses Cramer's rule on equations 1 and 2;
// three-variable mode eliminates X with the equation of largest X
// coefficient as the pivot. An overflow raises runtime error 6.
SystemSolution ComputeSystem(const SystemCoefficients& k);

// What is left of one equation when the solution is put back into it, and
// the size S of the terms that formed it.
struct SystemResidual {
    double r = 0;
    double S = 0;
};

// The residuals of the equations the check judges: all three for
// SolvedThree; equations 1 and 2 for SolvedTwo, and equation 3 as well when
// any of a3, b3, d3 is not 0, since a typed third equation must hold too;
// none for the other outcomes. An overflow raises runtime error 6.
std::vector<SystemResidual> SystemResiduals(const SystemCoefficients& k, const SystemSolution& s);

void SolveSystem(Window& window); // Command4_Click
void CheckSystem(Window& window); // Command5_Click

extern const PanelDescriptor kSystemPanel;

} // namespace zembrel
