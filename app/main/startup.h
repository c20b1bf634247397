// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QList>
#include <QMessageLogContext>
#include <QString>
#include <QtGlobal>

namespace zembrel {

// The line a user without a graphical session reads instead of Qt's advice
// to reinstall the program.
inline constexpr const char* kNoDisplayMessage = "Zembrel needs a graphical session: no X11 or Wayland display found.";

// True when the environment names a display, or a Qt platform of its own
// (the tests' offscreen platform needs none).
bool displayConfigured();

// While the application object is made, Qt's platform plugin ends the
// process with abort() when it cannot reach the display. This holds Qt's
// messages back meanwhile: a fatal one becomes one plain line on stderr and
// exit code 1; otherwise release() hands the held messages on as Qt would
// have written them.
class StartupMessages {
public:
    StartupMessages();
    ~StartupMessages();
    StartupMessages(const StartupMessages&) = delete;
    StartupMessages& operator=(const StartupMessages&) = delete;

    void release();

private:
    QtMessageHandler previous_;
    bool released_ = false;
};

} // namespace zembrel
