// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "analysed_panels.h"

#include "qt_text.h"

#include <algorithm>
#include <iterator>
#include <vector>

namespace zembrel {

std::span<const PanelDefinition* const> analysedPanels()
{
    static const std::vector<const PanelDefinition*> panels = [] {
        std::vector<const PanelDefinition*> analysed;
        std::ranges::copy_if(kPanels, std::back_inserter(analysed),
                             [](const PanelDefinition* panel) { return panel->solutionOf != nullptr; });
        return analysed;
    }();
    return panels;
}

std::optional<std::size_t> pageIndexOf(const PanelDefinition& panel)
{
    const std::span<const PanelDefinition* const> panels = analysedPanels();
    const auto found = std::ranges::find(panels, &panel);
    if (found == panels.end())
        return std::nullopt;
    return static_cast<std::size_t>(found - panels.begin());
}

QString coefficientName(Field coefficient)
{
    static const QString subscripts = QStringLiteral("₀₁₂₃₄₅₆₇₈₉");
    QString name = toQString(coefficient->meaning);
    for (QChar& c : name) {
        if (c.isDigit() && c.digitValue() >= 0 && c.digitValue() <= 9)
            c = subscripts.at(c.digitValue());
    }
    return name;
}

} // namespace zembrel
