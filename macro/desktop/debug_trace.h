#pragma once
// A developer's trace hook: configured with -DKEYLOOM_TRACE=ON it shows each text in a box
// captioned "DEBUG"; the delivered programs are built without it and show nothing.
#include <string>

#include "macro/desktop/error_report.h"

#ifndef KEYLOOM_TRACE
#define KEYLOOM_TRACE 0
#endif

constexpr bool TRACE_BUILT_IN = KEYLOOM_TRACE != 0;

inline void DebugTrace(DesktopPort& desktop, const std::string& text) {
    if constexpr (TRACE_BUILT_IN) ShowPlainMessage(desktop, NO_WINDOW, text, "DEBUG");
}
