#pragma once
// Start-up checks both programs make: one running copy, recognised by the title of its main
// window, and the switch that the session start-up entry passes.
#include <string_view>

#include "macro/desktop/desktop_port.h"

// Whether a top-level window, visible or hidden, is titled exactly `mainWindowTitle`
// (case-sensitive, the title read up to 298 characters).
bool FindRunningInstance(DesktopPort& desktop, std::string_view mainWindowTitle);

// Whether the command line (the arguments after the program name) is exactly "/m".
bool IsStartHiddenSwitch(std::string_view commandLine);
