#pragma once
// Start-up steps both programs take: one running copy, recognised by the title of its main
// window, the switch that the session start-up entry passes, and the patience with a
// notification area that is not there yet.
#include <functional>
#include <string_view>

#include "macro/desktop/desktop_port.h"

// Whether a top-level window, visible or hidden, is titled exactly `mainWindowTitle`
// (case-sensitive, the title read up to 298 characters).
bool FindRunningInstance(DesktopPort& desktop, std::string_view mainWindowTitle);

// When another copy runs, tells the user so (`alreadyRunningText`, caption "Error", without an
// owner) and returns true: this copy then ends.
bool RefuseSecondInstance(DesktopPort& desktop, std::string_view mainWindowTitle,
                          std::string_view alreadyRunningText);

// Whether the command line (the arguments after the program name) is exactly "/m".
bool IsStartHiddenSwitch(std::string_view commandLine);

// At the start of a session, just when the start-up entry runs a program, the notification area
// may not exist yet: adding the icon is tried this many times, this far apart, about ten seconds.
constexpr int TRAY_ADD_ATTEMPTS = 40;
constexpr int TRAY_ADD_PAUSE_MS = 250;

// Calls `addIcon` until it succeeds or TRAY_ADD_ATTEMPTS are spent, pausing between attempts;
// whether the icon was added.
bool AddTrayIconPatiently(DesktopPort& desktop, const std::function<bool()>& addIcon);
