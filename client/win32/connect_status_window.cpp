#include "connect_status_window.h"

#include "client_app.h"
#include "display_messages.h"
#include "info_windows.h"
#include "version.h"

namespace korvane {

namespace {

constexpr int kStopButton = 1;
constexpr int kWidth = 300, kHeight = 200;

struct StatusWindow {
  InfoFonts fonts;
};

StatusWindow& Status() {
  static StatusWindow status;
  return status;
}

void Paint(HWND window) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window, &paint);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
  InfoFonts& fonts = Status().fonts;
  DrawCentredText(window, dc, fonts.large, 10, "Korvane");
  std::string version = std::string("Version ") + kVersion;
  DrawCentredText(window, dc, fonts.small, 45, version.c_str());
  DrawCentredText(window, dc, fonts.small, 75, "Attempting to connect...");
  EndPaint(window, &paint);
}

// Stop: the attempt is abandoned and the window ends.
void Stop(HWND window) {
  if (App().mainWindow) SendMessageA(App().mainWindow, WUM_CANCEL, 0, 0);
  DeleteInfoFonts(Status().fonts);
  DestroyWindow(window);
}

LRESULT CALLBACK StatusProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      CreateInfoFonts(Status().fonts);
      CentreWindow(window);
      return 0;
    case WM_PAINT:
      Paint(window);
      return 0;
    case WM_COMMAND:
      Stop(window);
      return 0;
    case WM_SYSCHAR:
      if (wParam == 's' || wParam == 'S') {
        Stop(window);
        return 0;
      }
      break;
    case WM_CLOSE:
      DeleteInfoFonts(Status().fonts);
      DestroyWindow(window);
      return 0;
    default:
      break;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

// The button takes the focus: Alt+S must reach the window from there too.
WNDPROC g_buttonProc = nullptr;
LRESULT CALLBACK StopButtonProc(HWND button, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_SYSCHAR && (wParam == 's' || wParam == 'S')) {
    Stop(GetParent(button));
    return 0;
  }
  return CallWindowProcA(g_buttonProc, button, message, wParam, lParam);
}

bool RegisterStatusClass() {
  WNDCLASSA existing;
  if (GetClassInfoA(App().instance, kConnectStatusClass, &existing)) return true;
  WNDCLASSA wc = {};
  wc.style = CS_HREDRAW | CS_VREDRAW | CS_NOCLOSE;
  wc.lpfnWndProc = StatusProc;
  wc.hInstance = App().instance;
  wc.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));  // IDC_ARROW
  wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
  wc.lpszClassName = kConnectStatusClass;
  return RegisterClassA(&wc) != 0;
}

}  // namespace

HWND OpenConnectStatus() {
  ClientApp& app = App();
  if (!RegisterStatusClass()) return nullptr;
  RECT main = {0, 0, 0, 0};
  if (app.mainWindow) GetWindowRect(app.mainWindow, &main);
  int left = main.left + (app.columns * app.cellWidth - kWidth) / 2;
  int top = main.top + ((app.rows + app.statusLines) * app.cellHeight - kHeight) / 2;
  HWND window = CreateWindowExA(0, kConnectStatusClass, "Connect", WS_OVERLAPPEDWINDOW | WS_VISIBLE, left, top, kWidth,
                                kHeight, nullptr, nullptr, app.instance, nullptr);
  if (!window) return nullptr;
  RECT client;
  GetClientRect(window, &client);
  HWND button = CreateWindowExA(0, "BUTTON", "&Stop", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON,
                                (client.right - 100) / 2, client.bottom - 40, 100, 30, window,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(kStopButton)), app.instance, nullptr);
  if (button) {
    SendMessageA(button, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), TRUE);
    g_buttonProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(button, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(StopButtonProc)));
  }
  ShowWindow(window, SW_SHOW);
  UpdateWindow(window);
  SetFocus(window);
  return window;
}

}  // namespace korvane
