// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QWidget>

namespace zembrel {

// Speaks a short message through the screen reader without moving the focus,
// and shows nothing. Qt 6.4 has no announcement call for AT-SPI, so the
// message is the name of a hidden accessible object with the notification
// role, and each message raises that object's "shown" event: Orca speaks a
// notification that is shown, wherever the focus is.
class Announcer final : public QWidget {
    Q_OBJECT

public:
    explicit Announcer(QWidget* parent);

    void announce(const QString& message);
    // After a command that rewrites many fields: Orca drops notifications
    // that arrive in a flood of text events, so the message waits until the
    // screen reader has caught up with them.
    void announceAfterFlood(const QString& message);
    // The last message, as screen readers read it.
    QString message() const { return message_; }

signals:
    void announced(const QString& message);

private:
    QString message_;
};

// What a check button's change of state is heard as.
QString checkAvailabilityHeard(bool enabled);

// What opening the menu with this caption is heard as.
QString menuHeard(const QString& caption);

// What a reset of every field is heard as.
QString resetHeard();

} // namespace zembrel
