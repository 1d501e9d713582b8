#include "window_sizing.h"

#include <gtest/gtest.h>

#include "client_test_support.h"

namespace korvane {
namespace {

TEST(TileGrid, ColumnsAndRowsForOneToTwelveWindows) {
  const TileGrid expected[] = {{2, 1}, {2, 1}, {2, 2}, {2, 2}, {2, 3}, {2, 3},
                               {3, 3}, {3, 3}, {3, 3}, {3, 4}, {3, 4}, {3, 4}};
  for (int n = 1; n <= 12; ++n) {
    TileGrid g = TileGridFor(n);
    EXPECT_EQ(expected[n - 1].columns, g.columns) << n << " windows";
    EXPECT_EQ(expected[n - 1].rows, g.rows) << n << " windows";
    EXPECT_GE(g.columns * g.rows, n);
  }
}

TEST(Tiling, ThreeWindowsFillThreeQuartersOfTheScreen) {
  // 1024 x 768 screen, frame 8 + 8 wide and 46 high, 80 x 24 grid.
  TilePlan first = PlanTile(1, 3, 1024, 768, 16, 46, 80, 24);
  TilePlan third = PlanTile(3, 3, 1024, 768, 16, 46, 80, 24);
  EXPECT_EQ(0, first.column);
  EXPECT_EQ(0, first.row);
  EXPECT_EQ(0, third.column);
  EXPECT_EQ(1, third.row);
  EXPECT_EQ(512, first.tileWidth);
  EXPECT_EQ(384, first.tileHeight);
  EXPECT_EQ((512 - 16) / 80, first.cellWidth);
  EXPECT_EQ((384 - 46) / 24, first.cellHeight);
  TilePlan second = PlanTile(2, 3, 1024, 768, 16, 46, 80, 24);
  EXPECT_EQ(1, second.column);
  EXPECT_EQ(0, second.row);
}

TEST(Tiling, StepsShrinkToSmallWindowsAndStayOnTheScreen) {
  TilePlan plan = PlanTile(4, 4, 1024, 768, 16, 46, 80, 24);
  // A window smaller than its tile: the next one starts one pixel after it.
  Point p = TileOrigin(plan, 496, 334, 1024, 768);
  EXPECT_EQ(497, p.x);
  EXPECT_EQ(335, p.y);
  // A window larger than its tile (the smallest font is still too big).
  p = TileOrigin(plan, 700, 500, 1024, 768);
  EXPECT_EQ(512, p.x);
  EXPECT_EQ(384, p.y);
}

TEST(Tiling, CellIsTheLargestAvailableNotLargerElseTheSmallest) {
  test::ClientFixture fx;
  FontSizing fonts{fx.log(), fx.errors};
  TilePlan plan = PlanTile(1, 2, 1024, 768, 16, 46, 80, 24);  // wants 6 x 30
  CellSize cell = TileCell(fonts, plan);
  EXPECT_EQ(6, cell.width);
  EXPECT_EQ(12, cell.height);
  plan = PlanTile(1, 12, 640, 480, 16, 46, 132, 50);  // far below 4 x 8
  cell = TileCell(fonts, plan);
  EXPECT_EQ(4, cell.width);
  EXPECT_EQ(8, cell.height);
}

TEST(ScrollbackBar, NotificationsMoveWithinTheRange) {
  EXPECT_EQ(499, ScrollbackTarget(kScrollLineUp, 0, 500, 24, 500));
  EXPECT_EQ(500, ScrollbackTarget(kScrollLineDown, 0, 500, 24, 500));
  EXPECT_EQ(476, ScrollbackTarget(kScrollPageUp, 0, 500, 24, 500));
  EXPECT_EQ(0, ScrollbackTarget(kScrollPageUp, 0, 10, 24, 500));
  EXPECT_EQ(500, ScrollbackTarget(kScrollPageDown, 0, 490, 24, 500));
  EXPECT_EQ(123, ScrollbackTarget(kScrollThumbTrack, 123, 500, 24, 500));
  EXPECT_EQ(321, ScrollbackTarget(kScrollThumbPosition, 321, 500, 24, 500));
  EXPECT_EQ(0, ScrollbackTarget(kScrollTop, 0, 300, 24, 500));
  EXPECT_EQ(500, ScrollbackTarget(kScrollBottom, 0, 300, 24, 500));
  EXPECT_EQ(300, ScrollbackTarget(8, 0, 300, 24, 500));  // end of scrolling
}

struct Fitting : ::testing::Test {
  test::ClientFixture fx;
  FontSizing fonts{fx.log(), fx.errors};
  FitInput in;
  void SetUp() override {
    fx.log().recordEvents = true;
    for (int typeface = 0; typeface < 2; ++typeface)
      for (int w = 4; w <= 15; ++w) fonts.available.Insert({w, 2 * w, typeface});
    in.screenWidth = 1024;
    in.screenHeight = 768;
    in.frameX = in.frameY = 4;
    in.cellWidth = 8;
    in.cellHeight = 16;
    in.clientWidth = 640;
    in.clientHeight = 384;
  }
  FitPlan Plan() { return PlanFontFit(in, fonts, fx.log()); }
  std::string Log() { return test::WithoutCarriageReturns(fx.record.Text()); }
};

TEST_F(Fitting, MinimisedDoesNothing) {
  in.minimised = true;
  EXPECT_EQ(FitPlan::Action::kMinimised, Plan().action);
  EXPECT_EQ("WM_SIZE\n    is minimized\n", Log());
}

TEST_F(Fitting, AGridThatFillsTheClientAreaIsFine) {
  FitPlan plan = Plan();
  EXPECT_EQ(FitPlan::Action::kFineAsIs, plan.action);
  EXPECT_TRUE(plan.sizingCommandsEnabled);
  EXPECT_EQ("WM_SIZE\n    Client rect 640 x 384\n    Fine as is\n", Log());
  // The scrollback bar counts as part of the grid.
  in.barWidth = 17;
  in.clientWidth = 657;
  EXPECT_EQ(FitPlan::Action::kFineAsIs, Plan().action);
}

TEST_F(Fitting, ALargerAreaAsksForTheCellThatFillsIt) {
  in.clientWidth = 800;
  in.clientHeight = 480;
  in.barWidth = 16;
  in.clientWidth += 16;
  FitPlan plan = Plan();
  EXPECT_EQ(FitPlan::Action::kResize, plan.action);
  EXPECT_EQ(10, plan.wantWidth);
  EXPECT_EQ(20, plan.wantHeight);
  EXPECT_FALSE(plan.setCell);
  EXPECT_EQ(
      "WM_SIZE\n    Client rect 816 x 480\n    is: 656 x 384, wants: 816 x 480\n    Desired Font Size=10 x 20\n",
      Log());
}

TEST_F(Fitting, OnePixelMoreAsksForTheNextLargerCell) {
  in.clientWidth = 641;
  in.clientHeight = 385;
  FitPlan plan = Plan();
  EXPECT_EQ(FitPlan::Action::kResize, plan.action);
  EXPECT_EQ(9, plan.wantWidth);
  EXPECT_EQ(17, plan.wantHeight);
}

TEST_F(Fitting, MaximisedOffTheFrameIsPutInPlaceFirst) {
  in.maximised = true;
  in.window = {0, 0, 1024, 740};
  FitPlan plan = Plan();
  EXPECT_EQ(FitPlan::Action::kPlaceMaximised, plan.action);
  EXPECT_FALSE(plan.sizingCommandsEnabled);
  EXPECT_EQ(-4, plan.maximisedWindow.left);
  EXPECT_EQ(-4, plan.maximisedWindow.top);
  EXPECT_EQ(1028, plan.maximisedWindow.right);
  EXPECT_EQ(772, plan.maximisedWindow.bottom);
  EXPECT_EQ("WM_SIZE\n    Is maximized\n    Client rect 640 x 384\n    Adjust size for maximize\n", Log());
}

TEST_F(Fitting, MaximisedTakesTheLargestFontThatFitsAndSearchesDownFromAbove) {
  in.maximised = true;
  in.window = {-4, -4, 1028, 772};
  in.clientWidth = 1024;
  in.clientHeight = 720;
  FitPlan plan = Plan();
  EXPECT_EQ(FitPlan::Action::kResize, plan.action);
  // 1024 / 80 = 12, 720 / 24 = 30: the widest size within is 12 x 24.
  EXPECT_EQ(12, plan.wantWidth);
  EXPECT_EQ(24, plan.wantHeight);
  EXPECT_TRUE(plan.setCell);
  EXPECT_EQ(13, plan.cellWidth);
  EXPECT_EQ(25, plan.cellHeight);
  EXPECT_EQ(
      "WM_SIZE\n    Is maximized\n    Client rect 1024 x 720\n    Do nothing\n    is: 640 x 384, wants: 1024 x 720\n"
      "    Desired Font Size=12 x 30\n    do FindFontLE\n    Do maximized adjust to 12 x 24\n",
      Log());
}

TEST_F(Fitting, AnEmptyClientAreaWantsNoNegativeCell) {
  in.clientWidth = 0;
  in.clientHeight = 0;
  in.barWidth = 17;
  FitPlan plan = Plan();
  EXPECT_EQ(0, plan.wantWidth);
  EXPECT_EQ(0, plan.wantHeight);
}

TEST(KeepCentre, TheNewRectangleSharesTheOldCentre) {
  Rect r = KeepCentre({100, 100, 300, 200}, 100, 50);
  EXPECT_EQ(150, r.left);
  EXPECT_EQ(125, r.top);
  EXPECT_EQ(250, r.right);
  EXPECT_EQ(175, r.bottom);
}

}  // namespace
}  // namespace korvane
