#include "macro/desktop/injected_input_win32.h"

#include <windows.h>

#include "macro/desktop/hook_thread_win32.h"
#include "macro/desktop/send_input_win32.h"
#include "macro/desktop/user_keyboard_win32.h"

namespace {

// A key release of a key no keyboard has and no program gives a meaning to, sent after the
// play's input and kept from every program by the hook that waits for it.
constexpr BYTE MARKER_KEY = 0xE8;
constexpr DWORD POLL_MS = 5;

// The event the hook on this thread sets when the marker has passed.
thread_local HANDLE markerPassed = nullptr;

LRESULT CALLBACK WatchForMarker(int code, WPARAM wParam, LPARAM lParam) {
    const auto& key = *reinterpret_cast<KBDLLHOOKSTRUCT*>(lParam);
    if (code != HC_ACTION || key.vkCode != MARKER_KEY || key.dwExtraInfo != KEYLOOM_MARKER_INPUT)
        return CallNextHookEx(nullptr, code, wParam, lParam);
    // The hooks after this one take the keys in order: once they have the marker, they have
    // let every key before it through.
    CallNextHookEx(nullptr, code, wParam, lParam);
    SetEvent(markerPassed);
    return 1;
}

DWORD Remaining(DWORD deadline) {
    const auto left = static_cast<LONG>(deadline - GetTickCount());
    return left > 0 ? static_cast<DWORD>(left) : 0;
}

// Keys wait at the desktop's low-level keyboard hooks (another program's, or Keyloom's own)
// before they are queued for a window. A hook on a thread of its own, which pumps messages as
// such a hook needs, sees the marker only after every key before it.
void AwaitMarker(DWORD deadline) {
    HANDLE passed = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    if (!passed) return;
    HHOOK hook = nullptr;
    {
        HookThread watcher(
            [&] {
                markerPassed = passed;
                hook =
                    SetWindowsHookExA(WH_KEYBOARD_LL, WatchForMarker, GetModuleHandleA(nullptr), 0);
                return hook != nullptr;
            },
            [&] {
                if (hook) UnhookWindowsHookEx(hook);
            });
        if (watcher.Hooked()) {
            SendKeyInput(MARKER_KEY, KEYEVENTF_KEYUP, KEYLOOM_MARKER_INPUT);
            WaitForSingleObject(passed, Remaining(deadline));
        }
    }
    CloseHandle(passed);
}

// A window paints only when its thread's queue holds no input: once a spot of the window that
// has the keyboard is painted again, its thread has taken every key before.
void AwaitKeysTaken(DWORD deadline) {
    HWND front = GetForegroundWindow();
    if (!front) return;
    const DWORD thread = GetWindowThreadProcessId(front, nullptr);
    if (thread == GetCurrentThreadId()) return;  // taken as soon as this thread goes on
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    HWND taker = GetGUIThreadInfo(thread, &info) && info.hwndFocus ? info.hwndFocus : front;
    const RECT spot{0, 0, 1, 1};
    if (!RedrawWindow(taker, &spot, nullptr, RDW_INVALIDATE)) return;
    while (GetUpdateRect(taker, nullptr, FALSE) && IsWindow(taker) && Remaining(deadline) > 0)
        Sleep(POLL_MS);
}

}  // namespace

void AwaitInjectedInput() {
    const DWORD deadline = GetTickCount() + INJECTED_INPUT_TIMEOUT_MS;
    AwaitMarker(deadline);
    AwaitKeysTaken(deadline);
}
