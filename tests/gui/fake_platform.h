#pragma once

#include "platform.h"

#include <QStringList>

namespace zembrel::testing {

// The desktop of the GUI tests: nothing is started, opened or ended; every
// request is noted instead.
class FakePlatform final : public Platform {
public:
    QStringList requests;

    bool isInstalled(std::string_view) const override { return true; }

    bool startDetached(std::string_view program, const std::vector<std::string>&) override
    {
        requests << QStringLiteral("start %1").arg(QString::fromUtf8(program.data(), qsizetype(program.size())));
        return true;
    }

    void openUrl(std::string_view url) override
    {
        requests << QStringLiteral("open %1").arg(QString::fromUtf8(url.data(), qsizetype(url.size())));
    }

    void exitProgram() override { requests << QStringLiteral("exit"); }
};

} // namespace zembrel::testing
