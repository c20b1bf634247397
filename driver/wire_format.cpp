// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "wire_format.h"

#include "expr.h"
#include "json_object.h"
#include "panel.h"
#include "textbook.h"
#include "wording.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonParseError>
#include <QJsonValue>

#include <algorithm>
#include <array>
#include <cstdio>
#include <utility>
#include <vector>

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
    std::string out;
    out.reserve(text.size() + 2);
    out += '"';
    for (std::size_t i = 0; i < text.size();) {
        // Printable ASCII and the characters from U+3000 up (Chinese), most
        // of every line and none of them escaped, are copied a run at a time.
        std::size_t plain = i;
        while (plain < text.size()) {
            const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
            const unsigned char c = byte(plain);
            if (c >= 0x20 && c < 0x7F && c != '"' && c != '\\') {
                ++plain;
            } else if (c >= 0xE3 && c <= 0xEF && plain + 2 < text.size() && (byte(plain + 1) & 0xC0) == 0x80
                       && (byte(plain + 2) & 0xC0) == 0x80) {
                plain += 3;
            } else {
                break;
            }
        }
        out.append(text, i, plain - i);
        i = plain;
        if (i == text.size())
            break;
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
    out += '"';
    return out;
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

// An analysis writes a long number several times over (b, the sum −b/a and
// the vertex's −b/(2a) share their numerator), and converting a million
// digits to decimal takes a tenth of a second: each is converted once.
class RationalTexts {
public:
    std::string json(const mpq_class& value)
    {
        std::string text = integer(value.get_num());
        if (value.get_den() != 1)
            text += "/" + integer(value.get_den());
        return jsonString(text);
    }

private:
    std::string integer(const mpz_class& n)
    {
        if (mpz_sizeinbase(n.get_mpz_t(), 2) <= engine::kLongTextBits)
            return engine::IntegerText(n);
        const mpz_class magnitude = abs(n);
        auto known = std::ranges::find(texts_, magnitude, &std::pair<mpz_class, std::string>::first);
        if (known == texts_.end())
            known = texts_.insert(texts_.end(), {magnitude, engine::IntegerText(magnitude)});
        return n < 0 ? "-" + known->second : known->second;
    }

    std::vector<std::pair<mpz_class, std::string>> texts_;
};

std::string expressionJson(const engine::FormulaPtr& value)
{
    if (!value)
        return "null";
    const std::optional<std::string> text = engine::ExprText(*value);
    return text ? jsonString(*text) : "null";
}

// The protocol's word for each kind.
constexpr std::array kKindWords{
    std::pair{EquationKind::One, "one"},       std::pair{EquationKind::Identity, "identity"},
    std::pair{EquationKind::None, "none"},     std::pair{EquationKind::TwoReal, "two-real"},
    std::pair{EquationKind::Double, "double"}, std::pair{EquationKind::Complex, "complex"},
    std::pair{EquationKind::Linear, "linear"}, std::pair{EquationKind::OneReal, "one-real"},
    std::pair{EquationKind::Triple, "triple"}, std::pair{EquationKind::ThreeReal, "three-real"},
    std::pair{EquationKind::Unique, "unique"}, std::pair{EquationKind::Infinite, "infinite"},
};

std::string kindJson(EquationKind kind)
{
    for (const auto& [k, word] : kKindWords) {
        if (k == kind)
            return jsonString(word);
    }
    return jsonString("none");
}

std::string readingJson(const Reading& reading, RationalTexts& rationals)
{
    return JsonObject()
        .add("field", jsonString(reading.field.name()))
        .add("text", jsonString(reading.text))
        .add("value", rationals.json(reading.value))
        .add("whole", jsonBool(reading.whole))
        .str();
}

void addRational(JsonObject& object, std::string_view key, const std::optional<mpq_class>& value,
                 RationalTexts& rationals)
{
    if (value)
        object.add(key, rationals.json(*value));
}

std::string rootsJson(const PanelSolution& s)
{
    std::string out = "[";
    if (s.equation) {
        const std::vector<engine::PolyRoot>& roots = s.equation->roots();
        for (std::size_t i = 0; i < roots.size(); ++i) {
            out += (i == 0 ? "" : ", ")
                   + JsonObject()
                         .add("exact", expressionJson(s.equation->exactForm(i)))
                         .add("re", jsonString(roots[i].value.re.decimal20()))
                         .add("im", jsonString(roots[i].value.im.decimal20()))
                         .add("multiplicity", std::to_string(roots[i].multiplicity))
                         .str();
        }
    }
    return out + "]";
}

void addSystem(JsonObject& object, const PanelSolution& s, const Facts& facts, RationalTexts& rationals)
{
    const PanelSystem& system = *s.system;
    object.add("mode", std::to_string(system.mode));
    addRational(object, "determinant", facts.determinant, rationals);
    if (s.kind == EquationKind::Unique) {
        JsonObject solution;
        for (std::size_t j = 0; j < system.unknowns.size(); ++j) {
            const mpq_class& value = system.solution.values[j];
            solution.add(system.unknowns[j], JsonObject()
                                                 .add("exact", rationals.json(value))
                                                 .add("decimal", jsonString(engine::Real(value).decimal20()))
                                                 .str());
        }
        object.add("solution", solution.str());
    }
    if (s.kind == EquationKind::Infinite) {
        JsonObject general;
        for (std::size_t j = 0; j < system.unknowns.size(); ++j)
            general.add(system.unknowns[j],
                        expressionJson(engine::textbook::AffineFormula(system.solution.general[j], system.parameters)));
        object.add("general", general.str());
    }
}

std::string analysisJson(const PanelSolution& s)
{
    RationalTexts rationals;
    JsonObject object;
    object.add("read", jsonArray(s.read, [&](const Reading& r) { return readingJson(r, rationals); }));
    if (s.overflow) {
        object.add("error", JsonObject()
                                .add("number", std::to_string(6))
                                .add("field", jsonString(s.read[*s.overflow].field.name()))
                                .str());
        return object.str();
    }
    object.add("kind", kindJson(s.kind));
    const Facts facts = s.facts();
    if (s.system) {
        addSystem(object, s, facts, rationals);
    } else {
        object.add("roots", rootsJson(s));
        addRational(object, "discriminant", facts.discriminant, rationals);
        if (facts.vertexX && facts.vertexY)
            object.add("vertex", "[" + rationals.json(*facts.vertexX) + ", " + rationals.json(*facts.vertexY) + "]");
        addRational(object, "sum", facts.sum, rationals);
        addRational(object, "product", facts.product, rationals);
    }
    object.add("steps",
               jsonArray(s.working(), [](const engine::Step& step) { return jsonString(present::StepText(step)); }));
    return object.str();
}

} // namespace

std::string analysisLine(const PanelSolution& solution)
{
    return "[\"analysis\", " + jsonString(solution.panel->name) + ", " + analysisJson(solution) + "]";
}

std::string badLine(std::string_view why) { return "[\"bad\", " + jsonString(why) + "]"; }

} // namespace zembrel
