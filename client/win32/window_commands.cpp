#include "window_commands.h"

#include <cstring>
#include <string>

#include "about_box.h"
#include "client_app.h"
#include "display_messages.h"
#include "keyboard_input.h"
#include "local_echo.h"
#include "main_window.h"
#include "mouse_selection.h"
#include "program_info.h"
#include "resource_ids.h"
#include "screen_printing.h"
#include "scrollback_bar.h"
#include "socket_connection.h"
#include "window_fitting.h"

namespace korvane {

namespace {

constexpr UINT_PTR kKillerTimerId = 89;
constexpr UINT kKillerDelayMs = 500;
constexpr char kHelpFile[] = "korvane.hlp";

// Clipboard text goes to the host as typed, shown first with local echo.
void PasteTextToSession(HWND window) {
  ClientApp& app = App();
  if (!OpenClipboard(window)) return;
  if (HANDLE data = GetClipboardData(CF_TEXT)) {
    if (auto* text = static_cast<const char*>(GlobalLock(data))) {
      // The text ends at its NUL, and never past the block.
      size_t size = GlobalSize(data);
      size_t length = size ? strnlen(text, size) : 0;
      std::string copy(text, length);
      GlobalUnlock(data);
      const auto* bytes = reinterpret_cast<const unsigned char*>(copy.data());
      if (app.config.localEcho) EchoLocally(app.connection.display, bytes, static_cast<int>(copy.size()));
      app.queue.QueueThese(bytes, static_cast<int>(copy.size()));
    }
  }
  CloseClipboard();
}

// Toggle commands flip the mark and the flag together.
bool Toggle(int id) {
  bool on = !IsMenuChecked(id);
  SetMenuCheck(id, on);
  return on;
}

void OnToggleCommand(HWND window, int id) {
  ClientApp& app = App();
  bool on = Toggle(id);
  switch (id) {
    case CMD_LOCAL_ECHO: app.config.localEcho = on; break;
    case CMD_RECORD_EVENTS: app.log.recordEvents = on; break;
    case CMD_MONITOR_IO: app.log.recordIO = on; break;
    case CMD_POPUP_ON_IO:
      app.popupOnIo = on;
      if (on) ShowWindow(window, SW_MINIMIZE);
      break;
    case CMD_TRANSLATE_INTL: app.keys.useIntlKeyboard = app.config.useIntlKeyboard = on; break;
    default: break;
  }
}

bool OnMenuCommand(HWND window, int id) {
  switch (id) {
    case CMD_PRINT_SCREEN: PrintScreen(); break;
    case CMD_PASTE: PasteTextToSession(window); break;
    case CMD_COPY_SCREEN: CopyScreenBitmap(); break;
    case CMD_LOCAL_ECHO: case CMD_RECORD_EVENTS: case CMD_MONITOR_IO: case CMD_POPUP_ON_IO:
    case CMD_TRANSLATE_INTL:
      OnToggleCommand(window, id);
      break;
    case CMD_BIGGER: OnBiggerCommand(window); break;
    case CMD_SMALLER: OnSmallerCommand(window); break;
    case CMD_CENTER: OnCenterCommand(window); break;
    case CMD_TILE: OnTileCommand(window); break;
    case CMD_ROWS_24: case CMD_ROWS_25: case CMD_ROWS_42: case CMD_ROWS_43: case CMD_ROWS_50:
    case CMD_COLS_80: case CMD_COLS_132: case CMD_LABEL_LINE:
      OnGridCommand(id);
      break;
    case CMD_SCROLLBACK: ToggleScrollbackBar(window); break;
    case CMD_ANSI_FONT: case CMD_ASCII_FONT: case CMD_SERIF_FONT: case CMD_SANS_FONT:
      OnFontCommand(window, id);
      break;
    case CMD_ABOUT: ShowAboutBox(window); break;
    case CMD_PROGRAM_INFO: ShowProgramInfoDialog(); break;
    case CMD_DOCUMENTATION:
      WinHelpA(window, kHelpFile, HELP_FINDER, 0);
      SetFocus(window);
      break;
    case CMD_CONTACT: ShowContactDialog(window); break;
    default: return false;
  }
  return true;
}

void OnInitMenu(HMENU menu) {
  ClientApp& app = App();
  EnableMenuItem(menu, CMD_PASTE, MF_BYCOMMAND | (IsClipboardFormatAvailable(CF_TEXT) ? MF_ENABLED : MF_GRAYED));
  app.displayHooks.UpdateGridMenuMarks();
  SetMenuCheck(CMD_SCROLLBACK, app.config.scrollbackBar);
  SetMenuCheck(CMD_TRANSLATE_INTL, app.keys.useIntlKeyboard);
}

// Timer 89: the close that waited for the connection to go.
void OnKillerTimer(HWND window) {
  KillTimer(window, kKillerTimerId);
  App().connection.CloseSocket();
  DestroyWindow(window);
}

void StoreWindowState(HWND window) {
  ClientApp& app = App();
  RECT r = {};
  WINDOWPLACEMENT placement = {};
  placement.length = sizeof placement;
  // A minimised window's own rectangle is off the screen: its normal place counts.
  if (IsIconic(window) && GetWindowPlacement(window, &placement))
    r = placement.rcNormalPosition;
  else
    GetWindowRect(window, &r);
  app.store.WriteText("Defaults", "atx", std::to_string(r.left));
  app.store.WriteText("Defaults", "aty", std::to_string(r.top));
  app.store.WriteText("Terms\\" + app.config.termName, "LastSize",
                      app.maximised ? std::string("MAX") : std::to_string(app.cellWidth));
}

POINT PointOf(LPARAM lParam) {
  return POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}

bool HandleMouseMessage(HWND window, UINT message, LPARAM lParam) {
  switch (message) {
    case WM_LBUTTONDOWN: OnSelectionButtonDown(window, PointOf(lParam)); return true;
    case WM_MOUSEMOVE:
      if (!IsSelecting()) return false;
      OnSelectionMouseMove(window, PointOf(lParam));
      return true;
    case WM_LBUTTONUP: OnSelectionButtonUp(window, PointOf(lParam)); return true;
    case WM_LBUTTONDBLCLK: StartFurtherCopy(window); return true;
    default: return false;
  }
}

bool Dispatch(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  ClientApp& app = App();
  if (HandleKeyboardMessage(window, message, wParam, result)) return true;
  if (HandleMouseMessage(window, message, lParam)) return true;
  switch (message) {
    case WM_CREATE:
      app.scrollBarWidth = GetSystemMetrics(SM_CXVSCROLL);
      SyncScrollbackBar(window);
      return false;  // the window's own creation goes on
    case WM_SIZE:
      FitFontToWindow(window, wParam, LOWORD(lParam), HIWORD(lParam));
      return true;
    case WM_INITMENU: OnInitMenu(reinterpret_cast<HMENU>(wParam)); return true;
    case WM_COMMAND: return OnMenuCommand(window, LOWORD(wParam));
    case WM_VSCROLL:
      if (reinterpret_cast<HWND>(lParam) != app.scrollbackBar || !lParam) return false;
      OnScrollbackScroll(window, LOWORD(wParam), static_cast<short>(HIWORD(wParam)));
      return true;
    case WM_TIMER:
      if (wParam != kKillerTimerId) return false;
      OnKillerTimer(window);
      return true;
    case WUM_ENDSCROLLBACK: EndScrollbackView(); return true;
    case WUM_TILE: TileWindow(window, static_cast<int>(wParam), static_cast<int>(lParam)); return true;
    default: return false;
  }
}

}  // namespace

bool HandleWindowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  result = 0;
  try {
    return Dispatch(window, message, wParam, lParam, result);
  } catch (...) {
    return true;  // nothing leaves the window procedure
  }
}

void CloseMainWindow(HWND window) {
  ClientApp& app = App();
  if (!MayCloseWindow(window)) return;
  ShutdownConnection();
  SetConnectionMenu(app.connection.Socket() != 0);
  StoreWindowState(window);
  WinHelpA(window, kHelpFile, HELP_QUIT, 0);
  if (app.connection.Socket() && SetTimer(window, kKillerTimerId, kKillerDelayMs, nullptr)) return;
  DestroyWindow(window);
}

}  // namespace korvane
