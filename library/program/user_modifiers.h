#pragma once
// The modifier keys the user still holds from a hot key's combination when its play starts:
// the play's keystrokes must not carry them, so they are released for the play, and after it
// pressed again if the user still holds them. A release of Alt or the Windows key, Keyloom's or
// the user's after the play, never opens a menu.
#include <cstdint>
#include <vector>

#include "macro/desktop/desktop_port.h"

// Releases every Shift, Ctrl, Alt and Windows key the user holds; returns them.
std::vector<uint8_t> SetAsideUserModifiers(DesktopPort& desktop);
// Presses again those of `setAside` that the user still holds; one released meanwhile stays up.
void RestoreUserModifiers(DesktopPort& desktop, const std::vector<uint8_t>& setAside);
