#include "library/program/main_window_controls_win32.h"

#include <commctrl.h>

#include "macro/desktop/win32_desktop.h"
#include "resources/keyloom_ids.h"
#include "ui/dialog_controls_win32.h"

LRESULT MainWindowControls::Send(int control, UINT message, WPARAM wParam, LPARAM lParam) {
    return SendDlgItemMessageA(window_, control, message, wParam, lParam);
}

int MainWindowControls::AppendEntry(const std::string& name) {
    return static_cast<int>(
        Send(IDC_MACRO_LIST, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str())));
}

void MainWindowControls::InsertEntry(int index, const std::string& name) {
    Send(IDC_MACRO_LIST, LB_INSERTSTRING, static_cast<WPARAM>(index),
         reinterpret_cast<LPARAM>(name.c_str()));
}

void MainWindowControls::DeleteEntry(int index) {
    Send(IDC_MACRO_LIST, LB_DELETESTRING, static_cast<WPARAM>(index));
}

int MainWindowControls::EntryCount() {
    return static_cast<int>(Send(IDC_MACRO_LIST, LB_GETCOUNT));
}

int MainWindowControls::SelectedEntry() {
    return static_cast<int>(Send(IDC_MACRO_LIST, LB_GETCURSEL));
}

void MainWindowControls::SelectEntry(int index) {
    Send(IDC_MACRO_LIST, LB_SETCURSEL, static_cast<WPARAM>(index));
}

void MainWindowControls::SetProgressRange(int32_t steps) {
    Send(IDC_PROGRESS, PBM_SETRANGE32, 0, steps);
}

void MainWindowControls::SetProgressPosition(int32_t position) {
    Send(IDC_PROGRESS, PBM_SETPOS, static_cast<WPARAM>(position));
}

void MainWindowControls::EnableButton(PlayButton button, bool enabled) {
    int control = button == PlayButton::Play    ? IDC_PLAY
                  : button == PlayButton::Pause ? IDC_PAUSE
                                                : IDC_STOP;
    EnableControl(window_, control, enabled);
}

void MainWindowControls::HideWindow() {
    ShowWindow(window_, SW_HIDE);
}

void MainWindowControls::RestoreWindow() {
    ShowWindow(window_, SW_RESTORE);
}

void MainWindowControls::AwaitInputDelivered() {
    TheDesktop().AwaitSentInput();
}

void MainWindowControls::SetDescriptionText(const std::string& text) {
    SetControlText(window_, IDC_DESCRIPTION, text);
}

void MainWindowControls::SetTriggerDisplay(uint16_t hotKeyValue) {
    Send(IDC_TRIGGER_DISPLAY, HKM_SETHOTKEY, hotKeyValue);
}

void MainWindowControls::SetEnabledText(const std::string& text) {
    SetControlText(window_, IDC_ENABLED_TEXT, text);
}

void MainWindowControls::SetTitle(const std::string& title) {
    SetWindowTextA(window_, title.c_str());
}

void MainWindowControls::EndMainWindow() {
    EndDialog(window_, 0);
}
