#include "screen_painter.h"

#include <algorithm>
#include <climits>

#include "blink_timer.h"

namespace korvane {

CellRect CellsToPaint(int left, int top, int right, int bottom, int cellWidth, int cellHeight, int columns,
                      int totalRows) {
  cellWidth = std::max(cellWidth, 1);
  cellHeight = std::max(cellHeight, 1);
  CellRect cells;
  cells.left = std::max(0, left / cellWidth);
  cells.top = std::max(0, top / cellHeight);
  cells.right = std::min(columns - 1, static_cast<int>((static_cast<long long>(right) + cellWidth) / cellWidth));
  cells.bottom = std::min(totalRows - 1, static_cast<int>((static_cast<long long>(bottom) + cellHeight) / cellHeight));
  return cells;
}

RunColours PrintColours(int32_t foreground, int32_t background, int32_t defaultForeground, int32_t defaultBackground) {
  constexpr uint32_t kBlack = Rgb(0, 0, 0), kWhite = Rgb(255, 255, 255);
  constexpr uint32_t kLightGrey = Rgb(192, 192, 192), kDarkGrey = Rgb(64, 64, 64);
  if (foreground == defaultForeground && background == defaultBackground) return {kBlack, kWhite};
  if (foreground == defaultBackground && background == defaultForeground) return {kWhite, kBlack};
  if (foreground == defaultForeground) return {kBlack, kLightGrey};
  if (background == defaultBackground) return {kDarkGrey, kWhite};
  return {kDarkGrey, kLightGrey};
}

void CompactDoubleWidth(const char* text, int count, std::vector<char>& out) {
  out.clear();
  for (int i = 0; i < count; i += 2) out.push_back(text[i]);
}

PixelPoint CaretOrigin(int row, int column, int cellWidth, int cellHeight, int caretHeight) {
  return {column * cellWidth, (row + 1) * cellHeight - std::max(2, caretHeight)};
}

ScrollPlan PlanScroll(const CellRect& r, int lines, int columns) {
  ScrollPlan plan;
  if (lines == 0 || r.left > r.right || r.top > r.bottom) return plan;
  long long height = r.bottom - r.top + 1;
  int count = static_cast<int>(std::min<long long>(height, lines < 0 ? -static_cast<long long>(lines) : lines));
  if (r.left == 0 && r.right == columns - 1 && count < height) {
    plan.movePixels = true;
    plan.lines = lines > 0 ? count : -count;
    plan.repaintTop = lines > 0 ? r.bottom - count + 1 : r.top;
    plan.repaintBottom = lines > 0 ? r.bottom : r.top + count - 1;
  } else {
    plan.repaintTop = r.top;
    plan.repaintBottom = r.bottom;
  }
  return plan;
}

ScreenPainter::ScreenPainter(const ScreenModel& model, AttributeTable& attributes, const ColourTable& colours)
    : model_(model), attributes_(attributes), colours_(colours) {}

void ScreenPainter::PaintLiveRows(int left, int top, int bottom, RunCanvas& canvas, int right) {
  PaintRows(left, top, bottom, false, Mode::kScreen, canvas, right);
}

void ScreenPainter::PaintScrollbackRows(int left, int top, int bottom, bool print, RunCanvas& canvas) {
  PaintRows(left, top, bottom, true, print ? Mode::kPrint : Mode::kScreen, canvas);
}

bool ScreenPainter::PaintBlinkingRuns(int phase, RunCanvas& canvas) {
  phase_ = phase;
  sawBlink_ = false;
  PaintRows(0, 0, model_.totalRows() - 1, true, Mode::kBlink, canvas);
  return sawBlink_;
}

PaintedRun ScreenPainter::WrittenRun(int row, int column, const char* text, int count, uint32_t attributeIndex) const {
  const AttrEntry& entry = attributes_.Entry(attributeIndex);
  PaintedRun run;
  run.row = row;
  run.column = column;
  run.text = text;
  run.count = std::max(count, 0);
  run.attributeIndex = attributeIndex;
  run.word = attributes_.WordOf(attributeIndex);
  run.cells = run.count * ((run.word & ATTR_DOUBLEWIDTH) ? 2 : 1);
  run.textColour = colours_[entry.foreground];
  run.backgroundColour = colours_[entry.background];
  return run;
}

void ScreenPainter::PaintRows(int left, int top, int bottom, bool scrollback, Mode mode, RunCanvas& canvas, int right) {
  if (!model_.IsAllocated()) return;
  const int columns = model_.columns();
  left = std::max(left, 0);
  top = std::max(top, 0);
  bottom = std::min(bottom, model_.totalRows() - 1);
  const int previous = attributes_.currentIndex();
  for (int row = top; row <= bottom; ++row) {
    RowView view = scrollback ? model_.RowForDisplay(row, model_.scrollbackPosition())
                              : RowView{model_.RowText(row), model_.RowAttributes(row)};
    int start = left;
    // Double-width characters are cut from their run's first cell, so a
    // paint that starts on a filler still draws the character; an italic
    // run is drawn whole, so that the slant of the glyph before the first
    // cell stays.
    if (start > 0 && start < columns &&
        (attributes_.WordOf(view.attributes[start]) & (ATTR_DOUBLEWIDTH | ATTR_ITALIC)))
      while (start > 0 && view.attributes[start - 1] == view.attributes[start]) --start;
    while (start < columns && start <= right) {
      const bool whole = attributes_.WordOf(view.attributes[start]) & (ATTR_DOUBLEWIDTH | ATTR_DOUBLEHEIGHT | ATTR_ITALIC);
      int end = start + 1;
      while (end < columns && (whole || end <= right) && view.attributes[end] == view.attributes[start]) ++end;
      PaintRun(row, start, view, end, mode, canvas);
      start = end;
    }
  }
  attributes_.MakeAttributeCurrent(previous);
}

void ScreenPainter::PaintRun(int row, int column, const RowView& view, int end, Mode mode, RunCanvas& canvas) {
  const uint32_t index = view.attributes[column];
  const uint32_t word = attributes_.WordOf(index);
  BlinkTimer::Ink ink = BlinkTimer::Ink::kForeground;
  if (mode == Mode::kBlink) {
    if (!BlinkTimer::Blinks(word)) return;
    sawBlink_ = true;
    ink = BlinkTimer::InkFor(word, phase_);
    if (ink == BlinkTimer::Ink::kNone) return;
  }
  attributes_.MakeAttributeCurrent(static_cast<int>(std::min<uint32_t>(index, INT_MAX)));
  const int32_t foreground = attributes_.currentForeground, background = attributes_.currentBackground;

  PaintedRun run;
  run.row = row;
  run.column = column;
  run.cells = end - column;
  run.attributeIndex = index;
  run.word = word;
  if (word & ATTR_DOUBLEWIDTH) {
    CompactDoubleWidth(view.text + column, run.cells, scratch_);
    run.text = scratch_.data();
    run.count = static_cast<int>(scratch_.size());
  } else {
    run.text = view.text + column;
    run.count = run.cells;
  }
  if (mode == Mode::kPrint) {
    RunColours grey = PrintColours(foreground, background, attributes_.defaultForeground, attributes_.defaultBackground);
    run.textColour = grey.text;
    run.backgroundColour = grey.background;
  } else {
    run.textColour = colours_[ink == BlinkTimer::Ink::kBackground ? background : foreground];
    run.backgroundColour = colours_[background];
  }
  canvas.PaintRun(run);
}

}  // namespace korvane
