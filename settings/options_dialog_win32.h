#pragma once
// The Options dialog of either program, shown modally from its main window's menu.
#include <windows.h>

#include "settings/settings.h"

// Shows the dialog of `context.program` over `owner`. Returns what DialogBoxParamA returned:
// 1 however the user ended the dialog, 0 or -1 when it could not be shown.
INT_PTR ShowOptionsDialog(HWND owner, SettingsContext& context);
