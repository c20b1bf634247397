// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <optional>
#include <ostream>
#include <span>
#include <string_view>

namespace zembrel {

struct DriverOptions {
    // Each command line is written, behind "> ", before the events it causes.
    bool echo = false;
};

// The driver takes commands on standard input only; its command line can
// ask for --help or --version, or for --echo. Answers the first two (to
// `out`) or refuses any other argument (one line to `err`) and gives the exit
// code; gives nothing when the driver is to read its commands with `options`.
std::optional<int> answerCommandLine(std::span<const std::string_view> arguments, std::ostream& out, std::ostream& err,
                                     DriverOptions& options);

} // namespace zembrel
