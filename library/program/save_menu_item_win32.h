#pragma once
// The Save item (110) of a window's menu bar.
#include <windows.h>

#include "library/table/macro_list_view.h"

class Win32SaveMenuItem : public SaveMenuItem {
  public:
    explicit Win32SaveMenuItem(HWND window) : window_(window) {}
    bool EnableSave(bool enabled) override;

  private:
    HWND window_;
};
