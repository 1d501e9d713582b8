// Resource and command identifiers of Korvane.exe (shared with client.rc).
#pragma once

#define IDI_KORVANE 201
#define IDM_MAIN 102

// The "Korvane Error" dialog.
#define IDD_ERROR 150
#define IDC_ERROR_TEXT 1500
#define IDC_ERROR_ICON 1501
#define IDC_ERROR_HELP 1502

// The "Select a Host" dialog.
#define IDD_SELECT_HOST 160
#define IDC_HOST_LIST 1600
#define IDC_HOST_EDIT 1601
#define IDC_PORT_EDIT 1602

// The banner's pictures: 256 colours, and 16 colours for a shallow display.
#define IDB_BANNER 101
#define IDB_BANNER_16 102

// The Help menu's dialogs.
#define IDD_ABOUT 108
#define IDD_CONTACT 113
#define IDC_CONTACT_MAIL 1130
#define IDC_CONTACT_WEB 1131
#define IDD_PROGRAM_INFO 135
#define IDC_INFO_LAYOUT 1350
#define IDC_INFO_VERSION 1351
#define IDC_INFO_TERM_TYPE 1352
#define IDC_INFO_WINDOWS 1353
#define IDC_INFO_RECORD 1354

// Menu commands.
#define CMD_CONNECT 40001
#define CMD_ABOUT 40002
#define CMD_DOCUMENTATION 40003
#define CMD_DISCONNECT 40004
#define CMD_EXIT 40005
#define CMD_BIGGER 40006
#define CMD_SMALLER 40007
#define CMD_PRINT_SCREEN 40008
#define CMD_CONTACT 40009
#define CMD_PASTE 40011
#define CMD_CENTER 40012
#define CMD_ROWS_24 40024
#define CMD_ROWS_25 40025
#define CMD_ROWS_42 40026
#define CMD_ROWS_43 40027
#define CMD_ROWS_50 40028
#define CMD_COLS_80 40029
#define CMD_COLS_132 40030
#define CMD_LABEL_LINE 40031
#define CMD_TILE 40034
#define CMD_LOCAL_ECHO 40035
#define CMD_RECORD_EVENTS 40036
#define CMD_MONITOR_IO 40037
#define CMD_SCREEN_COLORS 40038
#define CMD_ANSI_FONT 40039
#define CMD_ASCII_FONT 40040
#define CMD_SERIF_FONT 40041
#define CMD_SANS_FONT 40042
#define CMD_FUNCTION_KEYS 40043
#define CMD_SCROLLBACK 40044
#define CMD_POPUP_ON_IO 40046
#define CMD_TRANSLATE_INTL 40049
#define CMD_PROGRAM_INFO 40050
#define CMD_COPY_SCREEN 40051
#define CMD_FIRST 40001
#define CMD_LAST 40051
