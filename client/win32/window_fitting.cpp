#include "window_fitting.h"

#include <cstdio>
#include <string>
#include <vector>

#include "client_app.h"
#include "display_messages.h"
#include "font_loading.h"
#include "main_window.h"
#include "resource_ids.h"
#include "scrollback_bar.h"
#include "window_sizing.h"

namespace korvane {

namespace {

// Sizing calls nested inside the size handler (its own moves) go no deeper
// than this: a window Windows will not give the wanted size (a menu bar
// that wraps) must not fit for ever.
constexpr int kFitDepthLimit = 3;
int g_fitDepth = 0;

Rect WindowRectOf(HWND window) {
  RECT r = {};
  GetWindowRect(window, &r);
  return {r.left, r.top, r.right, r.bottom};
}

// Outer size of a window whose client area holds the grid (and the bar).
SIZE WindowSizeForGrid() {
  ClientApp& app = App();
  RECT area = {0, 0, app.screen.columns() * app.cellWidth + ScrollbackBarWidth(),
               app.screen.totalRows() * app.cellHeight};
  AdjustWindowRect(&area, WS_OVERLAPPEDWINDOW, TRUE);
  return {area.right - area.left, area.bottom - area.top};
}

void MoveWindowTo(HWND window, int x, int y, int width, int height) {
  SetWindowPos(window, nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void SendCursorRatio(HWND window) {
  SendMessageA(window, WUM_SETCURSOR, 0, static_cast<LPARAM>(App().display.cursorRatio()));
}

FitInput MeasureForFit(HWND window, WPARAM sizeType, int clientWidth, int clientHeight) {
  ClientApp& app = App();
  FitInput in;
  in.minimised = sizeType == SIZE_MINIMIZED;
  in.maximised = sizeType == SIZE_MAXIMIZED;
  in.clientWidth = clientWidth;
  in.clientHeight = clientHeight;
  in.window = WindowRectOf(window);
  in.frameX = GetSystemMetrics(SM_CXFRAME);
  in.frameY = GetSystemMetrics(SM_CYFRAME);
  in.screenWidth = app.screenWidth;
  in.screenHeight = app.screenHeight;
  in.columns = app.screen.columns();
  in.totalRows = app.screen.totalRows();
  in.cellWidth = app.cellWidth;
  in.cellHeight = app.cellHeight;
  in.barWidth = ScrollbackBarWidth();
  return in;
}

void ApplyFit(HWND window, const FitPlan& plan) {
  ClientApp& app = App();
  if (plan.setCell) {
    app.cellWidth = plan.cellWidth;
    app.cellHeight = plan.cellHeight;
  }
  ResizeFonts(plan.wantHeight, plan.wantWidth);
  app.log.Event("    Font size now %d x %d\n", app.cellWidth, app.cellHeight);
  if (app.maximised) {
    SendCursorRatio(window);
    app.log.Event("    IsMaximized already\n");
    return;
  }
  app.log.Event("    turn off isMaximized\n");
  SIZE size = WindowSizeForGrid();
  Rect placed = KeepCentre(WindowRectOf(window), size.cx, size.cy);
  MoveWindowTo(window, placed.left, placed.top, size.cx, size.cy);
  SendCursorRatio(window);
}

void ResizeGridTo(int rows, int columns, int statusLines) {
  App().display.ResizeGrid(rows, columns, statusLines);
}

BOOL CALLBACK CollectClientWindow(HWND window, LPARAM list) {
  char name[64];
  if (GetClassNameA(window, name, sizeof name) && lstrcmpA(name, kMainWindowClass) == 0)
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
  return TRUE;
}

}  // namespace

void FitFontToWindow(HWND window, WPARAM sizeType, int clientWidth, int clientHeight) {
  ClientApp& app = App();
  if (!app.screen.IsAllocated() || g_fitDepth >= kFitDepthLimit) return;
  ++g_fitDepth;
  FitPlan plan = PlanFontFit(MeasureForFit(window, sizeType, clientWidth, clientHeight), app.fonts, app.log);
  app.minimised = plan.action == FitPlan::Action::kMinimised;
  if (!app.minimised) {
    app.maximised = sizeType == SIZE_MAXIMIZED;
    EnableSizingCommands(plan.sizingCommandsEnabled);
  }
  switch (plan.action) {
    case FitPlan::Action::kPlaceMaximised: {
      const Rect& r = plan.maximisedWindow;
      MoveWindowTo(window, r.left, r.top, r.Width(), r.Height());
      break;
    }
    case FitPlan::Action::kResize:
      ApplyFit(window, plan);
      break;
    default:
      break;
  }
  --g_fitDepth;
}

void OnBiggerCommand(HWND window) {
  App().log.Event("BIGGER Command\n");
  Rect r = WindowRectOf(window);
  MoveWindowTo(window, r.left, r.top, r.Width() + 1, r.Height() + 1);
}

void OnSmallerCommand(HWND window) {
  App().log.Event("SMALLER Command\n");
  Rect r = WindowRectOf(window);
  MoveWindowTo(window, r.left, r.top, r.Width() - 5, r.Height() - 5);
}

void OnCenterCommand(HWND window) {
  ClientApp& app = App();
  Rect r = WindowRectOf(window);
  SetWindowPos(window, nullptr, (app.screenWidth - r.Width()) / 2, (app.screenHeight - r.Height()) / 2, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void OnGridCommand(int id) {
  const ScreenModel& screen = App().screen;
  int statusLines = screen.statusLines();
  switch (id) {
    case CMD_ROWS_24: ResizeGridTo(24, 0, statusLines); break;
    case CMD_ROWS_25: ResizeGridTo(25, 0, 0); break;
    case CMD_ROWS_42: ResizeGridTo(42, 0, statusLines); break;
    case CMD_ROWS_43: ResizeGridTo(43, 0, 0); break;
    case CMD_ROWS_50: ResizeGridTo(50, 0, statusLines); break;
    case CMD_COLS_80: ResizeGridTo(0, 80, statusLines); break;
    case CMD_COLS_132: ResizeGridTo(0, 132, statusLines); break;
    case CMD_LABEL_LINE: ResizeGridTo(screen.rows(), screen.columns(), screen.HasStatusLine() ? 0 : 1); break;
    default: break;
  }
}

void OnFontCommand(HWND window, int id) {
  ClientApp& app = App();
  FontSizing& fonts = app.fonts;
  bool changed = false;
  switch (id) {
    case CMD_ANSI_FONT: changed = fonts.typeface != 1; fonts.typeface = 1; break;
    case CMD_ASCII_FONT: changed = fonts.typeface != 0; fonts.typeface = 0; break;
    case CMD_SERIF_FONT: changed = !fonts.serif; fonts.serif = true; break;
    case CMD_SANS_FONT: changed = fonts.serif; fonts.serif = false; break;
    default: break;
  }
  if (!changed) return;
  ResizeFonts(app.cellHeight, app.cellWidth);
  InvalidateRect(window, nullptr, TRUE);
  UpdateFontMenus();
}

void OnTileCommand(HWND window) {
  if (CountOtherClientWindows() == 0) return;
  std::vector<HWND> windows;
  EnumWindows(CollectClientWindow, reinterpret_cast<LPARAM>(&windows));
  const int count = static_cast<int>(windows.size());
  for (int i = 0; i < count; ++i) {
    DWORD_PTR ignored = 0;
    // Another copy that hangs must not hang this one.
    if (windows[i] == window)
      SendMessageA(window, WUM_TILE, static_cast<WPARAM>(i + 1), count);
    else
      SendMessageTimeoutA(windows[i], WUM_TILE, static_cast<WPARAM>(i + 1), count, SMTO_ABORTIFHUNG, 5000, &ignored);
  }
}

void TileWindow(HWND window, int position, int count) {
  ClientApp& app = App();
  if (count <= 1) {
    MessageBeep(0);
    return;
  }
  // A maximised or minimised window takes its tile as a normal one.
  if (IsZoomed(window) || IsIconic(window)) ShowWindow(window, SW_RESTORE);
  TilePlan plan = PlanTile(position, count, app.screenWidth, app.screenHeight, app.frameExtraWidth,
                           app.frameExtraHeight, app.screen.columns(), app.screen.totalRows());
  CellSize cell = TileCell(app.fonts, plan);
  ResizeFonts(cell.height, cell.width);
  SIZE size = WindowSizeForGrid();
  Point at = TileOrigin(plan, size.cx, size.cy, app.screenWidth, app.screenHeight);
  MoveWindowTo(window, at.x, at.y, size.cx, size.cy);
  SendCursorRatio(window);
}

void StartFurtherCopy(HWND window) {
  ClientApp& app = App();
  Rect r = WindowRectOf(window);
  int left = r.left + app.frameExtraHeight, top = r.top + app.frameExtraHeight;
  char size[48];
  if (app.maximised)
    std::snprintf(size, sizeof size, " -XM");
  else
    std::snprintf(size, sizeof size, " -X%d,%d,%d", top, left, app.cellWidth);
  std::string line = app.newInstanceCommandLine + size;
  app.log.Event("New Instance string: %s\n", line.c_str());
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = static_cast<WORD>(app.howToShow);
  PROCESS_INFORMATION process = {};
  std::vector<char> buffer(line.begin(), line.end());
  buffer.push_back('\0');
  if (CreateProcessA(nullptr, buffer.data(), nullptr, nullptr, FALSE, CREATE_NEW_PROCESS_GROUP, nullptr, nullptr,
                     &startup, &process)) {
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
  }
}

}  // namespace korvane
