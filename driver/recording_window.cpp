#include "recording_window.h"

#include <array>
#include <cstdio>
#include <utility>

namespace zembrel {

namespace {

std::size_t indexOf(Field field) { return static_cast<std::size_t>(field) - 1; }
std::size_t indexOf(Button button) { return static_cast<std::size_t>(button) - 1; }

std::string jsonBool(bool value) { return value ? "true" : "false"; }

constexpr char32_t kNoCodePoint = 0x110000;

// The code point of the well-formed UTF-8 sequence that starts at text[i], and
// its length in bytes; a byte that starts none is kNoCodePoint, one byte long.
std::pair<char32_t, std::size_t> codePointAt(std::string_view text, std::size_t i)
{
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byte(i);
    if (lead < 0x80)
        return {lead, 1};
    const std::size_t length = lead >= 0xF8 ? 0 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 0;
    if (length == 0 || i + length > text.size())
        return {kNoCodePoint, 1};
    char32_t point = lead & (0x7F >> length);
    for (std::size_t k = 1; k < length; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80)
            return {kNoCodePoint, 1};
        point = (point << 6) | (byte(i + k) & 0x3F);
    }
    constexpr std::array<char32_t, 5> shortest{0, 0, 0x80, 0x800, 0x10000};
    if (point < shortest[length] || point >= kNoCodePoint)
        return {kNoCodePoint, 1};
    return {point, length};
}

// Characters written as \u escapes although JSON allows them as they are: the
// controls, which readers splitting on any Unicode line break (U+0085) or a
// terminal would act on, the line and paragraph separators, and the
// bidirectional marks and overrides, which would show a line in another order
// than it holds. So every event stays one visible line, read as stored.
bool needsEscape(char32_t point)
{
    return point < 0x20 || (point >= 0x7F && point <= 0x9F) || point == 0x061C || point == 0x200E || point == 0x200F
           || (point >= 0x2028 && point <= 0x202E) || (point >= 0x2066 && point <= 0x2069);
}

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
    for (std::size_t i = 0; i < text.size();) {
        const auto [point, length] = codePointAt(text, i);
        switch (point) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        case '\b': out += "\\b"; break;
        case '\f': out += "\\f"; break;
        default:
            if (needsEscape(point)) {
                char escaped[8];
                std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(point));
                out += escaped;
            } else {
                out += text.substr(i, length);
            }
        }
        i += length;
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
