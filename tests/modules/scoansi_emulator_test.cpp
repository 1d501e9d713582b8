// The SCO ANSI module beyond its scripts: what dll_Init reports and the
// printer when the module goes away in the middle of a pass-through.
#include "scoansi_emulator.h"

#include <gtest/gtest.h>

#include "module_test_support.h"

namespace korvane::test {
namespace {

TEST(ScoAnsiModule, DefaultsOfAFreshLoad) {
  ScoAnsiHarness h;
  TermInfo info = {};
  info.flags = 0x4000 | TERMINFO_DELAYED_WRAP;
  h.Frame().Init(nullptr, &info, nullptr);
  EXPECT_STREQ(info.name, "scoansi");
  EXPECT_STREQ(info.termType, "ansi");
  EXPECT_EQ(info.rows, 25);
  EXPECT_EQ(info.columns, 80);
  EXPECT_EQ(info.statusLine, 0);
  EXPECT_EQ(info.fontCharSet, 0);
  EXPECT_EQ(info.flags, 0x4000);
}

TEST(ScoAnsiModule, NeverAStatusLineWhateverIsStored) {
  MemoryConfigStore store;
  MessageRecorder recorder;
  FakePrinterPort port{recorder};
  ScoAnsiModule module{store, port};
  store.WriteTextCreatingKey("Terms\\linux-ansi", "InitialScreen", "24,132,Y");
  store.WriteTextCreatingKey("Terms\\linux-ansi", "TermType", "scoansi");
  store.WriteTextCreatingKey("Terms\\linux-ansi", "FontFamily", "1");
  TermInfo info = {};
  module.frame.Init(nullptr, &info, "linux-ansi");
  EXPECT_STREQ(info.termType, "scoansi");
  EXPECT_EQ(info.rows, 24);
  EXPECT_EQ(info.columns, 132);
  EXPECT_EQ(info.statusLine, 0);
  EXPECT_EQ(info.fontCharSet, 1);
}

TEST(ScoAnsiModule, UnloadingInThePassThroughClosesThePrinter) {
  ScoAnsiHarness h;
  h.Submit("DC4 abc");
  ASSERT_TRUE(h.port.open);
  h.Frame().Unload();
  EXPECT_FALSE(h.port.open);
  EXPECT_FALSE(h.port.timer);
  EXPECT_EQ(h.port.closes, 1);
}

}  // namespace
}  // namespace korvane::test
