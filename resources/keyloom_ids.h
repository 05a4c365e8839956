#pragma once
// Resource and control ids of Keyloom.

#define IDD_MAIN 104
#define IDC_MACRO_LIST 1022
