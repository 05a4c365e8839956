#include "library/program/save_menu_item_win32.h"

#include "resources/keyloom_ids.h"

bool Win32SaveMenuItem::EnableSave(bool enabled) {
    UINT state = MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED);
    return EnableMenuItem(GetMenu(window_), IDM_SAVE, state) != -1;
}
