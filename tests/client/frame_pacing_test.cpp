#include "frame_pacing.h"

#include <gtest/gtest.h>

#include <climits>

namespace korvane {
namespace {

using Ranges = std::vector<std::pair<int, int>>;

TEST(FramePacerTest, NotedRowsComeBackAsRangesWithinTheGrid) {
  FramePacer pacer;
  EXPECT_FALSE(pacer.HasStale());
  pacer.Note(3, 5, 24);
  pacer.Note(6, 6, 24);      // adjacent: one range
  pacer.Note(10, 10, 24);
  pacer.Note(-4, 0, 24);     // above the grid: clamped to row 0
  pacer.Note(22, 400, 24);   // below the grid: clamped to the last row
  pacer.Note(30, 40, 24);    // wholly outside: nothing
  pacer.Note(8, 7, 24);      // empty
  EXPECT_TRUE(pacer.HasStale());
  EXPECT_EQ(pacer.TakeStaleRanges(24), (Ranges{{0, 0}, {3, 6}, {10, 10}, {22, 23}}));
  EXPECT_FALSE(pacer.HasStale());
  EXPECT_TRUE(pacer.TakeStaleRanges(24).empty());
}

// Rows are painted between the first and the last column any note of the
// frame changed; a note outside the grid does not count.
TEST(FramePacerTest, TheChangedColumnsAreKeptPerFrame) {
  FramePacer pacer;
  EXPECT_EQ(pacer.StaleRight(), INT_MAX);
  pacer.Note(2, 2, 24, 40, 41);
  pacer.Note(30, 40, 24, 0);
  EXPECT_EQ(pacer.StaleLeft(), 40);
  EXPECT_EQ(pacer.StaleRight(), 41);
  pacer.Note(3, 3, 24, 45, 50);
  EXPECT_EQ(pacer.StaleRight(), 50);
  pacer.Note(5, 5, 24, 12);
  pacer.Note(6, 6, 24, -3);
  EXPECT_EQ(pacer.StaleLeft(), 0);
  pacer.TakeStaleRanges(24);
  pacer.Note(1, 1, 24, 70);
  EXPECT_EQ(pacer.StaleLeft(), 70);
  EXPECT_EQ(pacer.StaleRight(), INT_MAX);  // to the row's end
  pacer.Clear();
  EXPECT_EQ(pacer.StaleLeft(), 0);
}

// The grid can shrink between the notes and the frame (a host resize in
// the same block): rows past its end are dropped, not painted.
TEST(FramePacerTest, RowsBeyondAShrunkenGridAreDropped) {
  FramePacer pacer;
  pacer.Note(20, 49, 50);
  pacer.Note(5, 5, 50);
  EXPECT_EQ(pacer.TakeStaleRanges(25), (Ranges{{5, 5}, {20, 24}}));
  pacer.Note(30, 40, 50);
  EXPECT_TRUE(pacer.TakeStaleRanges(25).empty());
  EXPECT_FALSE(pacer.HasStale());
}

TEST(FramePacerTest, FramesAreSkippedOnlyWhileMoreOutputWaitsWithinTheInterval) {
  FramePacer pacer;
  pacer.Note(0, 0, 24);
  // The first frame is always painted, whatever the clock says.
  EXPECT_TRUE(pacer.PaintNow(true, 5));
  pacer.Painted(1000);
  pacer.Note(0, 0, 24);
  EXPECT_FALSE(pacer.PaintNow(true, 1000));
  EXPECT_FALSE(pacer.PaintNow(true, 1000 + FramePacer::kIntervalMs - 1));
  EXPECT_TRUE(pacer.PaintNow(true, 1000 + FramePacer::kIntervalMs));
  // Drained output is painted at once: typing echoes are never held back.
  EXPECT_TRUE(pacer.PaintNow(false, 1001));
  // Nothing noted: nothing to hold back either.
  pacer.Clear();
  EXPECT_TRUE(pacer.PaintNow(true, 1001));
}

TEST(FramePacerTest, TheIntervalSurvivesTheTickCountWrappingAround) {
  FramePacer pacer;
  pacer.Painted(0xFFFFFFF0u);
  pacer.Note(1, 1, 24);
  EXPECT_FALSE(pacer.PaintNow(true, 0xFFFFFFFFu));
  EXPECT_FALSE(pacer.PaintNow(true, 2));   // 18 ms later
  EXPECT_TRUE(pacer.PaintNow(true, 4));    // 20 ms later
}

}  // namespace
}  // namespace korvane
