#include "macro/desktop/hook_watch.h"

namespace {

// The hooks' clock and the desktop's may read a little apart.
constexpr uint32_t CLOCKS_APART_MS = 100;

bool IsLater(uint32_t tick, uint32_t than) {
    return static_cast<int32_t>(tick - than) > 0;
}

}  // namespace

bool HookWatch::MissedInput(uint32_t lastInput) {
    const bool missed = unseen_ && IsLater(*unseen_, lastSeen_ + CLOCKS_APART_MS);
    if (missed) {
        lastSeen_ = lastInput;
        unseen_.reset();
        return true;
    }
    if (IsLater(lastInput, lastSeen_))
        unseen_ = lastInput;
    else
        unseen_.reset();
    return false;
}
