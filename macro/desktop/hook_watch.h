#pragma once
// Telling that the system has removed a low-level hook: it drops one that answers too slowly,
// without a word. The desktop's last input is compared, one look later, with the last event the
// hooks saw: a live hook has seen an input by the next look.
#include <cstdint>
#include <optional>

class HookWatch {
  public:
    // The hooks saw an event at `tick` (milliseconds on the tick count, which wraps).
    void Saw(uint32_t tick) { lastSeen_ = tick; }
    // A look, with the tick of the desktop's last input; true when the hooks missed an input
    // that the previous look found, and must be set again. The watch starts afresh then.
    bool MissedInput(uint32_t lastInput);

  private:
    uint32_t lastSeen_ = 0;
    std::optional<uint32_t> unseen_;  // an input newer than any seen, at the previous look
};
