#pragma once
// The start-up checks: one running copy, and the switch of a start from the session's start-up
// list.
#include <string_view>

#include "macro/desktop/desktop_port.h"

constexpr std::string_view SCHEDULER_TITLE = "Keyloom Scheduler";
constexpr int TITLE_CAPACITY = 299;  // a title is read up to 298 characters

// Whether a top-level window, visible or not, is titled exactly "Keyloom Scheduler".
bool IsSchedulerRunning(DesktopPort& desktop);

// A start from the start-up list: the command line is exactly "/m".
bool IsSchedulerHiddenStart(std::string_view commandLine);
