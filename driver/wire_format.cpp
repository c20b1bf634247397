// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "wire_format.h"

#include "json_object.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonParseError>
#include <QJsonValue>

#include <array>
#include <cstdio>
#include <utility>

namespace zembrel {

namespace {

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

std::variant<Command, Malformed> readCommand(std::string_view line)
{
    QJsonParseError error{};
    const QJsonDocument document
        = QJsonDocument::fromJson(QByteArray(line.data(), static_cast<qsizetype>(line.size())), &error);
    if (error.error != QJsonParseError::NoError)
        return Malformed{"not JSON at offset " + std::to_string(error.offset)};
    if (!document.isArray() || document.array().isEmpty() || !document.array().at(0).isString())
        return Malformed{"not a command array"};
    const QJsonArray array = document.array();
    Command command{array.at(0).toString().toStdString(), {}};
    for (qsizetype i = 1; i < array.size(); ++i) {
        if (array.at(i).isString())
            command.operands.emplace_back(array.at(i).toString().toStdString());
        else
            command.operands.emplace_back();
    }
    return command;
}

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
                return "[\"text\", " + jsonString(e.field.name()) + ", " + jsonString(e.text) + "]";
            },
            [](const EnabledChanged& e) {
                return "[\"enabled\", " + jsonString(e.button.name()) + ", " + jsonBool(e.enabled) + "]";
            },
            [](const MessageShown& e) {
                return "[\"msgbox\", " + std::to_string(static_cast<int>(e.style)) + ", " + jsonString(e.prompt)
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

std::string valueLine(std::string_view name, std::string_view text)
{
    return "[\"value\", " + jsonString(name) + ", " + jsonString(text) + "]";
}

std::string valueLine(std::string_view name, bool enabled)
{
    return "[\"value\", " + jsonString(name) + ", " + jsonBool(enabled) + "]";
}

std::string printedLine(const std::vector<std::string>& printed)
{
    std::string list;
    for (const std::string& line : printed)
        list += (list.empty() ? "" : ", ") + jsonString(line);
    return "[\"value\", \"printed\", [" + list + "]]";
}

namespace {

// "p" or "p/q" in lowest terms: GMP keeps its rationals canonical.
std::string rationalJson(const mpq_class& value) { return jsonString(value.get_str()); }

std::string expressionJson(const exact::Expression& value) { return value.exact ? jsonString(*value.exact) : "null"; }

std::string readingJson(const exact::Reading& reading)
{
    return JsonObject()
        .add("field", jsonString(reading.field))
        .add("text", jsonString(reading.text))
        .add("value", rationalJson(reading.value))
        .add("whole", jsonBool(reading.whole))
        .str();
}

std::string rootJson(const exact::Root& root)
{
    return JsonObject()
        .add("exact", expressionJson(root.value))
        .add("re", jsonString(root.re))
        .add("im", jsonString(root.im))
        .add("multiplicity", std::to_string(root.multiplicity))
        .str();
}

void addRational(JsonObject& object, std::string_view key, const std::optional<mpq_class>& value)
{
    if (value)
        object.add(key, rationalJson(*value));
}

void addSystem(JsonObject& object, const exact::Analysis& analysis)
{
    object.add("mode", std::to_string(analysis.mode));
    addRational(object, "determinant", analysis.determinant);
    if (analysis.kind == "unique") {
        JsonObject solution;
        for (const exact::Unknown& unknown : analysis.solution) {
            solution.add(unknown.name, JsonObject()
                                           .add("exact", rationalJson(unknown.exact))
                                           .add("decimal", jsonString(unknown.decimal))
                                           .str());
        }
        object.add("solution", solution.str());
    }
    if (analysis.kind == "infinite") {
        JsonObject general;
        for (const exact::GeneralUnknown& unknown : analysis.general)
            general.add(unknown.name, expressionJson(unknown.value));
        object.add("general", general.str());
    }
}

std::string analysisJson(const exact::Analysis& analysis)
{
    JsonObject object;
    object.add("read", jsonArray(analysis.read, readingJson));
    if (analysis.error) {
        object.add("error", JsonObject()
                                .add("number", std::to_string(analysis.error->number))
                                .add("field", jsonString(analysis.error->field))
                                .str());
        return object.str();
    }
    object.add("kind", jsonString(analysis.kind));
    if (analysis.panel == "System") {
        addSystem(object, analysis);
    } else {
        object.add("roots", jsonArray(analysis.roots, rootJson));
        addRational(object, "discriminant", analysis.discriminant);
        if (analysis.vertexX && analysis.vertexY)
            object.add("vertex", "[" + rationalJson(*analysis.vertexX) + ", " + rationalJson(*analysis.vertexY) + "]");
        addRational(object, "sum", analysis.sum);
        addRational(object, "product", analysis.product);
    }
    object.add("steps", jsonArray(analysis.steps, [](const std::string& step) { return jsonString(step); }));
    return object.str();
}

} // namespace

std::string analysisLine(const exact::Analysis& analysis)
{
    return "[\"analysis\", " + jsonString(analysis.panel) + ", " + analysisJson(analysis) + "]";
}

std::string badLine(std::string_view why) { return "[\"bad\", " + jsonString(why) + "]"; }

} // namespace zembrel
