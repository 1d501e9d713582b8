// Resource and control identifiers of Settings.exe (shared with settings.rc).
#pragma once

#define IDI_SETTINGS 101
#define IDI_SETTINGS_SMALL 102

// "Create Term Type"
#define IDD_CREATE_TERM_TYPE 110
#define IDC_NEW_TYPE_NAME 1101
#define IDC_NEW_TYPE_MODULE 1102
#define IDC_NEW_TYPE_VALUE 1103
#define IDC_NEW_TYPE_HELP 1104

// "Map Keystrokes"
#define IDD_MAP_KEYSTROKES 111
#define IDC_MAP_TYPE_NAME 1110
#define IDC_MAP_ANSI 1111
#define IDC_MAP_ASCII 1112
#define IDC_MAP_CHARACTERS 1113
#define IDC_MAP_GLYPHS 1114
#define IDC_MAP_STATUS 1115
#define IDC_MAP_DISPLAY_ONLY 1116
#define IDC_MAP_RESET 1117
#define IDC_MAP_HELP 1118
