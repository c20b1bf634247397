// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "qt_platform.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMetaObject>
#include <QPushButton>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

#include <memory>

namespace zembrel {
namespace {

class QtPlatformTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "platform_tests";
        static char* argv[] = {name, nullptr};
        application_ = std::make_unique<QApplication>(argc, argv);
    }
    static void TearDownTestSuite() { application_.reset(); }

    QtPlatform platform;

private:
    static inline std::unique_ptr<QApplication> application_;
};

TEST_F(QtPlatformTest, FindsProgramsOnThePath)
{
    struct Case {
        const char* program;
        bool installed;
    };
    // clang-format off
    const Case cases[] = {
        {"sh", true},
        {"/bin/sh", true},
        {"zembrel-no-such-program", false},
        {"", false},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.program);
        EXPECT_EQ(platform.isInstalled(c.program), c.installed);
    }
}

TEST_F(QtPlatformTest, StartsOnlyProgramsThatExist)
{
    EXPECT_TRUE(platform.startDetached("true", {"-iconic", "a b; exit 1"}));
    EXPECT_FALSE(platform.startDetached("zembrel-no-such-program", {}));
}

TEST_F(QtPlatformTest, ExitClosesTheWindowAndIgnoresInputStillArriving)
{
    QWidget window;
    auto* field = new QLineEdit(&window);
    auto* button = new QPushButton(QStringLiteral("X="), &window);
    button->move(0, 40);
    auto* reset = new QAction(&window);
    reset->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    reset->setShortcutContext(Qt::ApplicationShortcut);
    window.addAction(reset);
    int resets = 0;
    int clicks = 0;
    QObject::connect(reset, &QAction::triggered, [&] { ++resets; });
    QObject::connect(button, &QPushButton::clicked, [&] { ++clicks; });
    window.show();
    field->setFocus();

    QMetaObject::invokeMethod(
        &window,
        [&] {
            platform.exitProgram();
            // What the user did just after choosing exit, delivered before
            // the event loop gets to stop.
            QTest::keyClick(field, Qt::Key_N, Qt::ControlModifier);
            QTest::keyClicks(field, QStringLiteral("12"));
            QTest::mouseClick(button, Qt::LeftButton);
        },
        Qt::QueuedConnection);

    EXPECT_EQ(QApplication::exec(), 0);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(resets, 0);
    EXPECT_EQ(clicks, 0);
    EXPECT_EQ(field->text(), QString());
}

} // namespace
} // namespace zembrel
