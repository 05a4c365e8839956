#pragma once
// The main program's start-up tests: one instance at a time, and the switch that starts it hidden.
#include <string_view>

#include "macro/desktop/desktop_port.h"

// The title of the main window, by which a running instance is recognised.
constexpr char MAIN_WINDOW_TITLE[] = "Keyloom";
constexpr char ALREADY_RUNNING_MESSAGE[] = "An instance of Keyloom is already running";

// Whether a top-level window titled exactly "Keyloom" (case-sensitive) exists.
bool FindRunningInstance(DesktopPort& desktop);

// Whether the command line (the arguments after the program name) is exactly "/m".
bool IsStartHiddenSwitch(std::string_view commandLine);
