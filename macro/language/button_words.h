#pragma once
// The words that name the mouse buttons in MOUSE_DOWN, MOUSE_UP and CLICK_MOUSE: spelt as a
// recording writes them, matched in any case, in the order an argument is searched for them.
#include <cstdint>
#include <optional>
#include <string_view>

#include "macro/desktop/desktop_port.h"

struct ButtonWord {
    std::string_view word;
    uint8_t virtualKey;
};
inline constexpr ButtonWord BUTTON_WORDS[] = {{"Left", desk::KEY_LBUTTON},
                                              {"Right", desk::KEY_RBUTTON},
                                              {"Middle", desk::KEY_MBUTTON},
                                              {"X1", desk::KEY_XBUTTON1},
                                              {"X2", desk::KEY_XBUTTON2}};

// The word of the button with this virtual key; none for a key that is no button.
inline std::optional<std::string_view> ButtonWordOf(int virtualKey) {
    for (const ButtonWord& button : BUTTON_WORDS)
        if (button.virtualKey == virtualKey) return button.word;
    return std::nullopt;
}
