#include "library/program/user_modifiers.h"

namespace {

// Left and right apart: a release of the generic key would leave the right-hand one down.
constexpr uint8_t MODIFIER_KEYS[] = {
    desk::KEY_LEFT_SHIFT, desk::KEY_RIGHT_SHIFT, desk::KEY_LEFT_CONTROL, desk::KEY_RIGHT_CONTROL,
    desk::KEY_LEFT_ALT,   desk::KEY_RIGHT_ALT,   desk::KEY_LEFT_WINDOWS, desk::KEY_RIGHT_WINDOWS};

}  // namespace

std::vector<uint8_t> SetAsideUserModifiers(DesktopPort& desktop) {
    std::vector<uint8_t> setAside;
    for (uint8_t key : MODIFIER_KEYS) {
        if (!desktop.IsKeyHeldByUser(key)) continue;
        desktop.keybd_event(key, desk::KEY_RELEASE);
        setAside.push_back(key);
    }
    return setAside;
}

void RestoreUserModifiers(DesktopPort& desktop, const std::vector<uint8_t>& setAside) {
    for (uint8_t key : setAside)
        desktop.PressAgainForUser(key);
}
