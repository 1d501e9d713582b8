#include "main_window.h"

#include "banner_window.h"
#include "client_app.h"
#include "colour_dialog.h"
#include "display_messages.h"
#include "font_loading.h"
#include "hosts_dialog.h"
#include "module_binding.h"
#include "resource_ids.h"
#include "screen_window.h"
#include "socket_connection.h"
#include "term_definition.h"
#include "window_commands.h"
#include "window_placement.h"

namespace korvane {

namespace {

LRESULT OnCommand(HWND window, int id) {
  if (id < CMD_FIRST || id > CMD_LAST) return 0;
  switch (id) {
    case CMD_EXIT:
      SendMessageA(window, WUM_CLOSE, 0, 0);
      break;
    case CMD_SCREEN_COLORS:
      // Done stores Settings\colors and sends WM_SYSCOLORCHANGE, which reloads and repaints.
      OpenColourDialog({App().instance, window, IDI_KORVANE, false, true, false, "korvane.hlp", &App().store});
      break;
    case CMD_FUNCTION_KEYS:
      ModulePgmPfKeys(1);
      SetFocus(window);
      break;
    default:
      break;
  }
  return 0;
}

// The window procedure hands each message to the subsystem that owns it:
// the screen (display messages, painting), the connection, then the
// window's own commands and sizing.
LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  // A module calls this procedure directly while it takes in host data; a
  // message after the window is gone gets what SendMessageA would give.
  static bool gone = false;
  if (gone) return 0;
  if (message == WM_NCDESTROY) gone = true;
  ClientApp& app = App();
  LRESULT result = 0;
  if (HandleScreenMessage(window, message, wParam, lParam, result)) return result;
  if (HandleConnectionMessage(window, message, wParam, lParam, result)) return result;
  if (HandleWindowMessage(window, message, wParam, lParam, result)) return result;
  switch (message) {
    case WM_CREATE:
      return 0;
    case WM_COMMAND:
      return OnCommand(window, LOWORD(wParam));
    case WM_CLOSE:
      CloseMainWindow(window);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      break;
  }
  if (message > WUM_USER && message < 0x8000)
    app.log.Event("Unhandled WUM_USER window message: WUM_USER+%d\n", static_cast<int>(message - WUM_USER));
  return DefWindowProcA(window, message, wParam, lParam);
}

int RegisterMainClass() {
  WNDCLASSA wc = {};
  wc.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
  wc.lpfnWndProc = MainWindowProc;
  wc.hInstance = App().instance;
  wc.hIcon = LoadIconA(App().instance, MAKEINTRESOURCEA(IDI_KORVANE));
  wc.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));  // IDC_ARROW
  wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
  wc.lpszMenuName = MAKEINTRESOURCEA(IDM_MAIN);
  wc.lpszClassName = kMainWindowClass;
  if (!RegisterClassA(&wc)) {
    KV_ERROR(kSystemError, 1103, GetLastError(), "Couldn't register Window Class");
    return 1001;
  }
  return 0;
}

BOOL CALLBACK CountOthers(HWND window, LPARAM counter) {
  char name[64];
  if (window != App().mainWindow && GetClassNameA(window, name, sizeof name) && lstrcmpA(name, kMainWindowClass) == 0)
    ++*reinterpret_cast<int*>(counter);
  return TRUE;
}

}  // namespace

int CountOtherClientWindows() {
  int count = 0;
  EnumWindows(CountOthers, reinterpret_cast<LPARAM>(&count));
  return count;
}

