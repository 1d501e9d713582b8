// The terminal definition of Terms\<name> and its emulation module.
#pragma once

#include <windows.h>

namespace korvane {

// Start-up: 0, 1001, 1007 or the module's first dll_Init result.
int LoadTermDefinition();
// The second dll_Init call, giving the module the main window.
void InitModuleWithWindow(HWND window);

}  // namespace korvane
