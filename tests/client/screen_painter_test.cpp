#include "screen_painter.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "display_test_support.h"

namespace korvane {
namespace {

using test::DisplayFixture;
using Lines = std::vector<std::string>;

// Records each run as `row,column+cells "text" aINDEX`, the double-width
// filler shown as '~', and keeps its colours.
class RecordingCanvas : public RunCanvas {
 public:
  void PaintRun(const PaintedRun& run) override {
    std::string text(run.text, static_cast<size_t>(run.count));
    for (char& c : text)
      if (c == 0) c = '~';
    runs.push_back(Format("%d,%d+%d \"%s\" a%u", run.row, run.column, run.cells, text.c_str(),
                                run.attributeIndex));
    colours.push_back({run.textColour, run.backgroundColour});
  }
  Lines runs;
  std::vector<std::pair<uint32_t, uint32_t>> colours;
};

// Counts the blink timer requests of attributes made current.
class BlinkHooks : public AttributeHooks {
 public:
  void StartBlinkTimer() override { ++starts; }
  int starts = 0;
};

struct PainterFixture : DisplayFixture {
  explicit PainterFixture(int rows = 4, int columns = 12, int ringLines = 10)
      : DisplayFixture(rows, columns, 0, ringLines) {
    attributes.SetHooks(&hooks);
  }
  // The runs of live rows; the canvas is kept for their colours.
  Lines Live(int left, int top, int bottom, int right = INT_MAX) {
    RecordingCanvas canvas;
    painter.PaintLiveRows(left, top, bottom, canvas, right);
    last = canvas;
    return canvas.runs;
  }
  uint32_t Colour(int32_t index) const { return colours[index]; }

