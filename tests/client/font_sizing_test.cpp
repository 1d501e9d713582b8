#include "font_sizing.h"

#include <gtest/gtest.h>

#include "client_test_support.h"

namespace korvane {
namespace {

struct Sizing : ::testing::Test {
  test::ClientFixture fx;
  FontSizing sizing{fx.log(), fx.errors};

  // What enumeration finds with every file added: the ASCII face's sizes,
  // then the ANSI face's.
  void AllSizes() {
    for (int typeface = 0; typeface < 2; ++typeface)
      for (int w = 4; w <= 15; ++w) sizing.available.Insert({w, 2 * w, typeface});
  }
  std::pair<int, int> Choose(int a, int b, int direction) {
    CellSize s = sizing.ChooseSize(a, b, direction);
    EXPECT_EQ(s.width, sizing.cellWidth);
    EXPECT_EQ(s.height, sizing.cellHeight);
    return {s.width, s.height};
  }
  std::pair<int, int> Adjust(int mode, int height, int width, int expectResult = 1) {
    EXPECT_EQ(expectResult, sizing.AdjustForAvailable(mode, height, width)) << mode << " " << height << "x" << width;
    return {width, height};
  }
};

using WH = std::pair<int, int>;

TEST(FontFiles, EachFamilyHasTwentyFourFilesInRisingSize) {
  auto serif = FontFileTable(true), sans = FontFileTable(false);
  ASSERT_EQ(24u, serif.size());
  EXPECT_EQ("KV04x08FA.FNT", serif[0].name);
  EXPECT_EQ("KV04x08FN.FNT", serif[1].name);
  EXPECT_EQ("KV10x20FA.FNT", serif[12].name);
  EXPECT_EQ("KV15x30SN.FNT", sans.back().name);
  for (size_t i = 0; i < sans.size(); ++i) {
    EXPECT_EQ(static_cast<int>(4 + i / 2), sans[i].width);
    EXPECT_EQ(2 * sans[i].width, sans[i].height);
    EXPECT_FALSE(sans[i].loaded);
  }
}

TEST(AvailableSizesTable, SortedByWidthInTheOrderFoundWithoutDuplicatesUpToAHundred) {
  AvailableSizes t;
  t.Insert({9, 18, 1});
  t.Insert({4, 8, 0});
  t.Insert({9, 18, 0});
  t.Insert({9, 18, 1});  // duplicate
  t.Insert({6, 12, 1});
  t.Insert({9, 20, 0});
  std::vector<CellSize> want = {{4, 8, 0}, {6, 12, 1}, {9, 18, 1}, {9, 18, 0}, {9, 20, 0}};
  EXPECT_EQ(want, t.Entries());
  for (int i = 0; i < 200; ++i) t.Insert({20 + i, 40, 0});
  EXPECT_EQ(100u, t.Entries().size());
}

TEST_F(Sizing, ExactAreaIsTakenInEitherDirection) {
  AllSizes();
  EXPECT_EQ(WH(8, 16), Choose(16, 8, -1));
  EXPECT_EQ(WH(8, 16), Choose(16, 8, 1));
  EXPECT_EQ(WH(8, 16), Choose(8, 16, 1));  // only the area counts
}

TEST_F(Sizing, BetweenTwoSizesTheDirectionDecides) {
  AllSizes();
  EXPECT_EQ(WH(8, 16), Choose(17, 8, -1));
  EXPECT_EQ(WH(9, 18), Choose(17, 8, 1));
  EXPECT_EQ(WH(8, 16), Choose(17, 8, 0));
}

TEST_F(Sizing, OutsideTheLadderTheNearestEndIsTaken) {
  AllSizes();
  EXPECT_EQ(WH(15, 30), Choose(100, 100, 1));
  EXPECT_EQ(WH(15, 30), Choose(100, 100, -1));
  EXPECT_EQ(WH(4, 8), Choose(2, 1, -1));
  EXPECT_EQ(WH(4, 8), Choose(2, 1, 1));
  EXPECT_EQ(WH(4, 8), Choose(0, 0, -1));
}

TEST_F(Sizing, OnlySizesOfTheCurrentTypefaceAreChosen) {
  AllSizes();
  sizing.available = AvailableSizes();
  for (int w = 4; w <= 15; ++w) sizing.available.Insert({w, 2 * w, 0});
  sizing.available.Insert({6, 12, 1});
  sizing.available.Insert({10, 20, 1});
  sizing.typeface = 1;
  EXPECT_EQ(WH(6, 12), Choose(16, 8, -1));
  EXPECT_EQ(WH(10, 20), Choose(16, 8, 1));
  EXPECT_EQ(WH(10, 20), Choose(100, 100, 1));  // not the ASCII face's 15 x 30
  EXPECT_EQ(WH(6, 12), Choose(8, 4, -1));
  EXPECT_TRUE(sizing.SizeAvailable(10, 20));
  EXPECT_FALSE(sizing.SizeAvailable(8, 16));
  sizing.typeface = 0;
  EXPECT_TRUE(sizing.SizeAvailable(8, 16));
  EXPECT_FALSE(sizing.SizeAvailable(8, 17));
}

TEST_F(Sizing, WithoutEnumeratedSizesTheLadderIsUsed) {
  EXPECT_EQ(WH(8, 16), Choose(17, 8, -1));
  EXPECT_EQ(WH(15, 30), Choose(1000, 1000, 1));
  EXPECT_FALSE(sizing.SizeAvailable(8, 16));
}

TEST_F(Sizing, ScanIsLogged) {
  AllSizes();
  fx.log().recordEvents = true;
  Choose(16, 8, 1);
  Choose(17, 8, -1);
  EXPECT_EQ("8: Typeface 0 and 128 >= 128\r\n10: Typeface 0 and 162 >= 136\r\n", fx.record.Text());
}

TEST_F(Sizing, ResizeSearchesDownwardsOnlyForASmallerArea) {
  sizing.cellWidth = 8;
  sizing.cellHeight = 16;
  EXPECT_EQ(-1, sizing.ResizeDirection(15, 8));
  EXPECT_EQ(1, sizing.ResizeDirection(16, 8));
  EXPECT_EQ(1, sizing.ResizeDirection(17, 8));
}

TEST_F(Sizing, AdjustForAvailableModes) {
  EXPECT_EQ(WH(8, 16), Adjust(0, 16, 8));
  Adjust(0, 17, 8, 0);
  EXPECT_EQ(WH(9, 18), Adjust(1, 17, 8));
  EXPECT_EQ(WH(9, 18), Adjust(2, 17, 8));
  EXPECT_EQ(WH(8, 16), Adjust(1, 16, 8));
  EXPECT_EQ(WH(4, 8), Adjust(1, 1, 1));  // the smallest, as tiling falls back to
  Adjust(1, 31, 15, 0);
  EXPECT_EQ(WH(15, 30), Adjust(-1, 100, 100));
  EXPECT_EQ(WH(8, 16), Adjust(-1, 17, 9));
  EXPECT_EQ(WH(8, 16), Adjust(-1, 16, 8));
  Adjust(-1, 7, 100, 0);
  EXPECT_EQ(WH(7, 14), Adjust(-2, 16, 8));
  Adjust(-2, 8, 4, 0);
  EXPECT_TRUE(fx.platform.dialogs.empty());
}

TEST_F(Sizing, AdjustForAvailableRejectsUnknownModes) {
  int height = 16, width = 8;
  fx.errors.SetErrorLocation("stale.cpp", 1);
  EXPECT_EQ(0, sizing.AdjustForAvailable(3, height, width));
  EXPECT_EQ(0, sizing.AdjustForAvailable(-3, height, width));
  EXPECT_EQ(WH(8, 16), WH(width, height));
  ASSERT_EQ(2u, fx.platform.dialogs.size());
  EXPECT_EQ(0u, fx.platform.dialogs[0].rfind("L1203: Unhandled switch: 3: in AdjustForAvailable\n\nfile font_sizing.cpp  line ", 0));
  EXPECT_EQ(1203, fx.platform.contexts[0]);
}

TEST_F(Sizing, FindFontLETakesTheWidestThatFitsElseTheFirst) {
  int w = 9, h = 17;
  EXPECT_FALSE(sizing.FindFontLE(w, h));
  sizing.available.Insert({6, 12, 1});
  AllSizes();
  EXPECT_TRUE(sizing.FindFontLE(w, h));
  EXPECT_EQ(WH(8, 16), WH(w, h));
  w = 100, h = 20;
  sizing.FindFontLE(w, h);
  EXPECT_EQ(WH(10, 20), WH(w, h));
  w = 3, h = 100;
  sizing.FindFontLE(w, h);
  EXPECT_EQ(WH(4, 8), WH(w, h));
  sizing.typeface = 1;
  w = 5, h = 10;
  sizing.FindFontLE(w, h);
  EXPECT_EQ(WH(5, 10), WH(w, h));
  sizing.available = AvailableSizes();
  sizing.available.Insert({4, 8, 0});
  sizing.available.Insert({6, 12, 1});
  w = 5, h = 10;
  sizing.FindFontLE(w, h);
  EXPECT_EQ(WH(4, 8), WH(w, h));  // none of the typeface fits: the first entry, of any typeface
}

TEST(EnumerationLog, OneLinePerFont) {
  test::TempRecordLog record;
  EnumeratedFont f;
  f.faceName = "Korvane Ascii";
  f.width = 8;
  f.height = 16;
  LogEnumeratedFont(record.log(), f);
  record.log().recordEvents = true;
  LogEnumeratedFont(record.log(), f);
  f.fixedPitch = false;
  f.weight = 700;
  f.underlined = f.italic = true;
  f.charset = 0;
  LogEnumeratedFont(record.log(), f);
  f.charset = 2;
  f.underlined = f.italic = false;
  LogEnumeratedFont(record.log(), f);
  f.charset = 186;
  LogEnumeratedFont(record.log(), f);
  EXPECT_EQ(
      "ENUM: Font Name Korvane Ascii\tsize 8x16\tFIXED pitch\tweight 400\tchar set OEM\r\n"
      "ENUM: Font Name Korvane Ascii\tsize 8x16\tVARIABLE pitch\tweight 700\tUnderlined\tItalic\tchar set ANSI\r\n"
      "ENUM: Font Name Korvane Ascii\tsize 8x16\tVARIABLE pitch\tweight 700\tchar set SYMBOL\r\n"
      "ENUM: Font Name Korvane Ascii\tsize 8x16\tVARIABLE pitch\tweight 700\tchar set OTHER\r\n",
      record.Text());
}

}  // namespace
}  // namespace korvane
