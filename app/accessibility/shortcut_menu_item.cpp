// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "shortcut_menu_item.h"

#include <QAccessible>
#include <QAction>
#include <QMenu>
#include <QPointer>
#include <QRegularExpression>
#include <QWindow>

namespace zembrel::accessibility {

namespace {

class ShortcutMenuItem final : public QAccessibleInterface, public QAccessibleActionInterface {
public:
    ShortcutMenuItem(QMenu* menu, QAction* action) : menu_(menu), action_(action) {}

    bool isValid() const override { return !menu_.isNull() && !action_.isNull(); }
    QObject* object() const override { return action_; }
    QWindow* window() const override { return menu_->windowHandle(); }
    QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(menu_); }
    QAccessibleInterface* child(int) const override { return nullptr; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* focusChild() const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessible::Role role() const override { return QAccessible::MenuItem; }
    void setText(QAccessible::Text, const QString&) override {}

    QString text(QAccessible::Text t) const override
    {
        switch (t) {
        case QAccessible::Name: return withoutAccessKeyMark(action_->text());
        case QAccessible::Accelerator: return action_->shortcut().toString(QKeySequence::NativeText);
        default: return {};
        }
    }
    QRect rect() const override
    {
        const QRect local = menu_->actionGeometry(action_);
        return {menu_->mapToGlobal(local.topLeft()), local.size()};
    }
    QAccessible::State state() const override
    {
        QAccessible::State state;
        state.focusable = true;
        state.disabled = !action_->isEnabled();
        state.invisible = !action_->isVisible() || !menu_->isVisible();
        const bool current = menu_->activeAction() == action_;
        state.focused = current;
        state.selected = current;
        state.hotTracked = current;
        return state;
    }
    void* interface_cast(QAccessible::InterfaceType type) override
    {
        return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this) : nullptr;
    }

    // QAccessibleActionInterface
    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString& name) override
    {
        if (name == pressAction() && action_->isEnabled()) {
            menu_->hide();
            action_->trigger();
        }
    }
    QStringList keyBindingsForAction(const QString& name) const override
    {
        if (name != pressAction())
            return {};
        const QString key = accessKey(action_->text());
        const QString mnemonic = key.isEmpty() ? QString() : QStringLiteral("Alt+") + key;
        return {mnemonic, QString(), text(QAccessible::Accelerator)};
    }

private:
    static QString withoutAccessKeyMark(QString text)
    {
        const auto mark = text.indexOf(QRegularExpression(QStringLiteral("&(?!&)")));
        if (mark >= 0)
            text.remove(mark, 1);
        return text.replace(QStringLiteral("&&"), QStringLiteral("&"));
    }
    static QString accessKey(const QString& text)
    {
        const QRegularExpressionMatch match = QRegularExpression(QStringLiteral("&([^&])")).match(text);
        return match.hasMatch() ? match.captured(1).toUpper() : QString();
    }

    QPointer<QMenu> menu_;
    QPointer<QAction> action_;
};

} // namespace

QAccessibleInterface* menuItemFactory(const QString& className, QObject* object)
{
    if (className != QLatin1String("QAction"))
        return nullptr;
    auto* action = qobject_cast<QAction*>(object);
    if (action == nullptr || action->shortcut().isEmpty())
        return nullptr;
    for (QObject* owner : action->associatedObjects()) {
        if (auto* menu = qobject_cast<QMenu*>(owner))
            return new ShortcutMenuItem(menu, action);
    }
    return nullptr;
}

} // namespace zembrel::accessibility
