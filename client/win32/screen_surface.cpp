#include "screen_surface.h"

#include <algorithm>

#include "client_app.h"
#include "font_files.h"
#include "main_window.h"
#include "resource_ids.h"

namespace korvane {

int Win32Surface::CellWidth() const { return std::max(1, App().cellWidth); }
int Win32Surface::CellHeight() const { return std::max(1, App().cellHeight); }

HFONT Win32Surface::FontFor(uint32_t attributeIndex) {
  const AttributeTable& table = App().attributes;
  size_t font = static_cast<size_t>(table.Entry(attributeIndex).fontIndex);
  if (font < table.fonts().size() && table.fonts()[font].handle)
    return reinterpret_cast<HFONT>(table.fonts()[font].handle);
  if (!standIn_ || standInWidth_ != CellWidth() || standInHeight_ != CellHeight()) {
    DeleteStandInFont();
    standInWidth_ = CellWidth();
    standInHeight_ = CellHeight();
    standIn_ = CreateFontA(standInHeight_, standInWidth_, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                           OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FIXED_PITCH | FF_MODERN,
                           "Courier New");
  }
  return standIn_ ? standIn_ : static_cast<HFONT>(GetStockObject(ANSI_FIXED_FONT));
}

void Win32Surface::DeleteStandInFont() {
  if (standIn_) DeleteObject(standIn_);
  standIn_ = nullptr;
}

// One run in the attribute's colours; every glyph is placed on its own cell
// whatever the font's advance, and the background is opaque.
void Win32Surface::DrawCells(HDC dc, int row, int column, const char* text, int count, uint32_t attributeIndex,
                             bool compact) {
  if (count <= 0) return;
  const AttributeTable& table = App().attributes;
  const AttrEntry& entry = table.Entry(attributeIndex);
  uint32_t word = table.WordOf(attributeIndex);
  bool doubleWidth = (word & ATTR_DOUBLEWIDTH) != 0;
  runText_.clear();
  if (compact && doubleWidth) {
    for (int i = 0; i < count; i += 2) runText_.push_back(text[i]);
  } else {
    runText_.assign(text, text + count);
  }
  int cells = doubleWidth ? 2 : 1;
  int advance = CellWidth() * cells;
  runAdvances_.assign(runText_.size(), advance);
  RECT area = {column * CellWidth(), row * CellHeight(),
               (column + static_cast<int>(runText_.size()) * cells) * CellWidth(), (row + 1) * CellHeight()};
  HGDIOBJ oldFont = SelectObject(dc, FontFor(attributeIndex));
  SetTextColor(dc, App().colours[entry.foreground]);
  SetBkColor(dc, App().colours[entry.background]);
  SetBkMode(dc, OPAQUE);
  // A double-height font is two cells high: the row shows its top half, or
  // with the bottom-half bit its lower half.
  int y = area.top - ((word & ATTR_DOUBLEHEIGHT) && (word & ATTR_BOTTOMHALF) ? CellHeight() : 0);
  ExtTextOutA(dc, area.left, y, ETO_OPAQUE | ETO_CLIPPED, &area, runText_.data(), static_cast<UINT>(runText_.size()),
              runAdvances_.data());
  SelectObject(dc, oldFont);
}

void Win32Surface::DrawRun(int row, int column, const char* text, int count, uint32_t attributeIndex) {
  if (!window_) return;
  HDC dc = GetDC(window_);
  DrawCells(dc, row, column, text, count, attributeIndex, false);
  ReleaseDC(window_, dc);
}

void Win32Surface::FillCells(const CellRect& cells, int32_t background) {
  if (!window_) return;
  RECT area = {cells.left * CellWidth(), cells.top * CellHeight(), (cells.right + 1) * CellWidth(),
               (cells.bottom + 1) * CellHeight()};
  HDC dc = GetDC(window_);
  HBRUSH brush = CreateSolidBrush(App().colours[background]);
  FillRect(dc, &area, brush);
  DeleteObject(brush);
  ReleaseDC(window_, dc);
}

void Win32Surface::PaintRows(HDC dc, int left, int top, int bottom) {
  const ScreenModel& screen = App().screen;
  bool scrollback = App().display.scrollbackView;
  for (int row = top; row <= bottom; ++row) {
    RowView view = scrollback ? screen.RowForDisplay(row, screen.scrollbackPosition())
                              : RowView{screen.RowText(row), screen.RowAttributes(row)};
    for (int start = left; start < screen.columns();) {
      int end = start + 1;
      while (end < screen.columns() && view.attributes[end] == view.attributes[start]) ++end;
      DrawCells(dc, row, start, view.text + start, end - start, view.attributes[start], true);
      start = end;
    }
  }
}

void Win32Surface::RepaintRows(int top, int bottom) {
  if (!window_) return;
  HDC dc = GetDC(window_);
  PaintRows(dc, 0, top, bottom);
  ReleaseDC(window_, dc);
}

void Win32Surface::InvalidateAll() {
  if (window_) InvalidateRect(window_, nullptr, TRUE);
}

void Win32Surface::Paint() {
  const ScreenModel& screen = App().screen;
  HideCaret();
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(window_, &ps);
  if (ps.fErase) {
    HBRUSH brush = CreateSolidBrush(App().colours[App().attributes.currentBackground]);
    FillRect(dc, &ps.rcPaint, brush);
    DeleteObject(brush);
  }
  int left = std::max(0, static_cast<int>(ps.rcPaint.left) / CellWidth());
  int top = std::max(0, static_cast<int>(ps.rcPaint.top) / CellHeight());
  int bottom = std::min(screen.totalRows() - 1, static_cast<int>(ps.rcPaint.bottom + CellHeight()) / CellHeight());
  if (screen.IsAllocated() && left < screen.columns()) PaintRows(dc, left, top, bottom);
  EndPaint(window_, &ps);
  if (GetFocus() == window_) App().display.PlaceCaret();
}

void Win32Surface::CreateCaret(int width, int height) {
  if (window_ && ::CreateCaret(window_, nullptr, width, height)) {
    hasCaret_ = true;
    caretShown_ = false;
  }
}

void Win32Surface::DestroyCaret() {
  if (hasCaret_) ::DestroyCaret();
  hasCaret_ = caretShown_ = false;
}

void Win32Surface::ShowCaretAt(int row, int column) {
  if (!hasCaret_) return;
  SetCaretPos(column * CellWidth(), (row + 1) * CellHeight() - 2);
  if (!caretShown_ && ::ShowCaret(window_)) caretShown_ = true;
}

void Win32Surface::HideCaret() {
  if (caretShown_) ::HideCaret(window_);
  caretShown_ = false;
}

void Win32Surface::Beep() { MessageBeep(0); }

// Bold, dim, reverse and invisible are colours only; italic, underline and
// strike-out are the font's, and double height or width doubles the cell.
uintptr_t Win32AttributeHooks::CreateFontFor(uint32_t word) {
  ClientApp& app = App();
  int height = app.cellHeight * ((word & ATTR_DOUBLEHEIGHT) ? 2 : 1);
  int width = app.cellWidth * ((word & ATTR_DOUBLEWIDTH) ? 2 : 1);
  LOGFONTA wanted = {};
  wanted.lfHeight = height;
  wanted.lfWidth = width;
  wanted.lfWeight = 400;
  wanted.lfItalic = (word & ATTR_ITALIC) != 0;
  wanted.lfUnderline = (word & ATTR_UNDERLINE) != 0;
  wanted.lfStrikeOut = (word & ATTR_STRIKEOUT) != 0;
  wanted.lfCharSet = OEM_CHARSET;
  wanted.lfPitchAndFamily = FIXED_PITCH;
  lstrcpynA(wanted.lfFaceName, kTypefaceNames[app.fonts.typeface == 1 ? 1 : 0], LF_FACESIZE);
  HFONT font = CreateFontIndirectA(&wanted);
  if (!font || !app.log.recordEvents) return reinterpret_cast<uintptr_t>(font);
  app.log.WriteRecord("Created font for size %d x %d\n", height, width);
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

// The grid's client area, at most the screen less 50 pixels each way; the
// window keeps its top-left corner and the size handler fits the font.
void WindowDisplayHooks::SizeWindowForGrid() {
  ClientApp& app = App();
  app.rows = app.screen.rows();
  app.columns = app.screen.columns();
  app.statusLines = app.screen.statusLines();
  if (!app.mainWindow) return;
  RECT area = {0, 0, app.columns * app.cellWidth, (app.rows + app.statusLines) * app.cellHeight};
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
