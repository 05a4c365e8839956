#pragma once
// Input injected as a user gives it, every event at its own offset from the start: a session
// the test plays in real time with SendInput.
#include <windows.h>

#include <vector>

class InputScript {
  public:
    InputScript& Key(int atMs, WORD virtualKey, bool up);
    // A press of `virtualKey` held for `holdMs`.
    InputScript& Tap(int atMs, WORD virtualKey, int holdMs);
    // A button or wheel event: MOUSEEVENTF_ flags with their mouse data (wheel amount, X button).
    InputScript& Mouse(int atMs, DWORD flags, DWORD data = 0);
    InputScript& MoveTo(int atMs, POINT screen);
    // A press of a button held for `holdMs`: the flags of its down event, then of its up event.
    InputScript& Click(int atMs, DWORD downFlags, DWORD upFlags, int holdMs, DWORD data = 0);

    // Injects every event at its offset from now; returns once the last is injected.
    void Play() const;

  private:
    struct Step {
        int atMs;
        INPUT input;
    };
    InputScript& Add(int atMs, const INPUT& input);
    std::vector<Step> steps_;
};
