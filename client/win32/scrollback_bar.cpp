#include "scrollback_bar.h"

#include <algorithm>

#include "client_app.h"
#include "display_messages.h"
#include "font_loading.h"
#include "main_window.h"
#include "resource_ids.h"
#include "window_sizing.h"

namespace korvane {

namespace {

void RepaintAll() {
  ClientApp& app = App();
  app.surface.RepaintRows(0, app.screen.totalRows() - 1);
}

void EnterView() {
  ClientApp& app = App();
  if (!app.display.scrollbackView) {
    app.savedCursorRatio = app.display.cursorRatio();
    SendMessageA(app.mainWindow, WUM_SETCURSOR, 0, 0);
    app.display.scrollbackView = true;
  }
  RepaintAll();
}

void LeaveView() {
  ClientApp& app = App();
  bool wasShown = app.display.scrollbackView;
  app.display.scrollbackView = false;
  app.screen.SetScrollbackPosition(app.screen.scrollbackLines());
  RepaintAll();
  if (wasShown && app.display.cursorRatio() == 0)
    SendMessageA(app.mainWindow, WUM_SETCURSOR, 0, static_cast<LPARAM>(app.savedCursorRatio));
}

void CreateBar(HWND window) {
  ClientApp& app = App();
  int lines = app.screen.scrollbackLines();
  app.scrollbackBar = CreateWindowExA(0, "SCROLLBAR", "", WS_CHILD | WS_VISIBLE | WS_TABSTOP | SBS_VERT,
                                      app.screen.columns() * app.cellWidth, 0, app.scrollBarWidth,
                                      app.screen.totalRows() * app.cellHeight, window, nullptr, app.instance,
                                      nullptr);
  if (!app.scrollbackBar) return;
  SetScrollRange(app.scrollbackBar, SB_CTL, 0, lines, FALSE);
  SetScrollPos(app.scrollbackBar, SB_CTL, app.screen.scrollbackPosition(), TRUE);
}

void RemoveBar() {
  ClientApp& app = App();
  if (!app.scrollbackBar) return;
  if (app.display.scrollbackView) LeaveView();
  SendMessageA(app.scrollbackBar, WM_CLOSE, 0, 0);
  if (IsWindow(app.scrollbackBar)) DestroyWindow(app.scrollbackBar);  // a scroll bar ignores WM_CLOSE
  app.scrollbackBar = nullptr;
}

// The maximised window cannot grow: a smaller font makes room for the bar.
void ShrinkFontForBar(HWND window) {
  ClientApp& app = App();
  int width = (app.screenWidth - ScrollbackBarWidth()) / std::max(1, app.columns);
  int height = 2 * width;
  app.fonts.FindFontLE(width, height);
  ResizeFonts(height, width);
  InvalidateRect(window, nullptr, TRUE);
}

}  // namespace

int ScrollbackBarWidth() { return App().config.scrollbackBar ? App().scrollBarWidth : 0; }

void SyncScrollbackBar(HWND window) {
  ClientApp& app = App();
  if (!app.config.scrollbackBar) return RemoveBar();
  if (!app.scrollbackBar) CreateBar(window);
  if (app.scrollbackBar)
    SetWindowPos(app.scrollbackBar, nullptr, app.screen.columns() * app.cellWidth, 0, app.scrollBarWidth,
                 app.screen.totalRows() * app.cellHeight, SWP_NOZORDER | SWP_NOACTIVATE);
}

void ToggleScrollbackBar(HWND window) {
  ClientApp& app = App();
  app.config.scrollbackBar = !app.config.scrollbackBar;
  SetMenuCheck(CMD_SCROLLBACK, app.config.scrollbackBar);
  RECT r;
  GetWindowRect(window, &r);
  int width = r.right - r.left + (app.config.scrollbackBar ? app.scrollBarWidth : -app.scrollBarWidth);
  if (app.maximised && width > app.screenWidth)
    ShrinkFontForBar(window);
  else
    SetWindowPos(window, nullptr, 0, 0, width, r.bottom - r.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  SyncScrollbackBar(window);
}

void OnScrollbackScroll(HWND window, int code, int thumb) {
  ClientApp& app = App();
  if (!app.scrollbackBar) return;
  int lines = app.screen.scrollbackLines();
  int position = app.screen.scrollbackPosition();
  int target = ScrollbackTarget(code, thumb, position, app.screen.rows(), lines);
  if (target != position) {
    SetScrollPos(app.scrollbackBar, SB_CTL, target, TRUE);
    app.screen.SetScrollbackPosition(target);
    if (target < lines)
      EnterView();
    else
      LeaveView();
  }
  SetFocus(window);
}

void EndScrollbackView() {
  ClientApp& app = App();
  if (app.scrollbackBar) SetScrollPos(app.scrollbackBar, SB_CTL, app.screen.scrollbackLines(), TRUE);
  LeaveView();
}

}  // namespace korvane
