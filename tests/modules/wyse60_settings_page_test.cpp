#include "wyse60_settings_page.h"

#include <gtest/gtest.h>

namespace korvane {
namespace {

using Box = Wyse60SettingsPage::Box;

std::string Stored(const Wyse60SettingsPage& page, int rows, int columns) {
  return FormatInitialScreen(page.Accepted(RowsPosition(rows), ColumnsPosition(columns)));
}

TEST(Wyse60SettingsPage, OpensWithThePagesTheModuleUses) {
  EXPECT_EQ(Wyse60SettingsPage({24, 80, true}, std::nullopt, false).Pages(), 3);
  EXPECT_EQ(Wyse60SettingsPage({24, 80, true}, std::string("0"), false).Pages(), 3);
  EXPECT_EQ(Wyse60SettingsPage({24, 80, true}, std::string("12"), false).Pages(), 3);
  EXPECT_EQ(Wyse60SettingsPage({24, 80, true}, std::string("6"), true).Pages(), 6);
  EXPECT_TRUE(Wyse60SettingsPage({24, 80, true}, std::nullopt, true).AlternateKeys());
}

TEST(Wyse60SettingsPage, PagesOutsideOneToNineAreStoredAsOne) {
  EXPECT_EQ(Wyse60SettingsPage::PagesToStore("4"), "4");
  EXPECT_EQ(Wyse60SettingsPage::PagesToStore("9"), "9");
  EXPECT_EQ(Wyse60SettingsPage::PagesToStore("10"), "1");
  EXPECT_EQ(Wyse60SettingsPage::PagesToStore("0"), "1");
  EXPECT_EQ(Wyse60SettingsPage::PagesToStore(""), "1");
  EXPECT_EQ(Wyse60SettingsPage::PagesToStore("-3"), "1");
}

TEST(Wyse60SettingsPage, TallScreensLockTheBoxAndStoreNoLabelLine) {
  for (int rows : {25, 43, 50}) {
    Wyse60SettingsPage page({rows, 80, true}, std::nullopt, false);
    EXPECT_EQ(page.BoxState(), Box::Indeterminate) << rows;
    page.Clicked();
    EXPECT_EQ(page.BoxState(), Box::Indeterminate) << rows;
    EXPECT_EQ(Stored(page, rows, 80), std::to_string(rows) + ",80,N");
  }
}

TEST(Wyse60SettingsPage, UnlistedValuesOpenAs24By80WithTheLabelLine) {
  Wyse60SettingsPage page({30, 100, false}, std::nullopt, false);
  EXPECT_EQ(page.BoxState(), Box::Checked);
  EXPECT_EQ(FormatInitialScreen(page.Accepted(RowsPosition(30), ColumnsPosition(100))), "24,80,Y");
  EXPECT_EQ(FormatInitialScreen(page.Accepted(-1, -1)), "24,80,Y");
}

TEST(Wyse60SettingsPage, ABoxUnlockedAgainComesBackUnchecked) {
  Wyse60SettingsPage page({42, 132, true}, std::nullopt, false);
  EXPECT_EQ(page.BoxState(), Box::Checked);
  page.Clicked();
  EXPECT_EQ(page.BoxState(), Box::Unchecked);
  page.Clicked();
  page.RowsSelected(43);
  EXPECT_EQ(page.BoxState(), Box::Indeterminate);
  page.RowsSelected(24);
  EXPECT_EQ(page.BoxState(), Box::Unchecked);
  page.Clicked();
  EXPECT_EQ(Stored(page, 24, 132), "24,132,Y");
  // Choosing 42 while unlocked keeps the box as it is.
  page.RowsSelected(42);
  EXPECT_EQ(page.BoxState(), Box::Checked);
  EXPECT_EQ(Stored(page, 25, 80), "25,80,N");
}

}  // namespace
}  // namespace korvane
