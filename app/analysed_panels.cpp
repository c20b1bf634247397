// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "analysed_panels.h"

#include <array>
#include <cstdlib>
#include <vector>

namespace zembrel {

namespace {

constexpr std::array kLinearFields{Field::Text1, Field::Text2};
constexpr std::array kQuadraticFields{Field::Text4, Field::Text5, Field::Text6};
constexpr std::array kCubicFields{Field::Text10, Field::Text11};
// a1 b1 c1, a2 b2 c2, a3 b3 c3, then d1 d2 d3: the order the system panel reads them.
constexpr std::array kSystemFields{Field::Text13, Field::Text14, Field::Text15, Field::Text16,
                                   Field::Text17, Field::Text18, Field::Text19, Field::Text20,
                                   Field::Text21, Field::Text9,  Field::Text25, Field::Text26};

constexpr std::array<std::string_view, 2> kLinearNames{"a", "b"};
constexpr std::array<std::string_view, 3> kQuadraticNames{"a", "b", "c"};
constexpr std::array<std::string_view, 2> kCubicNames{"p", "q"};
constexpr std::array<std::string_view, 12> kSystemNames{"a₁", "b₁", "c₁", "a₂", "b₂", "c₂",
                                                        "a₃", "b₃", "c₃", "d₁", "d₂", "d₃"};

const std::array<AnalysedPanel, 4> kAnalysedPanels{{
    {Panel::Linear, "一元一次方程", kLinearFields, kLinearNames, &exact::AnalyseLinear},
    {Panel::Quadratic, "一元二次方程", kQuadraticFields, kQuadraticNames, &exact::AnalyseQuadratic},
    {Panel::Cubic, "不完全三次方程", kCubicFields, kCubicNames, &exact::AnalyseCubic},
    {Panel::System, "方程组", kSystemFields, kSystemNames, &exact::AnalyseSystem},
}};

} // namespace

std::span<const AnalysedPanel> analysedPanels() { return kAnalysedPanels; }

const AnalysedPanel& analysedPanelOf(Panel panel)
{
    for (const AnalysedPanel& analysed : kAnalysedPanels) {
        if (analysed.panel == panel)
            return analysed;
    }
    std::abort();
}

exact::Analysis analyse(const AnalysedPanel& panel, const std::function<std::string(Field)>& textOf)
{
    // The texts live here while the analysis reads them through views.
    std::vector<std::string> texts;
    texts.reserve(panel.fields.size());
    for (const Field field : panel.fields)
        texts.push_back(textOf(field));
    std::vector<exact::FieldText> fields;
    fields.reserve(panel.fields.size());
    for (std::size_t i = 0; i < panel.fields.size(); ++i)
        fields.push_back({nameOf(panel.fields[i]), texts[i]});
    return panel.analyse(fields);
}

} // namespace zembrel
