// The "Program Function Keys" dialog and its controls.
#pragma once

#define IDD_PROGRAM_KEYS 101
#define IDC_KEY_LIST 1001
#define IDC_CONTENTS 1002
#define IDC_SESSION_ONLY 1003
#define IDC_RESET 1004
#define IDC_KEY_HELP 1005
