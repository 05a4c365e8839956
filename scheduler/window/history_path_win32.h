#pragma once
// Where the Scheduler keeps its history: the user's local application data, which stays on the
// machine whose appointments it records.
#include <string>

// "%LOCALAPPDATA%\Keyloom\Scheduler history.txt", its folder made when missing; empty when the
// user has no local application data folder.
std::string SchedulerHistoryPath();
