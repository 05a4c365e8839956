#pragma once
// Per-monitor DPI awareness: the programs draw at each monitor's own scale and see the pointer,
// windows and screen in physical pixels, so a recorded position plays back to the same pixel.
#include <windows.h>

// Makes the process per-monitor DPI aware (version 2 where the system has it, else the first
// version, else system aware on systems without per-monitor DPI). The functions are looked up
// at run time, so the programs still start where they are missing. Call before any window.
void BecomePerMonitorDpiAware();

// The DPI the window is drawn at: its monitor's where the system knows it, else the system's.
UINT DpiOfWindow(HWND window);
