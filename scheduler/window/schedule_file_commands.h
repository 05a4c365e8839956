#pragma once
// The File menu's commands on the schedule file, and the end of the window.
#include "scheduler/window/schedule_window.h"

void NewSchedule(ScheduleWindow& window);
void SaveCurrentSchedule(ScheduleWindow& window);
void SaveScheduleAs(ScheduleWindow& window);
void LoadScheduleFile(ScheduleWindow& window);
// True when the window may end: the schedule is saved or the user let it go.
bool ExitScheduler(ScheduleWindow& window);

// The system asks whether the session may end: yes at once without unsaved changes; with them,
// the question of Exit, and Cancel keeps the session.
bool MaySessionEnd(ScheduleWindow& window);
// The session ends now, asked or not: changes that the user did not let go are saved, to the
// schedule's file or, for an untitled schedule, to `keptPath` (when there is one), which the
// next start opens; then what Exit does before the window ends.
void OnSessionEnding(ScheduleWindow& window, const std::string& keptPath);
// The session goes on after all: an answer given for the end it asked about no longer counts.
void OnSessionEndCancelled(ScheduleWindow& window);
