// zembrel-driver: runs the program's operations against a window without a
// screen. Commands arrive as JSON Lines on stdin; every call an operation
// makes of the window is written as one JSON Lines event on stdout.

#include "command_line.h"
#include "events.h"
#include "recording_window.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonParseError>
#include <QJsonValue>

#include <cstdlib>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

using namespace zembrel;

namespace {

void writeLine(const std::string& line) { std::cout << line << '\n' << std::flush; }

class Driver {
public:
    Driver() : window_(record()), platform_(record(), calculatorMissing()), context_{window_, platform_, window_} {}

    // False when the driver must stop; the exit code is then in exitCode().
    bool run(const std::string& line);
    int exitCode() const { return exitCode_; }

private:
    static bool calculatorMissing()
    {
        const char* value = std::getenv("ZEMBREL_NO_CALCULATOR");
        return value != nullptr && std::string(value) == "1";
    }

    Recorder record()
    {
        return [](const Recorded& event) { writeLine(toJsonLine(event)); };
    }

    bool bad(const std::string& why, bool fatal = true)
    {
        writeLine("[\"bad\", " + jsonString(why) + "]");
        if (fatal)
            exitCode_ = 2;
        return !fatal;
    }

    bool set(const QJsonArray& command);
    bool click(const QJsonArray& command);
    bool menu(const QJsonArray& command);
    bool get(const QJsonArray& command);

    RecordingWindow window_;
    RecordingPlatform platform_;
    EventContext context_;
    int exitCode_ = 0;
};

std::optional<std::string> stringAt(const QJsonArray& array, qsizetype index)
{
    if (index >= array.size() || !array.at(index).isString())
        return std::nullopt;
    return array.at(index).toString().toStdString();
}

bool Driver::run(const std::string& line)
{
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(QByteArray::fromStdString(line), &error);
    if (error.error != QJsonParseError::NoError)
        return bad("not JSON at offset " + std::to_string(error.offset));
    if (!document.isArray() || document.array().isEmpty() || !document.array().at(0).isString())
        return bad("not a command array");
    const QJsonArray command = document.array();
    const std::string verb = command.at(0).toString().toStdString();
    if (verb == "set")
        return set(command);
    if (verb == "click")
        return click(command);
    if (verb == "menu")
        return menu(command);
    if (verb == "get")
        return get(command);
    return bad("unknown command: " + verb);
}

bool Driver::set(const QJsonArray& command)
{
    const auto name = stringAt(command, 1);
    const auto text = stringAt(command, 2);
    if (command.size() != 3 || !name || !text)
        return bad("set takes a field name and a text");
    const auto field = fieldNamed(*name);
    if (!field)
        return bad("unknown field: " + *name);
    if (isResultField(*field))
        return bad("result fields are read-only: " + *name, false);
    window_.type(*field, *text);
    return true;
}

bool Driver::click(const QJsonArray& command)
{
    const auto name = stringAt(command, 1);
    if (command.size() != 2 || !name)
        return bad("click takes a button name");
    const auto button = buttonNamed(*name);
    if (!button)
        return bad("unknown button: " + *name);
    // A disabled button raises no event.
    if (window_.isEnabled(*button))
        raise(clickEventOf(*button), context_);
    return !platform_.exited();
}

bool Driver::menu(const QJsonArray& command)
{
    const auto name = stringAt(command, 1);
    if (command.size() != 2 || !name)
        return bad("menu takes a menu item name");
    const auto item = menuItemNamed(*name);
    if (!item)
        return bad("unknown menu item: " + *name);
    raise(clickEventOf(*item), context_);
    return !platform_.exited();
}

bool Driver::get(const QJsonArray& command)
{
    const auto name = stringAt(command, 1);
    if (command.size() != 2 || !name)
        return bad("get takes a control name");
    if (*name == "printed") {
        std::string list = "[";
        for (const auto& line : window_.printed())
            list += (list.size() > 1 ? ", " : "") + jsonString(line);
        writeLine("[\"value\", \"printed\", " + list + "]]");
    } else if (const auto field = fieldNamed(*name)) {
        writeLine("[\"value\", " + jsonString(*name) + ", " + jsonString(window_.text(*field)) + "]");
    } else if (const auto button = buttonNamed(*name)) {
        writeLine("[\"value\", " + jsonString(*name) + ", " + (window_.isEnabled(*button) ? "true" : "false") + "]");
    } else {
        return bad("unknown control: " + *name);
    }
    return true;
}

bool isBlankLine(const std::string& line) { return line.find_first_not_of(" \t\r") == std::string::npos; }

} // namespace

int main(int argc, char* argv[])
{
    const std::vector<std::string_view> arguments(argv + 1, argv + argc);
    if (const auto exitCode = answerCommandLine(arguments, std::cout, std::cerr))
        return *exitCode;

    std::ios::sync_with_stdio(false);
    Driver driver;
    std::string line;
    while (std::getline(std::cin, line)) {
        if (isBlankLine(line))
            continue;
        if (!driver.run(line))
            return driver.exitCode();
    }
    return 0;
}
