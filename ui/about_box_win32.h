#pragma once
// A program's About box: its logo and OK, as the dialog template `dialogId` draws them.
#include <windows.h>

// Shows it modally without an owner until OK or a close request; false when it cannot be created.
bool ShowAboutBox(HINSTANCE instance, int dialogId);
