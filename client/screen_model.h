// The client's memory of what the terminal shows: nine pages of character
// cells (one byte of text and one 32-bit attribute-table index each, kept in
// two flat arrays), the cursor and its modes, the scroll region, tab stops,
// the saved-cursor stack, the optional status line and the scrollback ring.
// Plain data and operations; drawing and logging belong to the display
// handler that drives it.
//
// A page reaches its rows through an index of buffer rows: a scroll of whole
// rows turns the index and blanks the rows that open, so no cell moves, and
// each row still lies in one piece for text drawing.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "display_messages.h"

namespace korvane {

inline constexpr int kMaxRows = 255;       // a grid never grows past these
inline constexpr int kMaxColumns = 256;
inline constexpr int kPageCount = 9;
inline constexpr int kTabStopCount = 512;
inline constexpr int kCursorStackDepth = 100;
inline constexpr int kStatusSaveCells = kMaxColumns;
// A ring slot holds a whole line of the widest grid.
inline constexpr int kRingSlotCells = kMaxColumns;
inline constexpr int kMaxScrollbackLines = 20000;
inline constexpr int kDefaultScrollbackLines = 500;

struct SavedCursor {
  int row = 0, column = 0;
  uint32_t attribute = 0;
};

// One row as shown: characters and attributes, at least `columns` cells.
struct RowView {
  const char* text;
  const uint32_t* attributes;
};

class ScreenModel {
 public:
  // Creates the nine pages for the geometry and the scrollback ring; page 0
  // is current. Out-of-range sizes are brought into 1..kMaxRows and
  // 1..kMaxColumns, the ring into 0..kMaxScrollbackLines.
  void Allocate(int rows, int columns, int statusLines, int scrollbackLines);
  bool IsAllocated() const { return !pages_[0].text.empty(); }

  int rows() const { return rows_; }
  int columns() const { return columns_; }
  int statusLines() const { return statusLines_; }
  int totalRows() const { return rows_ + statusLines_; }
  bool HasStatusLine() const { return statusLines_ > 0; }

  // Cells of a buffer row (0 .. totalRows()-1) of the current page.
  char* RowText(int row) { return &Current().text[Offset(row)]; }
  const char* RowText(int row) const { return &Current().text[Offset(row)]; }
  uint32_t* RowAttributes(int row) { return &Current().attributes[Offset(row)]; }
  const uint32_t* RowAttributes(int row) const { return &Current().attributes[Offset(row)]; }
  // Stores `count` characters at (row, column) through a 256-byte map (none:
  // unchanged) with the attribute index, one cell each; the caller keeps
  // them inside the row. Returns the stored cells.
  // Inline: it is most of the work of a short write.
  const char* StoreMapped(int row, int column, const char* text, int count, const uint8_t* map,
                          uint32_t attributeIndex) {
    size_t at = Offset(row) + static_cast<size_t>(column);
    char* cells = Current().text.data() + at;
    uint32_t* attributes = Current().attributes.data() + at;
    // Runs of a few characters are frequent (a host echoing keys, one-byte
    // reads): for those plain loops beat the library calls.
    if (count <= 8) {
      for (int i = 0; i < count; ++i) cells[i] = map ? static_cast<char>(map[static_cast<unsigned char>(text[i])]) : text[i];
      for (int i = 0; i < count; ++i) attributes[i] = attributeIndex;
      return cells;
    }
    if (map) {
      for (int i = 0; i < count; ++i) cells[i] = static_cast<char>(map[static_cast<unsigned char>(text[i])]);
    } else {
      std::memmove(cells, text, static_cast<size_t>(count));
    }
    if (attributeIndex == 0) {  // the default attribute: a byte fill
      std::memset(attributes, 0, static_cast<size_t>(count) * sizeof(uint32_t));
    } else {
      for (int i = 0; i < count; ++i) attributes[i] = attributeIndex;
    }
    return cells;
  }
  char CharAt(int row, int column) const { return RowText(row)[column]; }
  uint32_t AttributeAt(int row, int column) const { return RowAttributes(row)[column]; }

  // Cursor; positions are kept inside the grid.
  int cursorRow() const { return cursorRow_; }
  int cursorColumn() const { return cursorColumn_; }
  void MoveTo(int row, int column) {
    cursorRow_ = std::max(0, std::min(row, rows_ - 1));
    cursorColumn_ = std::max(0, std::min(column, columns_ - 1));
  }
  void SetColumn(int column) { MoveTo(cursorRow_, column); }
  bool pendingWrap = false;

  // Modes and the current attribute-table index for new and erased cells.
  bool autoWrap = false;
  bool scrollAtBottom = false;
  bool delayedWrap = false;
  uint32_t attribute = 0;