int CreateMainWindow(int showCommand) {
  ClientApp& app = App();
  ClientConfig& config = app.config;
  RecordLog& log = app.log;

  if (config.autoConnect && (!config.host || config.host->empty())) config.autoConnect = false;

  AllocateScreen();
  if (int result = RegisterMainClass()) return result;

  auto lastSize = ReadText(app.store, "Terms\\" + config.termName, "LastSize");
  InitialSize initial = ChooseInitialSize(config, lastSize, app.cellWidth, showCommand, SizeAvailable, log);

  SelectFontSize(2 * initial.cellWidth, initial.cellWidth, 1);
  int gridWidth = app.columns * app.cellWidth;
  int gridHeight = (app.rows + app.statusLines) * app.cellHeight;
  RECT area = {0, 0, gridWidth + (config.scrollbackBar ? GetSystemMetrics(SM_CXVSCROLL) : 0), gridHeight};
  log.Event("Actual screen font set to %d width\n", app.cellWidth);
  AdjustWindowRect(&area, WS_OVERLAPPEDWINDOW, TRUE);

  Point at = InitialWindowPosition(config, gridWidth, gridHeight, app.screenWidth, app.screenHeight,
                                   ReadText(app.store, "Defaults", "atx"), ReadText(app.store, "Defaults", "aty"));

  app.mainWindow = CreateWindowExA(0, kMainWindowClass, "Korvane [unconnected]", WS_OVERLAPPEDWINDOW, at.x, at.y,
                                   area.right - area.left, area.bottom - area.top, nullptr, nullptr, app.instance,
                                   nullptr);
  if (!app.mainWindow) {
    KV_ERROR(kSystemError, 1104, GetLastError(), "Couldn't create Main Window");
    return 1001;
  }

  SetMenuCheck(CMD_LOCAL_ECHO, config.localEcho);
  SetMenuCheck(CMD_RECORD_EVENTS, log.recordEvents);
  SetMenuCheck(CMD_MONITOR_IO, log.recordIO);
  UpdateFontMenus();

  InitModuleWithWindow(app.mainWindow);

  ShowWindow(app.mainWindow, SW_HIDE);
  app.howToShow = initial.showCommand;
  log.Event("Set HowToShow initially to %d\n", app.howToShow);

  LoadHostsFile();

  if (config.suppressBanner || CountOtherClientWindows() > 0 || app.bannerFailed || !BannerIsOpen())
    BringMainWindowUp();
  return 0;
}

void BringMainWindowUp() {
  ClientApp& app = App();
  if (app.mainShown || !app.mainWindow) return;
  app.mainShown = true;
  ShowWindow(app.mainWindow, app.howToShow);
  app.log.Event("BringMainToTop, HowToShow=%d\n", app.howToShow);
  // Posted: start-up (the init file above all) completes before the
  // connection, which may wait in the connect dialog.
  PostMessageA(app.mainWindow, WUM_CONNECT, 0, 0);
}

void SetConnectionMenu(bool connected) {
  HMENU menu = GetMenu(App().mainWindow);
  EnableMenuItem(menu, CMD_CONNECT, MF_BYCOMMAND | (connected ? MF_GRAYED : MF_ENABLED));
  EnableMenuItem(menu, CMD_DISCONNECT, MF_BYCOMMAND | (connected ? MF_ENABLED : MF_GRAYED));
}

void EnableSizingCommands(bool enabled) {
  HMENU menu = GetMenu(App().mainWindow);
  for (int id : {CMD_BIGGER, CMD_SMALLER, CMD_CENTER, CMD_TILE})
    EnableMenuItem(menu, id, MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
}

void SetMenuCheck(int id, bool checked) {
  MENUITEMINFOA info = {};
  info.cbSize = sizeof info;
  info.fMask = MIIM_STATE;
  GetMenuItemInfoA(GetMenu(App().mainWindow), id, FALSE, &info);
  info.fState = checked ? (info.fState | MFS_CHECKED) : (info.fState & ~MFS_CHECKED);
  SetMenuItemInfoA(GetMenu(App().mainWindow), id, FALSE, &info);
}

bool IsMenuChecked(int id) {
  MENUITEMINFOA info = {};
  info.cbSize = sizeof info;
  info.fMask = MIIM_STATE;
  GetMenuItemInfoA(GetMenu(App().mainWindow), id, FALSE, &info);
  return (info.fState & MFS_CHECKED) != 0;
}

}  // namespace korvane
