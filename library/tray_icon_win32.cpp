#include "library/tray_icon_win32.h"

#include <shellapi.h>

#include "macro/file/text_field.h"
#include "resources/keyloom_ids.h"

namespace {
constexpr UINT TRAY_ICON_ID = 1;
constexpr char HINT_TEXT[] = "Keyloom";
}  // namespace

bool TrayIcon::Notify(DWORD action, bool disabledPicture) {
    NOTIFYICONDATAA icon{};
    icon.cbSize = NOTIFYICONDATAA_V1_SIZE;
    icon.hWnd = owner_;
    icon.uID = TRAY_ICON_ID;
    icon.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    icon.uCallbackMessage = TRAY_MESSAGE;
    int picture = disabledPicture ? IDI_DISABLED : IDI_ENABLED;
    icon.hIcon = static_cast<HICON>(LoadImageA(instance_, MAKEINTRESOURCEA(picture), IMAGE_ICON,
                                               GetSystemMetrics(SM_CXSMICON),
                                               GetSystemMetrics(SM_CYSMICON), LR_SHARED));
    CopyText(icon.szTip, HINT_TEXT);
    return Shell_NotifyIconA(action, &icon) != FALSE;
}

bool TrayIcon::Add(bool disabledPicture) {
    if (Notify(NIM_ADD, disabledPicture)) present_ = true;
    return present_;
}

bool TrayIcon::Change(bool disabledPicture) {
    return Notify(NIM_MODIFY, disabledPicture);
}

bool TrayIcon::Delete() {
    NOTIFYICONDATAA icon{};
    icon.cbSize = NOTIFYICONDATAA_V1_SIZE;
    icon.hWnd = owner_;
    icon.uID = TRAY_ICON_ID;
    if (Shell_NotifyIconA(NIM_DELETE, &icon) == FALSE) return false;
    present_ = false;
    return true;
}

int TrackTrayMenu(HINSTANCE instance, HWND owner, bool macrosDisabled) {
    POINT pointer{};
    GetCursorPos(&pointer);
    HMENU menu = LoadMenuA(instance, MAKEINTRESOURCEA(IDR_TRAY_MENU));
    if (!menu) return 0;
    HMENU popup = GetSubMenu(menu, 0);
    EnableMenuItem(popup, IDM_TRAY_DISABLE, macrosDisabled ? MF_GRAYED : MF_ENABLED);
    EnableMenuItem(popup, IDM_TRAY_ENABLE, macrosDisabled ? MF_ENABLED : MF_GRAYED);
    SetMenuDefaultItem(popup, IDM_TRAY_CLOSE, FALSE);
    // The menu must belong to the foreground window, or it stays open when clicked away from.
    SetForegroundWindow(owner);
    int command = TrackPopupMenu(popup, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RETURNCMD, pointer.x,
                                 pointer.y, 0, owner, nullptr);
    PostMessageA(owner, WM_NULL, 0, 0);
    DestroyMenu(menu);
    return command;
}
