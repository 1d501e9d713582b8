// Random display messages on grids from 1 x 1 to 60 x 256, with and without
// the status line: nothing may leave the grid, and (under ASan) no buffer
// is touched outside its bounds.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "display_test_support.h"
#include "fuzz/display_message_source.h"

namespace korvane {
namespace {

bool CellAttributesInTable(const test::DisplayFixture& f) {
  const ScreenModel& m = f.model;
  size_t entries = f.attributes.entries().size();
  for (int row = 0; row < m.totalRows(); ++row)
    for (int column = 0; column < m.columns(); ++column)
      if (m.AttributeAt(row, column) >= entries) return false;
  return true;
}

void ExpectInsideTheGrid(test::DisplayFixture& f, int step) {
  const ScreenModel& m = f.model;
  ASSERT_GE(m.rows(), 1) << step;
  ASSERT_LE(m.rows(), kMaxRows) << step;
  ASSERT_GE(m.columns(), 1) << step;
  ASSERT_LE(m.columns(), kMaxColumns) << step;
  ASSERT_TRUE(m.cursorRow() >= 0 && m.cursorRow() < m.rows()) << step;
  ASSERT_TRUE(m.cursorColumn() >= 0 && m.cursorColumn() < m.columns()) << step;
  ASSERT_TRUE(m.regionTop() >= 0 && m.regionTop() <= m.regionBottom() && m.regionBottom() < m.rows()) << step;
  ASSERT_TRUE(m.currentPage() >= 0 && m.currentPage() < kPageCount) << step;
  ASSERT_TRUE(m.highestPage() >= 0 && m.highestPage() < kPageCount) << step;
  ASSERT_TRUE(m.cursorDepth() >= 0 && m.cursorDepth() <= kCursorStackDepth) << step;
  size_t entries = f.attributes.entries().size();
  ASSERT_LT(m.attribute, entries) << step;
  ASSERT_EQ(static_cast<int>(m.attribute), f.attributes.currentIndex()) << step;
  if (step % 100 == 0) {
    ASSERT_TRUE(CellAttributesInTable(f)) << step;
  }
}

TEST(DisplayProperty, RandomMessagesKeepEveryIndexInsideTheGrid) {
  struct Geometry {
    int rows, columns, status;
  } geometries[] = {{1, 1, 0}, {1, 1, 1}, {2, 3, 1}, {24, 80, 0}, {25, 80, 1}, {43, 132, 1}, {60, 256, 0}, {60, 256, 1}};
  std::mt19937 random(20240517);
  for (const Geometry& g : geometries) {
    for (int run = 0; run < 4; ++run) {
      test::DisplayFixture f(g.rows, g.columns, g.status, run == 0 ? 0 : 37);
      f.model.delayedWrap = run % 2;
      f.surface.hasCaret = run == 3;
      std::vector<uint8_t> bytes(8000);
      for (uint8_t& b : bytes) b = static_cast<uint8_t>(random());
      fuzz::ByteSource in(bytes.data(), bytes.size());
      DisplayLink link = f.display.Link();
      for (int step = 0; fuzz::SendOneMessage(in, link); ++step) {
        if (step % 50 == 0) f.model.SetScrollbackPosition(static_cast<int>(random() % 40));
        ExpectInsideTheGrid(f, step);
        if (HasFatalFailure()) return;
      }
    }
  }
}

}  // namespace
}  // namespace korvane
