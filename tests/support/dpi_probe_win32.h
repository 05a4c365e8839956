#pragma once
// Checks of a window at a DPI other than 96: the desktop's DPI, what a move to a monitor of
// another scale tells a window, and what its controls are drawn with.
#include <windows.h>

#include <functional>
#include <vector>

constexpr int PER_MONITOR_AWARE = 2;  // DPI_AWARENESS_PER_MONITOR_AWARE

// The DPI of the test run's desktop (the prefix's LogPixels).
int DesktopDpi();

// The DPI awareness of a window of any process, or -1 where the system cannot tell.
int DpiAwareness(HWND window);

// The window rectangle `rect` at `toDpi` instead of `fromDpi`, with its top-left corner kept, as
// the system suggests it to a window that moves to a monitor of that scale.
RECT ScaledWindowRect(const RECT& rect, UINT fromDpi, UINT toDpi);

// Tells the window, from any thread, that it is now on a monitor of `dpi` and that the system
// suggests the window rectangle `suggested` (WM_DPICHANGED).
void SendDpiChange(HWND window, UINT dpi, const RECT& suggested);

// The height (LOGFONT lfHeight) and face of the font the control draws its text with.
LONG FontHeight(HWND control);
bool IsFixedPitchFont(HWND control);

// The window's rectangle on the screen, its client rectangle, and its controls' rectangles in
// its client co-ordinates: all of them, or the one with the id.
RECT WindowRectOf(HWND window);
RECT ClientOf(HWND window);
std::vector<RECT> ControlRects(HWND window);
RECT PlaceOf(HWND window, int id);
bool SameRects(const std::vector<RECT>& a, const std::vector<RECT>& b);

// After a move to a monitor at a smaller scale: the window keeps the corner the system
// suggested (that of `opened`), and its client area has shrunk with the font.
void ExpectSmallerAtTheSameCorner(HWND window, const RECT& opened, const RECT& openedClient);
// Back on the first monitor: the window and every control where they were, to the pixel.
void ExpectBackAsOpened(HWND window, const RECT& opened, const std::vector<RECT>& places);

// The scale of the high-DPI tests' desktop, and of a second monitor at 100 %.
constexpr UINT DESKTOP_DPI = 144;
constexpr UINT OTHER_MONITOR_DPI = 96;
// A length at the desktop's scale as the other monitor shows it.
LONG AtOtherMonitor(LONG length);

// A window laid out whole, moved to the other monitor and back. There it keeps its corner,
// shrinks with its font (that of `fontControl`), is still laid out whole and passes
// `onOtherMonitor`; back on the desktop it is exactly as it opened.
void ExpectToFollowAMoveAndBack(
    HWND window, HWND fontControl, const std::function<void()>& onOtherMonitor = [] {});
