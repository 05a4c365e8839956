#include "library/program/user_modifiers.h"

#include <algorithm>

namespace {

// Left and right apart: a release of the generic key would leave the right-hand one down.
constexpr uint8_t MODIFIER_KEYS[] = {
    desk::KEY_LEFT_SHIFT, desk::KEY_RIGHT_SHIFT, desk::KEY_LEFT_CONTROL, desk::KEY_RIGHT_CONTROL,
    desk::KEY_LEFT_ALT,   desk::KEY_RIGHT_ALT,   desk::KEY_LEFT_WINDOWS, desk::KEY_RIGHT_WINDOWS};

bool OpensAMenu(uint8_t key) {
    return key == desk::KEY_LEFT_ALT || key == desk::KEY_RIGHT_ALT ||
           key == desk::KEY_LEFT_WINDOWS || key == desk::KEY_RIGHT_WINDOWS;
}

// Alt or the Windows key let go with no other key since it went down opens the front window's
// menu bar or the Start menu; the hot key's own key never reached the window. A keystroke of a
// key that means nothing, while the key is down, makes its release part of a combination.
void MaskMenuKeys(DesktopPort& desktop, const std::vector<uint8_t>& keys) {
    if (std::none_of(keys.begin(), keys.end(), OpensAMenu)) return;
    desktop.keybd_event(desk::KEY_NONE, 0);
    desktop.keybd_event(desk::KEY_NONE, desk::KEY_RELEASE);
}

}  // namespace

std::vector<uint8_t> SetAsideUserModifiers(DesktopPort& desktop) {
    std::vector<uint8_t> setAside;
    for (uint8_t key : MODIFIER_KEYS)
        if (desktop.IsKeyHeldByUser(key)) setAside.push_back(key);
    MaskMenuKeys(desktop, setAside);
    for (uint8_t key : setAside)
        desktop.keybd_event(key, desk::KEY_RELEASE);
    return setAside;
}

// The user lets go of a key pressed again here later: that release is masked now.
void RestoreUserModifiers(DesktopPort& desktop, const std::vector<uint8_t>& setAside) {
    for (uint8_t key : setAside)
        desktop.PressAgainForUser(key);
    MaskMenuKeys(desktop, setAside);
}
