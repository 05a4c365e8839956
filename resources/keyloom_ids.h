#pragma once
// Resource and control ids of Keyloom.
#include "options_ids.h"

// Dialogs
#define IDD_MAIN 104
#define IDD_EDITOR 124
#define IDD_ABOUT 135

// Menus
#define IDR_MAIN_MENU 106
#define IDR_TRAY_MENU 129

// Icons and bitmaps
#define IDI_ENABLED 125
#define IDI_DISABLED 126
#define IDB_BANNER 105
#define IDB_LOGO 139

// Main window controls
#define IDC_PLAY 1018
#define IDC_PAUSE 1019
#define IDC_STOP 1020
#define IDC_MACRO_LIST 1022
#define IDC_NEW 1023
#define IDC_REMOVE 1024
#define IDC_IMPORT 1025
#define IDC_EXPORT 1026
#define IDC_PROGRESS 1027
#define IDC_EDIT_MACRO 1028
#define IDC_DESCRIPTION 1029
#define IDC_ENABLED_TEXT 1031
#define IDC_TRIGGER_DISPLAY 1094
#define IDC_MAIN_BANNER 1096  // the banner picture, fitted to the window's width

// Main window menu commands
#define IDM_NEW_LIST 107
#define IDM_OPEN_LIST 109
#define IDM_SAVE 110
#define IDM_SAVE_AS 111
#define IDM_EXIT 112
#define IDM_RUN 113
#define IDM_REMOVE_MACRO 114
#define IDM_IMPORT 118
#define IDM_EXPORT 119
#define IDM_ABOUT 121
#define IDM_NEW_MACRO 128
#define IDM_HIDE_IN_TRAY 140
#define IDM_OPTIONS 142
#define IDM_VISIT_WEB_SITE 145

// Notification-area menu commands
#define IDM_TRAY_DISABLE 130
#define IDM_TRAY_ENABLE 131
#define IDM_TRAY_CLOSE 132
#define IDM_TRAY_RESTORE 133

// Macro editor controls
#define IDC_EDITOR_TRIGGER 1030
#define IDC_EDITOR_NAME 1043
#define IDC_EDITOR_DESCRIPTION 1044
#define IDC_EDITOR_ENABLED 1046
#define IDC_ANY_WINDOW 1047
#define IDC_SPECIFIC_WINDOW 1048
#define IDC_WINDOW_TEXT 1049
#define IDC_PLAY_TIMES 1050
#define IDC_TIMES 1051
#define IDC_PLAY_FOR 1052
#define IDC_SECONDS 1053
#define IDC_REPEAT_UNTIL_STOPPED 1054
#define IDC_EVENT_LIST 1059
#define IDC_INSERT 1060
#define IDC_APPLY 1061
#define IDC_EDITOR_CANCEL 1062
#define IDC_EDITOR_OK 1063
#define IDC_CODE 1065
#define IDC_PREVIEW_PLAY 1089
#define IDC_PREVIEW_STOP 1090
#define IDC_RECORD 1091
#define IDC_ELAPSED_MINUTES 1092
#define IDC_ELAPSED_SECONDS 1093
// Labels and frames of the code half, named so that they follow the window's edges
#define IDC_CODE_GROUP 1097
#define IDC_INSERT_LABEL 1098
#define IDC_PREVIEW_GROUP 1099
#define IDC_ELAPSED_LABEL 1100
#define IDC_ELAPSED_COLON 1101
#define IDC_CHECK_CODE 1110
