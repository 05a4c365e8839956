#pragma once
// The user's input as a recording receives it: one event per key, button, wheel turn and
// pointer move, in the order they happened, each with its time.
#include <cstdint>
#include <mutex>
#include <vector>

#include "macro/desktop/desktop_port.h"

enum class InputKind : uint8_t {
    KeyDown,  // a press, or a typematic repeat of a key held down
    KeyUp,
    ButtonDown,
    ButtonUp,
    Wheel,            // away from the user is positive
    HorizontalWheel,  // right is positive
    Move,
};

struct InputEvent {
    InputKind kind;
    // The key's virtual-key code, the button's (desk::KEY_LBUTTON …), or the wheel amount.
    int32_t code;
    ScreenPoint point;  // where the pointer is (a move, a button, a wheel turn)
    int64_t at;         // on the performance counter, microseconds
};

// Events from the thread that captures them to the recording's samples. Adding never waits
// for more than the moment a sample takes to collect the events.
class InputEventQueue {
  public:
    void Add(const InputEvent& event);
    // Every event added since the last call, oldest first, in place of what `events` held.
    void TakeAll(std::vector<InputEvent>& events);
    void Clear();

  private:
    std::mutex lock_;
    std::vector<InputEvent> events_;
};
