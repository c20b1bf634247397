// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "announcer.h"

#include "qt_text.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QTimer>

#include <array>
#include <string_view>

namespace zembrel {

namespace {

struct RootField {
    Panel panel;
    Field field;
    std::string_view name;
};

// The roots in the order the panel shows them, by the names its captions give them.
constexpr std::array kRootFields{
    RootField{Panel::Linear, Field::Text3, "X"},     RootField{Panel::Quadratic, Field::Text7, "X1"},
    RootField{Panel::Quadratic, Field::Text8, "X2"}, RootField{Panel::Cubic, Field::Text12, "X"},
    RootField{Panel::System, Field::Text22, "X"},    RootField{Panel::System, Field::Text23, "Y"},
    RootField{Panel::System, Field::Text24, "Z"},
};

constexpr std::string_view kRootSeparator = "，";
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

QString rootsHeard(const Window& window, Panel panel)
{
    QStringList roots;
    for (const RootField& root : kRootFields) {
        if (root.panel != panel)
            continue;
        QString value = QString::fromStdString(window.text(root.field)).trimmed();
        // A whole number keeps its point on the screen ("2."); said aloud it is just 2.
        if (value.size() > 1 && value.endsWith(QLatin1Char('.')))
            value.chop(1);
        if (!value.isEmpty())
            roots << toQString(root.name) + QStringLiteral(" = ") + value;
    }
    return roots.join(toQString(kRootSeparator));
}

QString checkAvailabilityHeard(bool enabled) { return toQString(enabled ? kCheckAvailable : kCheckUnavailable); }

QString menuHeard(const QString& caption) { return caption + toQString(kMenuSuffix); }

QString resetHeard() { return toQString(kFieldsCleared); }

} // namespace zembrel
