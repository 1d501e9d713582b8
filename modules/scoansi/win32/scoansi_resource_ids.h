// Controls of the SCO ANSI settings dialog (resource 101).
#pragma once

#define IDD_TERM_SETTINGS 101
#define IDC_ROWS 1000
#define IDC_COLUMNS 1001
#define IDC_OK 1002
#define IDC_CANCEL 1003
#define IDC_TERM_TYPE 1004
#define IDC_FONT_FAMILY 1007
// The frame's "Host compatibility" box: the same id in every module.
#define IDC_HOST_COMPATIBILITY 1020
