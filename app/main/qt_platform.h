// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "platform.h"

namespace zembrel {

// The desktop as Qt reaches it.
class QtPlatform final : public Platform {
public:
    bool isInstalled(std::string_view program) const override;
    bool startDetached(std::string_view program, const std::vector<std::string>& arguments) override;
    void openUrl(std::string_view url) override;
    void exitProgram() override;
};

} // namespace zembrel
