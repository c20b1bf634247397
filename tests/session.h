#pragma once

#include "events.h"
#include "recording_window.h"

#include <string>
#include <utility>
#include <vector>

namespace zembrel::testing {

// A recording window and platform whose events are kept as the driver's
// JSON lines, so that expectations read like the scenario files.
class Session {
public:
    explicit Session(bool calculatorMissing = false) : window_(recorder()), platform_(recorder(), calculatorMissing) {}

    void type(Field field, std::string text) { window_.type(field, std::move(text)); }

    // A click on a disabled button raises no event, as in the window.
    void click(Button button)
    {
        if (window_.isEnabled(button))
            raise(clickEventOf(button), {window_, platform_, window_});
    }

    void choose(MenuItem item) { raise(clickEventOf(item), {window_, platform_, window_}); }

    // The events since the last call.
    std::vector<std::string> take() { return std::exchange(events_, {}); }

    RecordingWindow& window() { return window_; }
    RecordingPlatform& platform() { return platform_; }

private:
    Recorder recorder()
    {
        return [this](const Recorded& event) { events_.push_back(toJsonLine(event)); };
    }

    std::vector<std::string> events_;
    RecordingWindow window_;
    RecordingPlatform platform_;
};

} // namespace zembrel::testing
