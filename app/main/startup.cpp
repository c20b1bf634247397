// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "startup.h"

#include <cstdio>
#include <cstdlib>
#include <utility>

namespace zembrel {

namespace {

struct HeldMessage {
    QtMsgType type;
    QString category;
    QString text;
};

QList<HeldMessage>& held()
{
    static QList<HeldMessage> messages;
    return messages;
}

bool isSet(const char* name)
{
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0';
}

// Qt says why it found no display in the warnings before the fatal message.
bool displayUnreachable()
{
    if (!isSet("DISPLAY") && !isSet("WAYLAND_DISPLAY"))
        return true;
    for (const HeldMessage& message : held()) {
        if (message.text.contains(QLatin1String("could not connect to display"))
            || message.text.contains(QLatin1String("wl_display")))
            return true;
    }
    return false;
}

// The platform plugin's own reason, e.g. that the Wayland plugin is not
// installed, says more than the fatal message's advice to reinstall.
QString platformFailure(const QString& fatal)
{
    for (auto message = held().crbegin(); message != held().crend(); ++message) {
        if (message->category.startsWith(QLatin1String("qt.qpa")))
            return message->text;
    }
    return fatal.section(QLatin1Char('\n'), 0, 0);
}

void holdMessage(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    if (type != QtFatalMsg) {
        held().append({type, QString::fromUtf8(context.category), text});
        return;
    }
    if (displayUnreachable())
        std::fprintf(stderr, "%s\n", kNoDisplayMessage);
    else
        std::fprintf(stderr, "Zembrel could not open its window: %s\n", qPrintable(platformFailure(text)));
    std::fflush(stderr);
    std::_Exit(1);
}

} // namespace

bool displayConfigured() { return isSet("DISPLAY") || isSet("WAYLAND_DISPLAY") || isSet("QT_QPA_PLATFORM"); }

StartupMessages::StartupMessages() : previous_(qInstallMessageHandler(holdMessage)) {}

StartupMessages::~StartupMessages() { release(); }

void StartupMessages::release()
{
    if (released_)
        return;
    released_ = true;
    qInstallMessageHandler(previous_);
    for (const HeldMessage& message : std::exchange(held(), {})) {
        const QByteArray category = message.category.toUtf8();
        const QMessageLogContext context(nullptr, 0, nullptr, category.constData());
        qt_message_output(message.type, context, message.text);
    }
}

} // namespace zembrel
