// Drawing the screen model with GDI: the display handler's Surface for the
// main window, the painter of live and scrollback rows, the caret, and the
// font of every attribute word. An attribute whose font could not be made is
// drawn with a fixed-pitch font of the cell size.
#pragma once

#include <windows.h>

#include <vector>

#include "display_handler.h"

namespace korvane {

class Win32Surface : public Surface {
 public:
  void SetWindow(HWND window) { window_ = window; }

  void DrawRun(int row, int column, const char* text, int count, uint32_t attributeIndex) override;
  void FillCells(const CellRect& cells, int32_t background) override;
  void RepaintRows(int top, int bottom) override;
  void InvalidateAll() override;
  int CellWidth() const override;
  int CellHeight() const override;
  bool HasCaret() const override { return hasCaret_; }
  void CreateCaret(int width, int height) override;
  void DestroyCaret() override;
  void ShowCaretAt(int row, int column) override;
  void HideCaret() override;
  void Beep() override;

  // WM_PAINT: the update rectangle's cells from the live screen or, while
  // the scrollback view is shown, from the ring at the bar's position.
  void Paint();
  // Draws rows top..bottom from column `left` to the row ends, in runs of
  // equal attribute index.
  void PaintRows(HDC dc, int left, int top, int bottom);
  void DeleteStandInFont();

 private:
  void DrawCells(HDC dc, int row, int column, const char* text, int count, uint32_t attributeIndex, bool compact);
  HFONT FontFor(uint32_t attributeIndex);

  HWND window_ = nullptr;
  bool hasCaret_ = false, caretShown_ = false;
  HFONT standIn_ = nullptr;
  int standInWidth_ = 0, standInHeight_ = 0;
  std::vector<char> runText_;
  std::vector<INT> runAdvances_;
};

// One GDI font per attribute word, in the current face at the cell size.
class Win32AttributeHooks : public AttributeHooks {
 public:
  uintptr_t CreateFontFor(uint32_t word) override;
  void DeleteFont(uintptr_t handle) override;
};

// What a new grid means for the main window.
class WindowDisplayHooks : public DisplayHooks {
 public:
  void SizeWindowForGrid() override;
  void UpdateGridMenuMarks() override;
};

}  // namespace korvane
