#pragma once
// Keyloom's icon in the notification area: tip "Keyloom", the enabled or disabled picture, and
// its pop-up menu.
#include <windows.h>

#include <functional>

#include "library/program/main_window_view.h"
#include "ui/tray_icon_win32.h"

constexpr UINT TRAY_MESSAGE = WM_USER + 314;  // 1338, the icon's callback message

class MainWindowTray : public TrayIconPort {
  public:
    MainWindowTray(HINSTANCE instance, HWND owner);
    bool Add(bool disabledPicture) override;
    bool Change(bool disabledPicture) override;
    bool Delete() override { return icon_.Delete(); }
    bool Present() const override { return icon_.Present(); }
    bool AddAgainIfShellRestarted(UINT message) { return icon_.AddAgainIfShellRestarted(message); }

  private:
    TrayIcon icon_;
};

// Shows the notification-area menu at the pointer and returns the command chosen, 0 for none.
// Greys the commands that `offered` refuses; "Close Keyloom" is the default item.
int TrackTrayMenu(HINSTANCE instance, HWND owner, const std::function<bool(int command)>& offered);
