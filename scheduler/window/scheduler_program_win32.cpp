#include "scheduler/window/scheduler_program_win32.h"
#include "scheduler/window/schedule_file_commands.h"
#include "scheduler/window/schedule_item_commands.h"

#include <commctrl.h>
#include <wtsapi32.h>

#include "macro/desktop/error_report.h"
#include "macro/file/text_field.h"
#include "resources/scheduler_ids.h"
#include "scheduler/window/history_path_win32.h"
#include "scheduler/window/schedule_pane_win32.h"
#include "scheduler/window/scheduler_texts.h"
#include "settings/options_dialog_win32.h"
#include "settings/project_page.h"
#include "ui/about_box_win32.h"
#include "ui/session_end_win32.h"
#include "ui/small_icon_win32.h"

namespace {

constexpr UINT_PTR CLOCK_TIMER_ID = 1339;
constexpr UINT START_HIDDEN_MESSAGE = WM_APP + 1;

SchedulerProgram* ProgramOf(HWND dialog) {
    return reinterpret_cast<SchedulerProgram*>(GetWindowLongPtrA(dialog, DWLP_USER));
}

INT_PTR OnInitDialog(HWND dialog, LPARAM programParam) {
    SetWindowLongPtrA(dialog, DWLP_USER, programParam);
    SchedulerProgram& program = *ProgramOf(dialog);
    const WindowHandle handle = reinterpret_cast<WindowHandle>(dialog);
    program.view.Attach(dialog);
    program.scaling.emplace(dialog);
    program.scheduler.mainWindow = handle;
    program.playback.SetMainWindow(handle);
    program.history.owner = handle;
    SetSmallIcon(dialog, GetModuleHandleA(nullptr), IDI_IDLE);
    SetTimer(dialog, CLOCK_TIMER_ID, 1000, nullptr);
    PrepareSchedulePane(dialog);
    OnWindowCreated(program.window);
    // Nothing plays into a locked session; a refusal leaves the session taken as open.
    WTSRegisterSessionNotification(dialog, NOTIFY_FOR_THIS_SESSION);
    return TRUE;
}

void OnShowWindow(HWND dialog, SchedulerProgram& program, bool shown) {
    SetWindowTextA(dialog, SCHEDULER_TITLE.data());
    OnShownOrHidden(program.window);
    // The "/m" start follows once the window is up.
    if (shown && program.window.startHidden) PostMessageA(dialog, START_HIDDEN_MESSAGE, 0, 0);
}

void EndIfExiting(HWND dialog, SchedulerProgram& program) {
    if (!ExitScheduler(program.window)) return;
    KillTimer(dialog, CLOCK_TIMER_ID);
    EndDialog(dialog, 0);
}

// While the question is up, the system shows why the scheduler holds up the end of the session.
BOOL MayEndTheSession(HWND dialog, SchedulerProgram& program) {
    SessionEndHold hold(dialog,
                        L"Keyloom Scheduler is asking whether to save the changes to its schedule");
    return MaySessionEnd(program.window);
}

// The process may end as soon as this returns: the schedule's name is remembered now.
void EndWithTheSession(HWND dialog, SchedulerProgram& program) {
    OnSessionEnding(program.window, KeptDocumentPath("Untitled schedule.scl"));
    StoreLastFileName(program.settings, FieldText(program.table.scheduleFileName));
    KillTimer(dialog, CLOCK_TIMER_ID);
    EndDialog(dialog, 0);
}

void ShowAbout(SchedulerProgram& program) {
    if (!ShowAboutBox(GetModuleHandleA(nullptr), IDD_SCHEDULER_ABOUT))
        ReportError(program.scheduler.desktop, NO_WINDOW, ABOUT_FAILED_TEXT, FAILURE_CAPTION);
}

void ShowOptions(HWND dialog, SchedulerProgram& program) {
    if (ShowOptionsDialog(dialog, program.settings) <= 0)
        ReportError(program.scheduler.desktop, program.scheduler.mainWindow, OPTIONS_FAILED_TEXT,
                    ERROR_CAPTION);
}

void VisitWebSite(HWND dialog, SchedulerProgram& program) {
    OpenProjectPage(program.settings.desktop, reinterpret_cast<WindowHandle>(dialog));
}

void OnTrayMenu(HWND dialog, SchedulerProgram& program) {
    ScheduleWindow& window = program.window;
    switch (TrackSchedulerTrayMenu(dialog, program.state.suspended)) {
        case IDM_TRAY_CLOSE_SCHEDULER:
            return EndIfExiting(dialog, program);
        case IDM_TRAY_RESTORE_SCHEDULER:
            return RestoreFromTray(window);
        case IDM_TRAY_DISABLE_ALL:
            return DisableAllItems(window, true);
        case IDM_TRAY_ENABLE_ALL:
            return EnableAllItems(window, true);
    }
}

void OnTrayMessage(HWND dialog, SchedulerProgram& program, LPARAM mouseMessage) {
    if (mouseMessage == WM_LBUTTONDBLCLK) RestoreFromTray(program.window);
    if (mouseMessage == WM_RBUTTONDOWN) OnTrayMenu(dialog, program);
}

// Edits in the pane mark the schedule modified; filling it does not.
void OnPaneEdit(SchedulerProgram& program) {
    if (!program.view.FillingPane()) MarkModified(program.window);
}

void OnControlNotification(HWND dialog, SchedulerProgram& program, int control, int code) {
    if (control == IDC_SCHEDULE_LIST && code == LBN_SELCHANGE) OnSelectionChanged(program.window);
    if (code == BN_CLICKED && ChoosePaneRadio(dialog, control)) OnPaneEdit(program);
    if (code == BN_CLICKED && (control == IDC_ITEM_ACTIVE || control == IDC_ITEM_CATCH_UP))
        OnPaneEdit(program);
    if (IsPaneChange(control, code)) OnPaneEdit(program);
}

void OnCommand(HWND dialog, SchedulerProgram& program, int command, int code) {
    ScheduleWindow& window = program.window;
    switch (command) {
        case IDC_ADD_ITEM:
            return AddItem(window);
        case IDC_DELETE_ITEM:
            return DeleteItem(window);
        case IDC_CLEAR_SCHEDULE:
            return ClearSchedule(window);
        case IDC_RUN_NOW:
            return RunMacroNow(window);
        case IDM_NEW_SCHEDULE:
            return NewSchedule(window);
        case IDM_SAVE_SCHEDULE:
            return SaveCurrentSchedule(window);
        case IDM_SAVE_SCHEDULE_AS:
            return SaveScheduleAs(window);
        case IDM_LOAD_SCHEDULE:
            return LoadScheduleFile(window);
        case IDM_SCHEDULER_ABOUT:
            return ShowAbout(program);
        case IDM_SCHEDULER_VISIT_WEB_SITE:
            return VisitWebSite(dialog, program);
        case IDM_SCHEDULER_OPTIONS:
            return ShowOptions(dialog, program);
        case IDM_ENABLE_ALL:
            return EnableAllItems(window, false);
        case IDM_DISABLE_ALL:
            return DisableAllItems(window, false);
        case IDM_VIEW_HISTORY:
            return ViewHistory(window);
        case IDM_SCHEDULER_HIDE_IN_TRAY:
            return HideInTrayAndListen(window);
        case IDM_SCHEDULER_EXIT:
            return EndIfExiting(dialog, program);
        default:
            return OnControlNotification(dialog, program, command, code);
    }
}

INT_PTR OnNotify(SchedulerProgram& program, const NMHDR& header) {
    if (IsPaneChange(static_cast<int>(header.idFrom), header.code)) OnPaneEdit(program);
    return FALSE;
}

INT_PTR CALLBACK SchedulerDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) return OnInitDialog(dialog, lParam);
    SchedulerProgram* program = ProgramOf(dialog);
    if (!program) return FALSE;
    if (program->view.AddTrayIconAgainIfShellRestarted(message)) return TRUE;
    switch (message) {
        case WM_SHOWWINDOW:
            OnShowWindow(dialog, *program, wParam != FALSE);
            return FALSE;
        case START_HIDDEN_MESSAGE:
            if (IsWindowVisible(dialog)) StartHiddenIfAsked(program->window);
            return TRUE;
        case WM_WTSSESSION_CHANGE:
            if (wParam == WTS_SESSION_LOCK || wParam == WTS_SESSION_UNLOCK)
                program->view.SetSessionLocked(wParam == WTS_SESSION_LOCK);
            return TRUE;
        case WM_DESTROY:
            WTSUnRegisterSessionNotification(dialog);
            return FALSE;
        case WM_TIMER:
            if (wParam == CLOCK_TIMER_ID) OnClockTimer(program->window);
            return TRUE;
        case WM_CLOSE:
            OnCloseBox(program->window);
            return TRUE;
        case TRAY_CALLBACK_MESSAGE:
            OnTrayMessage(dialog, *program, lParam);
            return TRUE;
        case WM_COMMAND:
            OnCommand(dialog, *program, LOWORD(wParam), HIWORD(wParam));
            return TRUE;
        case WM_NOTIFY:
            return OnNotify(*program, *reinterpret_cast<NMHDR*>(lParam));
        case WM_DPICHANGED:
            program->scaling->Follow(LOWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
            return TRUE;
        case WM_QUERYENDSESSION:
            SetWindowLongPtrA(dialog, DWLP_MSGRESULT, MayEndTheSession(dialog, *program));
            return TRUE;
        case WM_ENDSESSION:
            if (wParam)
                EndWithTheSession(dialog, *program);
            else
                OnSessionEndCancelled(program->window);
            return TRUE;
    }
    return FALSE;
}

}  // namespace

SchedulerProgram::SchedulerProgram(DesktopPort& desktop, FileSystem& files,
                                   SettingsContext& settings)
    : view(desktop),
      playback(desktop, files),
      history(files, desktop, SchedulerHistoryPath()),
      scheduler{table, state, desktop, files, view, playback, history, NO_WINDOW, &settings.store},
      window{scheduler, view},
      settings(settings) {
    history.Load();
}

INT_PTR RunSchedulerWindow(SchedulerProgram& program) {
    return DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_SCHEDULER), nullptr,
                           SchedulerDialogProc, reinterpret_cast<LPARAM>(&program));
}
