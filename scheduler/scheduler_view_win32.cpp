#include "scheduler/scheduler_view_win32.h"

#include "resources/scheduler_ids.h"
#include "scheduler/file_dialogs_win32.h"
#include "scheduler/schedule_pane_win32.h"
#include "scheduler/tray_icon_win32.h"

int Win32ScheduleList::Append(const std::string& name) {
    return static_cast<int>(
        SendMessageA(list_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str())));
}

void Win32ScheduleList::Remove(int position) {
    SendMessageA(list_, LB_DELETESTRING, position, 0);
}

void Win32ScheduleList::Clear() {
    SendMessageA(list_, LB_RESETCONTENT, 0, 0);
}

int Win32ScheduleList::Count() {
    return static_cast<int>(SendMessageA(list_, LB_GETCOUNT, 0, 0));
}

int Win32ScheduleList::Selection() {
    const LRESULT selection = SendMessageA(list_, LB_GETCURSEL, 0, 0);
    return selection == LB_ERR ? NO_SELECTION : static_cast<int>(selection);
}

void Win32ScheduleList::Select(int position) {
    SendMessageA(list_, LB_SETCURSEL, position, 0);
}

void Win32SchedulerView::Attach(HWND dialog) {
    dialog_ = dialog;
    list_.Attach(GetDlgItem(dialog, IDC_SCHEDULE_LIST));
}

void Win32SchedulerView::ShowItem(const ScheduleItem& item) {
    fillingPane_ = true;
    ShowItemInPane(dialog_, item);
    fillingPane_ = false;
}

void Win32SchedulerView::StoreItem(ScheduleItem& item) {
    StoreItemFromPane(dialog_, item);
}

void Win32SchedulerView::EnableRunStyles(bool enable) {
    ::EnableRunStyles(dialog_, enable);
}

void Win32SchedulerView::EnableMenuCommand(int command, bool enable) {
    EnableMenuItem(GetMenu(dialog_), command, MF_BYCOMMAND | (enable ? MF_ENABLED : MF_GRAYED));
}

void Win32SchedulerView::EnableSaveSchedule(bool enable) {
    EnableMenuCommand(IDM_SAVE_SCHEDULE, enable);
}

void Win32SchedulerView::ShowSuspension(bool suspended) {
    EnableMenuCommand(IDM_ENABLE_ALL, suspended);
    EnableMenuCommand(IDM_DISABLE_ALL, !suspended);
}

void Win32SchedulerView::ShowWindow(bool visible) {
    ::ShowWindow(dialog_, visible ? SW_SHOW : SW_HIDE);
}

std::optional<std::string> Win32SchedulerView::AskForMacroFile() {
    return AskForFile(dialog_, MACRO_TO_RUN);
}

std::optional<std::string> Win32SchedulerView::AskScheduleToSave() {
    return AskForFile(dialog_, SCHEDULE_TO_SAVE);
}

std::optional<std::string> Win32SchedulerView::AskScheduleToOpen() {
    return AskForFile(dialog_, SCHEDULE_TO_OPEN);
}

bool Win32SchedulerView::AddTrayIcon(TrayState state) {
    return AddSchedulerTrayIcon(dialog_, state);
}

bool Win32SchedulerView::ModifyTrayIcon(TrayState state) {
    return ModifySchedulerTrayIcon(dialog_, state);
}

void Win32SchedulerView::DeleteTrayIcon() {
    DeleteSchedulerTrayIcon(dialog_);
}
