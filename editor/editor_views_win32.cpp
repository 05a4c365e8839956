#include "editor/editor_views_win32.h"

#include <commctrl.h>

#include "macro/desktop/win32_desktop.h"
#include "macro/file/macro.h"
#include "resources/keyloom_ids.h"
#include "ui/dialog_controls_win32.h"

void ShowForm(HWND dialog, const EditorForm& form) {
    SetControlText(dialog, IDC_EDITOR_DESCRIPTION, form.description);
    SetControlText(dialog, IDC_EDITOR_NAME, form.name);
    SetChecked(dialog, IDC_SPECIFIC_WINDOW, form.specificWindow);
    SetChecked(dialog, IDC_ANY_WINDOW, form.anyWindow);
    SetControlText(dialog, IDC_WINDOW_TEXT, form.window);
    EnableControl(dialog, IDC_WINDOW_TEXT, form.windowBoxEnabled);
    SetChecked(dialog, IDC_EDITOR_ENABLED, form.enabled);
    SetChecked(dialog, IDC_PLAY_TIMES, form.playTimes);
    SetChecked(dialog, IDC_PLAY_FOR, form.playFor);
    SetChecked(dialog, IDC_REPEAT_UNTIL_STOPPED, form.repeatUntilStopped);
    EnableControl(dialog, IDC_TIMES, form.timesBoxEnabled);
    EnableControl(dialog, IDC_SECONDS, form.secondsBoxEnabled);
    SetControlText(dialog, IDC_TIMES, form.times);
    SetControlText(dialog, IDC_SECONDS, form.seconds);
    SendDlgItemMessageA(dialog, IDC_EDITOR_TRIGGER, HKM_SETHOTKEY, form.hotKey, 0);
}

WindowHandle DialogFormView::EditorWindow() {
    return reinterpret_cast<WindowHandle>(dialog_);
}

EditorForm DialogFormView::ReadForm() {
    EditorForm form;
    form.name = ControlText(dialog_, IDC_EDITOR_NAME);
    form.description = ControlText(dialog_, IDC_EDITOR_DESCRIPTION);
    form.hotKey = static_cast<uint16_t>(
        SendDlgItemMessageA(dialog_, IDC_EDITOR_TRIGGER, HKM_GETHOTKEY, 0, 0) & 0xFFFF);
    form.enabled = IsChecked(dialog_, IDC_EDITOR_ENABLED);
    form.anyWindow = IsChecked(dialog_, IDC_ANY_WINDOW);
    form.specificWindow = IsChecked(dialog_, IDC_SPECIFIC_WINDOW);
    form.windowBoxEnabled = IsControlEnabled(dialog_, IDC_WINDOW_TEXT);
    form.window = ControlText(dialog_, IDC_WINDOW_TEXT);
    form.playTimes = IsChecked(dialog_, IDC_PLAY_TIMES);
    form.playFor = IsChecked(dialog_, IDC_PLAY_FOR);
    form.repeatUntilStopped = IsChecked(dialog_, IDC_REPEAT_UNTIL_STOPPED);
    form.timesBoxEnabled = IsControlEnabled(dialog_, IDC_TIMES);
    form.secondsBoxEnabled = IsControlEnabled(dialog_, IDC_SECONDS);
    form.times = ControlText(dialog_, IDC_TIMES);
    form.seconds = ControlText(dialog_, IDC_SECONDS);
    return form;
}

std::string DialogFormView::CodeText() {
    return ControlText(dialog_, IDC_CODE);
}

void DialogFormView::ClearTrigger() {
    SendDlgItemMessageA(dialog_, IDC_EDITOR_TRIGGER, HKM_SETHOTKEY, 0, 0);
}

void DialogFormView::EnableApply(bool enabled) {
    EnableControl(dialog_, IDC_APPLY, enabled);
}

int DialogPreviewView::LineCount() {
    return static_cast<int>(SendDlgItemMessageA(dialog_, IDC_CODE, EM_GETLINECOUNT, 0, 0));
}

std::string DialogPreviewView::Line(int index) {
    char line[LINE_CAPACITY];
    *reinterpret_cast<WORD*>(line) = LINE_CAPACITY - 1;  // EM_GETLINE takes the room here
    LRESULT copied = SendDlgItemMessageA(dialog_, IDC_CODE, EM_GETLINE, static_cast<WPARAM>(index),
                                         reinterpret_cast<LPARAM>(line));
    if (copied < 0 || copied > LINE_CAPACITY - 1) copied = 0;
    return std::string(line, static_cast<std::size_t>(copied));
}

void DialogPreviewView::EnterPreview() {
    EnableControl(dialog_, IDC_CODE, false);
    EnableControl(dialog_, IDC_PREVIEW_STOP, true);
    EnableControl(dialog_, IDC_PREVIEW_PLAY, false);
    EnableControl(dialog_, IDC_RECORD, false);
    ShowWindow(dialog_, SW_HIDE);
}

void DialogPreviewView::ShowElapsed(int minutes, int seconds) {
    SetControlText(dialog_, IDC_ELAPSED_MINUTES, std::to_string(minutes));
    SetControlText(dialog_, IDC_ELAPSED_SECONDS, std::to_string(seconds));
}

void DialogPreviewView::AwaitInputDelivered() {
    TheDesktop().AwaitSentInput();
}

void DialogPreviewView::LeavePreview(bool applyEnabled) {
    ShowWindow(dialog_, SW_RESTORE);
    EnableControl(dialog_, IDC_CODE, true);
    EnableControl(dialog_, IDC_PREVIEW_STOP, false);
    EnableControl(dialog_, IDC_PREVIEW_PLAY, true);
    EnableControl(dialog_, IDC_RECORD, true);
    EnableControl(dialog_, IDC_APPLY, applyEnabled);
}
