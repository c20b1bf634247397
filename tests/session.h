// SPDX-FileCopyrightText: 2026 The Zembrel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "recording_window.h"
#include "wire_format.h"

#include <string>
#include <utility>
#include <vector>

namespace zembrel::testing {

// A headless session whose events are kept as the driver's JSON lines, so
// that expectations read like the scenario files.
class Session {
public:
    explicit Session(bool calculatorMissing = false)
        : session_([this](const Recorded& event) { events_.push_back(toJsonLine(event)); }, calculatorMissing)
    {
    }

    void type(Field field, std::string_view text) { session_.type(field, text); }
    void click(Button button) { session_.click(button); }
    void choose(MenuItem item) { session_.choose(item); }

    // The events since the last call.
    std::vector<std::string> take() { return std::exchange(events_, {}); }

    RecordingWindow& window() { return session_.window(); }
    const RecordingWindow& window() const { return session_.window(); }
    bool exited() const { return session_.exited(); }

private:
    std::vector<std::string> events_;
    HeadlessSession session_;
};

} // namespace zembrel::testing
