#pragma once
// The Options dialogs of both programs share their control ids.

#define IDD_OPTIONS 141
#define IDD_SCHEDULER_OPTIONS 134
#define IDC_OPTIONS_DELAY 1047
#define IDC_OPTIONS_AUTORUN 1049
#define IDC_OPTIONS_SPEED 1120
