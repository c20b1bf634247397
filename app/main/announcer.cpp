// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "announcer.h"

#include "qt_text.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QTimer>

#include <algorithm>
#include <array>
#include <stdexcept>
#include <string>
#include <string_view>
#include <variant>

namespace zembrel {

namespace {

constexpr std::string_view kCheckAvailable = "验算可用";
constexpr std::string_view kCheckUnavailable = "验算不可用";
constexpr std::string_view kFieldsCleared = "所有方程已清空";
constexpr std::string_view kMenuSuffix = " 菜单";

class Notification final : public QAccessibleWidget {
public:
    explicit Notification(Announcer* announcer) : QAccessibleWidget(announcer, QAccessible::Notification) {}

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name)
            return static_cast<const Announcer*>(widget())->message();
        return QAccessibleWidget::text(t);
    }
};

QAccessibleInterface* announcerFactory(const QString& className, QObject* object)
{
    if (className != QLatin1String(Announcer::staticMetaObject.className()))
        return nullptr;
    return new Notification(static_cast<Announcer*>(object));
}

} // namespace

Announcer::Announcer(QWidget* parent) : QWidget(parent)
{
    static const bool installed = [] {
        QAccessible::installFactory(announcerFactory);
        return true;
    }();
    (void)installed;
    setObjectName(QStringLiteral("announcer"));
    hide();
}

void Announcer::announce(const QString& message)
{
    if (message.isEmpty())
        return;
    message_ = message;
    QAccessibleEvent renamed(this, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&renamed);
    QAccessibleEvent shown(this, QAccessible::ObjectShow);
    QAccessible::updateAccessibility(&shown);
    emit announced(message_);
}

void Announcer::announceAfterFlood(const QString& message)
{
    // Orca works through its queue in a few milliseconds an event; a reset
    // sends some fifty.
    constexpr int kFloodMilliseconds = 400;
    QTimer::singleShot(kFloodMilliseconds, this, [this, message] { announce(message); });
}

QString checkAvailabilityHeard(bool enabled) { return toQString(enabled ? kCheckAvailable : kCheckUnavailable); }

QString menuHeard(const QString& caption) { return caption + toQString(kMenuSuffix); }

QString resetHeard() { return toQString(kFieldsCleared); }

} // namespace zembrel
