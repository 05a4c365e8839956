#include "ui/small_icon_win32.h"

HICON LoadSmallIcon(HINSTANCE instance, int iconId) {
    return static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(iconId), IMAGE_ICON,
                                         GetSystemMetrics(SM_CXSMICON),
                                         GetSystemMetrics(SM_CYSMICON), LR_SHARED));
}

void SetSmallIcon(HWND window, HINSTANCE instance, int iconId) {
    SendMessageA(window, WM_SETICON, ICON_SMALL,
                 reinterpret_cast<LPARAM>(LoadSmallIcon(instance, iconId)));
}
