#include "macro/desktop/send_input_win32.h"

namespace {

// The layout the keys are read in: that of the thread whose window has the keyboard.
HKL FrontLayout() {
    HWND front = GetForegroundWindow();
    HKL layout = front ? GetKeyboardLayout(GetWindowThreadProcessId(front, nullptr)) : nullptr;
    return layout ? layout : GetKeyboardLayout(0);
}

}  // namespace

DWORD ExtendedKeyFlag(uint8_t virtualKey) {
    switch (virtualKey) {
        case VK_RCONTROL:
        case VK_RMENU:
        case VK_LWIN:
        case VK_RWIN:
        case VK_APPS:
        case VK_LEFT:
        case VK_UP:
        case VK_RIGHT:
        case VK_DOWN:
        case VK_INSERT:
        case VK_DELETE:
        case VK_HOME:
        case VK_END:
        case VK_PRIOR:
        case VK_NEXT:
        case VK_NUMLOCK:
        case VK_DIVIDE:
        case VK_SNAPSHOT:
        case VK_CANCEL:  // Break: Ctrl with Pause
            return KEYEVENTF_EXTENDEDKEY;
        default:
            return 0;
    }
}

void SendKeyInput(uint8_t virtualKey, DWORD flags, ULONG_PTR extra) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.wScan =
        static_cast<WORD>(MapVirtualKeyExA(virtualKey, MAPVK_VK_TO_VSC, FrontLayout()));
    input.ki.dwFlags = flags | ExtendedKeyFlag(virtualKey);
    input.ki.dwExtraInfo = extra;
    SendInput(1, &input, sizeof input);
}

void SendButtonInput(DWORD flags, DWORD data, ULONG_PTR extra) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    input.mi.mouseData = data;
    input.mi.dwExtraInfo = extra;
    SendInput(1, &input, sizeof input);
}
