#pragma once

#include <optional>
#include <string_view>

namespace zembrel {

// The text fields of the main window, by their control names.
// clang-format off
enum class Field {
    Text1 = 1, Text2, Text3, Text4, Text5, Text6, Text7, Text8, Text9, Text10,
    Text11, Text12, Text13, Text14, Text15, Text16, Text17, Text18, Text19, Text20,
    Text21, Text22, Text23, Text24, Text25, Text26,
};
// clang-format on
inline constexpr int kFieldCount = 26;

// The push buttons: Command1..Command4 solve, Command5..Command8 check.
enum class Button { Command1 = 1, Command2, Command3, Command4, Command5, Command6, Command7, Command8 };
inline constexpr int kButtonCount = 8;

// Result fields are read-only to the user and show "0" at start; the other
// nineteen are coefficient fields, empty at start.
bool isResultField(Field field);
// The check buttons start disabled; the solve buttons start enabled.
bool isEnabledAtStart(Button button);

std::string_view nameOf(Field field);
std::string_view nameOf(Button button);
std::optional<Field> fieldNamed(std::string_view name);
std::optional<Button> buttonNamed(std::string_view name);

// The text a field shows when the window opens.
std::string_view initialText(Field field);

} // namespace zembrel
