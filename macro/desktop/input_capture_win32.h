#pragma once
// The input of a recording, from low-level keyboard and mouse hooks on a thread of their own:
// every key, button, wheel turn and pointer move in the order the desktop delivers them, each
// timed when it happened. Keyloom's own input is left out; another program's injected input is
// kept, as the user's is. Hooks the system removed are noticed and set again.
#include <windows.h>

#include <cstdint>

#include "macro/desktop/hook_thread_win32.h"
#include "macro/desktop/hook_watch.h"
#include "macro/desktop/input_events.h"

class InputCapture {
  public:
    // Adds to `queue` from now on.
    explicit InputCapture(InputEventQueue& queue);
    ~InputCapture();
    InputCapture(const InputCapture&) = delete;
    InputCapture& operator=(const InputCapture&) = delete;

    bool Capturing() const { return thread_.Hooked(); }

  private:
    bool SetHooks();
    void RemoveHooks();
    void LookAtHooks();
    // The time of an event the system stamped `eventTime`, on the performance counter.
    int64_t When(DWORD eventTime);
    void Add(InputKind kind, int32_t code, DWORD eventTime, POINT point = {});
    static LRESULT CALLBACK KeyboardHook(int code, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK MouseHook(int code, WPARAM wParam, LPARAM lParam);
    static void CALLBACK LookTimer(HWND, UINT, UINT_PTR, DWORD);

    InputEventQueue& queue_;
    HHOOK keyboard_ = nullptr;
    HHOOK mouse_ = nullptr;
    UINT_PTR lookTimer_ = 0;
    HookWatch watch_;
    RECT screen_{};
    DWORD tickStep_ = 0;
    int64_t lastAt_ = 0;
    HookThread thread_;  // last: it hooks from its start to its end
};
