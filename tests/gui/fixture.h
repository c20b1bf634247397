// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The one fixture of the GUI tests: a fresh main window on the offscreen
// platform for every test function, on a fake desktop that notes what the
// program asks of it, and a watchdog that fails the test instead of letting
// it hang when a message box comes up that the test did not expect.

#include "fake_platform.h"
#include "fonts.h"
#include "gui_support.h"
#include "main_window.h"
#include "translation.h"

#include <QApplication>
#include <QMessageBox>
#include <QObject>
#include <QTest>
#include <QTimer>

#include <memory>

namespace zembrel::testing {

class WindowFixture : public QObject {
    Q_OBJECT

protected:
    FakePlatform& platform() const { return *platform_; }
    MainWindow& window() const { return *window_; }
    QLineEdit* field(Field which) const { return window_->field(which); }
    QPushButton* button(Button which) const { return window_->button(which); }
    void click(Button which) const { QTest::mouseClick(button(which), Qt::LeftButton); }
    QStringList states(const QStringList& entries) const { return statesOf(*window_, entries); }

private slots:
    void initTestCase()
    {
        installQtTranslation();
        useSongFontThroughout();
    }

    void init()
    {
        unexpectedBoxes_.clear();
        lastSeenBox_ = nullptr;
        platform_ = std::make_unique<FakePlatform>();
        window_ = std::make_unique<MainWindow>(*platform_);
        window_->show();
        QVERIFY(QTest::qWaitForWindowActive(window_.get()));
        watchdog_.callOnTimeout([this] { closeForgottenBox(); });
        watchdog_.start(1000);
    }

    void cleanup()
    {
        watchdog_.stop();
        watchdog_.disconnect();
        window_.reset();
        platform_.reset();
        QVERIFY2(unexpectedBoxes_.isEmpty(), qPrintable(unexpectedBoxes_.join(QStringLiteral("; "))));
    }

private:
    // A BoxCloser answers a box at once; one still up at two ticks in a row
    // was not expected, and no user would answer it for the test.
    void closeForgottenBox()
    {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box != nullptr && box == lastSeenBox_) {
            unexpectedBoxes_ << QStringLiteral("unexpected box: ") + box->text();
            box->button(QMessageBox::Ok)->click();
            box = nullptr;
        }
        lastSeenBox_ = box;
    }

    std::unique_ptr<FakePlatform> platform_;
    std::unique_ptr<MainWindow> window_;
    QTimer watchdog_;
    QMessageBox* lastSeenBox_ = nullptr;
    QStringList unexpectedBoxes_;
};

} // namespace zembrel::testing
