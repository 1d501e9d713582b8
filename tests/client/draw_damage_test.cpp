#include "draw_damage.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace korvane {
namespace {

using Grid = std::vector<std::vector<int>>;

// Pixels copied the way ScrollDC copies them: rows whose source lies
// outside the block are left with garbage.
void MovePixels(Grid& grid, int top, int bottom, int lines) {
  Grid before = grid;
  for (int row = top; row <= bottom; ++row) {
    int source = row + lines;
    grid[static_cast<size_t>(row)] =
        (source < top || source > bottom) ? std::vector<int>(grid[0].size(), -7) : before[static_cast<size_t>(source)];
  }
}

// The deferred drawing of a random stream of writes and block moves ends
// with the same pixels as drawing every change at once.
TEST(DrawDamage, BatchedDrawingEndsWithTheModelsPixels) {
  const int rows = 9, columns = 6;
  std::mt19937 random(7);
  for (int round = 0; round < 400; ++round) {
    Grid model(rows, std::vector<int>(columns, 0));
    Grid pixels = model;
    DrawDamage damage;
    int next = 1;
    int steps = 1 + static_cast<int>(random() % 30);
    for (int step = 0; step < steps; ++step) {
      int kind = static_cast<int>(random() % 3);
      if (kind < 2) {
        int row = static_cast<int>(random() % rows), left = static_cast<int>(random() % columns);
        for (int column = left; column < columns; ++column) model[row][column] = next++;
        damage.MarkFrom(row, left);
      } else {
        int top = static_cast<int>(random() % 3), bottom = rows - 1 - static_cast<int>(random() % 2);
        int lines = static_cast<int>(random() % 13) - 6;
        MovePixels(model, top, bottom, lines);
        for (int row = top; row <= bottom; ++row)
          if (model[row][0] == -7) model[row] = std::vector<int>(columns, next++);
        if (!damage.AddMove(top, bottom, lines)) {
          // A move that ended where it began, or past the whole block, copies nothing.
          if (auto pending = damage.TakeMove()) MovePixels(pixels, pending->top, pending->bottom, pending->lines);
          ASSERT_TRUE(damage.AddMove(top, bottom, lines));
        }
      }
    }
    if (auto move = damage.TakeMove()) MovePixels(pixels, move->top, move->bottom, move->lines);
    for (int row = 0; row < rows; ++row) {
      int from = damage.StaleFrom(row);
      if (from < 0) continue;
      for (int column = from; column < columns; ++column) pixels[row][column] = model[row][column];
    }
    ASSERT_EQ(pixels, model) << "round " << round;
  }
}

TEST(DrawDamage, ScrollingBurstCostsOneCopyAndPaintsOnlyTheOpenedRows) {
  DrawDamage damage;
  for (int i = 0; i < 3; ++i) {
    ASSERT_TRUE(damage.AddMove(0, 23, 1));
    damage.MarkFrom(23, 0);
  }
  auto move = damage.TakeMove();
  ASSERT_TRUE(move.has_value());
  EXPECT_EQ(move->lines, 3);
  for (int row = 0; row < 21; ++row) EXPECT_EQ(damage.StaleFrom(row), -1) << row;
  for (int row = 21; row < 24; ++row) EXPECT_EQ(damage.StaleFrom(row), 0) << row;
}

TEST(DrawDamage, MovesOfAnotherBlockWaitForThePendingOne) {
  DrawDamage damage;
  ASSERT_TRUE(damage.AddMove(0, 23, 1));
  EXPECT_FALSE(damage.AddMove(5, 10, 1));
  EXPECT_EQ(damage.TakeMove()->lines, 1);
  EXPECT_TRUE(damage.AddMove(5, 10, 1));
}

TEST(DrawDamage, MovingTheWholeHeightCopiesNothing) {
  DrawDamage damage;
  ASSERT_TRUE(damage.AddMove(0, 3, 2));
  ASSERT_TRUE(damage.AddMove(0, 3, 2));
  EXPECT_FALSE(damage.TakeMove().has_value());
  for (int row = 0; row < 4; ++row) EXPECT_EQ(damage.StaleFrom(row), 0);
  damage.Clear();
  EXPECT_TRUE(damage.Empty());
}

}  // namespace
}  // namespace korvane
