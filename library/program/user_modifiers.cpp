#include "library/program/user_modifiers.h"

#include <algorithm>

namespace {

// Left and right apart: a release of the generic key would leave the right-hand one down.
std::vector<uint8_t> SidedModifierKeys() {
    std::vector<uint8_t> keys;
    for (const desk::ModifierKeys& modifier : desk::MODIFIER_KEYS) {
        keys.push_back(static_cast<uint8_t>(modifier.left));
        keys.push_back(static_cast<uint8_t>(modifier.right));
    }
    keys.push_back(desk::KEY_LEFT_WINDOWS);
    keys.push_back(desk::KEY_RIGHT_WINDOWS);
    return keys;
}

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
    for (uint8_t key : SidedModifierKeys())
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
