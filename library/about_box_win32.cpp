#include "library/about_box_win32.h"

#include "resources/keyloom_ids.h"

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

bool ShowAboutBox(HINSTANCE instance) {
    return DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_ABOUT), nullptr, AboutBoxProc, 0) != -1;
}
