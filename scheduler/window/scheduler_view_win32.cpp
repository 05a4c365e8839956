#include "scheduler/window/scheduler_view_win32.h"

#include "resources/scheduler_ids.h"
#include "scheduler/window/schedule_pane_win32.h"
#include "scheduler/window/scheduler_texts.h"

namespace {

constexpr char TRAY_TIP[] = "Keyloom Scheduler";

int Picture(TrayState state) {
    switch (state) {
        case TRAY_PLAYING:
            return IDI_PLAYING;
        case TRAY_SUSPENDED:
            return IDI_SUSPENDED;
        default:
            return IDI_IDLE;
    }
}

FileDialogRequest MacroToRun(HWND owner) {
    return {reinterpret_cast<WindowHandle>(owner),
            "Select a macro to run",
            {{"Macro Files (*.mro)", "*.mro"}},
            "mro"};
}

FileDialogRequest Schedule(HWND owner, const char* title) {
    return {reinterpret_cast<WindowHandle>(owner), title, {{"Schedules (*.scl)", "*.scl"}}, "scl"};
}

}  // namespace

int TrackSchedulerTrayMenu(HWND window, bool suspended) {
    return ShowTrayMenu(GetModuleHandleA(nullptr), window, IDR_SCHEDULER_TRAY_MENU,
                        {{IDM_TRAY_ENABLE_ALL, suspended}, {IDM_TRAY_DISABLE_ALL, !suspended}},
                        IDM_TRAY_CLOSE_SCHEDULER);
}

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

Win32SchedulerView::Win32SchedulerView(DesktopPort& desktop)
    : dialogs_(desktop, PATH_TOO_LONG_TEXT) {}

void Win32SchedulerView::Attach(HWND dialog) {
    dialog_ = dialog;
    list_.Attach(GetDlgItem(dialog, IDC_SCHEDULE_LIST));
    tray_.emplace(GetModuleHandleA(nullptr), dialog, TRAY_CALLBACK_MESSAGE, TRAY_TIP);
}

void Win32SchedulerView::ShowItem(const ScheduleItem& item) {
    fillingPane_ = true;
    ShowItemInPane(dialog_, item);
    fillingPane_ = false;
}

void Win32SchedulerView::StoreItem(ScheduleItem& item) {
    StoreItemFromPane(dialog_, item);
}

void Win32SchedulerView::ShowLastPlayed(const std::string& text) {
    SetDlgItemTextA(dialog_, IDC_LAST_PLAYED, text.c_str());
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

void Win32SchedulerView::ShowDateAndTime(const std::string& date, const std::string& time) {
    SetDlgItemTextA(dialog_, IDC_CURRENT_DATE, date.c_str());
    SetDlgItemTextA(dialog_, IDC_CURRENT_TIME, time.c_str());
}

void Win32SchedulerView::ShowSuspension(bool suspended) {
    EnableMenuCommand(IDM_ENABLE_ALL, suspended);
    EnableMenuCommand(IDM_DISABLE_ALL, !suspended);
}

void Win32SchedulerView::ShowWindow(bool visible) {
    ::ShowWindow(dialog_, visible ? SW_SHOW : SW_HIDE);
}

std::optional<std::string> Win32SchedulerView::AskForMacroFile() {
    return dialogs_.GetOpenFileNameA(MacroToRun(dialog_));
}

std::optional<std::string> Win32SchedulerView::AskScheduleToSave() {
    return dialogs_.GetSaveFileNameA(Schedule(dialog_, "Save current schedule"));
}

std::optional<std::string> Win32SchedulerView::AskScheduleToOpen() {
    return dialogs_.GetOpenFileNameA(Schedule(dialog_, "Open existing schedule"));
}

bool Win32SchedulerView::AddTrayIcon(TrayState state) {
    return tray_->Add(Picture(state));
}

bool Win32SchedulerView::ModifyTrayIcon(TrayState state) {
    return tray_->SetIcon(Picture(state));
}

void Win32SchedulerView::DeleteTrayIcon() {
    tray_->Delete();
}
