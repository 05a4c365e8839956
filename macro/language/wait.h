#pragma once
// The blocking wait behind DELAY and the pace between commands.
#include <cstdint>

#include "macro/desktop/desktop_port.h"

// Returns after `milliseconds` (1 ms resolution) without handling window messages and without
// keeping a processor busy; 0 or less returns at once.
void WaitMilliseconds(DesktopPort& desktop, int32_t milliseconds);
