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
#include <variant>

namespace zembrel {

namespace {

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

QString rootsHeard(const Window& window, const PanelDefinition& panel)
{
    // The roots in reading order, by the names the panel's captions give them.
    QStringList roots;
    for (const PanelItem& item : panel.layout) {
        const Field* root = std::get_if<Field>(&item);
        if (root == nullptr || (*root)->role != FieldRole::Result)
            continue;
        QString value = QString::fromStdString(window.text(*root)).trimmed();
        // A whole number keeps its point on the screen ("2."); said aloud it is just 2.
        if (value.size() > 1 && value.endsWith(QLatin1Char('.')))
            value.chop(1);
        if (!value.isEmpty())
            roots << toQString((*root)->meaning) + QStringLiteral(" = ") + value;
    }
    return roots.join(toQString(kRootSeparator));
}

QString checkAvailabilityHeard(bool enabled) { return toQString(enabled ? kCheckAvailable : kCheckUnavailable); }

QString menuHeard(const QString& caption) { return caption + toQString(kMenuSuffix); }

QString resetHeard() { return toQString(kFieldsCleared); }

} // namespace zembrel
