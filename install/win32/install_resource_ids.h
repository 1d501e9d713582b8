#pragma once

// Icons in index order: the program (0), the uninstall link's (1), and the
// one drawn in the parameter window.
#define IDI_INSTALL 101
#define IDI_UNINSTALL 102
#define IDI_PRODUCT 103
