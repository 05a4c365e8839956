#include "scheduler/tray_icon_win32.h"

#include <shellapi.h>

#include "macro/file/text_field.h"
#include "resources/scheduler_ids.h"

namespace {

constexpr UINT TRAY_ICON_NUMBER = 1;
constexpr char TIP[] = "Keyloom Scheduler";

int IconOf(TrayState state) {
    switch (state) {
        case TRAY_PLAYING:
            return IDI_PLAYING;
        case TRAY_SUSPENDED:
            return IDI_SUSPENDED;
        default:
            return IDI_IDLE;
    }
}

NOTIFYICONDATAA IconData(HWND window) {
    NOTIFYICONDATAA icon{};
    icon.cbSize = NOTIFYICONDATAA_V1_SIZE;
    icon.hWnd = window;
    icon.uID = TRAY_ICON_NUMBER;
    return icon;
}

bool Notify(HWND window, DWORD action, TrayState state) {
    NOTIFYICONDATAA icon = IconData(window);
    icon.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    icon.uCallbackMessage = TRAY_CALLBACK_MESSAGE;
    icon.hIcon = static_cast<HICON>(
        LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IconOf(state)), IMAGE_ICON,
                   GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), LR_SHARED));
    CopyText(icon.szTip, TIP);
    return Shell_NotifyIconA(action, &icon) != FALSE;
}

}  // namespace

bool AddSchedulerTrayIcon(HWND window, TrayState state) {
    return Notify(window, NIM_ADD, state);
}

bool ModifySchedulerTrayIcon(HWND window, TrayState state) {
    return Notify(window, NIM_MODIFY, state);
}

void DeleteSchedulerTrayIcon(HWND window) {
    NOTIFYICONDATAA icon = IconData(window);
    Shell_NotifyIconA(NIM_DELETE, &icon);
}

int TrackSchedulerTrayMenu(HWND window, bool suspended) {
    HMENU menu = LoadMenuA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_SCHEDULER_TRAY_MENU));
    if (!menu) return 0;
    HMENU popup = GetSubMenu(menu, 0);
    EnableMenuItem(popup, IDM_TRAY_ENABLE_ALL, suspended ? MF_ENABLED : MF_GRAYED);
    EnableMenuItem(popup, IDM_TRAY_DISABLE_ALL, suspended ? MF_GRAYED : MF_ENABLED);
    SetMenuDefaultItem(popup, IDM_TRAY_CLOSE_SCHEDULER, FALSE);
    POINT pointer{};
    GetCursorPos(&pointer);
    // The menu closes when clicked away from only if its owner is in the foreground.
    SetForegroundWindow(window);
    const int command = TrackPopupMenu(popup, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RETURNCMD,
                                       pointer.x, pointer.y, 0, window, nullptr);
    PostMessageA(window, WM_NULL, 0, 0);
    DestroyMenu(menu);
    return command;
}
