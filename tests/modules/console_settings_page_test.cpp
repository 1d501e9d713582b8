// What OK on the ANSI and SCO ANSI settings pages stores, and in which order.
#include "console_settings_page.h"

#include <gtest/gtest.h>

#include "module_test_support.h"

namespace korvane::test {
namespace {

// Remembers the order values are written in.
class OrderedStore : public MemoryConfigStore {
 public:
  bool WriteTextCreatingKey(const std::string& key, const std::string& name, const std::string& text) override {
    writes.push_back(name + "=" + text);
    return MemoryConfigStore::WriteTextCreatingKey(key, name, text);
  }
  std::vector<std::string> writes;
};

template <class Module>
struct Page {
  explicit Page(const char* name) {
    TermInfo info = {};
    module.frame.Init(nullptr, &info, name);
  }
  OrderedStore store;
  MessageRecorder recorder;
  FakePrinterPort port{recorder};
  Module module{store, port};
};

TEST(ConsoleSettingsPage, AnsiStoresItsValuesInOrder) {
  Page<AnsiModule> page("ansi-25");
  ConsolePageChoice choice;
  choice.rowsPosition = RowsPosition(43);
  choice.columnsPosition = ColumnsPosition(132);
  choice.fontPosition = 1;
  choice.termType = "ansi-bbs";
  choice.ignoreColour = true;
  choice.ignoreDoubleSize = false;
  StoreConsolePage(page.module.frame, page.module.emulator, choice);
  EXPECT_EQ(page.store.writes, (std::vector<std::string>{"Ignore_SetColor=Y", "Ignore_DoubleSize=N",
                                                         "InitialScreen=43,132", "TermType=ansi-bbs",
                                                         "FontFamily=1"}));
  EXPECT_EQ(ReadText(page.store, "Terms\\ansi-25", "InitialScreen"), "43,132");
  EXPECT_EQ(page.module.emulator.FontFamily(), 1);
  EXPECT_STREQ(page.module.frame.TermType(), "ansi-bbs");
}

TEST(ConsoleSettingsPage, ListsWithoutASelectionKeepTheirValues) {
  Page<ScoAnsiModule> page("scoansi");
  page.store.writes.clear();
  page.module.frame.screen = {42, 132, true};
  ConsolePageChoice choice;
  choice.termType = "ansi";
  StoreConsolePage(page.module.frame, page.module.emulator, choice);
  // No ignore boxes on this page; the status line is not stored, so it reads as off.
  EXPECT_EQ(page.store.writes, (std::vector<std::string>{"InitialScreen=42,132", "TermType=ansi", "FontFamily=-1"}));
  EXPECT_FALSE(page.module.frame.screen.statusLine);
  EXPECT_EQ(page.module.emulator.FontFamily(), -1);
}

TEST(ConsoleSettingsPage, TheFontListShowsOnlyItsTwoPositions) {
  EXPECT_EQ(FontFamilyPosition(0), 0);
  EXPECT_EQ(FontFamilyPosition(1), 1);
  EXPECT_EQ(FontFamilyPosition(-1), -1);
  EXPECT_EQ(FontFamilyPosition(2), -1);
}

}  // namespace
}  // namespace korvane::test
