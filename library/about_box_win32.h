#pragma once
// The About box: the product logo and OK, centred, without caption, above other windows.
#include <windows.h>

// Shows it modally without an owner until OK or a close request; false when it cannot be created.
bool ShowAboutBox(HINSTANCE instance);
