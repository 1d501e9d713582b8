#include "print_layout.h"

#include <gtest/gtest.h>

#include "banner_closing.h"
#include "display_test_support.h"

namespace korvane {
namespace {

TEST(PlacePicture, ScaleIsTheLargestWholeTenThatFitsWithTheFrame) {
  // 132 x 25 cells of 8 x 16 pixels on a 4800 x 6600 page: 4800 * 100 / 1060
  // = 452 across, 6600 * 100 / 404 = 1633 down, so 450 %.
  PicturePlacement p = PlacePicture(4800, 6600, 132 * 8, 25 * 16);
  EXPECT_EQ(p.scale, 450);
  EXPECT_EQ(p.width, 4752);
  EXPECT_EQ(p.height, 1800);
  EXPECT_LE(p.width + 4, 4800);

  // The height decides on a landscape-shaped screen and a wide page.
  p = PlacePicture(6600, 4800, 480, 1200);  // 4800 * 100 / 1204 = 398
  EXPECT_EQ(p.scale, 390);
  EXPECT_EQ(p.height, 4680);

  // An exact fit is not rounded away.
  EXPECT_EQ(PlacePicture(1004, 10000, 1000, 100).scale, 100);
}

TEST(PlacePicture, SmallPagesAndBadSizesNeverGiveAnEmptyOrOverflowingPicture) {
  // Below 10 % there is no whole ten: the unrounded scale is kept.
  PicturePlacement p = PlacePicture(100, 1000, 1056, 400);
  EXPECT_EQ(p.scale, 9);
  EXPECT_EQ(p.width, 95);
  EXPECT_EQ(PlacePicture(5, 5, 1056, 400).scale, 1);

  // A page or screen without size: nothing to place.
  EXPECT_EQ(PlacePicture(0, 6600, 1056, 400).scale, 0);
  EXPECT_EQ(PlacePicture(4800, 6600, 0, 400).scale, 0);
  EXPECT_EQ(PlacePicture(-1, 6600, 1056, 400).width, 0);

  // Huge device sizes do not overflow the arithmetic.
  p = PlacePicture(2000000000, 2000000000, 1056, 400);
  EXPECT_GT(p.scale, 0);
  EXPECT_GT(p.width, 0);
  EXPECT_GT(p.height, 0);
}

TEST(PrintedRows, RowsAsDisplayedWithFillersAsSpacesAndTheStatusLineLast) {
  test::DisplayFixture f(3, 10, 1, 10);
  f.Write("top");
  f.MoveTo(2, 0);
  f.Attributes(ATTR_DOUBLEWIDTH);
  f.Write("AB");
  std::vector<std::string> rows = PrintedRows(f.model);
  ASSERT_EQ(rows.size(), 4u);  // three rows and the status line
  EXPECT_EQ(rows[0], "top       ");
  EXPECT_EQ(rows[1], std::string(10, ' '));
  EXPECT_EQ(rows[2], "A B       ");
  EXPECT_EQ(rows[3].size(), 10u);
  for (const std::string& row : rows) EXPECT_EQ(row.find('\0'), std::string::npos);
}

TEST(PrintedRows, TheScrollbackViewIsPrintedAsShown) {
  test::DisplayFixture f(2, 4, 0, 10);
  for (char c = 'a'; c <= 'd'; ++c) {  // "a" and "b" scroll into the ring
    f.Write(std::string(1, c));
    f.Send(WUM_CARRIAGERETURN);
    if (c != 'd') f.Send(WUM_CURSORDOWN, 0, 1);
  }
  EXPECT_EQ(PrintedRows(f.model), (std::vector<std::string>{"c   ", "d   "}));
  f.model.SetScrollbackPosition(f.model.scrollbackLines() - 2);
  EXPECT_EQ(PrintedRows(f.model), (std::vector<std::string>{"a   ", "b   "}));

  ScreenModel unallocated;
  EXPECT_TRUE(PrintedRows(unallocated).empty());
}

TEST(PrinterFromDeviceEntry, NameIsTheTextBeforeTheFirstComma) {
  EXPECT_EQ(PrinterFromDeviceEntry("kvtest,winspool,CUPS:kvtest"), "kvtest");
  EXPECT_EQ(PrinterFromDeviceEntry("HP LaserJet 4"), "HP LaserJet 4");
  EXPECT_EQ(PrinterFromDeviceEntry(",winspool,LPT1:"), "");
  EXPECT_EQ(PrinterFromDeviceEntry(""), "");
}

TEST(BannerClosing, ClosesOnceWhenBothTheTimeAndStartUpAreDoneInEitherOrder) {
  BannerClosing quick;  // start-up done before the timer
  EXPECT_FALSE(quick.StartupDone());
  EXPECT_FALSE(quick.Closed());
  EXPECT_TRUE(quick.TimerElapsed());
  EXPECT_TRUE(quick.Closed());
  EXPECT_FALSE(quick.TimerElapsed());  // closing happens once

  BannerClosing slow;  // the timer first: the banner waits for start-up
  EXPECT_FALSE(slow.TimerElapsed());
  EXPECT_FALSE(slow.TimerElapsed());  // a stray second tick does not count
  EXPECT_FALSE(slow.Closed());
  EXPECT_TRUE(slow.StartupDone());
  EXPECT_FALSE(slow.StartupDone());

  BannerClosing repeated;  // a repeated start-up notice alone never closes it
  EXPECT_FALSE(repeated.StartupDone());
  EXPECT_FALSE(repeated.StartupDone());
  EXPECT_FALSE(repeated.Closed());
}

}  // namespace
}  // namespace korvane
