#pragma once
// A fired hot key played with Keyloom's engine.
#include "library/program/hot_keys.h"
#include "macro/player/macro_player.h"

class EngineTriggerPlayer : public TriggerPlayer {
  public:
    explicit EngineTriggerPlayer(MacroPlayer& player) : player_(player) {}
    bool Playing() override { return player_.state.playing; }
    void PlayTriggered(const Macro& macro) override { PlayMacro(player_, macro, ORIGIN_TRIGGER); }

  private:
    MacroPlayer& player_;
};
