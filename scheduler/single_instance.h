#pragma once
// What identifies a running Keyloom Scheduler: the title of its window.
#include <string_view>

#include "settings/program_start.h"

constexpr std::string_view SCHEDULER_TITLE = "Keyloom Scheduler";
