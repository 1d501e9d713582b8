// The "Connect" window shown while a connection attempt is under way, with
// its "&Stop" button.
#pragma once

#include <windows.h>

namespace korvane {

inline constexpr char kConnectStatusClass[] = "Connects";

// Opens the window (centred); nullptr when it cannot be made.
HWND OpenConnectStatus();

}  // namespace korvane
