// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "solution_json.h"

#include "json_object.h"
#include "wording.h"

#include <array>
#include <utility>

namespace zembrel {

namespace {

using namespace typed;

// The words of the kinds and relations, in the order of their enumerations.
constexpr std::array kPolynomialKinds{std::pair{PolynomialKind::Roots, "roots"},
                                      std::pair{PolynomialKind::Identity, "identity"},
                                      std::pair{PolynomialKind::None, "none"}};
constexpr std::array kSystemKinds{std::pair{engine::SystemKind::Unique, "unique"},
                                  std::pair{engine::SystemKind::None, "none"},
                                  std::pair{engine::SystemKind::Infinite, "infinite"}};
constexpr std::array kRelations{std::pair{Relation::Less, "<"}, std::pair{Relation::Greater, ">"},
                                std::pair{Relation::LessEqual, "<="}, std::pair{Relation::GreaterEqual, ">="}};

template <class Table, class Kind>
std::string word(const Table& table, Kind kind)
{
    for (const auto& [k, text] : table) {
        if (k == kind)
            return jsonString(text);
    }
    return "null";
}

std::string rationalJson(const mpq_class& value) { return jsonString(engine::RationalText(value)); }
std::string exprJson(const std::optional<std::string>& expr) { return expr ? jsonString(*expr) : "null"; }
std::string letterJson(char letter) { return jsonString(std::string(1, letter)); }
std::string coefficientsJson(const std::vector<mpq_class>& coefficients)
{
    return jsonArray(coefficients, rationalJson);
}

std::string errorJson(const SolutionError& error)
{
    return JsonObject()
        .add("error", JsonObject()
                          .add("message", jsonString(error.message))
                          .add("at", error.at ? std::to_string(*error.at) : "null")
                          .str())
        .str();
}

std::string rootJson(const Root& root)
{
    return JsonObject()
        .add("exact", exprJson(root.shown.expr))
        .add("re", jsonString(root.re))
        .add("im", jsonString(root.im))
        .add("multiplicity", std::to_string(root.multiplicity))
        .str();
}

void addPolynomial(JsonObject& object, const PolynomialAnswer& a)
{
    object.add("type", jsonString("polynomial"))
        .add("unknown", letterJson(a.unknown))
        .add("degree", std::to_string(a.degree))
        .add("coefficients", coefficientsJson(a.coefficients))
        .add("kind", word(kPolynomialKinds, a.kind))
        .add("roots", jsonArray(a.roots, rootJson));
}

void addSystem(JsonObject& object, const SystemAnswer& a)
{
    object.add("type", jsonString("system"))
        .add("unknowns", jsonArray(a.unknowns, letterJson))
        .add("rank", std::to_string(a.rank))
        .add("kind", word(kSystemKinds, a.kind));
    if (a.kind == engine::SystemKind::Unique) {
        JsonObject solution;
        for (std::size_t j = 0; j < a.unknowns.size(); ++j) {
            solution.add(std::string(1, a.unknowns[j]), JsonObject()
                                                            .add("exact", rationalJson(a.solution[j].exact))
                                                            .add("decimal", jsonString(a.solution[j].decimal))
                                                            .str());
        }
        object.add("solution", solution.str());
    }
    if (a.kind == engine::SystemKind::Infinite) {
        JsonObject general;
        for (std::size_t j = 0; j < a.unknowns.size(); ++j)
            general.add(std::string(1, a.unknowns[j]), jsonString(a.generalExpr[j]));
        object.add("general", general.str());
    }
}

std::string endJson(const std::optional<End>& end)
{
    if (!end)
        return "null";
    return JsonObject().add("exact", exprJson(end->shown.expr)).add("re", jsonString(end->decimal)).str();
}

void addInequality(JsonObject& object, const InequalityAnswer& a)
{
    object.add("type", jsonString("inequality"))
        .add("unknown", letterJson(a.unknown))
        .add("parts", jsonArray(a.parts,
                                [](const InequalityPart& part) {
                                    return JsonObject()
                                        .add("relation", word(kRelations, part.relation))
                                        .add("coefficients", coefficientsJson(part.coefficients))
                                        .str();
                                }))
        .add("intervals", jsonArray(a.intervals, [](const Interval& interval) {
                 return JsonObject()
                     .add("from", endJson(interval.from))
                     .add("to", endJson(interval.to))
                     .add("closed", "[" + jsonBool(interval.closedFrom) + ", " + jsonBool(interval.closedTo) + "]")
                     .str();
             }));
}

} // namespace

std::string solutionLine(const TypedSolution& solution)
{
    std::string object;
    if (const auto* error = std::get_if<SolutionError>(&solution.answer)) {
        object = errorJson(*error);
    } else {
        JsonObject answer;
        if (const auto* polynomial = std::get_if<PolynomialAnswer>(&solution.answer))
            addPolynomial(answer, *polynomial);
        else if (const auto* system = std::get_if<SystemAnswer>(&solution.answer))
            addSystem(answer, *system);
        else if (const auto* inequality = std::get_if<InequalityAnswer>(&solution.answer))
            addInequality(answer, *inequality);
        answer.add("steps", jsonArray(solution.working,
                                      [](const engine::Step& step) { return jsonString(present::StepText(step)); }));
        object = answer.str();
    }
    return "[\"solution\", " + object + "]";
}

} // namespace zembrel
