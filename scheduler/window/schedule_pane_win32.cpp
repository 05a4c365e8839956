#include "scheduler/window/schedule_pane_win32.h"

#include <commctrl.h>

#include <string>

#include "resources/scheduler_ids.h"
#include "scheduler/schedule/picker_values.h"
#include "scheduler/window/pane_text.h"
#include "ui/dialog_controls_win32.h"

namespace {

struct RadioValue {
    int control;
    int32_t value;
};

constexpr RadioValue RUN_STYLE_RADIOS[] = {{IDC_RUN_AT_STARTUP, RUN_STYLE_STARTUP},
                                           {IDC_RUN_ONCE, RUN_STYLE_ONCE},
                                           {IDC_RUN_PERIODIC, RUN_STYLE_PERIODIC},
                                           {IDC_RUN_INTERVAL, RUN_STYLE_INTERVAL}};
constexpr RadioValue PERIOD_RADIOS[] = {
    {IDC_PERIOD_MONTH, PERIOD_MONTH}, {IDC_PERIOD_WEEK, PERIOD_WEEK}, {IDC_PERIOD_DAY, PERIOD_DAY}};

constexpr int RULE_CONTROLS[] = {IDC_ONCE_DATE,     IDC_ONCE_TIME,    IDC_PERIOD_MONTH,
                                 IDC_PERIOD_WEEK,   IDC_PERIOD_DAY,   IDC_DAY_OF_WEEK,
                                 IDC_DAY_OF_MONTH,  IDC_RUN_TIME,     IDC_EVERY_HOURS,
                                 IDC_EVERY_MINUTES, IDC_EVERY_SECONDS};

struct PaneChange {
    int control;
    UINT code;
};

constexpr PaneChange PANE_CHANGES[] = {
    {IDC_EVERY_HOURS, EN_CHANGE},        {IDC_EVERY_MINUTES, EN_CHANGE},
    {IDC_EVERY_SECONDS, EN_CHANGE},      {IDC_DAY_OF_WEEK, CBN_SELCHANGE},
    {IDC_DAY_OF_MONTH, CBN_SELCHANGE},   {IDC_ONCE_DATE, DTN_DATETIMECHANGE},
    {IDC_ONCE_TIME, DTN_DATETIMECHANGE}, {IDC_RUN_TIME, DTN_DATETIMECHANGE}};

constexpr const char* DAY_NAMES[] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                     "Thursday", "Friday", "Saturday"};

template <std::size_t N>
void CheckOnly(HWND dialog, const RadioValue (&radios)[N], int control) {
    for (const RadioValue& radio : radios)
        SetChecked(dialog, radio.control, radio.control == control);
}

// Checks the radio of `value`; a value without a radio leaves the group as it is.
template <std::size_t N>
void CheckValue(HWND dialog, const RadioValue (&radios)[N], int32_t value) {
    for (const RadioValue& radio : radios)
        if (radio.value == value) CheckOnly(dialog, radios, radio.control);
}

// The checked radio's value, or `unchanged` when none is checked.
template <std::size_t N>
int32_t CheckedValue(HWND dialog, const RadioValue (&radios)[N], int32_t unchanged) {
    for (const RadioValue& radio : radios)
        if (IsChecked(dialog, radio.control)) return radio.value;
    return unchanged;
}

template <std::size_t N>
bool IsOneOf(const RadioValue (&radios)[N], int control) {
    for (const RadioValue& radio : radios)
        if (radio.control == control) return true;
    return false;
}

// Only the controls of the checked rule can be used.
void ApplyEnabling(HWND dialog) {
    for (int control : RULE_CONTROLS)
        EnableControl(dialog, control, false);
    if (IsChecked(dialog, IDC_RUN_ONCE)) {
        EnableControl(dialog, IDC_ONCE_DATE, true);
        EnableControl(dialog, IDC_ONCE_TIME, true);
    } else if (IsChecked(dialog, IDC_RUN_PERIODIC)) {
        for (const RadioValue& radio : PERIOD_RADIOS)
            EnableControl(dialog, radio.control, true);
        const bool month = IsChecked(dialog, IDC_PERIOD_MONTH);
        const bool week = IsChecked(dialog, IDC_PERIOD_WEEK);
        EnableControl(dialog, IDC_DAY_OF_MONTH, month);
        EnableControl(dialog, IDC_DAY_OF_WEEK, week);
        EnableControl(dialog, IDC_RUN_TIME, month || week || IsChecked(dialog, IDC_PERIOD_DAY));
    } else if (IsChecked(dialog, IDC_RUN_INTERVAL)) {
        EnableControl(dialog, IDC_EVERY_HOURS, true);
        EnableControl(dialog, IDC_EVERY_MINUTES, true);
        EnableControl(dialog, IDC_EVERY_SECONDS, true);
    }
}

