#pragma once
// The macro most tests start from: every field zero, played once at `speed`.
#include <cstdint>

#include "macro/file/macro.h"

inline Macro MacroPlayedOnce(int32_t speed) {
    Macro macro{};
    macro.playStyle = PLAY_STYLE_TIMES;
    macro.playCount = 1;
    macro.speed = speed;
    return macro;
}
