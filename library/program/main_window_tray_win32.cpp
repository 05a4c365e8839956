#include "library/program/main_window_tray_win32.h"

#include "resources/keyloom_ids.h"

namespace {

int Picture(bool disabledPicture) {
    return disabledPicture ? IDI_DISABLED : IDI_ENABLED;
}

}  // namespace

MainWindowTray::MainWindowTray(HINSTANCE instance, HWND owner)
    : icon_(instance, owner, TRAY_MESSAGE, "Keyloom") {}

bool MainWindowTray::Add(bool disabledPicture) {
    return icon_.Add(Picture(disabledPicture));
}

bool MainWindowTray::Change(bool disabledPicture) {
    return icon_.SetIcon(Picture(disabledPicture));
}

int TrackTrayMenu(HINSTANCE instance, HWND owner, const std::function<bool(int command)>& offered) {
    auto item = [&](int command) { return TrayMenuItem{command, offered(command)}; };
    return ShowTrayMenu(instance, owner, IDR_TRAY_MENU,
                        {item(IDM_TRAY_RESTORE), item(IDM_TRAY_DISABLE), item(IDM_TRAY_ENABLE),
                         item(IDM_TRAY_CLOSE)},
                        IDM_TRAY_CLOSE);
}
