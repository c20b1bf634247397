// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zembrel {

// What the menu commands need of the desktop besides the window: starting
// other programs, the browser, and ending this one. The Qt program, the
// driver and the tests each implement it.
class Platform {
public:
    virtual ~Platform() = default;

    // True when `program` can be found on this system.
    virtual bool isInstalled(std::string_view program) const = 0;
    // Starts `program` detached, without a shell, and does not wait for it.
    // False when it could not be started.
    virtual bool startDetached(std::string_view program, const std::vector<std::string>& arguments) = 0;
    // Hands the address to the desktop's browser; failures are not reported.
    virtual void openUrl(std::string_view url) = 0;
    // Ends the program at once.
    virtual void exitProgram() = 0;
};

} // namespace zembrel
