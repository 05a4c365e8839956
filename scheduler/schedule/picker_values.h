#pragma once
// Which of an item's dates and times the pane's pickers can show. A schedule file edited by hand
// may hold any numbers; a picker given one it cannot show would show something else.

// A day that exists (29 February only in leap years) within the years the picker offers.
bool IsPickerDate(int year, int month, int day);
bool IsPickerTime(int hour, int minute, int second);
