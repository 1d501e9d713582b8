#include "window_placement.h"

#include <gtest/gtest.h>

#include "client_test_support.h"

namespace korvane {
namespace {

bool EvenWidthsOnly(int width, int height) { return width % 2 == 0 && height == 2 * width; }

TEST(InitialSize, XOptionSizeIsCheckedAgainstTheAvailableSizes) {
  test::TempRecordLog record;
  record.log().recordEvents = true;
  ClientConfig config;
  config.initialSize = 8;
  InitialSize s = ChooseInitialSize(config, std::nullopt, 6, 7, EvenWidthsOnly, record.log());
  EXPECT_EQ(s.cellWidth, 8);
  EXPECT_EQ(s.showCommand, 7);
  config.initialSize = 9;
  s = ChooseInitialSize(config, std::string("12"), 6, 7, EvenWidthsOnly, record.log());
  EXPECT_EQ(s.cellWidth, 6);  // rejected; LastSize is not consulted
  EXPECT_EQ(record.Text(),
            "gblInitialSize initially 8\r\nStarting with gblInitialSize=8\r\nis valid. Set sfw_n to 8\r\n"
            "Screen Inits\r\n"
            "gblInitialSize initially 9\r\nStarting with gblInitialSize=9\r\nlooks like it was rejected\r\n"
            "Screen Inits\r\n");
}

TEST(InitialSize, MaximisedFromXOrLastSizeInAnyCase) {
  test::TempRecordLog record;
  ClientConfig config;
  config.initialSize = kMaximisedSize;
  EXPECT_EQ(ChooseInitialSize(config, std::nullopt, 6, 1, EvenWidthsOnly, record.log()).showCommand, kShowMaximize);
  config.initialSize = 0;
  InitialSize s = ChooseInitialSize(config, std::string("max"), 6, 1, EvenWidthsOnly, record.log());
  EXPECT_EQ(s.showCommand, kShowMaximize);
  EXPECT_EQ(s.cellWidth, 6);
}

TEST(InitialSize, NumericLastSizeStartsNormalEvenWhenMinimised) {
  test::TempRecordLog record;
  record.log().recordEvents = true;
  ClientConfig config;
  const int minimised = 7;
  InitialSize s = ChooseInitialSize(config, std::string("10"), 6, minimised, EvenWidthsOnly, record.log());
  EXPECT_EQ(s.cellWidth, 10);
  EXPECT_EQ(s.showCommand, kShowNormal);
  s = ChooseInitialSize(config, std::string("11"), 6, minimised, EvenWidthsOnly, record.log());
  EXPECT_EQ(s.cellWidth, 6);
  EXPECT_EQ(s.showCommand, kShowNormal);
  // Without LastSize the program's own show command stays.
  s = ChooseInitialSize(config, std::nullopt, 6, minimised, EvenWidthsOnly, record.log());
  EXPECT_EQ(s.showCommand, minimised);
  EXPECT_EQ(record.Text(),
            "gblInitialSize taken from Ini's\r\nPer LastSize, try to set to 10\r\nSize is valid\r\nScreen Inits\r\n"
            "gblInitialSize taken from Ini's\r\nPer LastSize, try to set to 11\r\nSize not valid\r\nScreen Inits\r\n"
            "gblInitialSize taken from Ini's\r\nScreen Inits\r\n");
}

TEST(InitialPosition, CentredUnlessAtxAtyOrXPositionSayOtherwise) {
  ClientConfig config;
  Point p = InitialWindowPosition(config, 480, 288, 1024, 768, std::nullopt, std::nullopt);
  EXPECT_EQ(p.x, 272);
  EXPECT_EQ(p.y, 240);
  // atx of 0 is used; atx equal to the width minus 50 is ignored.
  p = InitialWindowPosition(config, 480, 288, 1024, 768, std::string("0"), std::string("717"));
  EXPECT_EQ(p.x, 0);
  EXPECT_EQ(p.y, 717);
  p = InitialWindowPosition(config, 480, 288, 1024, 768, std::string("974"), std::string("718"));
  EXPECT_EQ(p.x, 272);
  EXPECT_EQ(p.y, 240);
  p = InitialWindowPosition(config, 480, 288, 1024, 768, std::string("-1"), std::string("x"));
  EXPECT_EQ(p.x, 272);
  EXPECT_EQ(p.y, 0);  // "x" reads as 0, which is inside the screen
  // -X with a left edge: position taken as given (top 100, left 200).
  config.windowTop = 100;
  config.windowLeft = 200;
  p = InitialWindowPosition(config, 480, 288, 1024, 768, std::string("5"), std::string("5"));
  EXPECT_EQ(p.x, 200);
  EXPECT_EQ(p.y, 100);
  // A left edge of 0 does not count as a position.
  config.windowLeft = 0;
  p = InitialWindowPosition(config, 480, 288, 1024, 768, std::nullopt, std::nullopt);
  EXPECT_EQ(p.x, 272);
}

TEST(CentredPosition, OverTheOwnerOnlyWhenItStaysOnScreen) {
  Rect owner{100, 100, 600, 500};
  Point p = CentredPosition(200, 100, owner, 1024, 768);
  EXPECT_EQ(p.x, 250);
  EXPECT_EQ(p.y, 250);
  p = CentredPosition(200, 100, std::nullopt, 1024, 768);
  EXPECT_EQ(p.x, 412);
  EXPECT_EQ(p.y, 334);
  // Owner near the right edge: the centred position passes width - 100.
  Rect right{900, 100, 1200, 300};
  p = CentredPosition(100, 100, right, 1024, 768);
  EXPECT_EQ(p.x, 462);
  // Owner partly above the screen: negative top, centred on the screen.
  Rect above{100, -300, 300, -100};
  p = CentredPosition(100, 100, above, 1024, 768);
  EXPECT_EQ(p.y, 334);
  // Exactly at the limits is still accepted.
  Rect limit{874, 618, 974, 718};
  p = CentredPosition(100, 100, limit, 1024, 768);
  EXPECT_EQ(p.x, 874);
  EXPECT_EQ(p.y, 618);
}

}  // namespace
}  // namespace korvane
