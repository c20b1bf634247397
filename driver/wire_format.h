// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The driver's wire format: JSON Lines, one JSON array a line, UTF-8. Commands
// come in as ["set", FIELD, TEXT], ["click", BUTTON], ["menu", ITEM],
// ["get", NAME] and ["analyse", PANEL]; events go out as ["text", FIELD, TEXT] and the like, with
// ", " between the elements.

#include "recording_window.h"
#include "solution.h"

#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace zembrel {

// A command line as read: its verb and its operands, each a string or,
// where the line holds something else there, nothing.
struct Command {
    std::string verb;
    std::vector<std::optional<std::string>> operands;
};

// Why a line is no command at all.
struct Malformed {
    std::string why;
};

std::variant<Command, Malformed> readCommand(std::string_view line);

// A text as a JSON string that stays one visible line in every reader.
std::string jsonString(std::string_view text);

// The event as one line of the driver's output: ["text", FIELD, TEXT] and the like.
std::string toJsonLine(const Recorded& event);

// The answers to "get": a field's text, a button's state, the printed lines.
std::string valueLine(std::string_view name, std::string_view text);
std::string valueLine(std::string_view name, bool enabled);
std::string printedLine(const std::vector<std::string>& printed);

// ["analysis", PANEL, OBJECT]: the exact analysis of a panel.
std::string analysisLine(const PanelSolution& solution);

// ["bad", WHY]
std::string badLine(std::string_view why);

} // namespace zembrel
