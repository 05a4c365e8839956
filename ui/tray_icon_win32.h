#pragma once
// A window's icon in the notification area, and the icon's pop-up menu.
#include <windows.h>

#include <initializer_list>
#include <string>

class TrayIcon {
  public:
    // The icon number 1 of `owner`, tipped `tip`; the pointer's actions on it reach `owner` as
    // `callbackMessage`.
    TrayIcon(HINSTANCE instance, HWND owner, UINT callbackMessage, std::string tip)
        : instance_(instance),
          owner_(owner),
          callbackMessage_(callbackMessage),
          tip_(std::move(tip)) {}
    // One attempt each, showing picture `iconId`; false when the platform refused.
    bool Add(int iconId);
    bool SetIcon(int iconId);
    bool Delete();
    // Whether the icon has been added and not deleted since.
    bool Present() const { return present_; }
    // For every message of the owner: when it is the shell's word that the notification area
    // has (re)started, which empties it, the icon is added again with its last picture, if it
    // was there. True when the message was that word.
    bool AddAgainIfShellRestarted(UINT message);

  private:
    bool Notify(DWORD action, int iconId);
    HINSTANCE instance_;
    HWND owner_;
    UINT callbackMessage_;
    std::string tip_;
    int iconId_ = 0;  // the picture shown last
    bool present_ = false;
};

struct TrayMenuItem {
    int command;
    bool enabled;
};

// Shows the first pop-up of menu `menuId` at the pointer, with `items` enabled or greyed and
// `defaultCommand` in bold; the command chosen, 0 for none.
int ShowTrayMenu(HINSTANCE instance, HWND owner, int menuId,
                 std::initializer_list<TrayMenuItem> items, int defaultCommand);
