#include "recording_window.h"

#include <cstdio>

namespace zembrel {

namespace {

std::size_t indexOf(Field field) { return static_cast<std::size_t>(field) - 1; }
std::size_t indexOf(Button button) { return static_cast<std::size_t>(button) - 1; }

std::string jsonBool(bool value) { return value ? "true" : "false"; }

template <class... Ts>
struct Overloaded : Ts... {
    using Ts::operator()...;
};
template <class... Ts>
Overloaded(Ts...) -> Overloaded<Ts...>;

} // namespace

std::string jsonString(std::string_view text)
{
    std::string out = "\"";
    for (const char c : text) {
        switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        case '\b': out += "\\b"; break;
        case '\f': out += "\\f"; break;
        default:
            if (static_cast<unsigned char>(c) < 0x20) {
                char escaped[8];
                std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
                out += escaped;
            } else {
                out += c;
            }
        }
    }
    return out + '"';
}

std::string toJsonLine(const Recorded& event)
{
    return std::visit(
        // clang-format off
        Overloaded{
            [](const TextChanged& e) {
                return "[\"text\", " + jsonString(nameOf(e.field)) + ", " + jsonString(e.text) + "]";
            },
            [](const EnabledChanged& e) {
                return "[\"enabled\", " + jsonString(nameOf(e.button)) + ", " + jsonBool(e.enabled) + "]";
            },
            [](const MessageShown& e) {
                return "[\"msgbox\", " + std::to_string(static_cast<int>(e.buttons)) + ", " + jsonString(e.prompt)
                     + "]";
            },
            [](const LinePrinted& e) { return "[\"print\", " + jsonString(e.text) + "]"; },
            [](const ErrorShown& e) {
                return "[\"error\", " + std::to_string(e.number) + ", " + jsonString(e.description) + "]";
            },
            [](const CalculatorStarted& e) { return "[\"calculator\", " + jsonString(e.program) + "]"; },
            [](const UrlOpened& e) { return "[\"browse\", " + jsonString(e.url) + "]"; },
            [](const ProgramExited&) { return std::string("[\"exit\"]"); },
        },
        // clang-format on
        event);
}

RecordingWindow::RecordingWindow(Recorder recorder) : recorder_(std::move(recorder))
{
    for (int i = 1; i <= kFieldCount; ++i)
        texts_[indexOf(static_cast<Field>(i))] = initialText(static_cast<Field>(i));
    for (int i = 1; i <= kButtonCount; ++i)
        enabled_[indexOf(static_cast<Button>(i))] = isEnabledAtStart(static_cast<Button>(i));
}

void RecordingWindow::type(Field field, std::string_view text) { texts_[indexOf(field)] = text; }

bool RecordingWindow::isEnabled(Button button) const { return enabled_[indexOf(button)]; }

std::string RecordingWindow::text(Field field) const { return texts_[indexOf(field)]; }

void RecordingWindow::setText(Field field, std::string_view text)
{
    texts_[indexOf(field)] = text;
    recorder_(TextChanged{field, std::string(text)});
}

void RecordingWindow::setEnabled(Button button, bool enabled)
{
    enabled_[indexOf(button)] = enabled;
    recorder_(EnabledChanged{button, enabled});
}

void RecordingWindow::MsgBox(std::string_view prompt, MsgBoxStyle buttons)
{
    recorder_(MessageShown{buttons, std::string(prompt)});
}

void RecordingWindow::Print(std::string_view text)
{
    printed_.emplace_back(text);
    recorder_(LinePrinted{std::string(text)});
}

void RecordingWindow::showRuntimeError(const RuntimeError& error)
{
    recorder_(ErrorShown{error.number(), error.description()});
}

RecordingPlatform::RecordingPlatform(Recorder recorder, bool calculatorMissing)
    : recorder_(std::move(recorder)), calculatorMissing_(calculatorMissing)
{
}

bool RecordingPlatform::isInstalled(std::string_view) const { return !calculatorMissing_; }

bool RecordingPlatform::startDetached(std::string_view program, const std::vector<std::string>&)
{
    if (calculatorMissing_)
        return false;
    recorder_(CalculatorStarted{std::string(program)});
    return true;
}

void RecordingPlatform::openUrl(std::string_view url) { recorder_(UrlOpened{std::string(url)}); }

void RecordingPlatform::exitProgram()
{
    exited_ = true;
    recorder_(ProgramExited{});
}

} // namespace zembrel
