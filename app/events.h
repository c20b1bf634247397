#pragma once

#include "event_boundary.h"
#include "platform.h"
#include "window.h"

#include <optional>
#include <string_view>

namespace zembrel {

// The menu items that raise an event.
enum class MenuItem { mnuFileNew, mnuFileExit, mnuAssCalc, mnuAssRep, mnuAssAbout };

// Every event the program handles; no other event of any control runs code.
// clang-format off
enum class Event {
    Command1_Click, Command2_Click, Command3_Click, Command4_Click,
    Command5_Click, Command6_Click, Command7_Click, Command8_Click,
    mnuFileNew_Click, mnuFileExit_Click, mnuAssCalc_Click, mnuAssRep_Click, mnuAssAbout_Click,
};
// clang-format on

Event clickEventOf(Button button);
Event clickEventOf(MenuItem item);

std::string_view nameOf(MenuItem item);
std::string_view nameOf(Event event);
std::optional<MenuItem> menuItemNamed(std::string_view name);

// What an event's operation may use.
struct EventContext {
    Window& window;
    Platform& platform;
    ErrorReporter& errors;
};

// True when the event has an operation.
bool isHandled(Event event);

// Runs the event's operation through the runtime-error boundary. An event
// without an operation does nothing.
void raise(Event event, const EventContext& context);

} // namespace zembrel
