// What the screen's pixels are made of: rows of the screen model cut into
// runs of equal attribute index, each with its characters (double-width
// fillers dropped), the cells it covers and its colours. The painter walks
// live rows, scrollback rows (optionally in the grey levels of printing)
// and the blinking runs of a blink tick; a RunCanvas draws each run.
#pragma once

#include <climits>

#include <cstdint>
#include <vector>

#include "attribute_table.h"
#include "colour_table.h"
#include "display_messages.h"
#include "screen_model.h"

namespace korvane {

struct PaintedRun {
  int row = 0, column = 0;  // first cell
  int cells = 0;            // cells the run covers from there
  const char* text = nullptr;
  int count = 0;  // characters; each covers two cells under double width
  uint32_t attributeIndex = 0, word = 0;
  uint32_t textColour = 0, backgroundColour = 0;  // RGB, red in the low byte
};

class RunCanvas {
 public:
  virtual ~RunCanvas() = default;
  virtual void PaintRun(const PaintedRun& run) = 0;
};

// The cells of a paint request's pixel rectangle (right and bottom
// exclusive, as Windows gives them), kept inside the grid. Rows run to
// totalRows - 1 (the status line included). Nothing to paint when left >
// right or top > bottom.
CellRect CellsToPaint(int left, int top, int right, int bottom, int cellWidth, int cellHeight, int columns,
                      int totalRows);

// Text and background of a printed run: grey levels chosen by how its
// colours stand to the default colours.
struct RunColours {
  uint32_t text, background;
};
RunColours PrintColours(int32_t foreground, int32_t background, int32_t defaultForeground, int32_t defaultBackground);

// The characters of a double-width run as stored (each followed by a 0
// filler): every second byte, rounded up so an odd last cell still shows.
void CompactDoubleWidth(const char* text, int count, std::vector<char>& out);

// The caret's top-left pixel for the cursor's cell: on the cell's left edge
// with its bottom on the cell's bottom edge, so a tall caret stays inside
// the cell (the usual 2-pixel caret starts 2 pixels above the next row).
struct PixelPoint {
  int x, y;
};
PixelPoint CaretOrigin(int row, int column, int cellWidth, int cellHeight, int caretHeight);

// How the pixels follow a vertical scroll of a normalised rectangle. A
// whole-width rectangle moves its pixels and paints only the rows that
// opened; any other paints the rectangle's rows.
struct ScrollPlan {
  bool movePixels = false;
  int lines = 0;                          // signed as the scroll: > 0 up
  int repaintTop = 0, repaintBottom = -1;  // rows to paint afterwards; none when top > bottom
};
ScrollPlan PlanScroll(const CellRect& normalised, int lines, int columns);

class ScreenPainter {
 public:
  ScreenPainter(const ScreenModel& model, AttributeTable& attributes, const ColourTable& colours);

  // Rows top..bottom of the live screen from column `left` to the row ends,
  // or to column `right` (a run that would be cut there unlike a full
  // paint, italic or doubled, goes on to its end).
  void PaintLiveRows(int left, int top, int bottom, RunCanvas& canvas, int right = INT_MAX);
  // The same rows as the scrollback view shows them at the bar's position;
  // with `print` in the grey levels of printing.
  void PaintScrollbackRows(int left, int top, int bottom, bool print, RunCanvas& canvas);
  // One blink tick at `phase` over every row as displayed. True when a
  // blinking run was met (drawn or not).
  bool PaintBlinkingRuns(int phase, RunCanvas& canvas);
  // Characters just written at the cursor (one character per cell pair
  // under double width, no fillers), in the attribute's colours.
  PaintedRun WrittenRun(int row, int column, const char* text, int count, uint32_t attributeIndex) const;

 private:
  enum class Mode { kScreen, kPrint, kBlink };
  void PaintRows(int left, int top, int bottom, bool scrollback, Mode mode, RunCanvas& canvas, int right = INT_MAX);
  // One run of a displayed row, cells column..end-1.
  void PaintRun(int row, int column, const RowView& view, int end, Mode mode, RunCanvas& canvas);

  const ScreenModel& model_;
  AttributeTable& attributes_;
  const ColourTable& colours_;
  int phase_ = 0;       // of the blink tick being painted
  bool sawBlink_ = false;
  std::vector<char> scratch_;  // compacted characters of the run being drawn
};

}  // namespace korvane
