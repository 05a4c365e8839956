// The program a macro under test starts with RUN: it shows its window, an edit control titled
// "Keyloom late program", only after KEYLOOM_LATE_WINDOW_MS milliseconds, as a slow program
// would, and keeps it until it is closed, or for a minute, so that a failed test leaves none.
#include <windows.h>

#include <cstdlib>

namespace {

constexpr UINT_PTR GIVE_UP_TIMER = 1;
constexpr UINT GIVE_UP_MS = 60000;

LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_TIMER:
            DestroyWindow(window);
            return 0;
        case WM_SETFOCUS:
            SetFocus(GetWindow(window, GW_CHILD));
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcA(window, message, wParam, lParam);
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    const char* late = std::getenv("KEYLOOM_LATE_WINDOW_MS");
    Sleep(late ? static_cast<DWORD>(std::atoi(late)) : 0);
    WNDCLASSA type{};
    type.lpfnWndProc = Proc;
    type.hInstance = instance;
    type.lpszClassName = "KeyloomLateProgram";
    RegisterClassA(&type);
    HWND window =
        CreateWindowExA(0, type.lpszClassName, "Keyloom late program", WS_OVERLAPPEDWINDOW, 60, 60,
                        300, 120, nullptr, nullptr, type.hInstance, nullptr);
    CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE, 0, 0, 280, 60, window, nullptr,
                    type.hInstance, nullptr);
    SetTimer(window, GIVE_UP_TIMER, GIVE_UP_MS, nullptr);
    ShowWindow(window, SW_SHOWNORMAL);
    SetForegroundWindow(window);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}