SYSTEMTIME SystemTime(int year, int month, int day, int hour, int minute, int second) {
    SYSTEMTIME time{};
    time.wYear = static_cast<WORD>(year), time.wMonth = static_cast<WORD>(month);
    time.wDay = static_cast<WORD>(day), time.wHour = static_cast<WORD>(hour);
    time.wMinute = static_cast<WORD>(minute), time.wSecond = static_cast<WORD>(second);
    return time;
}

// An item without a real date (never given one, or 31 April written by hand) shows the picker
// unticked: no date, rather than the date of the item shown before.
void ShowDate(HWND dialog, int year, int month, int day) {
    const bool isDate = IsPickerDate(year, month, day);
    // Wine refuses GDT_NONE without a time to ignore.
    const SYSTEMTIME date = isDate ? SystemTime(year, month, day, 0, 0, 0) : SYSTEMTIME{};
    DateTime_SetSystemtime(GetDlgItem(dialog, IDC_ONCE_DATE), isDate ? GDT_VALID : GDT_NONE, &date);
}

// A time picker that cannot show the value keeps what it shows.
void ShowClockTime(HWND dialog, int picker, int hour, int minute, int second) {
    if (!IsPickerTime(hour, minute, second)) return;
    SYSTEMTIME time;
    GetLocalTime(&time);
    time = SystemTime(time.wYear, time.wMonth, time.wDay, hour, minute, second);
    DateTime_SetSystemtime(GetDlgItem(dialog, picker), GDT_VALID, &time);
}

// An unticked date picker leaves the item's date as the file gave it.
void StoreDate(HWND dialog, ScheduleItem& item) {
    SYSTEMTIME date{};
    if (DateTime_GetSystemtime(GetDlgItem(dialog, IDC_ONCE_DATE), &date) != GDT_VALID) return;
    item.onceDay = date.wDay, item.onceMonth = date.wMonth, item.onceYear = date.wYear;
}

SYSTEMTIME PickerTime(HWND dialog, int picker) {
    SYSTEMTIME time{};
    DateTime_GetSystemtime(GetDlgItem(dialog, picker), &time);
    return time;
}

// A long path shows its end, the macro file's name, rather than its drive.
void ShowPathEnd(HWND dialog, int control, const std::string& path) {
    SetControlText(dialog, control, path);
    const WPARAM end = path.size();
    SendDlgItemMessageA(dialog, control, EM_SETSEL, end, end);
    SendDlgItemMessageA(dialog, control, EM_SCROLLCARET, 0, 0);
}

int32_t ListPosition(HWND dialog, int list) {
    return static_cast<int32_t>(SendDlgItemMessageA(dialog, list, CB_GETCURSEL, 0, 0));
}

}  // namespace

void PrepareSchedulePane(HWND dialog) {
    for (const char* day : DAY_NAMES)
        SendDlgItemMessageA(dialog, IDC_DAY_OF_WEEK, CB_ADDSTRING, 0,
                            reinterpret_cast<LPARAM>(day));
    SendDlgItemMessageA(dialog, IDC_DAY_OF_WEEK, CB_SETCURSEL, 0, 0);
    for (int day = 1; day <= 31; ++day)
        SendDlgItemMessageA(dialog, IDC_DAY_OF_MONTH, CB_ADDSTRING, 0,
                            reinterpret_cast<LPARAM>(std::to_string(day).c_str()));
    SendDlgItemMessageA(dialog, IDC_DAY_OF_MONTH, CB_SETCURSEL, 0, 0);
    LimitText(dialog, IDC_EVERY_HOURS, HOURS_DIGITS);
    LimitText(dialog, IDC_EVERY_MINUTES, MINUTES_DIGITS);
    LimitText(dialog, IDC_EVERY_SECONDS, MINUTES_DIGITS);
}

