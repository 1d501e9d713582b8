// Start-up of Settings.exe.
#pragma once

#include <windows.h>

namespace korvane {

// "Can't find any term emulation dll's. Abort." in the "Installation Problem" box.
void ShowNoModuleBox(HWND owner);

}  // namespace korvane
