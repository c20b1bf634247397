// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// zembrel-driver: runs the program's operations against a window without a
// screen. Commands arrive as JSON Lines on stdin; every call an operation
// makes of the window is written as one JSON Lines event on stdout.

#include "command_line.h"
#include "panels.h"
#include "recording_window.h"
#include "solution_json.h"
#include "wire_format.h"

#include <algorithm>
#include <cstdlib>
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

using namespace zembrel;

namespace {

void writeLine(const std::string& line) { std::cout << line << '\n' << std::flush; }

bool calculatorMissing()
{
    const char* value = std::getenv("ZEMBREL_NO_CALCULATOR");
    return value != nullptr && std::string(value) == "1";
}

class Driver {
public:
    Driver() : session_([](const Recorded& event) { writeLine(toJsonLine(event)); }, calculatorMissing()) {}

    // False when the driver must stop; the exit code is then in exitCode().
    bool run(const std::string& line);
    int exitCode() const { return exitCode_; }

private:
    bool bad(const std::string& why, bool fatal = true)
    {
        writeLine(badLine(why));
        if (fatal)
            exitCode_ = 2;
        return !fatal;
    }

    bool set(const Command& command);
    bool click(const Command& command);
    bool menu(const Command& command);
    bool get(const Command& command);
    bool analyse(const Command& command);
    bool equation(const Command& command);

    HeadlessSession session_;
    int exitCode_ = 0;
};

// The operands of a command that takes exactly `count` strings.
bool takesStrings(const Command& command, std::size_t count)
{
    if (command.operands.size() != count)
        return false;
    for (const auto& operand : command.operands) {
        if (!operand)
            return false;
    }
    return true;
}

bool Driver::run(const std::string& line)
{
    const auto read = readCommand(line);
    if (const auto* malformed = std::get_if<Malformed>(&read))
        return bad(malformed->why);
    const Command& command = *std::get_if<Command>(&read);
    if (command.verb == "set")
        return set(command);
    if (command.verb == "click")
        return click(command);
    if (command.verb == "menu")
        return menu(command);
    if (command.verb == "get")
        return get(command);
    if (command.verb == "analyse")
        return analyse(command);
    if (command.verb == "equation")
        return equation(command);
    return bad("unknown command: " + command.verb);
}

bool Driver::set(const Command& command)
{
    if (!takesStrings(command, 2))
        return bad("set takes a field name and a text");
    const std::string& name = *command.operands[0];
    const auto field = fieldNamed(name);
    if (!field)
        return bad("unknown field: " + name);
    if ((*field)->role == FieldRole::Result)
        return bad("result fields are read-only: " + name, false);
    session_.type(*field, *command.operands[1]);
    return true;
}

bool Driver::click(const Command& command)
{
    if (!takesStrings(command, 1))
        return bad("click takes a button name");
    const std::string& name = *command.operands[0];
    const auto button = buttonNamed(name);
    if (!button)
        return bad("unknown button: " + name);
    session_.click(*button);
    return !session_.exited();
}

bool Driver::menu(const Command& command)
{
    if (!takesStrings(command, 1))
        return bad("menu takes a menu item name");
    const std::string& name = *command.operands[0];
    const auto item = menuItemNamed(name);
    if (!item)
        return bad("unknown menu item: " + name);
    session_.choose(*item);
    return !session_.exited();
}

bool Driver::get(const Command& command)
{
    if (!takesStrings(command, 1))
        return bad("get takes a control name");
    const std::string& name = *command.operands[0];
    const RecordingWindow& window = session_.window();
    if (name == "printed")
        writeLine(printedLine(window.printed()));
    else if (const auto field = fieldNamed(name))
        writeLine(valueLine(name, window.text(*field)));
    else if (const auto button = buttonNamed(name))
        writeLine(valueLine(name, window.isEnabled(*button)));
    else
        return bad("unknown control: " + name);
    return true;
}

bool Driver::analyse(const Command& command)
{
    if (!takesStrings(command, 1))
        return bad("analyse takes a panel name");
    const std::string& name = *command.operands[0];
    const auto panel = std::ranges::find(kPanels, name, &PanelDefinition::name);
    if (panel == kPanels.end())
        return bad("unknown panel: " + name);
    writeLine(analysisLine(*SolutionFor(**panel, session_.window())));
    return true;
}

// A typed text is solved on its own: no panel is read or changed.
bool Driver::equation(const Command& command)
{
    if (!takesStrings(command, 1))
        return bad("equation takes the typed text");
    writeLine(solutionLine(typed::SolveTyped(*command.operands[0])));
    return true;
}

bool isBlankLine(const std::string& line) { return line.find_first_not_of(" \t\r") == std::string::npos; }

} // namespace

int main(int argc, char* argv[])
{
    const std::vector<std::string_view> arguments(argv + 1, argv + argc);
    DriverOptions options;
    if (const auto exitCode = answerCommandLine(arguments, std::cout, std::cerr, options))
        return *exitCode;

    std::ios::sync_with_stdio(false);
    Driver driver;
    std::string line;
    while (std::getline(std::cin, line)) {
        if (isBlankLine(line))
            continue;
        if (options.echo)
            writeLine("> " + line);
        if (!driver.run(line))
            return driver.exitCode();
    }
    return 0;
}
