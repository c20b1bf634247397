#include "menu_commands.h"

#include "runtime_error.h"

#include <array>
#include <string>
#include <vector>

namespace zembrel {

namespace {

// The fields a reset writes, in its order: the coefficients empty, then the results "0".
// clang-format off
constexpr std::array kCoefficientFields{
    Field::Text9,  Field::Text25, Field::Text26, Field::Text1,  Field::Text2,  Field::Text4,  Field::Text5,
    Field::Text6,  Field::Text10, Field::Text11, Field::Text13, Field::Text14, Field::Text15, Field::Text16,
    Field::Text17, Field::Text18, Field::Text19, Field::Text20, Field::Text21,
};
// clang-format on
constexpr std::array kResultFields{
    Field::Text3, Field::Text7, Field::Text8, Field::Text12, Field::Text23, Field::Text22, Field::Text24,
};

struct Calculator {
    std::string_view program;
    // The option that opens its window minimised; empty where the program has none.
    std::string_view minimised;
};

// The desktops' own calculators first, then the independent ones, and the
// plain X calculator last: it is the only one that can open minimised, but
// it is the one a user is least likely to want.
// clang-format off
constexpr std::array kCalculators{
    Calculator{"gnome-calculator", ""},
    Calculator{"kcalc", ""},
    Calculator{"mate-calc", ""},
    Calculator{"qalculate-qt", ""},
    Calculator{"qalculate-gtk", ""},
    Calculator{"galculator", ""},
    Calculator{"xcalc", "-iconic"},
};
// clang-format on

// Host and path of the error-report page (set when building); the scheme is
// added when it is opened.
constexpr std::string_view kErrorReportAddress = ZEMBREL_ERROR_REPORT_ADDRESS;

} // namespace

void ResetFields(Window& window)
{
    for (const Field field : kCoefficientFields)
        window.setText(field, "");
    for (const Field field : kResultFields)
        window.setText(field, "0");
}

void ExitProgram(Platform& platform) { platform.exitProgram(); }

void StartCalculator(Platform& platform)
{
    // A calculator that is installed but will not start gives way to the next one.
    for (const Calculator& calculator : kCalculators) {
        if (!platform.isInstalled(calculator.program))
            continue;
        std::vector<std::string> arguments;
        if (!calculator.minimised.empty())
            arguments.emplace_back(calculator.minimised);
        if (platform.startDetached(calculator.program, arguments))
            return;
    }
    throw RuntimeError(RuntimeError::FileNotFound);
}

void OpenErrorReportPage(Platform& platform) { platform.openUrl("http://" + std::string(kErrorReportAddress)); }

void ShowAbout(Window& window)
{
    window.MsgBox("Zembrel " ZEMBREL_VERSION " —— 解方程的小工具，由 Zembrel 开发组编写。", MsgBoxStyle::Information);
}

} // namespace zembrel
