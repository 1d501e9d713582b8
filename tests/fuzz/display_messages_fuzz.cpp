// Display messages come from the modules, driven by what a host sends: any
// sequence with any values must leave the screen model consistent, ask
// only for drawing inside the grid, and paint (live, scrolled back, a
// blink tick) without reading outside the model.
#include <cstddef>
#include <cstdint>

#include "display_handler.h"
#include "display_message_source.h"
#include "fuzz_support.h"
#include "screen_painter.h"

using namespace korvane;

namespace {

class CheckingSurface : public Surface {
 public:
  explicit CheckingSurface(const ScreenModel& model) : model_(model) {}
  void DrawRun(int row, int column, const char* text, int count, uint32_t) override {
    Require(row >= 0 && row < model_.rows() && column >= 0 && count >= 0 && column + count <= model_.columns());
    for (int i = 0; i < count; ++i) sum_ += static_cast<unsigned char>(text[i]);
  }
  void FillCells(const CellRect& r, int32_t) override {
    Require(r.left >= 0 && r.left <= r.right && r.right < model_.columns() && r.top >= 0 && r.top <= r.bottom &&
            r.bottom < model_.rows());
  }
  void RepaintRows(int top, int bottom) override { Require(top >= 0 && top <= bottom && bottom < model_.totalRows()); }
  bool MoveRows(int top, int bottom, int lines) override {
    Require(top >= 0 && top < bottom && bottom < model_.rows() && lines != 0 && (lines < 0 ? -lines : lines) <= bottom - top);
    return lines & 1;  // both ways out of a scroll
  }

 private:
  static void Require(bool ok) {
    if (!ok) __builtin_trap();
  }
  const ScreenModel& model_;
  unsigned sum_ = 0;
};

// Every run lies inside its row and every character of it can be read.
class CheckingCanvas : public RunCanvas {
 public:
  CheckingCanvas(const ScreenModel& model) : model_(model) {}
  void PaintRun(const PaintedRun& run) override {
    if (run.row < 0 || run.row >= model_.totalRows() || run.column < 0 || run.cells <= 0 ||
        run.column + run.cells > model_.columns() || run.count < 0 || run.count > run.cells)
      __builtin_trap();
    for (int i = 0; i < run.count; ++i) sum_ += static_cast<unsigned char>(run.text[i]);
  }

 private:
  const ScreenModel& model_;
  unsigned sum_ = 0;
};

void PaintEverything(ScreenModel& model, ScreenPainter& painter, fuzz::ByteSource& in) {
  CheckingCanvas canvas(model);
  painter.PaintLiveRows(in.Byte() % 4, 0, model.totalRows() - 1, canvas);
  model.SetScrollbackPosition(in.Number());
  painter.PaintScrollbackRows(in.Number(), in.Number(), in.Number(), in.Byte() & 1, canvas);
  painter.PaintBlinkingRuns(in.Byte() % 4, canvas);
  model.SetScrollbackPosition(model.scrollbackLines());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::ByteSource in(data, size);
  fuzz::SilentPlatform platform;
  RecordLog log(fuzz::NowhereLog());
  ErrorReporter errors(platform, log);
  ScreenModel model;
  AttributeTable attributes(log);
  ColourTable colours;
  Display display(model, attributes, log, errors);
  CheckingSurface surface(model);
  ScreenPainter painter(model, attributes, colours);
  model.Allocate(1 + in.Byte() % 60, 1 + in.Byte(), in.Byte() & 1, in.Byte() % 8);
  uint8_t flags = in.Byte();
  model.delayedWrap = flags & 1;
  log.recordEvents = flags & 2;
  display.SetSurface(&surface);
  display.ResetAttribute();
  display.InitialiseForWindow();
  DisplayLink link = display.Link();
  for (int sent = 1; fuzz::SendOneMessage(in, link); ++sent) {
    if (model.cursorRow() >= model.rows() || model.cursorColumn() >= model.columns() ||
        model.regionBottom() >= model.rows() || model.attribute >= attributes.entries().size())
      __builtin_trap();
    if (sent % 16 == 0) PaintEverything(model, painter, in);
  }
  PaintEverything(model, painter, in);
  return 0;
}
