// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "panel.h"

#include "reader.h"

#include <string>
#include <vector>

namespace zembrel {

exact::Analysis Analyse(const PanelDefinition& panel, const Window& window)
{
    // The texts live here while the analysis reads them through views.
    std::vector<std::string> texts;
    texts.reserve(panel.coefficients.size());
    for (const Field field : panel.coefficients)
        texts.push_back(window.text(field));
    std::vector<exact::FieldText> fields;
    fields.reserve(texts.size());
    for (std::size_t i = 0; i < texts.size(); ++i)
        fields.push_back({panel.coefficients[i]->name, texts[i]});
    return panel.analyse(fields);
}

mpq_class ReadCoefficient(const Window& window, Field field)
{
    const exact::ExactNumber number = exact::ReadExact(window.text(field));
    if (number.overflow)
        throw RuntimeError(RuntimeError::Overflow);
    return number.value;
}

} // namespace zembrel
