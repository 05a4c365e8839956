#include "tests/support/input_script_win32.h"

#include <mmsystem.h>

#include <algorithm>

namespace {

INPUT MouseInput(DWORD flags, DWORD data, LONG dx = 0, LONG dy = 0) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = dx;
    input.mi.dy = dy;
    input.mi.mouseData = data;
    input.mi.dwFlags = flags;
    return input;
}

LONGLONG Now() {
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return counter.QuadPart;
}

}  // namespace

InputScript& InputScript::Add(int atMs, const INPUT& input) {
    // Events at one offset keep the order they were added in.
    auto after = std::upper_bound(steps_.begin(), steps_.end(), atMs,
                                  [](int at, const Step& step) { return at < step.atMs; });
    steps_.insert(after, Step{atMs, input});
    return *this;
}

InputScript& InputScript::Key(int atMs, WORD virtualKey, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    return Add(atMs, input);
}

InputScript& InputScript::Tap(int atMs, WORD virtualKey, int holdMs) {
    return Key(atMs, virtualKey, false).Key(atMs + holdMs, virtualKey, true);
}

InputScript& InputScript::Mouse(int atMs, DWORD flags, DWORD data) {
    return Add(atMs, MouseInput(flags, data));
}

// Absolute co-ordinates run from 0 to 65535 across the screen; rounded up, they land on the
// pixel asked for.
InputScript& InputScript::MoveTo(int atMs, POINT screen) {
    const LONG width = GetSystemMetrics(SM_CXSCREEN);
    const LONG height = GetSystemMetrics(SM_CYSCREEN);
    return Add(atMs, MouseInput(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, 0,
                                (screen.x * 65536 + width - 1) / width,
                                (screen.y * 65536 + height - 1) / height));
}

InputScript& InputScript::Click(int atMs, DWORD downFlags, DWORD upFlags, int holdMs, DWORD data) {
    return Mouse(atMs, downFlags, data).Mouse(atMs + holdMs, upFlags, data);
}

void InputScript::Play() const {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    timeBeginPeriod(1);
    const LONGLONG start = Now();
    for (Step step : steps_) {
        const LONGLONG due = start + frequency.QuadPart * step.atMs / 1000;
        while (Now() < due)
            Sleep(1);
        SendInput(1, &step.input, sizeof step.input);
    }
    timeEndPeriod(1);
}
