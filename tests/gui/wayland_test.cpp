// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The window on a Wayland compositor: wayland.sh starts one
// without a screen and runs this with only WAYLAND_DISPLAY set, as a
// Wayland desktop's session has it.

#include "fake_platform.h"
#include "main_window.h"
#include "surface.h"

#include <QGuiApplication>
#include <QMenuBar>
#include <QTest>

using namespace zembrel;

class WaylandTest : public QObject {
    Q_OBJECT

private slots:
    // Natively, not through XWayland.
    void qtTakesItsWaylandPlatform() { QCOMPARE(QGuiApplication::platformName(), QStringLiteral("wayland")); }

    void windowOpensAtItsSize()
    {
        testing::FakePlatform platform;
        MainWindow window(platform);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCOMPARE(window.surface()->size(), QSize(404, 444));
        QCOMPARE(window.size(), QSize(404, window.menuBar()->height() + 462));
    }
};

QTEST_MAIN(WaylandTest)
#include "wayland_test.moc"
