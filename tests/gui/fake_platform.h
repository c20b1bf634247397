// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "platform.h"

#include <QStringList>

#include <optional>

namespace zembrel::testing {

// The desktop of the GUI tests: nothing is started, opened or ended; every
// request is noted instead.
class FakePlatform final : public Platform {
public:
    QStringList requests;
    // The programs this desktop has; every program while unset.
    std::optional<QStringList> installed;

    bool isInstalled(std::string_view program) const override
    {
        return !installed || installed->contains(QString::fromUtf8(program.data(), qsizetype(program.size())));
    }

    bool startDetached(std::string_view program, const std::vector<std::string>& arguments) override
    {
        if (!isInstalled(program))
            return false;
        QString request = QStringLiteral("start %1").arg(QString::fromUtf8(program.data(), qsizetype(program.size())));
        for (const std::string& argument : arguments)
            request += QLatin1Char(' ') + QString::fromStdString(argument);
        requests << request;
        return true;
    }

    void openUrl(std::string_view url) override
    {
        requests << QStringLiteral("open %1").arg(QString::fromUtf8(url.data(), qsizetype(url.size())));
    }

    void exitProgram() override { requests << QStringLiteral("exit"); }
};

} // namespace zembrel::testing