void ShowItemInPane(HWND dialog, const ScheduleItem& item) {
    CheckValue(dialog, RUN_STYLE_RADIOS, item.runStyle);
    CheckValue(dialog, PERIOD_RADIOS, item.runEvery);
    SetChecked(dialog, IDC_ITEM_ACTIVE, item.active);
    SetChecked(dialog, IDC_ITEM_CATCH_UP, item.catchUp);
    ShowDate(dialog, item.onceYear, item.onceMonth, item.onceDay);
    ShowClockTime(dialog, IDC_ONCE_TIME, item.onceHour, item.onceMinute, item.onceSecond);
    ShowClockTime(dialog, IDC_RUN_TIME, item.runHour, item.runMinute, item.runSecond);
    SendDlgItemMessageA(dialog, IDC_DAY_OF_WEEK, CB_SETCURSEL, item.runDayOfWeek - 1, 0);
    SendDlgItemMessageA(dialog, IDC_DAY_OF_MONTH, CB_SETCURSEL, item.runDayOfMonth, 0);
    SetControlText(dialog, IDC_EVERY_HOURS, std::to_string(item.everyHours));
    SetControlText(dialog, IDC_EVERY_MINUTES, std::to_string(item.everyMinutes));
    SetControlText(dialog, IDC_EVERY_SECONDS, std::to_string(item.everySeconds));
    ShowPathEnd(dialog, IDC_MACRO_PATH, item.macroFileName);
    ApplyEnabling(dialog);
}

void StoreItemFromPane(HWND dialog, ScheduleItem& item) {
    item.runStyle = CheckedValue(dialog, RUN_STYLE_RADIOS, item.runStyle);
    item.active = IsChecked(dialog, IDC_ITEM_ACTIVE);
    item.catchUp = IsChecked(dialog, IDC_ITEM_CATCH_UP);
    item.runEvery = CheckedValue(dialog, PERIOD_RADIOS, item.runEvery);
    item.runDayOfWeek = ListPosition(dialog, IDC_DAY_OF_WEEK) + 1;
    // A day the list cannot show (RUN_DOM 40 written by hand) stays as the file has it.
    if (const int32_t day = ListPosition(dialog, IDC_DAY_OF_MONTH); day != CB_ERR)
        item.runDayOfMonth = day;
    item.everyHours = IntervalHours(ControlText(dialog, IDC_EVERY_HOURS));
    item.everyMinutes = IntervalMinutesOrSeconds(ControlText(dialog, IDC_EVERY_MINUTES));
    item.everySeconds = IntervalMinutesOrSeconds(ControlText(dialog, IDC_EVERY_SECONDS));
    StoreDate(dialog, item);
    const SYSTEMTIME once = PickerTime(dialog, IDC_ONCE_TIME);
    item.onceHour = once.wHour, item.onceMinute = once.wMinute, item.onceSecond = once.wSecond;
    const SYSTEMTIME run = PickerTime(dialog, IDC_RUN_TIME);
    item.runHour = run.wHour, item.runMinute = run.wMinute, item.runSecond = run.wSecond;
}

void EnableRunStyles(HWND dialog, bool enable) {
    for (const RadioValue& radio : RUN_STYLE_RADIOS)
        EnableControl(dialog, radio.control, enable);
    EnableControl(dialog, IDC_ITEM_ACTIVE, enable);
    EnableControl(dialog, IDC_ITEM_CATCH_UP, enable);
}

bool ChoosePaneRadio(HWND dialog, int control) {
    if (IsOneOf(RUN_STYLE_RADIOS, control))
        CheckOnly(dialog, RUN_STYLE_RADIOS, control);
    else if (IsOneOf(PERIOD_RADIOS, control))
        CheckOnly(dialog, PERIOD_RADIOS, control);
    else
        return false;
    ApplyEnabling(dialog);
    return true;
}

bool IsPaneChange(int control, UINT code) {
    for (const PaneChange& change : PANE_CHANGES)
        if (change.control == control && change.code == code) return true;
    return false;
}
