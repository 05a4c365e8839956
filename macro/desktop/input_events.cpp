#include "macro/desktop/input_events.h"

void InputEventQueue::Add(const InputEvent& event) {
    const std::lock_guard<std::mutex> hold(lock_);
    events_.push_back(event);
}

// The two buffers trade places, so that neither side allocates once both have grown.
void InputEventQueue::TakeAll(std::vector<InputEvent>& events) {
    events.clear();
    const std::lock_guard<std::mutex> hold(lock_);
    events.swap(events_);
}

void InputEventQueue::Clear() {
    const std::lock_guard<std::mutex> hold(lock_);
    events_.clear();
}
