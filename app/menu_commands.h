#pragma once

#include "platform.h"
#include "window.h"

namespace zembrel {

// Every field back to its start text; buttons and printed lines stay as they are.
void ResetFields(Window& window); // mnuFileNew_Click
// Ends the program at once, without asking.
void ExitProgram(Platform& platform); // mnuFileExit_Click
// Starts the desktop's calculator, minimised where it can be, without
// waiting for it. RuntimeError 53 when no calculator could be started.
void StartCalculator(Platform& platform); // mnuAssCalc_Click
// Hands the error-report page to the browser; a failure goes unnoticed.
void OpenErrorReportPage(Platform& platform); // mnuAssRep_Click
// The program's name, version and credit in an information box.
void ShowAbout(Window& window); // mnuAssAbout_Click

} // namespace zembrel