  ColourTable colours;
  ScreenPainter painter{model, attributes, colours};
  BlinkHooks hooks;
  RecordingCanvas last;
};

TEST(CellsToPaint, PixelsBecomeCellsInsideTheGrid) {
  // The whole client area of a 24 x 80 grid of 6 x 12 cells.
  CellRect all = CellsToPaint(0, 0, 480, 288, 6, 12, 80, 24);
  EXPECT_EQ(std::vector<int>({all.left, all.top, all.right, all.bottom}), std::vector<int>({0, 0, 79, 23}));
  // A part: right and bottom reach one cell beyond the last one touched.
  CellRect part = CellsToPaint(13, 25, 20, 30, 6, 12, 80, 24);
  EXPECT_EQ(std::vector<int>({part.left, part.top, part.right, part.bottom}), std::vector<int>({2, 2, 4, 3}));
  // The status line is a row of the grid; a window wider than it is cut.
  CellRect wide = CellsToPaint(-40, -7, 2000, 2000, 6, 12, 80, 25);
  EXPECT_EQ(std::vector<int>({wide.left, wide.top, wide.right, wide.bottom}), std::vector<int>({0, 0, 79, 24}));
  // Beyond the grid (a maximised window's margin) there is nothing to paint.
  CellRect outside = CellsToPaint(500, 300, 600, 400, 6, 12, 80, 24);
  EXPECT_GT(outside.left, outside.right);
  EXPECT_GT(outside.top, outside.bottom);
}

TEST(CaretOrigin, TheCaretSitsOnTheCellsBottomEdge) {
  auto at = [](int row, int column, int cw, int ch, int height) {
    PixelPoint p = CaretOrigin(row, column, cw, ch, height);
    return std::vector<int>{p.x, p.y};
  };
  EXPECT_EQ(at(5, 10, 6, 12, 2), (std::vector<int>{60, 70}));   // (row + 1) x ch - 2
  EXPECT_EQ(at(5, 10, 6, 12, 0), (std::vector<int>{60, 70}));   // a hidden cursor
  EXPECT_EQ(at(0, 0, 15, 30, 6), (std::vector<int>{0, 24}));    // ratio 2 of a 30-pixel cell
  EXPECT_EQ(at(2, 1, 8, 16, 16), (std::vector<int>{8, 32}));    // a block fills the cell
}

TEST(PrintColours, GreyLevelsFollowHowColoursStandToTheDefaults) {
  const uint32_t black = Rgb(0, 0, 0), white = Rgb(255, 255, 255), light = Rgb(192, 192, 192),
                 dark = Rgb(64, 64, 64);
  struct Case {
    int32_t foreground, background;
    uint32_t text, paper;
  } cases[] = {
      {16, 17, black, white},  // plain
      {17, 16, white, black},  // reverse
      {16, 4, black, light},   // default text on a colour
      {16, 16, black, light},  // the first matching test wins
      {20, 17, dark, white},   // bold on the default background
      {1, 2, dark, light},     // colours of their own
  };
  for (const Case& c : cases) {
    RunColours grey = PrintColours(c.foreground, c.background, 16, 17);
    EXPECT_EQ(grey.text, c.text) << c.foreground << "/" << c.background;
    EXPECT_EQ(grey.background, c.paper) << c.foreground << "/" << c.background;
  }
}

TEST(PlanScroll, WholeRowsMoveTheirPixelsAndOnlyOpenedRowsAreDrawn) {
  auto plan = [](CellRect r, int lines) {
    ScrollPlan p = PlanScroll(r, lines, 80);
    return Format("%s %d %d-%d", p.movePixels ? "move" : "draw", p.lines, p.repaintTop, p.repaintBottom);
  };
  EXPECT_EQ(plan({0, 0, 79, 23}, 3), "move 3 21-23");
  EXPECT_EQ(plan({0, 5, 79, 10}, -2), "move -2 5-6");
  EXPECT_EQ(plan({0, 5, 79, 10}, 6), "draw 0 5-10");       // the whole height: all blank
  EXPECT_EQ(plan({0, 5, 79, 10}, -2147483647 - 1), "draw 0 5-10");
  EXPECT_EQ(plan({1, 5, 79, 10}, 1), "draw 0 5-10");       // not the whole width
  EXPECT_EQ(plan({0, 5, 79, 10}, 0), "draw 0 0--1");       // nothing changed
  EXPECT_EQ(plan({0, 10, 79, 5}, 1), "draw 0 0--1");       // empty rectangle
}

TEST(ScreenPainterLive, RowsSplitIntoRunsOfEqualAttributeInTheirColours) {
  PainterFixture f;
  f.Write("ab");
  f.Attributes(ATTR_REVERSE);
  f.Write("cd");
  f.Attributes(0);
  f.MoveTo(1, 3);
  f.Attributes(ATTR_BOLD);
  f.Write("e");
  f.Attributes(ATTR_BLINK);  // the attribute in force while painting

  int before = f.attributes.currentIndex();
  EXPECT_EQ(f.Live(0, 0, 1),
            (Lines{"0,0+2 \"ab\" a0", "0,2+2 \"cd\" a1", "0,4+8 \"        \" a0", "1,0+3 \"   \" a0", "1,3+1 \"e\" a2",
                   "1,4+8 \"        \" a0"}));
  EXPECT_EQ(f.last.colours[0], std::make_pair(f.Colour(16), f.Colour(17)));
  EXPECT_EQ(f.last.colours[1], std::make_pair(f.Colour(17), f.Colour(16)));
  EXPECT_EQ(f.last.colours[4], std::make_pair(f.Colour(20), f.Colour(17)));
  // The attribute current before painting is current again, and blinks.
  EXPECT_EQ(f.attributes.currentIndex(), before);
  EXPECT_EQ(f.attributes.currentForeground, 16);
  EXPECT_GE(f.hooks.starts, 1);

  // From a left column to the row end only; rows outside the grid are cut.
  EXPECT_EQ(f.Live(3, 1, 9), (Lines{"1,3+1 \"e\" a2", "1,4+8 \"        \" a0", "2,3+9 \"         \" a0",
                                    "3,3+9 \"         \" a0"}));
}

TEST(ScreenPainterLive, DoubleWidthRunsAreDrawnFromTheirCharacters) {
  PainterFixture f(2, 14);
  f.Write("x");
  f.Attributes(ATTR_DOUBLEWIDTH);
  f.Write("HELLO");  // 5 characters over 10 cells
  f.Attributes(0);
  f.Write("y");
  EXPECT_EQ(f.Live(0, 0, 0), (Lines{"0,0+1 \"x\" a0", "0,1+10 \"HELLO\" a1", "0,11+3 \"y  \" a0"}));
  // A paint that starts on the filler of a character (column 4: the second
  // half of 'E') still cuts characters from the run's first cell.
  EXPECT_EQ(f.Live(4, 0, 0), (Lines{"0,1+10 \"HELLO\" a1", "0,11+3 \"y  \" a0"}));
  // A run cut short by later text keeps its last character.
  f.MoveTo(0, 4);
  f.Write("z");
  EXPECT_EQ(f.Live(0, 0, 0)[1], "0,1+3 \"HE\" a1");
}

// A frame paints only the columns its block changed (an echo: one cell);
// runs whose glyphs reach past their cells (italic, doubled) are drawn
// whole, as a paint of the full row draws them.
TEST(ScreenPainterLive, AColumnWindowCutsPlainRunsOnly) {
  PainterFixture f(2, 12);
  f.Write("abcdef");
  EXPECT_EQ(f.Live(2, 0, 0, 3), (Lines{"0,2+2 \"cd\" a0"}));
  f.MoveTo(1, 0);
  f.Write("x");
  f.Attributes(ATTR_ITALIC);
  f.Write("slanted");
  EXPECT_EQ(f.Live(3, 1, 1, 4), (Lines{"1,1+7 \"slanted\" a1"}));
  EXPECT_EQ(f.Live(0, 1, 1, 0), (Lines{"1,0+1 \"x\" a0"}));
}

TEST(ScreenPainterLive, WrittenTextIsDrawnAsSentInTheAttributesColours) {
  PainterFixture f;
  f.Attributes(ATTR_DOUBLEWIDTH | ATTR_DIM);
  uint32_t index = f.model.attribute;
  PaintedRun run = f.painter.WrittenRun(1, 2, "abc", 3, index);
  EXPECT_EQ(run.cells, 6);
  EXPECT_EQ(run.count, 3);
  EXPECT_EQ(run.word, ATTR_DOUBLEWIDTH | ATTR_DIM);
  EXPECT_EQ(run.textColour, f.Colour(18));
  EXPECT_EQ(run.backgroundColour, f.Colour(17));
}

TEST(ScreenPainterScrollback, PartsOfTheViewShowTheSameLinesAsTheWhole) {
  PainterFixture f(4, 6, 10);
  for (char c = 'a'; c <= 'h'; ++c) {  // 8 lines: 4 scroll into the ring
    f.Write(std::string(1, c));
    f.Send(WUM_CARRIAGERETURN);
    if (c != 'h') f.Send(WUM_CURSORDOWN, 0, 1);
  }
  f.model.SetScrollbackPosition(8);  // two lines back
  auto firstChars = [&](int left, int top, int bottom) {
    RecordingCanvas canvas;
    f.painter.PaintScrollbackRows(left, top, bottom, false, canvas);
    std::string shown;
    for (const std::string& run : canvas.runs) shown += run.substr(run.find('"') + 1, 1);
    return shown;
  };
  EXPECT_EQ(firstChars(0, 0, 3), "cdef");
  EXPECT_EQ(firstChars(0, 2, 3), "ef");
  EXPECT_EQ(firstChars(0, 1, 1), "d");
  f.model.SetScrollbackPosition(10);
  EXPECT_EQ(firstChars(0, 0, 3), "efgh");
}

TEST(ScreenPainterScrollback, PrintingUsesGreyLevels) {
  PainterFixture f;
  f.Attributes(ATTR_REVERSE);
  f.Write("r");
  RecordingCanvas canvas;
  f.painter.PaintScrollbackRows(0, 0, 0, true, canvas);
  ASSERT_EQ(canvas.runs.size(), 2u);
  EXPECT_EQ(canvas.colours[0], std::make_pair(Rgb(255, 255, 255), Rgb(0, 0, 0)));
  EXPECT_EQ(canvas.colours[1], std::make_pair(Rgb(0, 0, 0), Rgb(255, 255, 255)));
}

TEST(ScreenPainterBlink, ATickDrawsOnlyBlinkingRunsInThePhasesColours) {
  PainterFixture f(3, 10);
  f.Attributes(ATTR_RAPIDBLINK);
  f.Write("fast");
  f.Attributes(0);
  f.Write(" ");
  f.Attributes(ATTR_BLINK | ATTR_REVERSE);
  f.Write("slow");
  f.Attributes(ATTR_UNDERLINE);
  f.hooks.starts = 0;

  auto tick = [&](int phase, bool& saw) {
    RecordingCanvas canvas;
    saw = f.painter.PaintBlinkingRuns(phase, canvas);
    Lines out = canvas.runs;
    for (size_t i = 0; i < out.size(); ++i)
      out[i] += canvas.colours[i].first == canvas.colours[i].second ? " hidden" : " shown";
    return out;
  };
  bool saw = false;
  EXPECT_EQ(tick(0, saw), (Lines{"0,0+4 \"fast\" a1 hidden"}));
  EXPECT_TRUE(saw);  // the slow run was met though not drawn
  EXPECT_EQ(tick(1, saw), (Lines{"0,0+4 \"fast\" a1 shown", "0,5+4 \"slow\" a2 hidden"}));
  EXPECT_EQ(tick(3, saw), (Lines{"0,0+4 \"fast\" a1 shown", "0,5+4 \"slow\" a2 shown"}));
  EXPECT_GT(f.hooks.starts, 0);  // drawing a blinking run asks for the timer
  EXPECT_EQ(f.attributes.CurrentWord(), ATTR_UNDERLINE);

  f.Send(WUM_CLEARSCREEN);
  EXPECT_TRUE(tick(1, saw).empty());
  EXPECT_FALSE(saw);
}

TEST(ScreenPainterBlink, BlinkingRunsAreTakenAsTheScrollbackViewShowsThem) {
  PainterFixture f(2, 4, 5);
  f.Attributes(ATTR_RAPIDBLINK);
  f.Write("b");
  f.Attributes(0);
  f.Send(WUM_SCROLLREGION, 0, 2);  // the blinking line goes into the ring
  RecordingCanvas canvas;
  EXPECT_FALSE(f.painter.PaintBlinkingRuns(1, canvas));
  f.model.SetScrollbackPosition(3);  // two lines back it is on the top row
  EXPECT_TRUE(f.painter.PaintBlinkingRuns(1, canvas));
  EXPECT_EQ(canvas.runs, (Lines{"0,0+1 \"b\" a1"}));
}

}  // namespace
}  // namespace korvane
