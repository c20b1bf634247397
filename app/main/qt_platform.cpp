// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "qt_platform.h"

#include "qt_text.h"

#include <QApplication>
#include <QDesktopServices>
#include <QEvent>
#include <QProcess>
#include <QStandardPaths>
#include <QStringList>
#include <QUrl>
#include <QWidget>

namespace zembrel {

namespace {

// Swallows the keys, clicks and shortcuts that were already queued when the
// program was told to end, so none of them runs another operation.
class InputDiscarder final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        return event->isInputEvent() || event->type() == QEvent::Shortcut;
    }
};

} // namespace

bool QtPlatform::isInstalled(std::string_view program) const
{
    return !QStandardPaths::findExecutable(toQString(program)).isEmpty();
}

bool QtPlatform::startDetached(std::string_view program, const std::vector<std::string>& arguments)
{
    // The same lookup as isInstalled, so the program found is the program started.
    const QString path = QStandardPaths::findExecutable(toQString(program));
    if (path.isEmpty())
        return false;
    QStringList list;
    for (const auto& argument : arguments)
        list << toQString(argument);
    return QProcess::startDetached(path, list);
}

void QtPlatform::openUrl(std::string_view url) { QDesktopServices::openUrl(QUrl(toQString(url))); }

void QtPlatform::exitProgram()
{
    // exit() only asks the event loop to stop once control is back in it;
    // until then the window must be gone and queued input must go nowhere.
    QCoreApplication* application = QCoreApplication::instance();
    application->installEventFilter(new InputDiscarder(application));
    for (QWidget* window : QApplication::topLevelWidgets())
        window->hide();
    QCoreApplication::exit(0);
}

} // namespace zembrel
