#include "ui/about_box_win32.h"

namespace {

constexpr INT_PTR ABOUT_RESULT = 1;

INT_PTR CALLBACK AboutBoxProc(HWND box, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
        case WM_INITDIALOG:
            return TRUE;
        case WM_COMMAND:
            if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) EndDialog(box, ABOUT_RESULT);
            return TRUE;
        case WM_CLOSE:
            EndDialog(box, ABOUT_RESULT);
            return TRUE;
        default:
            return FALSE;
    }
}

}  // namespace

bool ShowAboutBox(HINSTANCE instance, int dialogId) {
    return DialogBoxParamA(instance, MAKEINTRESOURCEA(dialogId), nullptr, AboutBoxProc, 0) ==
           ABOUT_RESULT;
}
