// Stands in for Settings.exe in the installer's Wine tests while the build
// has none: the window "Korvane Setup" (class "KorSet") with "&OK" (exit 0)
// and "&Cancel" (exit 1), started in the installation directory.
#include <windows.h>

namespace {

LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COMMAND && (LOWORD(wParam) == 24 || LOWORD(wParam) == 25)) {
    PostQuitMessage(LOWORD(wParam) == 24 ? 0 : 1);
    return 0;
  }
  if (message == WM_CLOSE) {
    PostQuitMessage(1);
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  WNDCLASSA wc = {};
  wc.lpfnWndProc = Procedure;
  wc.hInstance = instance;
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = "KorSet";
  RegisterClassA(&wc);
  HWND window = CreateWindowA("KorSet", "Korvane Setup", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 600, 325, nullptr,
                              nullptr, instance, nullptr);
  CreateWindowA("Button", "&OK", WS_CHILD | WS_VISIBLE, 400, 250, 80, 26, window, reinterpret_cast<HMENU>(24), instance,
                nullptr);
  CreateWindowA("Button", "&Cancel", WS_CHILD | WS_VISIBLE, 490, 250, 80, 26, window, reinterpret_cast<HMENU>(25),
                instance, nullptr);
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
  return static_cast<int>(msg.wParam);
}
