// Top-level windows of the installer: a given outer size, centred on the screen.
#pragma once

#include <windows.h>

namespace korvane {

HWND CreateCentredWindow(const char* className, const char* title, DWORD style, int width, int height,
                         HINSTANCE instance, void* creationData = nullptr);

}  // namespace korvane
