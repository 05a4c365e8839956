#include "ui/dpi_awareness_win32.h"

#include "ui/handles_win32.h"
#include "ui/user_function_win32.h"

namespace {

// DPI_AWARENESS_CONTEXT values, which headers for older systems do not declare.
const HANDLE PER_MONITOR_AWARE_V2 = reinterpret_cast<HANDLE>(static_cast<INT_PTR>(-4));
const HANDLE PER_MONITOR_AWARE = reinterpret_cast<HANDLE>(static_cast<INT_PTR>(-3));
constexpr UINT STANDARD_DPI = USER_DEFAULT_SCREEN_DPI;

UINT SystemDpi() {
    WindowDc screen(nullptr);
    const int dpi = screen.get() ? GetDeviceCaps(screen.get(), LOGPIXELSY) : 0;
    return dpi > 0 ? static_cast<UINT>(dpi) : STANDARD_DPI;
}

}  // namespace

void BecomePerMonitorDpiAware() {
    // A manifest that already declared the awareness makes these calls fail harmlessly.
    auto setContext = UserFunction<BOOL(WINAPI*)(HANDLE)>("SetProcessDpiAwarenessContext");
    if (!setContext) {
        SetProcessDPIAware();
        return;
    }
    if (!setContext(PER_MONITOR_AWARE_V2)) setContext(PER_MONITOR_AWARE);
}

UINT DpiOfWindow(HWND window) {
    auto dpiForWindow = UserFunction<UINT(WINAPI*)(HWND)>("GetDpiForWindow");
    const UINT dpi = dpiForWindow && window ? dpiForWindow(window) : 0;
    return dpi ? dpi : SystemDpi();
}
