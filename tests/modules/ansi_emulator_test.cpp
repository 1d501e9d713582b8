// The ANSI module beyond its scripts: what dll_Init reports, which
// settings are read when, and long ESC Q key texts.
#include "ansi_emulator.h"

#include <gtest/gtest.h>

#include "module_test_support.h"

namespace korvane::test {
namespace {

TermInfo Describe(ModuleFrame& frame, uint16_t flags = 0, const char* name = nullptr) {
  TermInfo info = {};
  info.flags = flags;
  frame.Init(nullptr, &info, name);
  return info;
}

struct Loaded {
  MemoryConfigStore store;
  MessageRecorder recorder;
  FakePrinterPort port{recorder};
  AnsiModule module{store, port};
};

TEST(AnsiModule, DefaultsOfAFreshLoad) {
  Loaded m;
  TermInfo info = Describe(m.module.frame, 0x8000 | TERMINFO_LOG_UNRECOGNISED | TERMINFO_DELAYED_WRAP);
  EXPECT_STREQ(info.name, "ansi");
  EXPECT_STREQ(info.termType, "ansi");
  EXPECT_EQ(info.rows, 25);
  EXPECT_EQ(info.columns, 80);
  EXPECT_EQ(info.statusLine, 0);
  EXPECT_EQ(info.fontCharSet, 0);
  EXPECT_EQ(info.flags, 0x8000 | TERMINFO_LOG_UNRECOGNISED);
}

TEST(AnsiModule, StoredSettingsOfTheNamedType) {
  Loaded m;
  m.store.WriteTextCreatingKey("Terms\\ansi-24", "InitialScreen", "24,80,Y");
  m.store.WriteTextCreatingKey("Terms\\ansi-24", "TermType", "ansi-color");
  m.store.WriteTextCreatingKey("Terms\\ansi-24", "FontFamily", "1");
  TermInfo info = Describe(m.module.frame, 0, "ansi-24");
  EXPECT_STREQ(info.name, "ansi-24");
  EXPECT_STREQ(info.termType, "ansi-color");
  EXPECT_EQ(info.rows, 24);
  EXPECT_EQ(info.statusLine, 1);
  EXPECT_EQ(info.fontCharSet, 1);
}

TEST(AnsiModule, FontFamilyOtherThanOneIsTheAsciiSet) {
  for (const char* stored : {"0", "-1", "2", "x", "", "65537"}) {
    Loaded m;
    m.store.WriteTextCreatingKey("Terms\\ansi", "FontFamily", stored);
    EXPECT_EQ(Describe(m.module.frame).fontCharSet, 0) << stored;
  }
  Loaded m;
  m.store.WriteTextCreatingKey("Terms\\ansi", "FontFamily", " 1");
  EXPECT_EQ(Describe(m.module.frame).fontCharSet, 1);
}

TEST(AnsiModule, FontFamilyIsReadOncePerLoad) {
  Loaded m;
  m.store.WriteTextCreatingKey("Terms\\ansi", "FontFamily", "1");
  EXPECT_EQ(Describe(m.module.frame).fontCharSet, 1);
  m.store.WriteTextCreatingKey("Terms\\ansi", "FontFamily", "0");
  m.module.frame.Init(&m.recorder, nullptr, nullptr);
  EXPECT_EQ(Describe(m.module.frame).fontCharSet, 1);
}

TEST(AnsiModule, AKeyTextSpreadOverManyCallsIsKeptWhole) {
  AnsiHarness h;
  std::string text(20000, 'k');
  for (char c : "\x1bQ5/" + text + "/x") h.SubmitBytes({static_cast<uint8_t>(c)});
  h.Frame().Key(117);
  EXPECT_EQ(h.Take(), (std::vector<std::string>{"WRITE \"x\"", "SENDDATA \"" + text + "\""}));
}

// A host that never closes the text cannot make the module hold more than
// one sequence's worth; the key gets what fitted and nothing is shown.
TEST(AnsiModule, AKeyTextBeyondTheSequenceLimitIsCut) {
  AnsiHarness h;
  std::string text(SequenceParser::kSequenceLimit + 5000, 'k');
  h.Submit("ESC Q 5 / " + text + " / x");
  h.Frame().Key(117);
  std::vector<std::string> lines = h.Take();
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0], "WRITE \"x\"");
  EXPECT_EQ(lines[1], "SENDDATA \"" + text.substr(0, SequenceParser::kSequenceLimit - 4) + "\"");
}

}  // namespace
}  // namespace korvane::test
