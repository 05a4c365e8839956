#pragma once
// The notification-area icon of the main window and its pop-up menu.
#include <windows.h>

#include "library/main_window_view.h"

constexpr UINT TRAY_MESSAGE = WM_USER + 314;  // 1338, the icon's callback message

class TrayIcon : public TrayIconPort {
  public:
    TrayIcon(HINSTANCE instance, HWND owner) : instance_(instance), owner_(owner) {}
    bool Add(bool disabledPicture) override;
    bool Change(bool disabledPicture) override;
    bool Delete() override;
    bool Present() const override { return present_; }

  private:
    bool Notify(DWORD action, bool disabledPicture);
    HINSTANCE instance_;
    HWND owner_;
    bool present_ = false;
};

// Shows the notification-area menu at the pointer and returns the command chosen, 0 for none.
// Offers "Disable all macros" or "Enable all macros" by the current state; "Close Keyloom" is
// the default item.
int TrackTrayMenu(HINSTANCE instance, HWND owner, bool macrosDisabled);
