#pragma once
// The File menu's commands on the schedule file, and the end of the window.
#include "scheduler/window/schedule_window.h"

void NewSchedule(ScheduleWindow& window);
void SaveCurrentSchedule(ScheduleWindow& window);
void SaveScheduleAs(ScheduleWindow& window);
void LoadScheduleFile(ScheduleWindow& window);
// True when the window may end: the schedule is saved or the user let it go.
bool ExitScheduler(ScheduleWindow& window);
