#include "centred_window.h"

namespace korvane {

HWND CreateCentredWindow(const char* className, const char* title, DWORD style, int width, int height,
                         HINSTANCE instance, void* creationData) {
  int x = (GetSystemMetrics(SM_CXSCREEN) - width) / 2, y = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
  return CreateWindowExA(0, className, title, style, x, y, width, height, nullptr, nullptr, instance, creationData);
}

}  // namespace korvane
