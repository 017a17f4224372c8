#pragma once
// The window part of `show`, shared by the formats: called once the plug-in's editor is attached to
// the window; returns when the window closed, the time is up or the script and screenshot are done.

#include "tools/host/Commands.h"
#include "tools/host/ShowEvents.h"
#include "tools/host/ShowWindow.h"

#include <vector>

namespace quilhost {

// Waits for the editor's first paint, plays `events`, writes the screenshot and pumps for
// --seconds (or until the window closes when neither a script nor a screenshot was asked for).
// The command's exit status; failures are printed.
int runShowWindow(ShowWindow& window, const CommandOptions& options, const std::vector<ShowEvent>& events);

} // namespace quilhost
