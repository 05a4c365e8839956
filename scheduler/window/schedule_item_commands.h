#pragma once
// The buttons that change the schedule's items, and Run Macro Now.
#include "scheduler/window/schedule_window.h"

void AddItem(ScheduleWindow& window);
void DeleteItem(ScheduleWindow& window);
void ClearSchedule(ScheduleWindow& window);
void RunMacroNow(ScheduleWindow& window);
