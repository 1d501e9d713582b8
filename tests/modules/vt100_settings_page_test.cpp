#include "vt100_settings_page.h"

#include <gtest/gtest.h>

namespace korvane {
namespace {

using Box = Vt100SettingsPage::Box;

TEST(Vt100SettingsPage, RowsWithoutARoomForTheStatusLineLockTheBox) {
  Vt100SettingsPage page({25, 80, true});
  EXPECT_EQ(page.BoxState(), Box::Indeterminate);
  page.Clicked();
  EXPECT_EQ(page.BoxState(), Box::Indeterminate);
  EXPECT_EQ(FormatInitialScreen(page.Accepted(RowsPosition(25), ColumnsPosition(80))), "25,80,N");
}

TEST(Vt100SettingsPage, RowsOutsideTheListOpenAs24WithTheStatusLine) {
  Vt100SettingsPage page({30, 100, false});
  EXPECT_EQ(page.BoxState(), Box::Checked);
  EXPECT_EQ(RowsPosition(30), 0);
  EXPECT_EQ(ColumnsPosition(100), 0);
  EXPECT_EQ(FormatInitialScreen(page.Accepted(RowsPosition(30), ColumnsPosition(100))), "24,80,Y");
}

TEST(Vt100SettingsPage, TheBoxFollowsTheRowsList) {
  Vt100SettingsPage page({42, 132, false});
  EXPECT_EQ(page.BoxState(), Box::Unchecked);
  page.Clicked();
  EXPECT_EQ(page.BoxState(), Box::Checked);
  page.RowsSelected(50);
  EXPECT_EQ(page.BoxState(), Box::Indeterminate);
  EXPECT_EQ(FormatInitialScreen(page.Accepted(RowsPosition(50), ColumnsPosition(132))), "50,132,N");
  // Unlocked again, the box comes back unchecked, not as it was before.
  page.RowsSelected(24);
  EXPECT_EQ(page.BoxState(), Box::Unchecked);
  EXPECT_EQ(FormatInitialScreen(page.Accepted(RowsPosition(24), ColumnsPosition(80))), "24,80,N");
  page.Clicked();
  EXPECT_EQ(FormatInitialScreen(page.Accepted(RowsPosition(24), ColumnsPosition(80))), "24,80,Y");
}

TEST(Vt100SettingsPage, NoSelectionKeepsTheValues) {
  Vt100SettingsPage page({43, 132, false});
  EXPECT_EQ(FormatInitialScreen(page.Accepted(-1, -1)), "43,132,N");
  EXPECT_EQ(RowsAt(4, 0), 50);
  EXPECT_EQ(ColumnsAt(2, 80), 80);
}

}  // namespace
}  // namespace korvane
