#pragma once
// Keyloom Scheduler's own title and messages; the ones both programs share are in
// macro/desktop/error_report.h.
#include <string_view>

// A running Keyloom Scheduler is known by this title of its window.
constexpr std::string_view SCHEDULER_TITLE = "Keyloom Scheduler";

constexpr char ALREADY_RUNNING_MESSAGE[] = "An instance of Keyloom Scheduler is already running";
constexpr char PATH_TOO_LONG_TEXT[] = "The path of the chosen file is longer than 259 characters.";
