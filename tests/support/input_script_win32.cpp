#include "tests/support/input_script_win32.h"

#include <mmsystem.h>

#include <algorithm>

#include "tests/support/win32_test_helpers.h"

namespace {

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
    return Add(atMs, KeyInput(virtualKey, up));
}

InputScript& InputScript::Tap(int atMs, WORD virtualKey, int holdMs) {
    return Key(atMs, virtualKey, false).Key(atMs + holdMs, virtualKey, true);
}

InputScript& InputScript::Mouse(int atMs, DWORD flags, DWORD data) {
    return Add(atMs, MouseInput(flags, data));
}

InputScript& InputScript::MoveTo(int atMs, POINT screen) {
    return Add(atMs, PointerMoveInput(screen));
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
