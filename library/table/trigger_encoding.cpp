#include "library/table/trigger_encoding.h"

#include "macro/desktop/desktop_port.h"

namespace {
constexpr uint16_t CONTROL_SHIFT = 1;
constexpr uint16_t CONTROL_CONTROL = 2;
constexpr uint16_t CONTROL_ALT = 4;
}  // namespace

uint32_t HotKeyModifiers(const Trigger& trigger) {
    uint32_t modifiers = 0;
    if (trigger.shift) modifiers += desk::HOTKEY_SHIFT;
    if (trigger.alt) modifiers += desk::HOTKEY_ALT;
    if (trigger.control) modifiers += desk::HOTKEY_CONTROL;
    return modifiers;
}

uint16_t HotKeyControlValue(const Trigger& trigger) {
    uint16_t flags = 0;
    if (trigger.shift) flags |= CONTROL_SHIFT;
    if (trigger.control) flags |= CONTROL_CONTROL;
    if (trigger.alt) flags |= CONTROL_ALT;
    return static_cast<uint16_t>((flags << 8) | (static_cast<uint16_t>(trigger.virtualKey) & 0xFF));
}

Trigger TriggerFromHotKeyControl(uint16_t value) {
    uint16_t flags = value >> 8;
    return Trigger{static_cast<int16_t>(value & 0xFF), (flags & CONTROL_SHIFT) ? 1 : 0,
                   (flags & CONTROL_CONTROL) ? 1 : 0, (flags & CONTROL_ALT) ? 1 : 0};
}
