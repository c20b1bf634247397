#include "qt_platform.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QProcess>
#include <QStandardPaths>
#include <QStringList>
#include <QUrl>

namespace zembrel {

namespace {

QString qs(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

} // namespace

bool QtPlatform::isInstalled(std::string_view program) const
{
    return !QStandardPaths::findExecutable(qs(program)).isEmpty();
}

bool QtPlatform::startDetached(std::string_view program, const std::vector<std::string>& arguments)
{
    QStringList list;
    for (const auto& argument : arguments)
        list << qs(argument);
    return QProcess::startDetached(qs(program), list);
}

void QtPlatform::openUrl(std::string_view url) { QDesktopServices::openUrl(QUrl(qs(url))); }

void QtPlatform::exitProgram() { QCoreApplication::exit(0); }

} // namespace zembrel
