#pragma once
// The properties pane: one schedule item's rule in radios, pickers, lists and edits.
#include <windows.h>

#include "scheduler/schedule/schedule_item.h"

// The day-of-week and day-of-month lists, and the interval fields' limits.
void PrepareSchedulePane(HWND dialog);

void ShowItemInPane(HWND dialog, const ScheduleItem& item);
void StoreItemFromPane(HWND dialog, ScheduleItem& item);

// The four run-style radios and "Active".
void EnableRunStyles(HWND dialog, bool enable);

// A click on a pane radio: it alone of its group is checked, and the controls of the chosen
// rule are enabled. False for any other control.
bool ChoosePaneRadio(HWND dialog, int control);

// Whether a notification is a change the user made in the pane's interval fields, day lists or
// pickers. The schedule list's own notifications share codes with these (LBN_SELCHANGE is
// CBN_SELCHANGE), so the control decides as much as the code.
bool IsPaneChange(int control, UINT code);
