#include "screen_surface.h"

#include <algorithm>

#include "client_app.h"
#include "main_window.h"
#include "mouse_selection.h"
#include "resource_ids.h"
#include "scrollback_bar.h"

namespace korvane {

namespace {

void CALLBACK BlinkTimerProc(HWND, UINT, UINT_PTR, DWORD) {
  try {
    App().surface.BlinkTick();
  } catch (...) {
    // nothing leaves a timer procedure
  }
}

void CALLBACK FrameTimerProc(HWND, UINT, UINT_PTR, DWORD) {
  try {
    App().surface.PaintFrame(false);
  } catch (...) {
    // nothing leaves a timer procedure
  }
}

}  // namespace

int Win32Surface::CellWidth() const { return std::max(1, App().cellWidth); }
int Win32Surface::CellHeight() const { return std::max(1, App().cellHeight); }

// ---- drawing ----

void Win32Surface::DrawRun(int row, int column, const char* text, int count, uint32_t attributeIndex) {
  if (!window_) return;
  // Doubled characters take two cells each.
  if (batching_) return MarkStale(row, row, column, column + 2 * std::max(count, 1) - 1);
  FlushDeferred();
  HDC dc = GetDC(window_);
  drawer_.Draw(dc, App().painter.WrittenRun(row, column, text, count, attributeIndex));
  ReleaseDC(window_, dc);
}

void Win32Surface::FillCells(const CellRect& cells, int32_t background) {
  if (!window_) return;
  if (batching_) return MarkStale(cells.top, cells.bottom, cells.left, cells.right);
  FlushDeferred();
  RECT area = {cells.left * CellWidth(), cells.top * CellHeight(), (cells.right + 1) * CellWidth(),
               (cells.bottom + 1) * CellHeight()};
  HDC dc = GetDC(window_);
  FillRect(dc, &area, BrushFor(background));
  ReleaseDC(window_, dc);
}

void Win32Surface::RepaintRows(int top, int bottom) {
  if (!window_) return;
  if (batching_) return MarkStale(top, bottom);
  FlushDeferred();
  HDC dc = GetDC(window_);
  PaintRows(dc, 0, top, bottom);
  ReleaseDC(window_, dc);
}

void Win32Surface::PaintRows(HDC dc, int left, int top, int bottom) {
  if (App().display.scrollbackView)
    PaintScrollbackRows(dc, left, top, bottom, false);
  else
    PaintLiveRows(dc, left, top, bottom);
  if (IsSelecting()) {
    // The repainted cells lost their part of the selection's frame.
    int saved = SaveDC(dc);
    IntersectClipRect(dc, left * CellWidth(), top * CellHeight(), App().screen.columns() * CellWidth(),
                      (bottom + 1) * CellHeight());
    RedrawSelection(dc);
    RestoreDC(dc, saved);
  }
}

// Scrolling the pixels of a block of whole rows costs one copy instead of
// drawing every run again.
bool Win32Surface::MoveRows(int top, int bottom, int lines) {
  if (!window_) return true;
  // Deferred: the whole block is painted from the model at the frame.
  if (batching_) return MarkStale(top, bottom), true;
  FlushDeferred();
  // Moved pixels would carry the selection's inverted frame with them.
  if (IsSelecting()) return false;
  RECT pending;
  // Pixels still waiting for WM_PAINT are not the model's: they must not move.
  if (GetUpdateRect(window_, &pending, FALSE)) return false;
  HDC dc = GetDC(window_);
  if (!dc) return false;
  bool moved = CopyRows(dc, top, bottom, lines);
  ReleaseDC(window_, dc);
  return moved;
}

// The pixel copy; pixels that could not be copied (covered or off the
// screen) come from the model. The rows that opened are the caller's.
bool Win32Surface::CopyRows(HDC dc, int top, int bottom, int lines) {
  const int cw = CellWidth(), ch = CellHeight();
  RECT block = {0, top * ch, App().screen.columns() * cw, (bottom + 1) * ch};
  HRGN exposed = CreateRectRgn(0, 0, 0, 0);
  bool moved = exposed && ScrollDC(dc, 0, -lines * ch, &block, &block, exposed, nullptr);
  RECT box = {};
  int kind = moved ? GetRgnBox(exposed, &box) : NULLREGION;
  if (exposed) DeleteObject(exposed);
  if (kind == SIMPLEREGION || kind == COMPLEXREGION) {
    int openedTop = lines > 0 ? bottom - lines + 1 : top, openedBottom = lines > 0 ? bottom : top - lines - 1;
    int first = std::max(top, static_cast<int>(box.top) / ch);
    int last = std::min(bottom, static_cast<int>(box.bottom - 1) / ch);
    if (first < openedTop || last > openedBottom) PaintLiveRows(dc, 0, first, last);
  }
  return moved;
}

void Win32Surface::BeginBatch() { batching_ = true; }

void Win32Surface::EndBatch(bool moreWaiting) {
  if (!batching_) return;
  batching_ = false;
  if (window_ && !pacer_.PaintNow(moreWaiting, GetTickCount())) {
    // The caret stays hidden until the frame is painted.
    if (caretHideDeferred_) HideShownCaret();
    caretHideDeferred_ = false;
    if (!frameTimer_) frameTimer_ = SetTimer(window_, kFrameTimerId, FramePacer::kIntervalMs, FrameTimerProc) != 0;
    if (frameTimer_) return;
  }
  PaintFrame(!moreWaiting);
}

void Win32Surface::PaintFrame(bool burstEnded) {
  if (frameTimer_) {
    KillTimer(window_, kFrameTimerId);
    frameTimer_ = false;
  }
  if (caretHideDeferred_ && !(caretWanted_ && MoveShownCaret(burstEnded))) HideShownCaret();
  caretHideDeferred_ = false;
  FlushDeferred();
  pacer_.Painted(GetTickCount());
  if (caretWanted_) {
    caretWanted_ = false;
    ShowCaretAt(caretRow_, caretColumn_);
  }
}

// The frame of a block that moved a shown caret (every echoed key). The
// rows are painted first, and at the end of a burst handed to the screen,
// so that an echo shows before any caret work (during a flood the system
// hands them over often enough); then the caret is moved (the system
// inverting its old rectangle again and drawing it at the cursor over the
// new cells) and the old rectangle, if it was painted over, painted once
// more.
bool Win32Surface::MoveShownCaret(bool push) {
  if (!window_ || !hasCaret_ || !caretShown_ || !caretPlaced_) return false;
  PixelPoint at = CaretOrigin(caretRow_, caretColumn_, CellWidth(), CellHeight(), App().display.caretHeight());
  // In place, whether the caret is drawn at this moment of its blinking is
  // the system's secret: it is hidden for the painting instead.
  if (at.x == caretX_ && at.y == caretY_) return false;
  const RECT old = {caretX_, caretY_, caretX_ + caretWidth_, caretY_ + caretHeight_};
  auto rows = TakeStaleRows();
  PaintStaleRows(rows, nullptr);
  if (push) PushPixels();
  if (SetCaretPos(at.x, at.y)) {
    caretX_ = at.x;
    caretY_ = at.y;
    caretWanted_ = false;
  } else {
    HideShownCaret();  // shown again by the frame
  }
  PaintStaleRows(rows, &old);
  return true;
}

// Under Wine what is drawn reaches the X server when the thread next looks
// for messages; a wait of no time does that without taking any message
// (elsewhere it returns at once).
void Win32Surface::PushPixels() { MsgWaitForMultipleObjectsEx(0, nullptr, 0, QS_ALLINPUT, 0); }

void Win32Surface::MarkStale(int top, int bottom, int left, int right) {
  pacer_.Note(top, bottom, App().screen.totalRows(), left, right);
}

void Win32Surface::FlushDeferred() {
  auto rows = TakeStaleRows();
  if (rows.empty()) return;
  // Painting under a shown caret would leave its inverted cell behind.
  bool caretWasShown = caretShown_;
  if (caretWasShown) ::HideCaret(window_);
  PaintStaleRows(rows, nullptr);
  if (caretWasShown) ::ShowCaret(window_);
}

std::vector<std::pair<int, int>> Win32Surface::TakeStaleRows() {
  if (!pacer_.HasStale()) return {};
  staleLeft_ = pacer_.StaleLeft();
  staleRight_ = pacer_.StaleRight();
  auto rows = pacer_.TakeStaleRanges(App().screen.totalRows());
  if (!window_ || !App().screen.IsAllocated()) rows.clear();
  return rows;
}

void Win32Surface::PaintStaleRows(const std::vector<std::pair<int, int>>& rows, const RECT* only) {
  // Whole rows under a selection's frame (redrawn over the painted cells
  // only) or in the scrollback view.
  const bool wholeRows = IsSelecting() || App().display.scrollbackView;
  int left = staleLeft_, right = staleRight_;
  HDC dc = nullptr;
  for (auto [top, bottom] : rows) {
    if (only) {
      // The rectangle lies in one cell: that cell, if it was painted.
      const int row = only->top / CellHeight(), column = only->left / CellWidth();
      if (row < top || row > bottom || column < staleLeft_ || column > staleRight_) continue;
      top = bottom = row;
      left = right = column;
    }
    if (!dc) {
      dc = GetDC(window_);
      if (!dc) return;
      if (only) IntersectClipRect(dc, only->left, only->top, only->right, only->bottom);
    }
    if (wholeRows) {
      PaintRows(dc, 0, top, bottom);
    } else {
      DcCanvas canvas(drawer_, dc);
      App().painter.PaintLiveRows(left, top, bottom, canvas, right);
    }
  }
  if (!dc) return;
  if (only) SelectClipRgn(dc, nullptr);
  ReleaseDC(window_, dc);
}

void Win32Surface::InvalidateAll() {
  if (window_) InvalidateRect(window_, nullptr, TRUE);
}

void Win32Surface::FontsChanged() {
  drawer_.FontsChanged();
  InvalidateAll();
}

HBRUSH Win32Surface::BrushFor(int32_t colourIndex) {
  uint32_t colour = App().colours[colourIndex];
  if (!brush_ || colour != brushColour_) {
    if (brush_) DeleteObject(brush_);
    brush_ = CreateSolidBrush(colour);
    brushColour_ = colour;
  }
  return brush_ ? brush_ : static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
}

// ---- painting ----

void Win32Surface::PaintLiveRows(HDC dc, int left, int top, int bottom) {
  DcCanvas canvas(drawer_, dc);
  App().painter.PaintLiveRows(left, top, bottom, canvas);
}

void Win32Surface::PaintScrollbackRows(HDC dc, int left, int top, int bottom, bool print) {
  DcCanvas canvas(drawer_, dc);
  App().painter.PaintScrollbackRows(left, top, bottom, print, canvas);
}

void Win32Surface::Paint() {
  ClientApp& app = App();
  caretWanted_ = caretHideDeferred_ = false;
  HideShownCaret();
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(window_, &ps);
  if (ps.fErase) FillRect(dc, &ps.rcPaint, BrushFor(app.attributes.currentBackground));
  const ScreenModel& screen = app.screen;
  if (screen.IsAllocated()) {
    CellRect cells = CellsToPaint(ps.rcPaint.left, ps.rcPaint.top, ps.rcPaint.right, ps.rcPaint.bottom, CellWidth(),
                                  CellHeight(), screen.columns(), screen.totalRows());
    if (cells.left <= cells.right && cells.top <= cells.bottom) {
      if (app.display.scrollbackView)
        PaintScrollbackRows(dc, cells.left, cells.top, cells.bottom, false);
      else
        PaintLiveRows(dc, cells.left, cells.top, cells.bottom);
    }
  }
  RedrawSelection(dc);
  EndPaint(window_, &ps);
  // The menu is touched only when the socket's state changed: redrawing the
  // menu bar on every paint disturbs the drawing of host data under Wine.
  int connected = app.connection.Socket() != 0 ? 1 : 0;
  if (connected != connectionMenuState_) SetConnectionMenu(connected != 0);
  connectionMenuState_ = connected;
  SyncScrollbackBar(window_);
  // The window with the focus has the caret, shown at the cursor unless
  // the cursor is hidden; without the focus it has none.
  if (GetFocus() == window_) {
    if (!hasCaret_) CreateCaret(app.display.caretWidth(), app.display.caretHeight());
    app.display.PlaceCaret();
  } else if (hasCaret_) {
    DestroyCaret();
  }
}

// ---- caret ----

void Win32Surface::CreateCaret(int width, int height) {
  if (window_ && ::CreateCaret(window_, nullptr, width, height)) {
    hasCaret_ = true;
    caretShown_ = caretPlaced_ = caretHideDeferred_ = false;
    caretWidth_ = width;
    caretHeight_ = height;
  }
}

void Win32Surface::DestroyCaret() {
  caretWanted_ = false;
  if (hasCaret_) ::DestroyCaret();
  hasCaret_ = caretShown_ = caretPlaced_ = caretHideDeferred_ = false;
}

void Win32Surface::ShowCaretAt(int row, int column) {
  if (!hasCaret_) return;
  if (batching_) {
    caretWanted_ = true;
    caretRow_ = row;
    caretColumn_ = column;
    return;
  }
  caretWanted_ = false;  // shown here and now, not where a deferred frame last asked
  PixelPoint at = CaretOrigin(row, column, CellWidth(), CellHeight(), App().display.caretHeight());
  caretPlaced_ = SetCaretPos(at.x, at.y) != 0;
  caretX_ = at.x;
  caretY_ = at.y;
  if (!caretShown_ && ::ShowCaret(window_)) caretShown_ = true;
}

void Win32Surface::HideCaret() {
  caretWanted_ = false;
  // While a block is taken in nothing is drawn: the frame at its end hides
  // the caret, or moves it when it is shown again elsewhere.
  if (batching_ && caretShown_) {
    caretHideDeferred_ = true;
    return;
  }
  caretHideDeferred_ = false;
  HideShownCaret();
}

void Win32Surface::HideShownCaret() {
  if (caretShown_) ::HideCaret(window_);
  caretShown_ = false;
}

void Win32Surface::Beep() { MessageBeep(0); }

// ---- blinking ----

void Win32Surface::StartBlinkTimer() {
  ClientApp& app = App();
  if (!app.blink.Start()) return;
  blinkTimer_ = SetTimer(nullptr, 0, static_cast<UINT>(std::max(1, app.config.timerInterval)), BlinkTimerProc);
  app.blink.SetRunning(blinkTimer_ != 0);
  // Every blinking run painted asks again: one report is enough.
  if (!blinkTimer_ && !timerFailureReported_) {
    timerFailureReported_ = true;
    KV_ERROR(kSystemError, 1105, GetLastError(), "Can't Create a TIMER object");
  }
}

void Win32Surface::BlinkTick() {
  ClientApp& app = App();
  // A frame still waiting is painted first, with its caret.
  if (frameTimer_) PaintFrame(false);
  int phase = app.blink.Advance();
  bool sawBlink = false;
  if (window_ && app.screen.IsAllocated()) {
    bool caretWasShown = caretShown_;
    HideCaret();
    HDC dc = GetDC(window_);
    DcCanvas canvas(drawer_, dc);
    sawBlink = app.painter.PaintBlinkingRuns(phase, canvas);
    ReleaseDC(window_, dc);
    if (caretWasShown) app.display.PlaceCaret();
  }
  if (app.blink.Finish(sawBlink) && blinkTimer_) {
    KillTimer(nullptr, blinkTimer_);
    blinkTimer_ = 0;
  }
}

void Win32Surface::Release() {
  if (frameTimer_ && window_) KillTimer(window_, kFrameTimerId);
  frameTimer_ = false;
  pacer_.Clear();
  if (blinkTimer_) KillTimer(nullptr, blinkTimer_);
  blinkTimer_ = 0;
  App().blink.SetRunning(false);
  DestroyCaret();
  if (brush_) DeleteObject(brush_);
  brush_ = nullptr;
  drawer_.Release();
}

// ---- fonts per attribute word ----

// Bold, dim, reverse and invisible are colours only; italic, underline and
// strike-out are the font's, and double height or width doubles the cell.
uintptr_t Win32AttributeHooks::CreateFontFor(uint32_t word) {
  ClientApp& app = App();
  HFONT font = CreateCellFont(word, true);
  if (!font || !app.log.recordEvents) return reinterpret_cast<uintptr_t>(font);
  app.log.WriteRecord("Created font for size %d x %d\n", app.cellHeight * ((word & ATTR_DOUBLEHEIGHT) ? 2 : 1),
                      app.cellWidth * ((word & ATTR_DOUBLEWIDTH) ? 2 : 1));
  if (HDC ic = CreateICA("DISPLAY", nullptr, nullptr, nullptr)) {
    HGDIOBJ old = SelectObject(ic, font);
    TEXTMETRICA metrics = {};
    GetTextMetricsA(ic, &metrics);
    app.log.WriteRecord("Actual size %d x %d\n", static_cast<int>(metrics.tmHeight - metrics.tmInternalLeading),
                        static_cast<int>(metrics.tmAveCharWidth));
    SelectObject(ic, old);
    DeleteDC(ic);
  }
  return reinterpret_cast<uintptr_t>(font);
}

void Win32AttributeHooks::DeleteFont(uintptr_t handle) { DeleteObject(reinterpret_cast<HFONT>(handle)); }

void Win32AttributeHooks::StartBlinkTimer() { App().surface.StartBlinkTimer(); }

// ---- the grid and the window ----

// The grid's client area, at most the screen less 50 pixels each way; the
// window keeps its top-left corner and the size handler fits the font.
void WindowDisplayHooks::SizeWindowForGrid() {
  ClientApp& app = App();
  app.rows = app.screen.rows();
  app.columns = app.screen.columns();
  app.statusLines = app.screen.statusLines();
  if (!app.mainWindow) return;
  RECT area = {0, 0, app.columns * app.cellWidth + ScrollbackBarWidth(), (app.rows + app.statusLines) * app.cellHeight};
  if (area.right > app.screenWidth - 50 || area.bottom > app.screenHeight - 50) {
    area.right = app.screenWidth - 50;
    area.bottom = app.screenHeight - 50;
  }
  AdjustWindowRect(&area, WS_OVERLAPPEDWINDOW, TRUE);
  SetWindowPos(app.mainWindow, nullptr, 0, 0, area.right - area.left, area.bottom - area.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void WindowDisplayHooks::UpdateGridMenuMarks() {
  const ScreenModel& screen = App().screen;
  const int rowItems[][2] = {{CMD_ROWS_24, 24}, {CMD_ROWS_25, 25}, {CMD_ROWS_42, 42}, {CMD_ROWS_43, 43}, {CMD_ROWS_50, 50}};
  for (const auto& item : rowItems) SetMenuCheck(item[0], screen.rows() == item[1]);
  SetMenuCheck(CMD_COLS_80, screen.columns() == 80);
  SetMenuCheck(CMD_COLS_132, screen.columns() == 132);
  SetMenuCheck(CMD_LABEL_LINE, screen.HasStatusLine());
}

}  // namespace korvane
