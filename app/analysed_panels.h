// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Which coefficient fields the exact analysis of each panel reads, in its
// order, and which analysis it is: the one place the 解题详情 window learns
// a panel's fields from.

#include "analysis.h"
#include "controls.h"

#include <functional>
#include <span>
#include <string>
#include <string_view>

namespace zembrel {

struct AnalysedPanel {
    Panel panel;
    std::string_view title; // the page's caption: "一元二次方程"
    std::span<const Field> fields;
    std::span<const std::string_view> names; // each field's coefficient as the page names it: "b", "d₂"
    exact::Analysis (*analyse)(std::span<const exact::FieldText> fields);
};

// Top to bottom, as the main window holds them.
std::span<const AnalysedPanel> analysedPanels();
const AnalysedPanel& analysedPanelOf(Panel panel);

// The analysis of the panel's fields as `textOf` gives them now.
exact::Analysis analyse(const AnalysedPanel& panel, const std::function<std::string(Field)>& textOf);

} // namespace zembrel
