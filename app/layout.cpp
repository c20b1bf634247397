// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "layout.h"

#include <array>

namespace zembrel::layout {

namespace {

constexpr FontStyle kBold9{9, true};
constexpr FontStyle kRegular10_5{10.5, false};
constexpr FontStyle kBold10_5{10.5, true};
constexpr FontStyle kBold12{12, true};
constexpr FontStyle kBold14_25{14.25, true};

constexpr Rgb kNavy{0, 0, 128};
constexpr Rgb kBlack{0, 0, 0};

constexpr int kCoefficientWidth = 735;
constexpr int kFieldHeight = 270;

constexpr Control coefficient(Field field, int left, int top, std::string_view accessibleName,
                              std::string_view description, Rgb background = kCoefficientBackground)
{
    // clang-format off
    return {field, {}, left, top, kCoefficientWidth, kFieldHeight,
            kBold9, std::nullopt, background, accessibleName, description};
    // clang-format on
}

// The Z column and the third equation, which a system of X and Y leaves empty.
constexpr Control optionalCoefficient(Field field, int left, int top, std::string_view accessibleName,
                                      std::string_view description)
{
    return coefficient(field, left, top, accessibleName, description, kOptionalCoefficientBackground);
}

constexpr Control result(Field field, int left, int top, int width, FontStyle font, std::string_view accessibleName,
                         std::string_view description)
{
    // clang-format off
    return {field, {}, left, top, width, kFieldHeight,
            font, kResultText, kResultBackground, accessibleName, description};
    // clang-format on
}

constexpr Control label(std::string_view name, std::string_view caption, int left, int top, int width, int height,
                        FontStyle font, std::optional<Rgb> colour = std::nullopt)
{
    return {LabelName{name}, caption, left, top, width, height, font, colour, std::nullopt, {}};
}

constexpr Control button(Button button, std::string_view caption, int left, int top, int width, int height,
                         FontStyle font, std::string_view accessibleName)
{
    // clang-format off
    return {button, caption, left, top, width, height,
            font, std::nullopt, std::nullopt, accessibleName};
    // clang-format on
}

constexpr Control checkButton(Button check, int left, int top, int width, int height, FontStyle font,
                              std::string_view accessibleName)
{
    return button(check, "验算", left, top, width, height, font, accessibleName);
}

constexpr Control wrapping(Control control)
{
    control.wrapsCaption = true;
    return control;
}

constexpr Control naming(Field field, Control label)
{
    label.buddy = field;
    return label;
}

// clang-format off
constexpr std::array kControls{
    // Linear panel: a·x + b = 0
    naming(Field::Text1, label("Label1_0", "解一元一次方程：", 240, 120, 1815, 255, kRegular10_5, kNavy)),
    coefficient(Field::Text1, 2160, 120, "一次方程 a", "a·x + b = 0 中的 a"),
    label("Label2_0", "X+", 2880, 120, 495, 255, kBold12),
    coefficient(Field::Text2, 3240, 120, "一次方程 b", "a·x + b = 0 中的 b"),
    label("Label3_0", "=0", 3960, 120, 615, 255, kBold12),
    button(Button::Command1, "X=", 240, 480, 615, 255, kBold12, "一次方程 求解"),
    result(Field::Text3, 840, 480, 4215, kBold10_5, "一次方程 根 X", "a·x + b = 0 的根 x"),
    checkButton(Button::Command6, 5040, 480, 615, 255, kDefaultFont, "一次方程 验算"),

    // Quadratic panel: a·x² + b·x + c = 0
    naming(Field::Text4, label("Label1_1", "解一元二次方程：", 240, 1200, 1695, 255, kRegular10_5, Rgb{64, 0, 0})),
    coefficient(Field::Text4, 2160, 1200, "二次方程 a", "a·x² + b·x + c = 0 中的 a"),
    label("Label2_1", "X", 2880, 1200, 255, 375, kBold14_25),
    label("Label4_0", "2", 3000, 1080, 135, 255, kDefaultFont),
    label("Label2_2", "+", 3120, 1200, 255, 375, kBold14_25),
    coefficient(Field::Text5, 3360, 1200, "二次方程 b", "a·x² + b·x + c = 0 中的 b"),
    label("Label2_3", "X+", 4080, 1200, 375, 375, kBold14_25),
    coefficient(Field::Text6, 4440, 1200, "二次方程 c", "a·x² + b·x + c = 0 中的 c"),
    label("Label2_4", "=0", 5160, 1200, 495, 375, kBold14_25, kBlack),
    wrapping(button(Button::Command2, "X1= X2=", 240, 1560, 615, 615, kBold12, "二次方程 求解")),
    result(Field::Text7, 840, 1560, 4215, kBold10_5, "二次方程 根 X1", "a·x² + b·x + c = 0 的根 x1"),
    result(Field::Text8, 840, 1920, 4215, kBold10_5, "二次方程 根 X2", "a·x² + b·x + c = 0 的根 x2"),
    checkButton(Button::Command7, 5040, 1560, 615, 615, kDefaultFont, "二次方程 验算"),

    // Cubic panel: x³ + p·x + q = 0
    naming(Field::Text10, label("Label1_2", "解不完全三次方程：", 240, 2640, 1935, 255, kRegular10_5, Rgb{0, 64, 0})),
    label("Label2_5", "X", 2160, 2640, 255, 375, kBold14_25),
    label("Label4_1", "3", 2280, 2520, 135, 255, kDefaultFont),
    label("Label2_6", "+", 2400, 2640, 255, 375, kBold14_25),
    coefficient(Field::Text10, 2640, 2640, "三次方程 p", "x³ + p·x + q = 0 中的 p"),
    label("Label2_7", "X+", 3360, 2640, 375, 375, kBold14_25),
    coefficient(Field::Text11, 3720, 2640, "三次方程 q", "x³ + p·x + q = 0 中的 q"),
    label("Label2_8", "=0", 4440, 2640, 495, 375, kBold14_25),
    button(Button::Command3, "X=", 240, 3000, 615, 255, kBold12, "三次方程 求解"),
    result(Field::Text12, 840, 3000, 4215, kBold10_5, "三次方程 根 X", "x³ + p·x + q = 0 的实根 x"),
    checkButton(Button::Command8, 5040, 3000, 615, 255, kDefaultFont, "三次方程 验算"),

    // System panel: up to three equations a·X + b·Y + c·Z + d = 0
    naming(Field::Text13, label("Label1_3", "解二/三元一次方程组：", 240, 3720, 2655, 255, kRegular10_5, Rgb{128, 0, 0})),

    coefficient(Field::Text13, 720, 4080, "方程组 方程1 X系数",
        "第 1 个方程 a·X + b·Y + c·Z + d = 0 中 X 的系数 a"),
    label("Label2_9", "X+", 1560, 4080, 495, 255, kBold12),
    coefficient(Field::Text14, 1920, 4080, "方程组 方程1 Y系数",
        "第 1 个方程 a·X + b·Y + c·Z + d = 0 中 Y 的系数 b"),
    label("Label2_10", "Y+", 2760, 4080, 495, 255, kBold12),
    optionalCoefficient(Field::Text15, 3120, 4080, "方程组 方程1 Z系数",
        "第 1 个方程 a·X + b·Y + c·Z + d = 0 中 Z 的系数 c（可以为空）"),
    label("Label3_1", "Z", 3960, 4080, 375, 255, kBold12, kNavy),
    label("Label2_23", "+", 4080, 4080, 135, 255, kBold12),
    coefficient(Field::Text9, 4320, 4080, "方程组 方程1 常数项",
        "第 1 个方程 a·X + b·Y + c·Z + d = 0 的常数项 d（可以为空）"),
    label("Label2_18", "=0", 5040, 4080, 495, 255, kBold12),

    coefficient(Field::Text16, 720, 4440, "方程组 方程2 X系数",
        "第 2 个方程 a·X + b·Y + c·Z + d = 0 中 X 的系数 a"),
    label("Label2_13", "X+", 1560, 4440, 495, 255, kBold12),
    coefficient(Field::Text17, 1920, 4440, "方程组 方程2 Y系数",
        "第 2 个方程 a·X + b·Y + c·Z + d = 0 中 Y 的系数 b"),
    label("Label2_15", "Y+", 2760, 4440, 495, 255, kBold12),
    optionalCoefficient(Field::Text18, 3120, 4440, "方程组 方程2 Z系数",
        "第 2 个方程 a·X + b·Y + c·Z + d = 0 中 Z 的系数 c（可以为空）"),
    label("Label3_3", "Z", 3960, 4440, 255, 255, kBold12, kNavy),
    label("Label2_21", "+", 4080, 4440, 135, 255, kBold12),
    coefficient(Field::Text25, 4320, 4440, "方程组 方程2 常数项",
        "第 2 个方程 a·X + b·Y + c·Z + d = 0 的常数项 d（可以为空）"),
    label("Label2_20", "=0", 5040, 4440, 495, 255, kBold12),

    optionalCoefficient(Field::Text19, 720, 4800, "方程组 方程3 X系数",
        "第 3 个方程 a·X + b·Y + c·Z + d = 0 中 X 的系数 a（可以为空）"),
    label("Label2_12", "X+", 1560, 4800, 495, 255, kBold12, kNavy),
    optionalCoefficient(Field::Text20, 1920, 4800, "方程组 方程3 Y系数",
        "第 3 个方程 a·X + b·Y + c·Z + d = 0 中 Y 的系数 b（可以为空）"),
    label("Label2_14", "Y+", 2760, 4800, 495, 255, kBold12, kNavy),
    optionalCoefficient(Field::Text21, 3120, 4800, "方程组 方程3 Z系数",
        "第 3 个方程 a·X + b·Y + c·Z + d = 0 中 Z 的系数 c（可以为空）"),
    label("Label3_2", "Z", 3960, 4800, 255, 255, kBold12, kNavy),
    label("Label2_22", "+", 4080, 4800, 135, 255, kBold12, kNavy),
    optionalCoefficient(Field::Text26, 4320, 4800, "方程组 方程3 常数项",
        "第 3 个方程 a·X + b·Y + c·Z + d = 0 的常数项 d（可以为空）"),
    label("Label2_19", "=0", 5040, 4800, 495, 255, kBold12, kNavy),

    button(Button::Command4, "解得", 4200, 5280, 1455, 375, kRegular10_5, "方程组 求解"),
    checkButton(Button::Command5, 4200, 5880, 1455, 375, kRegular10_5, "方程组 验算"),

    naming(Field::Text22, label("Label2_11", "X=", 720, 5280, 495, 255, kBold12)),
    result(Field::Text22, 1080, 5280, 2895, kBold9, "方程组 解 X", "方程组 a·X + b·Y + c·Z + d = 0 的解 X"),
    naming(Field::Text23, label("Label2_16", "Y=", 720, 5640, 375, 375, kBold12)),
    result(Field::Text23, 1080, 5640, 2895, kBold9, "方程组 解 Y", "方程组 a·X + b·Y + c·Z + d = 0 的解 Y"),
    naming(Field::Text24, label("Label2_17", "Z=", 720, 6000, 495, 255, kBold12, kNavy)),
    result(Field::Text24, 1080, 6000, 2895, kBold9, "方程组 解 Z", "方程组 a·X + b·Y + c·Z + d = 0 的解 Z（只有 X、Y 两个未知数时为空）"),
};
// clang-format on

// Two left braces: one groups the equations, one the results.
// clang-format off
constexpr std::array kLines{
    Line{"Line2_0", 720, 4080, 600, 4200},
    Line{"Line1_0", 600, 4200, 600, 4440},
    Line{"Line5_2", 600, 4440, 480, 4560},
    Line{"Line6_2", 480, 4560, 600, 4680},
    Line{"Line3_2", 600, 4680, 600, 4920},
    Line{"Line4_0", 600, 4920, 720, 5040},

    Line{"Line2_1", 720, 5280, 600, 5400},
    Line{"Line1_1", 600, 5400, 600, 5640},
    Line{"Line5_1", 600, 5640, 480, 5760},
    Line{"Line6_1", 480, 5760, 600, 5880},
    Line{"Line3_1", 600, 5880, 600, 6120},
    Line{"Line4_1", 600, 6120, 720, 6240},
};
// clang-format on

// clang-format off
constexpr std::array kMenus{
    Menu{"mnuFile", "控制(&C)"},
    Menu{"mnuAss", "辅助(&A)"},
};
// clang-format on

// clang-format off
constexpr std::array kMenuEntries{
    MenuEntry{"mnuFile", MenuItem::mnuFileNew, {}, "重置(&N)", "Ctrl+N"},
    MenuEntry{"mnuFile", std::nullopt, "mnuFileBar0", "-", ""},
    MenuEntry{"mnuFile", MenuItem::mnuFileExit, {}, "退出(&X)", "Ctrl+X"},
    MenuEntry{"mnuAss", std::nullopt, "mnuAssDetails", "解题详情(&D)", "Ctrl+D", WindowItem::mnuAssDetails},
    MenuEntry{"mnuAss", MenuItem::mnuAssCalc, {}, "Windows计算器", "Ctrl+C"},
    MenuEntry{"mnuAss", MenuItem::mnuAssRep, {}, "错误报告", "Ctrl+R"},
    MenuEntry{"mnuAss", MenuItem::mnuAssAbout, {}, "关于", "Ctrl+A"},
};
// clang-format on

} // namespace

std::span<const Control> controls() { return kControls; }
std::span<const Line> lines() { return kLines; }
std::span<const Menu> menus() { return kMenus; }
std::span<const MenuEntry> menuEntries() { return kMenuEntries; }
std::string_view nameOf(const Control& control)
{
    if (const auto* field = std::get_if<Field>(&control.id))
        return zembrel::nameOf(*field);
    if (const auto* button = std::get_if<Button>(&control.id))
        return zembrel::nameOf(*button);
    return std::get<LabelName>(control.id).name;
}

} // namespace zembrel::layout
