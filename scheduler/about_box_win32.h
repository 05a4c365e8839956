#pragma once
// The About box: the product logo and OK.
#include <windows.h>

// Shows the box modally without an owner; what DialogBoxParamA returned (1 when shown).
INT_PTR ShowSchedulerAboutBox();
