// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// What the GUI tests share: closing and reading the message boxes, typing
// into the fields as a user does, and comparing pictures of the window.

#include "main_window.h"
#include "surface.h"

#include <QApplication>
#include <QImage>
#include <QLineEdit>
#include <QMessageBox>
#include <QMetaEnum>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>
#include <string_view>
#include <utility>

// A panel as a column of a test's data table.
using PanelPointer = const zembrel::PanelDefinition*;
Q_DECLARE_METATYPE(PanelPointer)

namespace zembrel::testing {

inline QString qs(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

// What a message box showed before the test closed it.
struct SeenBox {
    QString title;
    QString text;
    QMessageBox::Icon icon;
    int buttonCount;
    QString buttonText;
};

// A box as the tables of the tests write it: "Warning: 方程无实数解！".
inline QString describe(QMessageBox::Icon icon, const QString& text)
{
    return QString::fromLatin1(QMetaEnum::fromType<QMessageBox::Icon>().valueToKey(icon)) + QStringLiteral(": ") + text;
}

inline QStringList describe(const QList<SeenBox>& boxes)
{
    QStringList described;
    for (const SeenBox& box : boxes)
        described << describe(box.icon, box.text);
    return described;
}

// Closes every modal message box as soon as it is shown, with its OK button,
// and notes what it said. It stops when it goes out of scope.
class BoxCloser {
public:
    // `whileShown` runs while each box is still open, so a test can see the
    // window as the operation left it before the box was answered.
    explicit BoxCloser(std::function<void()> whileShown = {}) : whileShown_(std::move(whileShown)) { arm(); }

    const QList<SeenBox>& seen() const { return seen_; }

private:
    void arm()
    {
        QTimer::singleShot(0, &context_, [this] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                seen_.append({box->windowTitle(), box->text(), box->icon(), int(box->buttons().size()),
                              box->button(QMessageBox::Ok)->text()});
                if (whileShown_)
                    whileShown_();
                box->button(QMessageBox::Ok)->click();
            }
            arm();
        });
    }

    std::function<void()> whileShown_;
    QObject context_;
    QList<SeenBox> seen_;
};

// Offscreen, no window manager hands the activation back to the window when
// a box closes, so a test that presses a shortcut after a box does it itself.
inline bool reactivate(QWidget& window)
{
    window.activateWindow();
    return QTest::qWaitForWindowActive(&window);
}

// The tables name controls and what they show as "Text7=2." for a field and
// "Command7=enabled" for a button.
inline QString nameIn(const QString& entry) { return entry.section(QLatin1Char('='), 0, 0); }
inline QString valueIn(const QString& entry) { return entry.section(QLatin1Char('='), 1); }

inline QString stateOf(const MainWindow& window, const QString& name)
{
    const auto* control = window.surface()->findChild<QWidget*>(name);
    if (const auto* edit = qobject_cast<const QLineEdit*>(control))
        return name + QLatin1Char('=') + edit->text();
    if (const auto* push = qobject_cast<const QPushButton*>(control))
        return name + (push->isEnabled() ? QStringLiteral("=enabled") : QStringLiteral("=disabled"));
    return name + QStringLiteral(" is no field or button");
}

// The present state of the controls that `entries` name, written as `entries` are.
inline QStringList statesOf(const MainWindow& window, const QStringList& entries)
{
    QStringList states;
    for (const QString& entry : entries)
        states << stateOf(window, nameIn(entry));
    return states;
}

// Types each "Text5=-3" into its field from the keyboard, over whatever the
// field held. (Select-all by Ctrl+A is the About command in this window.)
inline void typeInto(MainWindow& window, const QStringList& entries)
{
    for (const QString& entry : entries) {
        auto* edit = window.surface()->findChild<QLineEdit*>(nameIn(entry));
        QTest::keyClick(edit, Qt::Key_End);
        QTest::keyClick(edit, Qt::Key_Home, Qt::ShiftModifier);
        QTest::keyClick(edit, Qt::Key_Delete);
        QTest::keyClicks(edit, valueIn(entry));
    }
}

// The surface with its controls. The focus goes to a button first, so no
// blinking text cursor makes two pictures differ.
inline QImage grabSurface(MainWindow& window)
{
    window.button(system::solve)->setFocus();
    return window.surface()->grab().toImage();
}

inline QRect differingPixels(const QImage& a, const QImage& b)
{
    QRect bounds;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            if (a.pixel(x, y) != b.pixel(x, y))
                bounds |= QRect(x, y, 1, 1);
        }
    }
    return bounds;
}

} // namespace zembrel::testing
