#include "mouse_selection.h"

#include <cstring>

#include "client_app.h"
#include "screen_selection.h"

namespace korvane {

namespace {

// The rectangle anchor..current inverted: drawing it twice leaves nothing.
void InvertFrame(HDC dc) {
  const ClientApp::Selection& s = App().selection;
  int oldMode = SetROP2(dc, R2_NOT);
  HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
  Rectangle(dc, s.anchor.x, s.anchor.y, s.current.x, s.current.y);
  SelectObject(dc, oldBrush);
  SetROP2(dc, oldMode);
}

void InvertFrame(HWND window) {
  HDC dc = GetDC(window);
  if (!dc) return;
  InvertFrame(dc);
  ReleaseDC(window, dc);
}

void EndSelecting() {
  ReleaseCapture();
  SetCursor(LoadCursorA(nullptr, MAKEINTRESOURCEA(32512)));  // IDC_ARROW
  App().selection.active = false;
}

void SetCrossCursor() { SetCursor(LoadCursorA(nullptr, MAKEINTRESOURCEA(32515))); }  // IDC_CROSS

}  // namespace

bool IsSelecting() { return App().selection.active; }

void OnSelectionButtonDown(HWND window, POINT at) {
  ClientApp& app = App();
  if (app.selection.active) return;
  Point snapped = SnapToCell({at.x, at.y}, app.cellWidth, app.cellHeight);
  app.selection.anchor = app.selection.current = POINT{snapped.x, snapped.y};
  InvertFrame(window);
  SetCapture(window);
  SetCrossCursor();
  app.selection.active = true;
}

void OnSelectionMouseMove(HWND window, POINT at) {
  ClientApp& app = App();
  if (!app.selection.active) return;
  SetCrossCursor();
  InvertFrame(window);
  app.selection.current = at;
  InvertFrame(window);
}

void OnSelectionButtonUp(HWND window, POINT at) {
  ClientApp& app = App();
  if (!app.selection.active) return;
  InvertFrame(window);
  Point anchor{app.selection.anchor.x, app.selection.anchor.y};
  Rect r = SelectionRectangle(anchor, {at.x, at.y}, app.cellWidth, app.cellHeight);
  EndSelecting();
  InvalidateRect(window, nullptr, TRUE);
  CopySelectionText(r.left, r.top, r.right, r.bottom);
}

void CancelSelection(HWND window) {
  if (!App().selection.active) return;
  InvertFrame(window);
  EndSelecting();
}

void RedrawSelection(HDC dc) {
  if (App().selection.active) InvertFrame(dc);
}

void CopySelectionText(int x1, int y1, int x2, int y2) {
  ClientApp& app = App();
  // Less than a cell either way selects nothing: the clipboard stays as it is.
  if (app.cellWidth <= 0 || app.cellHeight <= 0 || (x2 - x1) / app.cellWidth <= 0 || (y2 - y1) / app.cellHeight <= 0)
    return;
  std::string text = SelectionText(app.screen, x1, y1, x2, y2, app.cellWidth, app.cellHeight);
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
  void* bytes = block ? GlobalLock(block) : nullptr;
  if (!bytes) {
    if (block) GlobalFree(block);
    MessageBeep(0);
    return;
  }
  std::memcpy(bytes, text.c_str(), text.size() + 1);
  GlobalUnlock(block);
  if (!OpenClipboard(app.mainWindow)) {
    GlobalFree(block);
    return;
  }
  EmptyClipboard();
  if (!SetClipboardData(CF_TEXT, block)) GlobalFree(block);  // the clipboard owns it once set
  CloseClipboard();
}

}  // namespace korvane
