// The main window's pixels: the display handler's Surface over GDI
// (immediate drawing of written text, erasing, scrolls and shifts),
// WM_PAINT, the painters of live and scrollback rows into any device
// context, the caret, the background brush and the blink timer.
#pragma once

#include <windows.h>

#include <climits>
#include <utility>
#include <vector>

#include "display_handler.h"
#include "frame_pacing.h"
#include "run_drawing.h"

namespace korvane {

class Win32Surface : public Surface {
 public:
  void SetWindow(HWND window) { window_ = window; }

  void DrawRun(int row, int column, const char* text, int count, uint32_t attributeIndex) override;
  void FillCells(const CellRect& cells, int32_t background) override;
  // Rows as displayed: live, or from the ring while the scrollback view is shown.
  void RepaintRows(int top, int bottom) override;
  bool MoveRows(int top, int bottom, int lines) override;
  void InvalidateAll() override;
  int CellWidth() const override;
  int CellHeight() const override;
  bool HasCaret() const override { return hasCaret_; }
  void CreateCaret(int width, int height) override;
  void DestroyCaret() override;
  void ShowCaretAt(int row, int column) override;
  void HideCaret() override;
  void Beep() override;

  // While a block of host data is taken in, nothing is drawn: the rows it
  // changes are noted and painted from the model at the end (FramePacer),
  // and the caret is shown once. A frame skipped while more host output
  // waits is painted by a timer if none follows.
  void BeginBatch();
  void EndBatch(bool moreWaiting);
  // A frame: the noted rows painted, then the caret shown where it was
  // asked; at the end of a burst the rows reach the screen before the caret
  // moves.
  void PaintFrame(bool burstEnded);
  static constexpr UINT_PTR kFrameTimerId = 92;

  // WM_PAINT: the update rectangle's cells, then the caret.
  void Paint();
  // The painters into any device context (printing and the screen picture
  // draw with them too).
  void PaintLiveRows(HDC dc, int left, int top, int bottom);
  void PaintScrollbackRows(HDC dc, int left, int top, int bottom, bool print);

  // Fonts were made again (cell size, face or family): drawn anew.
  void FontsChanged();
  // A solid brush of a colour-table index, kept until another colour is asked.
  HBRUSH BrushFor(int32_t colourIndex);

  // The blink timer: created when a blinking attribute is made current,
  // one tick of drawing, killed when idle.
  void StartBlinkTimer();
  void BlinkTick();

  // Window destruction: the timer, the caret and every GDI object go.
  void Release();

 private:
  HWND window_ = nullptr;
  bool hasCaret_ = false, caretShown_ = false;
  GdiRunDrawer drawer_;
  HBRUSH brush_ = nullptr;
  uint32_t brushColour_ = 0;
  UINT_PTR blinkTimer_ = 0;
  bool batching_ = false;
  FramePacer pacer_;
  bool frameTimer_ = false;
  void MarkStale(int top, int bottom, int left = 0, int right = INT_MAX);
  // Paints the noted rows now. Immediate drawing does this first, so the
  // pixels it moves or draws over are the model's.
  void FlushDeferred();
  // The noted rows, taken (none without a window or a grid), and painted;
  // with `only` (a rectangle inside one cell), inside it alone.
  std::vector<std::pair<int, int>> TakeStaleRows();
  int staleLeft_ = 0, staleRight_ = 0;  // the taken rows' columns to paint
  void PaintStaleRows(const std::vector<std::pair<int, int>>& rows, const RECT* only);
  bool MoveShownCaret(bool push);
  void PushPixels();  // hands what was drawn to the screen now
  void HideShownCaret();
  bool caretWanted_ = false;
  int caretRow_ = 0, caretColumn_ = 0;
  // A block's screen messages leave a shown caret alone; the frame hides or
  // moves it.
  bool caretHideDeferred_ = false;
  // Where the caret was last placed, and its size as created.
  bool caretPlaced_ = false;
  int caretX_ = 0, caretY_ = 0, caretWidth_ = 0, caretHeight_ = 0;
  bool CopyRows(HDC dc, int top, int bottom, int lines);
  void PaintRows(HDC dc, int left, int top, int bottom);
  bool timerFailureReported_ = false;
  int connectionMenuState_ = -1;  // connected (1) or not as the menu last showed it
};

// One GDI font per attribute word, in the current face at the cell size.
class Win32AttributeHooks : public AttributeHooks {
 public:
  uintptr_t CreateFontFor(uint32_t word) override;
  void DeleteFont(uintptr_t handle) override;
  void StartBlinkTimer() override;
};

// What a new grid means for the main window.
class WindowDisplayHooks : public DisplayHooks {
 public:
  void SizeWindowForGrid() override;
  void UpdateGridMenuMarks() override;
  // The connection's side (socket_connection.cpp).
  void AnnounceWindowSize() override;
  void QueueThese(const char* text, int count) override;
};

}  // namespace korvane
