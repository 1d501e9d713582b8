#include "screen_selection.h"

#include <gtest/gtest.h>

#include <cstring>

namespace korvane {
namespace {

constexpr int kCw = 8, kCh = 16;

struct Selection : ::testing::Test {
  ScreenModel model;
  void SetUp() override { model.Allocate(5, 20, 1, 10); }
  void Put(int row, int column, const char* text) {
    model.Store(row, column, text, static_cast<int>(std::strlen(text)), 0, false);
  }
  // Cells (column, row) to (column + columns, row + rows) in pixels.
  std::string Text(int column, int row, int columns, int rows) {
    return SelectionText(model, column * kCw, row * kCh, (column + columns) * kCw, (row + rows) * kCh, kCw, kCh);
  }
};

TEST_F(Selection, RowsLoseTrailingSpacesAndEndWithLineFeeds) {
  Put(0, 0, "hello   world");
  Put(1, 2, "ab");
  Put(2, 0, "   x");
  EXPECT_EQ("hello\n  ab\n   x", Text(0, 0, 7, 3));
  EXPECT_EQ("llo   wor", Text(2, 0, 9, 1));
}

TEST_F(Selection, BlankRowsInsideStayEmptyAndBlankRowsAtTheEndGo) {
  Put(0, 0, "top");
  Put(2, 0, "third");
  EXPECT_EQ("top\n\nthird", Text(0, 0, 20, 5));
  EXPECT_EQ("", Text(0, 3, 20, 2));
}

TEST_F(Selection, DoubleWidthFillersBecomeSpaces) {
  model.Store(0, 0, "AB", 2, 0, true);  // A 0 B 0
  EXPECT_EQ("A B", Text(0, 0, 4, 1));
  EXPECT_EQ("A B \nx", (Put(1, 0, "x"), Text(0, 0, 4, 2)));
}

TEST_F(Selection, LessThanACellCopiesNothing) {
  Put(0, 0, "text");
  EXPECT_EQ("", SelectionText(model, 0, 0, kCw - 1, 3 * kCh, kCw, kCh));
  EXPECT_EQ("", SelectionText(model, 0, 0, 3 * kCw, kCh - 1, kCw, kCh));
  EXPECT_EQ("", SelectionText(model, 3 * kCw, 0, 0, kCh, kCw, kCh));  // end before start
}

TEST_F(Selection, TheGridBoundsWhatIsRead) {
  Put(4, 0, "last row");
  model.SetStatusText("status", 6);
  EXPECT_EQ("last row\nstatus", Text(0, 4, 100, 100));
  EXPECT_EQ("", Text(25, 0, 5, 2));
  EXPECT_EQ("", Text(0, 9, 5, 2));
  EXPECT_EQ("", SelectionText(model, -8, 0, 16, 16, kCw, kCh));
}

TEST_F(Selection, TheScrollbackViewIsCopiedAsShown) {
  Put(0, 0, "gone up");
  model.ScrollRect({0, 0, 19, 4}, 1);
  Put(0, 0, "live");
  model.SetScrollbackPosition(model.scrollbackLines() - 1);
  EXPECT_EQ("gone up\nlive", Text(0, 0, 20, 2));
}

TEST(SelectionRectangle, PressSnapsDownReleaseRoundsUpToTheNextCell) {
  Point anchor = SnapToCell({13, 35}, kCw, kCh);
  EXPECT_EQ(8, anchor.x);
  EXPECT_EQ(32, anchor.y);
  Rect r = SelectionRectangle(anchor, {30, 60}, kCw, kCh);
  EXPECT_EQ(8, r.left);
  EXPECT_EQ(32, r.top);
  EXPECT_EQ(32, r.right);
  EXPECT_EQ(64, r.bottom);
  // On a boundary a whole cell is added.
  r = SelectionRectangle(anchor, {32, 64}, kCw, kCh);
  EXPECT_EQ(40, r.right);
  EXPECT_EQ(80, r.bottom);
  // Dragged up and left of the anchor, also past the window's corner.
  r = SelectionRectangle({40, 48}, {-20, -5}, kCw, kCh);
  EXPECT_EQ(0, r.left);
  EXPECT_EQ(0, r.top);
  EXPECT_EQ(48, r.right);
  EXPECT_EQ(64, r.bottom);
}

}  // namespace
}  // namespace korvane
