#include "events.h"

#include "cubic.h"
#include "linear.h"
#include "menu_commands.h"
#include "quadratic.h"
#include "system.h"

#include <array>

namespace zembrel {

namespace {

using Operation = void (*)(Window&, Platform&);

struct Handler {
    Event event;
    std::string_view name;
    Operation operation; // null while the event has no operation
};

// The one place where events meet their operations.
// clang-format off
constexpr std::array kHandlers{
    Handler{Event::Command1_Click, "Command1_Click", [](Window& w, Platform&) { SolveLinear(w); }},
    Handler{Event::Command2_Click, "Command2_Click", [](Window& w, Platform&) { SolveQuadratic(w); }},
    Handler{Event::Command3_Click, "Command3_Click", [](Window& w, Platform&) { SolveCubic(w); }},
    Handler{Event::Command4_Click, "Command4_Click", [](Window& w, Platform&) { SolveSystem(w); }},
    Handler{Event::Command5_Click, "Command5_Click", [](Window& w, Platform&) { CheckSystem(w); }},
    Handler{Event::Command6_Click, "Command6_Click", [](Window& w, Platform&) { CheckLinear(w); }},
    Handler{Event::Command7_Click, "Command7_Click", [](Window& w, Platform&) { CheckQuadratic(w); }},
    Handler{Event::Command8_Click, "Command8_Click", [](Window& w, Platform&) { CheckCubic(w); }},
    Handler{Event::mnuFileNew_Click, "mnuFileNew_Click", [](Window& w, Platform&) { ResetFields(w); }},
    Handler{Event::mnuFileExit_Click, "mnuFileExit_Click", [](Window&, Platform& p) { ExitProgram(p); }},
    Handler{Event::mnuAssCalc_Click, "mnuAssCalc_Click", [](Window&, Platform& p) { StartCalculator(p); }},
    Handler{Event::mnuAssRep_Click, "mnuAssRep_Click", [](Window&, Platform& p) { OpenErrorReportPage(p); }},
    Handler{Event::mnuAssAbout_Click, "mnuAssAbout_Click", [](Window& w, Platform&) { ShowAbout(w); }},
};
// clang-format on

constexpr std::array<std::string_view, 5> kMenuItemNames{
    "mnuFileNew", "mnuFileExit", "mnuAssCalc", "mnuAssRep", "mnuAssAbout",
};

constexpr bool handlersInEventOrder()
{
    for (std::size_t i = 0; i < kHandlers.size(); ++i) {
        if (static_cast<std::size_t>(kHandlers[i].event) != i)
            return false;
    }
    return true;
}
static_assert(handlersInEventOrder(), "kHandlers is indexed by Event");

const Handler& handlerOf(Event event) { return kHandlers[static_cast<std::size_t>(event)]; }

} // namespace

Event clickEventOf(Button button)
{
    return static_cast<Event>(static_cast<int>(Event::Command1_Click) + static_cast<int>(button) - 1);
}

Event clickEventOf(MenuItem item)
{
    return static_cast<Event>(static_cast<int>(Event::mnuFileNew_Click) + static_cast<int>(item));
}

std::string_view nameOf(MenuItem item) { return kMenuItemNames[static_cast<std::size_t>(item)]; }
std::string_view nameOf(Event event) { return handlerOf(event).name; }

std::optional<MenuItem> menuItemNamed(std::string_view name)
{
    for (std::size_t i = 0; i < kMenuItemNames.size(); ++i) {
        if (kMenuItemNames[i] == name)
            return static_cast<MenuItem>(i);
    }
    return std::nullopt;
}

bool isHandled(Event event) { return handlerOf(event).operation != nullptr; }

void raise(Event event, const EventContext& context)
{
    const Operation operation = handlerOf(event).operation;
    if (operation == nullptr)
        return;
    runEvent(context.errors, [&] { operation(context.window, context.platform); });
}

} // namespace zembrel
