// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The window as the program builds it: its operations opened from their
// library on the first event, not linked in. Built twice: against the
// library, and against a path where there is none, as after a package
// installed in part.

#include "announcer.h"
#include "fixture.h"
#include "panels.h"

#include <QMessageBox>
#include <QWidget>

namespace zembrel::testing {

class LoadedOperationsTest : public WindowFixture {
    Q_OBJECT

private slots:
    void eventsRunOnceTheLibraryIsOpened();
};

#ifndef ZEMBREL_OPERATIONS_ABSENT

void LoadedOperationsTest::eventsRunOnceTheLibraryIsOpened()
{
    typeInto(window(), {"Text1=2", "Text2=-4"});
    {
        BoxCloser closer;
        click(kSolveButtons[0]);
        QCOMPARE(describe(closer.seen()), QStringList());
    }
    QCOMPARE(states({"Text3=2.", "Command6=enabled"}), QStringList({"Text3=2.", "Command6=enabled"}));
    // The roots are read aloud by the library's words for them.
    QCOMPARE(window().announcer()->message(), QStringLiteral("X 等于 二，验算可用"));
    {
        BoxCloser closer;
        click(linear::check);
        QCOMPARE(closer.seen().size(), 1);
    }

    // The library's windows, made by the library.
    window().openDetails();
    auto* details = window().findChild<QWidget*>(QStringLiteral("DetailsWindow"));
    QVERIFY(details != nullptr && window().detailsWindow() != nullptr);
    QVERIFY(QTest::qWaitForWindowExposed(details));
    QCOMPARE(details->windowTitle(), QStringLiteral("解题详情"));
    window().openEquation();
    auto* equation = window().findChild<QWidget*>(QStringLiteral("EquationWindow"));
    QVERIFY(equation != nullptr && window().equationWindow() != nullptr);
    QVERIFY(QTest::qWaitForWindowExposed(equation));
}

#else

// Every event says why it cannot run, and changes nothing.
void LoadedOperationsTest::eventsRunOnceTheLibraryIsOpened()
{
    typeInto(window(), {"Text1=2", "Text2=-4"});
    for (int attempt = 0; attempt < 2; ++attempt) {
        BoxCloser closer;
        click(kSolveButtons[0]);
        QCOMPARE(closer.seen().size(), 1);
        QCOMPARE(closer.seen().front().icon, QMessageBox::Critical);
        QVERIFY2(closer.seen().front().text.startsWith(QStringLiteral("无法载入 Zembrel 的求解部分")),
                 qPrintable(closer.seen().front().text));
        QVERIFY(closer.seen().front().text.contains(QStringLiteral("no-such-folder/no-such-library.so")));
    }
    QCOMPARE(states({"Text3=0", "Command6=disabled"}), QStringList({"Text3=0", "Command6=disabled"}));
    {
        BoxCloser closer;
        window().openDetails();
        QCOMPARE(closer.seen().size(), 1);
    }
    QVERIFY(window().detailsWindow() == nullptr);
}

#endif

} // namespace zembrel::testing

QTEST_MAIN(zembrel::testing::LoadedOperationsTest)
#include "loaded_operations_test.moc"
