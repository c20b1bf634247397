// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "command_line.h"

#include <algorithm>

namespace zembrel {

namespace {

// The protocol in short; zembrel-driver(1) has it in full.
constexpr std::string_view kHelp = R"(Usage: zembrel-driver [--help | --version]
       zembrel-driver [--echo]

Runs Zembrel's solver and menu operations against a window without a screen.
Reads commands on standard input and writes events on standard output, both
as JSON Lines: one JSON array a line.

Commands:
  ["set", FIELD, TEXT]      the user types TEXT into a coefficient field
  ["click", BUTTON]         a click on Command1 ... Command8 (none if disabled)
  ["menu", ITEM]            mnuFileNew, mnuFileExit, mnuAssCalc, mnuAssRep or
                            mnuAssAbout is chosen
  ["get", NAME]             answers ["value", NAME, TEXT] for a field,
                            true or false for a button, the printed lines
                            for "printed"
  ["analyse", PANEL]        answers ["analysis", PANEL, OBJECT]: the exact
                            roots, kind, discriminant or determinant and
                            working of Linear, Quadratic, Cubic or System
                            as its fields read now; changes nothing
  ["equation", TEXT]        answers ["solution", OBJECT]: TEXT as typed for
                            the typed-equation window (equations, a linear
                            system or inequalities) solved exactly, or an
                            error and where it is; touches no panel

Events, one for each call an operation makes of the window:
  ["text", FIELD, TEXT]           a field's text was replaced
  ["enabled", BUTTON, BOOLEAN]    a button was enabled or disabled
  ["msgbox", CODE, PROMPT]        a message box (buttons code 0, 16, 48, 64),
                                  answered with OK at once
  ["print", TEXT]                 a line was printed on the window
  ["error", NUMBER, DESCRIPTION]  a runtime error ended the operation
  ["calculator", PROGRAM]         the calculator was started
  ["browse", URL]                 the error-report page went to the browser
  ["exit"]                        the program ended
  ["bad", WHY]                    a line was not understood

Options:
  --echo    write each command line, behind "> ", before the events it
            causes: the output is a transcript, as a scenario file records it

Exit status: 0 at the end of input or after ["exit"], 2 after a malformed
line. With ZEMBREL_NO_CALCULATOR=1 no calculator can be started.
)";

} // namespace

std::optional<int> answerCommandLine(std::span<const std::string_view> arguments, std::ostream& out, std::ostream& err,
                                     DriverOptions& options)
{
    if (arguments.empty())
        return std::nullopt;
    if (arguments.size() == 1 && arguments.front() == "--echo") {
        options.echo = true;
        return std::nullopt;
    }
    if (arguments.size() == 1 && arguments.front() == "--help") {
        out << kHelp;
        return 0;
    }
    if (arguments.size() == 1 && arguments.front() == "--version") {
        out << "zembrel-driver " ZEMBREL_VERSION "\n";
        return 0;
    }
    // Each option stands alone, so in "--help --version" the second is the stray one.
    const auto stray = std::find_if(arguments.begin(), arguments.end(), [](std::string_view argument) {
        return argument != "--help" && argument != "--version" && argument != "--echo";
    });
    err << "zembrel-driver: unknown argument '" << (stray != arguments.end() ? *stray : arguments[1])
        << "'; commands come on standard input (zembrel-driver --help)\n";
    return 2;
}

} // namespace zembrel
