#include "controls.h"

#include <array>

namespace zembrel {

namespace {

// clang-format off
constexpr std::array<std::string_view, kFieldCount> kFieldNames{
    "Text1", "Text2", "Text3", "Text4", "Text5", "Text6", "Text7", "Text8", "Text9", "Text10",
    "Text11", "Text12", "Text13", "Text14", "Text15", "Text16", "Text17", "Text18", "Text19", "Text20",
    "Text21", "Text22", "Text23", "Text24", "Text25", "Text26",
};
// clang-format on

constexpr std::array<std::string_view, kButtonCount> kButtonNames{
    "Command1", "Command2", "Command3", "Command4", "Command5", "Command6", "Command7", "Command8",
};

constexpr std::size_t indexOf(Field field) { return static_cast<std::size_t>(field) - 1; }
constexpr std::size_t indexOf(Button button) { return static_cast<std::size_t>(button) - 1; }

} // namespace

bool isResultField(Field field)
{
    switch (field) {
    case Field::Text3:
    case Field::Text7:
    case Field::Text8:
    case Field::Text12:
    case Field::Text22:
    case Field::Text23:
    case Field::Text24: return true;
    default: return false;
    }
}

bool isEnabledAtStart(Button button) { return static_cast<int>(button) <= 4; }

std::string_view nameOf(Field field) { return kFieldNames[indexOf(field)]; }
std::string_view nameOf(Button button) { return kButtonNames[indexOf(button)]; }

std::optional<Field> fieldNamed(std::string_view name)
{
    for (std::size_t i = 0; i < kFieldNames.size(); ++i) {
        if (kFieldNames[i] == name)
            return static_cast<Field>(i + 1);
    }
    return std::nullopt;
}

std::optional<Button> buttonNamed(std::string_view name)
{
    for (std::size_t i = 0; i < kButtonNames.size(); ++i) {
        if (kButtonNames[i] == name)
            return static_cast<Button>(i + 1);
    }
    return std::nullopt;
}

std::string_view initialText(Field field) { return isResultField(field) ? "0" : ""; }

} // namespace zembrel
