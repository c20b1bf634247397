// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <optional>
#include <ostream>
#include <span>
#include <string_view>

namespace zembrel {

// The driver takes commands on standard input only; its command line can
// ask for --help or --version. Answers those (to `out`) or refuses any other
// argument (one line to `err`) and gives the exit code; gives nothing when
// there are no arguments and the driver is to read its commands.
std::optional<int> answerCommandLine(std::span<const std::string_view> arguments, std::ostream& out, std::ostream& err);

} // namespace zembrel
