// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// A formula as LaTeX math for amsmath: "x_{1} = \frac{3 - \sqrt{5}}{2}",
// "\begin{vmatrix} 2 & 3 \\ 1 & -1 \end{vmatrix} = -5". What a teacher
// pastes into a worksheet; it needs nothing but amsmath, except the Chinese
// words 或 and 且, which need a document that can set Chinese.

#include "formula.h"

#include <string>
#include <vector>

namespace zembrel::present {

// The language of the words between alternatives (或, or) and conditions (且, and).
enum class LatexWords {
    Chinese, // \text{ 或 }: the document needs ctex (XeLaTeX), as LatexDocument gives it
    English, // \text{ or }: compiles in any LaTeX document
};

struct LatexOptions {
    LatexWords words = LatexWords::Chinese;
};

std::string Latex(const engine::Formula& formula, const LatexOptions& options = {});

// A complete document with each line displayed on its own: article with
// amsmath, for pdfLaTeX; ctexart (compile with XeLaTeX, TeX Live's
// texlive-lang-chinese) when a line holds Chinese.
std::string LatexDocument(const std::vector<std::string>& lines);

} // namespace zembrel::present
