// Controls of the VT100 settings dialog (resource 101).
#pragma once

#define IDD_TERM_SETTINGS 101
#define IDC_CANCEL 1001
#define IDC_OK 1002
#define IDC_ROWS 1003
#define IDC_COLUMNS 1006
#define IDC_LABEL_LINE 1007
#define IDC_TERM_TYPE 1013
// The frame's "Host compatibility" box: the same id in every module.
#define IDC_HOST_COMPATIBILITY 1020
