#include "screen_model.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

namespace korvane {
namespace {

std::string Row(const ScreenModel& m, int row) {
  return std::string(m.RowText(row), static_cast<size_t>(m.columns()));
}
std::string RingRow(const ScreenModel& m, int row, int position) {
  return std::string(m.RowForDisplay(row, position).text, static_cast<size_t>(m.columns()));
}
void Fill(ScreenModel& m, int row, const std::string& text) {
  m.Store(row, 0, text.data(), static_cast<int>(text.size()), 0, false);
}
// Rows labelled "0", "1", ... in column 0, with the row number as attribute.
void Label(ScreenModel& m) {
  for (int row = 0; row < m.rows(); ++row) {
    char c = static_cast<char>('0' + row % 10);
    m.Store(row, 0, &c, 1, static_cast<uint32_t>(row), false);
  }
}
std::string Column0(const ScreenModel& m) {
  std::string out;
  for (int row = 0; row < m.rows(); ++row) out += m.CharAt(row, 0);
  return out;
}

TEST(ScreenModelAllocate, FreshPagesHoldSpacesAndAttributeZero) {
  ScreenModel m;
  m.Allocate(24, 80, 1, 500);
  EXPECT_EQ(m.totalRows(), 25);
  EXPECT_EQ(Row(m, 24), std::string(80, ' '));
  EXPECT_EQ(m.AttributeAt(24, 79), 0u);
  EXPECT_EQ(m.regionTop(), 0);
  EXPECT_EQ(m.regionBottom(), 23);
  EXPECT_EQ(m.scrollbackPosition(), 500);
  // Never-written ring lines read as blanks, not NULs.
  EXPECT_EQ(RingRow(m, 0, 0), std::string(80, ' '));
}

TEST(ScreenModelAllocate, SizesAreBroughtIntoTheirLimits) {
  ScreenModel m;
  m.Allocate(0, 100000, 7, -3);
  EXPECT_EQ(m.rows(), 1);
  EXPECT_EQ(m.columns(), kMaxColumns);
  EXPECT_EQ(m.statusLines(), 1);
  EXPECT_EQ(m.scrollbackLines(), 0);
  m.Allocate(1000, 80, 0, 1 << 30);
  EXPECT_EQ(m.rows(), kMaxRows);
  EXPECT_EQ(m.scrollbackLines(), kMaxScrollbackLines);
}

TEST(ScreenModelRect, NormaliseWrapsEveryCoordinate) {
  ScreenModel m;
  m.Allocate(24, 80, 1, 0);
  CellRect r = m.Normalise({-1, -1, 80, 24});
  EXPECT_EQ(r.left, 79);
  EXPECT_EQ(r.top, 23);  // the status line is not addressable
  EXPECT_EQ(r.right, 0);
  EXPECT_EQ(r.bottom, 0);
  r = m.Normalise({-100, INT_MIN, INT_MAX, -25});
  EXPECT_EQ(r.left, 60);
  EXPECT_GE(r.top, 0);
  EXPECT_LT(r.top, 24);
  EXPECT_GE(r.right, 0);
  EXPECT_LT(r.right, 80);
  EXPECT_EQ(r.bottom, 23);
}

TEST(ScreenModelStore, DoubleWidthTakesTwoCellsWithAZeroFiller) {
  ScreenModel m;
  m.Allocate(2, 10, 0, 0);
  m.Store(0, 6, "abc", 3, 5, true);  // only two fit
  EXPECT_EQ(Row(m, 0), std::string("      a\0b\0", 10));
  EXPECT_EQ(m.AttributeAt(0, 9), 5u);
  EXPECT_EQ(m.AttributeAt(0, 5), 0u);
  m.Store(1, 8, "xyz", 3, 1, false);
  EXPECT_EQ(Row(m, 1), "        xy");
}

TEST(ScreenModelErase, BlanksWithTheCurrentAttribute) {
  ScreenModel m;
  m.Allocate(3, 10, 0, 0);
  for (int row = 0; row < 3; ++row) Fill(m, row, "abcdefghij");
  m.attribute = 9;
  m.Erase({2, 1, -3, 2});
  EXPECT_EQ(Row(m, 0), "abcdefghij");
  EXPECT_EQ(Row(m, 1), "ab      ij");
  EXPECT_EQ(Row(m, 2), "ab      ij");
  EXPECT_EQ(m.AttributeAt(2, 7), 9u);
  EXPECT_EQ(m.AttributeAt(2, 8), 0u);
  m.Erase({5, 0, 4, 0});  // left past right: nothing
  EXPECT_EQ(Row(m, 0), "abcdefghij");
}

TEST(ScreenModelScroll, RegionMovesUpAndDownWithBlanksOpening) {
  ScreenModel m;
  m.Allocate(6, 4, 0, 10);
  Label(m);
  m.attribute = 7;
  m.ScrollRect({0, 1, 3, 4}, 2);
  EXPECT_EQ(Column0(m), "034  5");
  EXPECT_EQ(m.AttributeAt(3, 2), 7u);
  EXPECT_EQ(m.AttributeAt(1, 0), 3u);  // attributes travel with their characters
  Label(m);
  m.ScrollRect({0, 1, 3, 4}, -1);
  EXPECT_EQ(Column0(m), "0 1235");
  EXPECT_EQ(m.ringWriteIndex(), 0);  // not the whole screen: nothing kept
}

TEST(ScreenModelScroll, APartialWidthRectangleKeepsTheColumnsBeside) {
  ScreenModel m;
  m.Allocate(3, 5, 0, 0);
  Fill(m, 0, "abcde");
  Fill(m, 1, "fghij");
  Fill(m, 2, "klmno");
  m.ScrollRect({1, 0, 2, 2}, 1);
  EXPECT_EQ(Row(m, 0), "aghde");
  EXPECT_EQ(Row(m, 1), "flmij");
  EXPECT_EQ(Row(m, 2), "k  no");
}

// Decision: a count of the rectangle's height or more blanks it whole.
TEST(ScreenModelScroll, ACountOfTheHeightOrMoreBlanksTheRectangle) {
  ScreenModel m;
  m.Allocate(6, 4, 0, 10);
  Label(m);
  m.ScrollRect({0, 1, 3, 3}, 3);
  EXPECT_EQ(Column0(m), "0   45");
  Label(m);
  m.ScrollRect({0, 1, 3, 3}, INT_MIN);
  EXPECT_EQ(Column0(m), "0   45");
  Label(m);
  m.ScrollRect({0, 0, 3, 5}, 1000);  // the whole screen: every line goes to the ring once
  EXPECT_EQ(Column0(m), "      ");
  EXPECT_EQ(m.ringWriteIndex(), 6);
}

// Scrolls turn the row index instead of moving cells: random scrolls,
// shifts, stores, erases, page switches and resizes must leave every page
// and the ring as a grid whose cells really move would have them.
TEST(ScreenModelScroll, TurningTheRowIndexGivesTheCellsOfMovingLines) {
  struct Grid {
    std::vector<std::string> text;
    std::vector<std::vector<uint32_t>> attributes;
    std::string saveText = std::string(kStatusSaveCells, ' ');
    std::vector<uint32_t> saveAttributes = std::vector<uint32_t>(kStatusSaveCells, 0);
  };
  std::mt19937 random(22);
  auto pick = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
  ScreenModel m;
  m.Allocate(6, 9, 1, 7);
  m.SetMemoryPages(2);
  std::vector<Grid> pages(2, Grid{std::vector<std::string>(7, std::string(9, ' ')),
                                  std::vector<std::vector<uint32_t>>(7, std::vector<uint32_t>(9, 0))});
  std::vector<std::string> ring;
  for (int step = 0; step < 3000; ++step) {
    Grid& g = pages[static_cast<size_t>(m.currentPage())];
    const int rows = m.rows(), columns = m.columns();
    m.attribute = static_cast<uint32_t>(pick(0, 5));
    int top = pick(0, rows - 1), bottom = pick(top, rows - 1), left = pick(0, columns - 1);
    int right = pick(0, 1) ? columns - 1 : pick(left, columns - 1);
    if (pick(0, 1)) left = 0;
    auto blank = [&](int row, int from, int to) {
      for (int c = from; c <= to; ++c) g.text[row][c] = ' ', g.attributes[row][c] = m.attribute;
    };
    switch (pick(0, 9)) {
      case 0: case 1: case 2: {  // scroll, often the whole screen by one
        int n = pick(0, 2) ? 1 : pick(-rows - 1, rows + 1);
        if (pick(0, 1)) top = 0, bottom = rows - 1, left = 0, right = columns - 1;
        m.ScrollRect({left, top, right, bottom}, n);
        int count = std::min(std::abs(n), bottom - top + 1);
        if (n > 0 && top == 0 && bottom == rows - 1 && left == 0 && right == columns - 1)
          for (int row = 0; row < count; ++row) ring.push_back(g.text[row]);
        Grid before = g;
        for (int row = top; row <= bottom; ++row) {
          int from = n > 0 ? row + count : row - count;
          if (from < top || from > bottom) {
            blank(row, left, right);
            continue;
          }
          for (int c = left; c <= right; ++c)
            g.text[row][c] = before.text[from][c], g.attributes[row][c] = before.attributes[from][c];
        }
        break;
      }
      case 3: {  // shift
        int n = pick(-columns, columns), count = std::min(std::abs(n), right - left + 1);
        m.ShiftRect({left, top, right, bottom}, n);
        for (int row = top; row <= bottom && n != 0; ++row) {
          std::string text = g.text[row];
          std::vector<uint32_t> attributes = g.attributes[row];
          for (int c = left; c <= right; ++c) {
            int from = n > 0 ? c - count : c + count;
            bool inside = from >= left && from <= right;
            g.text[row][c] = inside ? text[from] : ' ';
            g.attributes[row][c] = inside ? attributes[from] : m.attribute;
          }
        }
        break;
      }
      case 4:
        m.Erase({left, top, right, bottom});
        for (int row = top; row <= bottom; ++row) blank(row, left, right);
        break;
      case 5:
        if (pick(0, 3) == 0) {
          m.SwitchPage(-1);
        } else if (pick(0, 3) == 0) {  // rows and columns change on every page; the status row stays
          int newRows = pick(3, 8), newColumns = pick(4, 12);
          m.Resize(newRows, newColumns, 1);
          for (Grid& page : pages) {
            // The status row goes through the page's save area.
            for (int c = 0; c < columns; ++c)
              page.saveText[c] = page.text[rows][c], page.saveAttributes[c] = page.attributes[rows][c];
            Grid resized{std::vector<std::string>(static_cast<size_t>(newRows + 1), std::string(static_cast<size_t>(newColumns), ' ')),
                         std::vector<std::vector<uint32_t>>(static_cast<size_t>(newRows + 1),
                                                            std::vector<uint32_t>(static_cast<size_t>(newColumns), 0))};
            for (int row = 0; row < std::min(rows, newRows + 1); ++row)
              for (int c = 0; c < std::min(columns, newColumns); ++c)
                resized.text[row][c] = page.text[row][c], resized.attributes[row][c] = page.attributes[row][c];
            for (int c = 0; c < newColumns; ++c)
              resized.text[newRows][c] = page.saveText[c], resized.attributes[newRows][c] = page.saveAttributes[c];
            resized.saveText = page.saveText;
            resized.saveAttributes = page.saveAttributes;
            page = resized;
          }
        }
        break;
      default: {  // store, the status row included
        int row = pick(0, rows), column = pick(0, columns - 1), count = pick(1, columns - column);
        std::string text;
        for (int i = 0; i < count; ++i) text += static_cast<char>('a' + pick(0, 25));
        m.Store(row, column, text.data(), count, m.attribute, false);
        for (int i = 0; i < count; ++i) g.text[row][column + i] = text[i], g.attributes[row][column + i] = m.attribute;
        break;
      }
    }
    const Grid& shown = pages[static_cast<size_t>(m.currentPage())];
    for (int row = 0; row < m.totalRows(); ++row) {
      ASSERT_EQ(Row(m, row), shown.text[row]) << "step " << step << " row " << row;
      for (int c = 0; c < m.columns(); ++c) ASSERT_EQ(m.AttributeAt(row, c), shown.attributes[row][c]) << step;
    }
    for (int back = 1; back <= std::min<int>(7, static_cast<int>(ring.size())); ++back) {
      const std::string& line = ring[ring.size() - static_cast<size_t>(back)];
      // Shown in today's width: cut, or padded with blanks.
      std::string expected = line.substr(0, std::min(line.size(), static_cast<size_t>(m.columns())));
      expected.resize(static_cast<size_t>(m.columns()), ' ');
      ASSERT_EQ(RingRow(m, 0, 7 - back), expected) << step;
    }
  }
}

TEST(ScreenModelScrollback, AWholeScreenScrollFeedsItsTopLines) {
  ScreenModel m;
  m.Allocate(5, 4, 1, 10);
  Label(m);
  m.ScrollRect({0, 0, -1, -1}, 3);
  EXPECT_EQ(m.ringWriteIndex(), 3);
  EXPECT_EQ(m.ringOldestIndex(), 0);
  // Position 7 of 10 shows the three ring lines, then the live rows.
  EXPECT_EQ(RingRow(m, 0, 7)[0], '0');
  EXPECT_EQ(RingRow(m, 2, 7)[0], '2');
  EXPECT_EQ(RingRow(m, 3, 7)[0], '3');
  EXPECT_EQ(RingRow(m, 4, 7)[0], '4');
  EXPECT_EQ(m.RowForDisplay(2, 7).attributes[0], 2u);
  EXPECT_EQ(RingRow(m, 0, 10)[0], '3');  // position L is the live screen
}

TEST(ScreenModelScrollback, TheRingKeepsOnlyTheLastLines) {
  ScreenModel m;
  m.Allocate(1, 10, 0, 500);
  for (int i = 0; i < 520; ++i) {
    std::string line = std::to_string(i);
    Fill(m, 0, line + std::string(10 - line.size(), ' '));
    m.ScrollRect({0, 0, 9, 0}, 1);
  }
  EXPECT_EQ(m.ringWriteIndex(), 20);
  EXPECT_EQ(m.ringOldestIndex(), 21);
  EXPECT_EQ(RingRow(m, 0, 0).substr(0, 3), "20 ");  // the oldest kept line
  EXPECT_EQ(RingRow(m, 0, 499).substr(0, 3), "519");  // the newest
}

// Decision: a slot holds a line of the widest grid, so wide lines are kept whole.
TEST(ScreenModelScrollback, LinesOf132AndMoreColumnsAreStoredWhole) {
  for (int columns : {132, 200, kMaxColumns}) {
    ScreenModel m;
    m.Allocate(2, columns, 0, 5);
    std::string line;
    for (int i = 0; i < columns; ++i) line += static_cast<char>('a' + i % 26);
    Fill(m, 0, line);
    m.ScrollRect({0, 0, -1, -1}, 1);
    EXPECT_EQ(RingRow(m, 0, 4), line) << columns;
  }
}

TEST(ScreenModelScrollback, AShortLineDoesNotShowTheRestOfAnOlderWideOne) {
  ScreenModel m;
  m.Allocate(1, 132, 0, 1);
  Fill(m, 0, std::string(132, 'w'));
  m.ScrollRect({0, 0, -1, -1}, 1);
  m.Resize(0, 80, 0);
  Fill(m, 0, std::string(80, 'n'));
  m.ScrollRect({0, 0, -1, -1}, 1);
  m.Resize(0, 132, 0);
  EXPECT_EQ(RingRow(m, 0, 0), std::string(80, 'n') + std::string(52, ' '));
}

TEST(ScreenModelShift, RowsMoveSidewaysWithBlanksEntering) {
  ScreenModel m;
  m.Allocate(2, 10, 0, 0);
  Fill(m, 0, "0123456789");
  Fill(m, 1, "abcdefghij");
  m.ShiftRect({2, 0, 7, 1}, 2);
  EXPECT_EQ(Row(m, 0), "01  234589");
  EXPECT_EQ(Row(m, 1), "ab  cdefij");
  m.ShiftRect({0, 0, 9, 0}, -3);
  EXPECT_EQ(Row(m, 0), " 234589   ");
  m.ShiftRect({0, 1, 9, 1}, 50);  // limited to the width
  EXPECT_EQ(Row(m, 1), std::string(10, ' '));
}

TEST(ScreenModelStatus, TextIsPaddedAndAttributesFillTheSaveArea) {
  ScreenModel m;
  m.Allocate(3, 10, 0, 0);
  EXPECT_FALSE(m.SetStatusText("hello", 5));
  m.Allocate(3, 10, 1, 0);
  Fill(m, 3, "xxxxxxxxxx");
  EXPECT_TRUE(m.SetStatusText("hello", 5));
  EXPECT_EQ(Row(m, 3), "hello     ");
  EXPECT_TRUE(m.SetStatusText("a much longer text", 18));
  EXPECT_EQ(Row(m, 3), "a much lon");
  EXPECT_TRUE(m.SetStatusText("junk", -4));
  EXPECT_EQ(Row(m, 3), std::string(10, ' '));
  m.SetStatusAttributes(4);
  EXPECT_EQ(m.AttributeAt(3, 9), 4u);
  m.Store(3, 0, "saved", 5, 6, false);
  m.SaveStatusLine();
  m.SetStatusText(nullptr, 3);
  m.RestoreStatusLine();
  EXPECT_EQ(Row(m, 3), "saved     ");
  EXPECT_EQ(m.AttributeAt(3, 0), 6u);
}

TEST(ScreenModelResize, WiderKeepsTheOldColumnsAndBlanksTheRest) {
  ScreenModel m;
  m.Allocate(24, 80, 0, 0);
  Fill(m, 5, std::string(80, 'x'));
  m.MoveTo(5, 79);
  EXPECT_TRUE(m.Resize(0, 132, 0));
  EXPECT_EQ(m.rows(), 24);
  EXPECT_EQ(Row(m, 5), std::string(80, 'x') + std::string(52, ' '));
  EXPECT_EQ(m.cursorColumn(), 79);
  EXPECT_FALSE(m.Resize(24, 132, 0));  // nothing changes
}

TEST(ScreenModelResize, SmallerKeepsTheCursorAndRegionInside) {
  ScreenModel m;
  m.Allocate(43, 132, 0, 0);
  m.MoveTo(40, 120);
  m.SetRegion(5, 40);
  EXPECT_TRUE(m.Resize(24, 80, 0));
  EXPECT_EQ(m.cursorRow(), 23);
  EXPECT_EQ(m.cursorColumn(), 79);
  EXPECT_EQ(m.regionTop(), 0);
  EXPECT_EQ(m.regionBottom(), 23);
}

TEST(ScreenModelResize, TheStatusLineSurvivesOnEveryPage) {
  ScreenModel m;
  m.Allocate(24, 80, 1, 0);
  m.SetMemoryPages(2);
  m.SetStatusText("first", 5);
  m.SwitchPage(1);
  m.SetStatusText("second", 6);
  m.Resize(42, 132, 1);
  EXPECT_EQ(Row(m, 42).substr(0, 7), "second ");
  m.SwitchPage(0);
  EXPECT_EQ(Row(m, 42).substr(0, 6), "first ");
  // Hidden and shown again, it comes back from the save area.
  m.Resize(43, 0, 0);
  m.Resize(42, 0, 1);
  EXPECT_EQ(Row(m, 42).substr(0, 6), "first ");
}

TEST(ScreenModelPages, SwitchingWrapsAndKeepsEachPagesCursor) {
  ScreenModel m;
  m.Allocate(24, 80, 0, 0);
  EXPECT_FALSE(m.SwitchPage(-1));  // one page: the next is the same
  m.SetMemoryPages(3);
  m.MoveTo(4, 5);
  m.attribute = 3;
  EXPECT_TRUE(m.SwitchPage(-2));  // from 0 to the highest
  EXPECT_EQ(m.currentPage(), 2);
  EXPECT_EQ(m.cursorRow(), 0);
  EXPECT_EQ(m.attribute, 0u);
  EXPECT_TRUE(m.SwitchPage(-1));  // past the highest to 0
  EXPECT_EQ(m.currentPage(), 0);
  EXPECT_EQ(m.cursorRow(), 4);
  EXPECT_EQ(m.cursorColumn(), 5);
  EXPECT_EQ(m.attribute, 3u);
  EXPECT_FALSE(m.SwitchPage(3));  // beyond the usable pages
  EXPECT_FALSE(m.SwitchPage(0));
  m.SetMemoryPages(10);  // ignored
  m.SetMemoryPages(0);
  EXPECT_EQ(m.highestPage(), 2);
}

TEST(ScreenModelPages, EachPageHasItsOwnCells) {
  ScreenModel m;
  m.Allocate(2, 4, 0, 0);
  m.SetMemoryPages(9);
  Fill(m, 0, "page");
  m.SwitchPage(8);
  EXPECT_EQ(Row(m, 0), "    ");
  m.SwitchPage(0);
  EXPECT_EQ(Row(m, 0), "page");
}

TEST(ScreenModelCursorStack, TheHundredAndFirstPushIsIgnored) {
  ScreenModel m;
  m.Allocate(24, 80, 0, 0);
  for (int i = 0; i < 101; ++i) {
    m.MoveTo(i % 24, i % 80);
    m.attribute = static_cast<uint32_t>(i);
    m.PushCursor(true);
  }
  EXPECT_EQ(m.cursorDepth(), kCursorStackDepth);
  SavedCursor top = m.PopCursor(true);
  EXPECT_EQ(top.column, 99 % 80);  // the 100th push, not the 101st
  EXPECT_EQ(m.attribute, 99u);
}

TEST(ScreenModelCursorStack, PoppingAnEmptyStackReloadsTheBottomEntry) {
  ScreenModel m;
  m.Allocate(24, 80, 0, 0);
  m.MoveTo(9, 9);
  m.PopCursor(true);
  EXPECT_EQ(m.cursorRow(), 0);
  EXPECT_EQ(m.cursorColumn(), 0);
  m.MoveTo(3, 4);
  m.attribute = 8;
  m.PushCursor(false);
  m.MoveTo(0, 0);
  m.attribute = 1;
  m.PopCursor(true);  // no attribute was stored: the entry's old one comes back
  EXPECT_EQ(m.cursorRow(), 3);
  EXPECT_EQ(m.attribute, 0u);
  m.PopCursor(false);  // empty again: the same bottom entry
  EXPECT_EQ(m.cursorColumn(), 4);
}

TEST(ScreenModelCursorStack, APoppedPositionIsKeptInsideASmallerGrid) {
  ScreenModel m;
  m.Allocate(43, 132, 0, 0);
  m.MoveTo(40, 130);
  m.PushCursor(false);
  m.Resize(24, 80, 0);
  m.PopCursor(false);
  EXPECT_EQ(m.cursorRow(), 23);
  EXPECT_EQ(m.cursorColumn(), 79);
}

TEST(ScreenModelTabs, DefaultStopsEveryEighthColumnBelowTheWidth) {
  ScreenModel m;
  m.Allocate(24, 80, 0, 0);
  m.SetDefaultTabStops();
  EXPECT_TRUE(m.HasTabStop(8));
  EXPECT_TRUE(m.HasTabStop(72));
  EXPECT_FALSE(m.HasTabStop(80));
  EXPECT_FALSE(m.HasTabStop(0));
  EXPECT_EQ(m.NextTabStop(72), -1);
  EXPECT_EQ(m.NextTabStop(8), 16);
  EXPECT_EQ(m.PreviousTabStop(8), -1);
  EXPECT_EQ(m.PreviousTabStop(600), 72);
  m.SetTabStop(600, true);  // beyond 511: ignored
  m.SetTabStop(-1, true);
  EXPECT_FALSE(m.HasTabStop(600));
}

TEST(ScreenModelRegion, OnlyAProperRegionIsTaken) {
  ScreenModel m;
  m.Allocate(24, 80, 0, 0);
  EXPECT_FALSE(m.SetRegion(5, 5));
  EXPECT_FALSE(m.SetRegion(3, 24));
  EXPECT_FALSE(m.SetRegion(-1, 4));
  EXPECT_TRUE(m.SetRegion(2, 20));
  EXPECT_EQ(m.regionBottom(), 20);
}

}  // namespace
}  // namespace korvane
