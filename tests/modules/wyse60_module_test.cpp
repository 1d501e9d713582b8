// The Wyse 60 module around its parser: what dll_Init reads and reports,
// the memory pages it announces, the alternate key mapping, and the
// buffers that carry long strings across blocks.
#include "wyse60_emulator.h"

#include <gtest/gtest.h>

#include "module_test_support.h"

namespace korvane::test {
namespace {

const char kKey[] = "Terms\\wyse60";

// A harness whose dll_Init calls wait until the test has stored settings.
struct Unattached : Wyse60Harness {
  Unattached() : Wyse60Harness(false, false) {}
  void Set(const char* name, const std::string& value) { store.WriteTextCreatingKey(kKey, name, value); }
  std::string Key(int code) {
    recorder.Take();
    if (!Frame().Key(code)) return "none";
    std::vector<std::string> sent = recorder.Take();
    return sent.empty() ? "" : sent.back();
  }
};

std::vector<uint8_t> Text(const std::string& text) { return std::vector<uint8_t>(text.begin(), text.end()); }

TEST(Wyse60Module, AFirstInitWithoutAWindowReportsTheTypeAndSendsNothing) {
  Unattached m;
  m.Set("TermType", "wy60");
  TermInfo info = {};
  info.flags = 0x8000 | TERMINFO_DELAYED_WRAP | TERMINFO_LOG_UNRECOGNISED;
  m.Frame().Init(nullptr, &info, nullptr);
  EXPECT_STREQ(info.name, "wyse60");
  EXPECT_STREQ(info.termType, "wy60");
  EXPECT_EQ(info.rows, 24);
  EXPECT_EQ(info.columns, 80);
  EXPECT_EQ(info.statusLine, 1);
  EXPECT_EQ(info.fontCharSet, 0);
  EXPECT_EQ(info.flags, 0x8000 | TERMINFO_LOG_UNRECOGNISED);
  EXPECT_TRUE(m.recorder.Take().empty());

  Unattached other;
  other.Set("InitialScreen", "42,132,N");
  other.store.WriteTextCreatingKey("Terms\\wyse60-25", "InitialScreen", "25,80,N");
  info = {};
  other.Frame().Init(nullptr, &info, "wyse60-25");
  EXPECT_STREQ(info.name, "wyse60-25");
  EXPECT_STREQ(info.termType, "wyse60");
  EXPECT_EQ(info.rows, 25);
  EXPECT_EQ(info.statusLine, 0);
}

TEST(Wyse60Module, MemoryPagesAreAnnouncedAtEveryInitWithAWindow) {
  struct Case {
    const char* stored;  // nullptr: absent
    const char* sent;
  } cases[] = {{nullptr, "SETOPTION 7 3"}, {"1", "SETOPTION 7 1"}, {"9", "SETOPTION 7 9"}, {"5", "SETOPTION 7 5"},
               {"0", "SETOPTION 7 3"},    {"10", "SETOPTION 7 3"}, {"-2", "SETOPTION 7 3"}, {"pages", "SETOPTION 7 3"}};
  for (const Case& c : cases) {
    Unattached m;
    if (c.stored) m.Set("Max_Pages", c.stored);
    m.Attach(false);
    EXPECT_EQ(m.Take(), std::vector<std::string>{c.sent}) << (c.stored ? c.stored : "absent");
  }
  Unattached m;
  m.Attach(false);
  m.Set("Max_Pages", "7");
  m.Frame().Init(&m.recorder, nullptr, nullptr);
  EXPECT_EQ(m.Take(), (std::vector<std::string>{"SETOPTION 7 3", "SETOPTION 7 7"}));
}

TEST(Wyse60Module, TheAlternateMappingChangesOnlyTheShiftedFunctionKeys) {
  Unattached normal, alternate;
  alternate.Set("AltFuncMapping", "1");
  normal.Attach(false);
  alternate.Attach(false);
  struct Case {
    int code;
    const char *normal, *alternate;
  } cases[] = {
      {112, "SENDDATA \"\\x01@\\x0d\"", "SENDDATA \"\\x01@\\x0d\""},
      {127, "SENDDATA \"\\x01O\\x0d\"", "SENDDATA \"\\x01O\\x0d\""},
      {KEY_SHIFT + 112, "SENDDATA \"\\x01`\\x0d\"", "SENDDATA \"\\x01L\\x0d\""},
      {KEY_SHIFT + 115, "SENDDATA \"\\x01c\\x0d\"", "SENDDATA \"\\x01O\\x0d\""},
      {KEY_SHIFT + 116, "SENDDATA \"\\x01d\\x0d\"", "SENDDATA \"\\x01`\\x0d\""},
      {KEY_SHIFT + 123, "SENDDATA \"\\x01k\\x0d\"", "SENDDATA \"\\x01g\\x0d\""},
      {KEY_SHIFT + 124, "SENDDATA \"\\x01l\\x0d\"", "SENDDATA \"\\x01l\\x0d\""},
      {KEY_SHIFT + 127, "SENDDATA \"\\x01o\\x0d\"", "SENDDATA \"\\x01o\\x0d\""},
      {13, "SENDDATA \"\\x0d\\n\"", "SENDDATA \"\\x0d\\n\""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(normal.Key(c.code), c.normal) << c.code;
    EXPECT_EQ(alternate.Key(c.code), c.alternate) << c.code;
  }
  // The editor is handed the list in use.
  EXPECT_EQ(normal.Frame().DefaultKeyList(), kWyse60DefaultKeys);
  EXPECT_EQ(alternate.Frame().DefaultKeyList(), kWyse60AlternateKeys);
}

TEST(Wyse60Module, TheMappingIsReadOncePerLoadAndOnlyOneSelectsIt) {
  for (const char* stored : {"0", "2", "", "one"}) {
    Unattached m;
    m.Set("AltFuncMapping", stored);
    m.Attach(false);
    EXPECT_FALSE(m.module.emulator.AlternateKeys()) << stored;
  }
  Unattached m;
  m.Attach(false);
  m.Set("AltFuncMapping", "1");
  m.Frame().Init(&m.recorder, nullptr, nullptr);
  EXPECT_EQ(m.Key(KEY_SHIFT + 112), "SENDDATA \"\\x01`\\x0d\"");
}

TEST(Wyse60Module, RestoringDefaultsUsesTheMappingInUse) {
  Unattached m;
  m.Set("AltFuncMapping", "1");
  m.Attach(false);
  m.Submit("ESC z ` mine DEL");
  EXPECT_EQ(m.Key(KEY_SHIFT + 112), "SENDDATA \"mine\"");
  m.Submit("ESC c U");
  EXPECT_EQ(m.Key(KEY_SHIFT + 112), "SENDDATA \"\\x01L\\x0d\"");
}

TEST(Wyse60Module, StoredKeysOverrideDefaultsUntilTheHostRestoresThem) {
  Unattached m;
  const uint8_t record[] = {112, 0, 0, 0, 3, 0, 0, 0, 'a', 'b', 'c'};
  m.store.WriteBinary(kKey, "PFKEYS", record, sizeof record);
  m.Attach(false);
  EXPECT_EQ(m.Key(112), "SENDDATA \"abc\"");
  m.Submit("ESC c U");
  EXPECT_EQ(m.Key(112), "SENDDATA \"\\x01@\\x0d\"");
  // Host definitions live in memory only; the next dll_Init reads PFKEYS again.
  m.Submit("ESC z @ host DEL");
  m.Frame().Init(&m.recorder, nullptr, nullptr);
  EXPECT_EQ(m.Key(112), "SENDDATA \"abc\"");
  EXPECT_EQ(m.store.ReadValue(kKey, "PFKEYS")->size(), sizeof record);
}

TEST(Wyse60Module, EachLogPieceIsItsOwnMessage) {
  Wyse60Harness m(true);
  m.Take();
  m.recorder.logMessages = 0;
  m.Submit("ESC ~ !");
  EXPECT_EQ(m.Take(), std::vector<std::string>{"LOG \"IGNORED: enhance mode on:  [27] ~!\\n\""});
  EXPECT_EQ(m.recorder.logMessages, 6);  // "IGNORED: ", the name, ESC, "~", "!", "\n"
  m.recorder.logMessages = 0;
  m.Submit("ESC B");
  EXPECT_EQ(m.recorder.logMessages, 4);
}

TEST(Wyse60Module, ABlockOfAnySizeIsOneRun) {
  Wyse60Harness m;
  m.Take();
  std::string text(1 << 20, 'x');
  m.Submit("ESC q");
  m.SubmitBytes(Text(text));
  std::vector<std::string> lines = m.Take();
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0], "INSERTCHARS 0 1048576");
  EXPECT_EQ(lines[1].size(), text.size() + 8);
}

// A string carried over from earlier blocks plus a new block larger than
// anything before must still fit.
TEST(Wyse60Module, StringsGrowAcrossBlocks) {
  Wyse60Harness m;
  m.Take();
  m.Submit("ESC z ( start");
  std::string middle(5000, 'm');
  m.SubmitBytes(Text(middle));
  m.SubmitBytes(Text(std::string(70000, 'n')));
  m.Submit("CR after");
  std::vector<std::string> lines = m.Take();
  ASSERT_EQ(lines.size(), 2u);
  // The text kept stops at the sequence limit, less ESC z (.
  EXPECT_EQ(lines[0].size(), std::string("SETOPTION 3 \"\"").size() + Wyse60Emulator::kSequenceLimit - 3);
  EXPECT_EQ(lines[0].substr(0, 19), "SETOPTION 3 \"startm");
  EXPECT_EQ(lines[1], "WRITE \"after\"");
}

TEST(Wyse60Module, AnOverlongKeyDefinitionIsKeptToTheLimitAndEndsAtDel) {
  Wyse60Harness m;
  std::vector<uint8_t> bytes = Text("\x1bz@");
  bytes.resize(200000, 'k');
  bytes.push_back(127);
  for (char c : std::string("next")) bytes.push_back(static_cast<uint8_t>(c));
  for (size_t at = 0; at < bytes.size(); at += 512)
    m.SubmitBytes(std::vector<uint8_t>(bytes.begin() + at, bytes.begin() + std::min(bytes.size(), at + 512)));
  EXPECT_EQ(m.Take().back(), "WRITE \"next\"");
  const KeyEntry* f1 = m.Frame().keys.Find(112);
  ASSERT_NE(f1, nullptr);
  EXPECT_EQ(static_cast<size_t>(f1->length), Wyse60Emulator::kSequenceLimit - 3);
}

TEST(Wyse60Module, AnInitWhilePrintingAsksForThePrinterToClose) {
  Wyse60Harness m;
  m.Submit("DC2 abc");
  EXPECT_TRUE(m.Frame().printer.IsOpen());
  m.Take();
  m.Frame().Init(&m.recorder, nullptr, nullptr);
  EXPECT_EQ(m.Take(), (std::vector<std::string>{"SETOPTION 7 3", "LOG \"Called TurnPrinterOff\\n\""}));
  EXPECT_EQ(m.module.emulator.Machine(), Wyse60Emulator::MachineState::Normal);
  m.Frame().printer.Tick();
  m.Frame().printer.Tick();
  EXPECT_FALSE(m.Frame().printer.IsOpen());
  m.Submit("x");
  EXPECT_EQ(m.Take().back(), "WRITE \"x\"");
}

TEST(Wyse60Module, UnloadClosesAnOpenPrinter) {
  Wyse60Harness m;
  m.Submit("ESC d # abc");
  m.Frame().Unload();
  EXPECT_FALSE(m.Frame().printer.IsOpen());
  EXPECT_EQ(m.port.closes, 1);
}

}  // namespace
}  // namespace korvane::test
