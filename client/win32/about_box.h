// The Help menu's windows: about box and contact dialog.
#pragma once

#include <windows.h>

namespace korvane {

void ShowAboutBox(HWND owner);
void ShowContactDialog(HWND owner);

}  // namespace korvane
