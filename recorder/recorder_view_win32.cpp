#include "recorder/recorder_view_win32.h"

#include <string>

#include "resources/keyloom_ids.h"
#include "ui/dialog_controls_win32.h"

WindowHandle DialogRecorderView::EditorWindow() {
    return reinterpret_cast<WindowHandle>(editor_);
}

void DialogRecorderView::SetCode(std::string_view code) {
    SetControlText(editor_, IDC_CODE, std::string(code));
    codeReplaced_ = true;
}

int DialogRecorderView::CodeLength() {
    return static_cast<int>(SendDlgItemMessageA(editor_, IDC_CODE, WM_GETTEXTLENGTH, 0, 0));
}

namespace {

int ButtonControl(EditorButton button) {
    static constexpr int CONTROLS[] = {IDC_PREVIEW_PLAY, IDC_PREVIEW_STOP, IDC_RECORD, IDC_APPLY};
    return CONTROLS[static_cast<int>(button)];
}

}  // namespace

void DialogRecorderView::EnableButton(EditorButton button, bool enabled) {
    EnableControl(editor_, ButtonControl(button), enabled);
}

bool DialogRecorderView::IsButtonEnabled(EditorButton button) {
    return IsControlEnabled(editor_, ButtonControl(button));
}

void DialogRecorderView::HideEditor() {
    ShowWindow(editor_, SW_HIDE);
}

void DialogRecorderView::RestoreEditor() {
    ShowWindow(editor_, SW_RESTORE);
}

// Runs on the timer service's thread: the editor's controls are left to its own thread.
void DialogRecorderView::HandOverEnding() {
    PostMessageA(editor_, endingMessage_, 0, 0);
}
