#include "ui/tray_icon_win32.h"

#include <shellapi.h>

#include "macro/file/text_field.h"
#include "ui/handles_win32.h"
#include "ui/small_icon_win32.h"

namespace {

constexpr UINT ICON_NUMBER = 1;

NOTIFYICONDATAA IconData(HWND owner) {
    NOTIFYICONDATAA icon{};
    icon.cbSize = NOTIFYICONDATAA_V1_SIZE;
    icon.hWnd = owner;
    icon.uID = ICON_NUMBER;
    return icon;
}

}  // namespace

bool TrayIcon::Notify(DWORD action, int iconId) {
    iconId_ = iconId;
    NOTIFYICONDATAA icon = IconData(owner_);
    icon.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    icon.uCallbackMessage = callbackMessage_;
    icon.hIcon = LoadSmallIcon(instance_, iconId);
    CopyText(icon.szTip, tip_);
    return Shell_NotifyIconA(action, &icon) != FALSE;
}

bool TrayIcon::Add(int iconId) {
    if (Notify(NIM_ADD, iconId)) present_ = true;
    return present_;
}

bool TrayIcon::SetIcon(int iconId) {
    return Notify(NIM_MODIFY, iconId);
}

bool TrayIcon::Delete() {
    NOTIFYICONDATAA icon = IconData(owner_);
    if (Shell_NotifyIconA(NIM_DELETE, &icon) == FALSE) return false;
    present_ = false;
    return true;
}

bool TrayIcon::AddAgainIfShellRestarted(UINT message) {
    // The shell broadcasts this to every top-level window, hidden ones included.
    static const UINT taskbarCreated = RegisterWindowMessageA("TaskbarCreated");
    if (message == 0 || message != taskbarCreated) return false;
    // An icon the new shell already shows takes the picture instead.
    if (present_ && !Notify(NIM_ADD, iconId_)) Notify(NIM_MODIFY, iconId_);
    return true;
}

int ShowTrayMenu(HINSTANCE instance, HWND owner, int menuId,
                 std::initializer_list<TrayMenuItem> items, int defaultCommand) {
    OwnedMenu menu(LoadMenuA(instance, MAKEINTRESOURCEA(menuId)));
    if (!menu) return 0;
    HMENU popup = GetSubMenu(menu.get(), 0);
    for (const TrayMenuItem& item : items)
        EnableMenuItem(popup, static_cast<UINT>(item.command),
                       item.enabled ? MF_ENABLED : MF_GRAYED);
    SetMenuDefaultItem(popup, static_cast<UINT>(defaultCommand), FALSE);
    POINT pointer{};
    GetCursorPos(&pointer);
    // The menu closes when clicked away from only if its owner is in the foreground.
    SetForegroundWindow(owner);
    const int command = TrackPopupMenu(popup, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RETURNCMD,
                                       pointer.x, pointer.y, 0, owner, nullptr);
    PostMessageA(owner, WM_NULL, 0, 0);
    return command;
}
