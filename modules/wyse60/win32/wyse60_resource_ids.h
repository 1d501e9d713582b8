// Controls of the Wyse 60 settings dialog (resource 101).
#pragma once

#define IDD_TERM_SETTINGS 101
#define IDC_MAX_PAGES 1000
#define IDC_ROWS 1001
#define IDC_COLUMNS 1002
#define IDC_TERM_TYPE 1003
#define IDC_LABEL_LINE 1004
#define IDC_ALT_KEYS 1005
#define IDC_OK 1006
#define IDC_CANCEL 1007
// The frame's "Host compatibility" box: the same id in every module.
#define IDC_HOST_COMPATIBILITY 1020