  // Scroll region, inclusive; the whole screen after allocation and resize.
  int regionTop() const { return regionTop_; }
  int regionBottom() const { return regionBottom_; }
  bool SetRegion(int top, int bottom);  // false (unchanged) unless 0 <= top < bottom < rows
  void ResetRegion();

  // Tab stops 0..511.
  void SetDefaultTabStops();  // cleared, then every 8th column below the column count
  void SetTabStop(int column, bool on);
  void ClearAllTabStops();
  bool HasTabStop(int column) const;
  // The next stop after `column` up to the last column, or -1.
  int NextTabStop(int column) const;
  // The nearest stop before `column`, or -1.
  int PreviousTabStop(int column) const;

  // (dimension + value) modulo dimension for each coordinate, always inside
  // the screen rows (not the status line) and columns.
  CellRect Normalise(const CellRect& rect) const;
  // Mathematical modulo: -1 is the last index, and values far outside
  // either way still land inside.
  static int WrapIndex(long long value, int dimension);

  // Copies characters to (row, column) with the attribute index; under
  // double width each takes two cells, the second holding the byte 0.
  // Cells past the row end are not written.
  void Store(int row, int column, const char* text, int count, uint32_t attributeIndex, bool doubleWidth);
  // Spaces and the current attribute in every cell of the normalised rectangle.
  void Erase(const CellRect& rect);
  // Moves the lines of the normalised rectangle up (n > 0) or down (n < 0);
  // the lines opening up are blanked. A count of the rectangle's height or
  // more blanks it whole. Scrolling the whole screen up feeds the ring first.
  void ScrollRect(const CellRect& rect, int n);
  // Moves each row of the normalised rectangle right (n > 0) or left.
  void ShiftRect(const CellRect& rect, int n);

  // Status line (row `rows`).
  bool SetStatusText(const char* text, int length);  // false without a status line
  void SetStatusAttributes(uint32_t attributeIndex);
  void SaveStatusLine();
  void RestoreStatusLine();

  // New geometry, 0 keeping rows or columns; false when nothing changed.
  bool Resize(int rows, int columns, int statusLines);

  // Pages. `page` 0..8, -1 next, -2 previous (wrapping at the highest
  // usable index). False when nothing changed; otherwise the loaded
  // attribute index is the one to make current.
  bool SwitchPage(int page);
  int currentPage() const { return currentPage_; }
  int highestPage() const { return highestPage_; }
  void SetMemoryPages(int count);  // 1..9; others ignored

  // Saved-cursor stack.
  void PushCursor(bool withAttribute);
  // Returns the attribute index to make current when asked for it.
  SavedCursor PopCursor(bool withAttribute);
  int cursorDepth() const { return cursorDepth_; }

  // Scrollback ring of `scrollbackLines()` lines.
  int scrollbackLines() const { return ringLines_; }
  int ringWriteIndex() const { return ringWrite_; }
  int ringOldestIndex() const { return ringOldest_; }
  // Display row r (0..totalRows()-1) at scrollback position p (0..L; L is
  // the live screen).
  RowView RowForDisplay(int row, int position) const;
  int scrollbackPosition() const { return scrollbackPosition_; }
  void SetScrollbackPosition(int position);

 private:
  struct PageRecord {
    std::vector<char> text;
    std::vector<uint32_t> attributes;
    std::vector<int> order;  // buffer row -> row of the two arrays
    std::array<char, kStatusSaveCells> statusText;
    std::array<uint32_t, kStatusSaveCells> statusAttributes;
    SavedCursor saved;
  };

  PageRecord& Current() { return pages_[currentPage_]; }
  const PageRecord& Current() const { return pages_[currentPage_]; }
  size_t Offset(int row) const {
    return static_cast<size_t>(Current().order[static_cast<size_t>(row)]) * static_cast<size_t>(columns_);
  }
  void BlankCells(int row, int left, int right);
  void FeedRing(int row);
  static void AllocatePage(PageRecord& page, int rows, int columns);
  void ClampCursor();

  int rows_ = 0, columns_ = 0, statusLines_ = 0;
  std::array<PageRecord, kPageCount> pages_;
  int currentPage_ = 0, highestPage_ = 0;
  int cursorRow_ = 0, cursorColumn_ = 0;
  int regionTop_ = 0, regionBottom_ = 0;
  std::array<bool, kTabStopCount> tabStops_{};
  std::array<SavedCursor, kCursorStackDepth> cursorStack_{};
  int cursorDepth_ = 0;

  std::vector<char> ringText_;
  std::vector<uint32_t> ringAttributes_;
  // Cells of each slot that may hold text; the rest is blank already.
  std::vector<int> ringUsed_;
  int ringLines_ = 0, ringWrite_ = 0, ringOldest_ = 0;
  int scrollbackPosition_ = 0;
};

}  // namespace korvane
