// The start-up banner: a picture with the product name and version, shown
// while the client starts. It goes when both its 2.5 s have passed and
// start-up has finished, and its going brings the main window up.
#include "banner_window.h"

#include <string>

#include "banner_closing.h"
#include "client_app.h"
#include "display_messages.h"
#include "info_windows.h"
#include "main_window.h"
#include "resource_ids.h"
#include "version.h"

namespace korvane {

namespace {

constexpr char kBannerClass[] = "KorvaneBanner";
constexpr int kWidth = 320, kHeight = 240;
constexpr UINT_PTR kTimerId = 1;
constexpr UINT kMinimumShowing = 2500;  // ms

struct Banner {
  HWND window = nullptr;
  HBITMAP picture = nullptr;
  HFONT title = nullptr, version = nullptr;
  BannerClosing closing;
};

Banner& TheBanner() {
  static Banner banner;
  return banner;
}

HFONT BannerFont(int height, bool underline) {
  return CreateFontA(height, 0, 0, 0, FW_BOLD, FALSE, underline, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                     CLIP_DEFAULT_PRECIS, PROOF_QUALITY, DEFAULT_PITCH | FF_SWISS, "Arial");
}

// The 16-colour picture on a display of fewer than 8 bits per pixel.
HBITMAP LoadPicture() {
  HDC screen = GetDC(nullptr);
  int bits = GetDeviceCaps(screen, BITSPIXEL) * GetDeviceCaps(screen, PLANES);
  ReleaseDC(nullptr, screen);
  int id = bits < 8 ? IDB_BANNER_16 : IDB_BANNER;
  return static_cast<HBITMAP>(LoadImageA(App().instance, MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, 0));
}

void Paint(HWND window) {
  Banner& banner = TheBanner();
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window, &paint);
  if (banner.picture) {
    HDC memory = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(memory, banner.picture);
    BitBlt(dc, 0, 0, kWidth, kHeight, memory, 0, 0, SRCCOPY);
    SelectObject(memory, old);
    DeleteDC(memory);
  }
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(255, 255, 64));
  DrawCentredText(window, dc, banner.title, 18, "Korvane");
  std::string version = std::string("Version ") + kVersion;
  DrawCentredText(window, dc, banner.version, 60, version.c_str());
  EndPaint(window, &paint);
}

void CloseWhen(bool ready) {
  if (ready && TheBanner().window) DestroyWindow(TheBanner().window);
}

void Release(Banner& banner) {
  for (HGDIOBJ* object : {reinterpret_cast<HGDIOBJ*>(&banner.picture), reinterpret_cast<HGDIOBJ*>(&banner.title),
                          reinterpret_cast<HGDIOBJ*>(&banner.version)}) {
    if (*object) DeleteObject(*object);
    *object = nullptr;
  }
  banner.window = nullptr;
}

LRESULT CALLBACK BannerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  Banner& banner = TheBanner();
  switch (message) {
    case WM_CREATE:
      banner.window = window;
      SetTimer(window, kTimerId, kMinimumShowing, nullptr);
      banner.picture = LoadPicture();
      banner.title = BannerFont(-32, true);
      banner.version = BannerFont(-16, false);
      return 0;
    case WM_PAINT:
      Paint(window);
      return 0;
    case WM_TIMER:
      if (wParam != kTimerId) break;
      KillTimer(window, kTimerId);
      CloseWhen(banner.closing.TimerElapsed());
      return 0;
    case WUM_CLOSE:  // start-up is done
      CloseWhen(banner.closing.StartupDone());
      return 0;
    case WM_DESTROY:
      KillTimer(window, kTimerId);
      Release(banner);
      BringMainWindowUp();
      return 0;
    default:
      break;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

bool RegisterBannerClass() {
  WNDCLASSA existing;
  if (GetClassInfoA(App().instance, kBannerClass, &existing)) return true;
  WNDCLASSA wc = {};
  wc.lpfnWndProc = BannerProc;
  wc.hInstance = App().instance;
  wc.hIcon = LoadIconA(nullptr, MAKEINTRESOURCEA(32512));    // IDI_APPLICATION
  wc.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));  // IDC_ARROW
  wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  wc.lpszClassName = kBannerClass;
  return RegisterClassA(&wc) != 0;
}

}  // namespace

int ShowBanner() {
  ClientApp& app = App();
  if (app.config.suppressBanner || CountOtherClientWindows() > 0) return 0;
  if (!RegisterBannerClass()) {
    KV_ERROR(kSystemError, 1103, GetLastError(), "Unable to register window class for banner");
    return 1001;
  }
  int x = (GetSystemMetrics(SM_CXSCREEN) - kWidth) / 2, y = (GetSystemMetrics(SM_CYSCREEN) - kHeight) / 2;
  HWND window = CreateWindowExA(0, kBannerClass, "Korvane Banner", WS_POPUP | WS_BORDER, x, y, kWidth, kHeight,
                                nullptr, nullptr, app.instance, nullptr);
  if (!window) {
    KV_ERROR(kSystemError, 1104, GetLastError(), "Unable to create banner window");
    return 1001;
  }
  ShowWindow(window, SW_SHOWNORMAL);
  UpdateWindow(window);
  return 0;
}

bool BannerIsOpen() { return TheBanner().window != nullptr; }

void BannerStartupDone() {
  if (App().mainWindow) SendMessageA(App().mainWindow, WUM_PLAYINIT, 0, 0);
  if (HWND banner = TheBanner().window) SendMessageA(banner, WUM_CLOSE, 0, 0);
}

}  // namespace korvane
