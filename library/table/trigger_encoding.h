#pragma once
// A macro's trigger as the platform's hot keys and hot-key controls take it.
#include <cstdint>

#include "macro/file/macro.h"

// RegisterHotKey modifiers: Shift 4, Control 2, Alt 1.
uint32_t HotKeyModifiers(const Trigger& trigger);

// The value of a hot-key control (HKM_SETHOTKEY/HKM_GETHOTKEY): the key in the low byte;
// Shift 1, Control 2, Alt 4 in the high byte.
uint16_t HotKeyControlValue(const Trigger& trigger);
// The trigger a hot-key control shows; each modifier flag is 1 when its bit is set, else 0.
Trigger TriggerFromHotKeyControl(uint16_t value);
