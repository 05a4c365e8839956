#include "ui/dialog_controls_win32.h"

std::string ControlText(HWND dialog, int id) {
    HWND control = GetDlgItem(dialog, id);
    LRESULT length = SendMessageA(control, WM_GETTEXTLENGTH, 0, 0);
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    LRESULT copied = SendMessageA(control, WM_GETTEXT, static_cast<WPARAM>(text.size()),
                                  reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(copied));
    return text;
}

void SetControlText(HWND dialog, int id, const std::string& text) {
    SetDlgItemTextA(dialog, id, text.c_str());
}

bool IsChecked(HWND dialog, int id) {
    return IsDlgButtonChecked(dialog, id) == BST_CHECKED;
}

void SetChecked(HWND dialog, int id, bool checked) {
    CheckDlgButton(dialog, id, checked ? BST_CHECKED : BST_UNCHECKED);
}

void EnableControl(HWND dialog, int id, bool enabled) {
    EnableWindow(GetDlgItem(dialog, id), enabled ? TRUE : FALSE);
}

bool IsControlEnabled(HWND dialog, int id) {
    return IsWindowEnabled(GetDlgItem(dialog, id));
}

void LimitText(HWND dialog, int id, int characters) {
    SendDlgItemMessageA(dialog, id, EM_SETLIMITTEXT, static_cast<WPARAM>(characters), 0);
}
