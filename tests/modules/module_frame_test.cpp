#include "module_frame.h"

#include <gtest/gtest.h>

#include <cstring>

#include "module_test_support.h"

namespace korvane::test {
namespace {

// A freshly loaded VT100 module whose messages reach a recorder once it
// has a window.
struct FreshModule {
  FreshModule() { module.frame.link = recorder.Link(), module.frame.link.target = nullptr; }
  TermInfo Info(const char* name = nullptr, uint16_t flags = 0) {
    TermInfo info = {};
    info.flags = flags;
    module.frame.Init(nullptr, &info, name);
    return info;
  }
  MemoryConfigStore store;
  MessageRecorder recorder;
  FakePrinterPort port{recorder};
  Vt100Module module{store, port};
};

TEST(ModuleFrame, AFirstInitWithoutAWindowReportsTheDefaultTypeAndSendsNothing) {
  FreshModule m;
  m.store.WriteTextCreatingKey("Terms\\vt100", "TermType", "vt102");
  TermInfo info = m.Info(nullptr, 0x8000 | TERMINFO_LOG_UNRECOGNISED);
  EXPECT_STREQ(info.name, "vt100");
  EXPECT_STREQ(info.termType, "vt102");
  EXPECT_EQ(info.rows, 24);
  EXPECT_EQ(info.columns, 80);
  EXPECT_EQ(info.statusLine, 0);
  EXPECT_EQ(info.fontCharSet, 1);
  EXPECT_EQ(info.flags, 0x8000 | TERMINFO_LOG_UNRECOGNISED | TERMINFO_DELAYED_WRAP);
  EXPECT_TRUE(m.module.frame.logUnrecognised);
  EXPECT_EQ(m.module.frame.SubKey(), "Terms\\vt100");
  m.module.frame.Submit(reinterpret_cast<const uint8_t*>("text"), 4);
  EXPECT_TRUE(m.recorder.Take().empty());
}

TEST(ModuleFrame, InitialScreenVariants) {
  struct Case {
    const char* stored;
    int rows, columns;
    bool status;
  } cases[] = {
      {"42,80,Y", 42, 80, true},  {"25,80", 25, 80, false},   {"25,80,y", 25, 80, false},
      {"24,132,Y ", 24, 132, false}, {"", 0, 0, false},        {"30", 30, 0, false},
      {",,Y", 0, 0, true},         {"x,80,N", 0, 80, false},   {"24,80,Y,extra", 24, 80, true},
      {"-5,99999,Y", 0, 0xFFFF, true},
  };
  for (const Case& c : cases) {
    FreshModule m;
    m.store.WriteTextCreatingKey("Terms\\vt100", "InitialScreen", c.stored);
    TermInfo info = m.Info();
    EXPECT_EQ(info.rows, c.rows) << c.stored;
    EXPECT_EQ(info.columns, c.columns) << c.stored;
    EXPECT_EQ(info.statusLine, c.status ? 1 : 0) << c.stored;
  }
  // Each field is taken to 128 characters at most.
  EXPECT_EQ(ParseInitialScreen(std::string(128, '0') + "42,80").rows, 0);
  EXPECT_EQ(ParseInitialScreen(std::string(126, '0') + "42,80").rows, 42);
  EXPECT_EQ(FormatInitialScreen({42, 132, true}), "42,132,Y");
}

TEST(ModuleFrame, AnEmptyOrOverlongTermType) {
  FreshModule empty;
  empty.store.WriteTextCreatingKey("Terms\\vt100", "TermType", "");
  EXPECT_STREQ(empty.Info().termType, "vt100");

  FreshModule longer;
  longer.store.WriteTextCreatingKey("Terms\\vt100", "TermType", std::string(5000, 't'));
  EXPECT_EQ(std::strlen(longer.Info().termType), kTermTypeLimit);
}

TEST(ModuleFrame, SettingsAreReadOncePerLoad) {
  FreshModule m;
  m.store.WriteTextCreatingKey("Terms\\first", "InitialScreen", "42,80,Y");
  m.store.WriteTextCreatingKey("Terms\\second", "InitialScreen", "25,132,N");
  m.store.WriteTextCreatingKey("Terms\\second", "TermType", "second-type");
  const char* second = "second";
  m.Info("first");
  TermInfo info = m.Info(second);
  EXPECT_EQ(info.name, second);  // the caller's own pointer
  EXPECT_EQ(info.rows, 42);
  EXPECT_STREQ(info.termType, "vt100");
  EXPECT_EQ(m.module.frame.SubKey(), "Terms\\first");
}

TEST(ModuleFrame, HostCompatibilityIsOnOnlyForY) {
  for (const char* value : {"Y", "N", ""}) {
    FreshModule m;
    m.store.WriteTextCreatingKey("Terms\\vt100", kHostCompatibilityValue, value);
    m.Info();
    EXPECT_EQ(m.module.frame.hostCompatibility, std::strcmp(value, "Y") == 0) << value;
  }
  FreshModule absent;
  absent.Info();
  EXPECT_FALSE(absent.module.frame.hostCompatibility);
}

TEST(ModuleFrame, InitWithAWindowLoadsDefaultsThenStoredKeys) {
  FreshModule m;
  const uint8_t stored[] = {112, 0, 0, 0, 2, 0, 0, 0, 'l', 's', 0x74, 3, 0, 0, 1, 0, 0, 0, 'x'};
  m.store.WriteBinary("Terms\\vt100", "PFKEYS", stored, sizeof stored);
  m.Info();
  m.module.frame.Init(&m.recorder, nullptr, nullptr);
  EXPECT_EQ(m.module.frame.Key(112), 1);
  EXPECT_EQ(m.module.frame.Key(0x374), 1);
  EXPECT_EQ(m.module.frame.Key(113), 1);
  EXPECT_EQ(m.recorder.Take(), (std::vector<std::string>{"SENDDATA \"ls\"", "SENDDATA \"x\"", "SENDDATA \"\\x1bOQ\""}));

  // A later init rereads the stored keys.
  m.store.DeleteValue("Terms\\vt100", "PFKEYS");
  m.module.frame.Init(&m.recorder, nullptr, nullptr);
  EXPECT_EQ(m.module.frame.Key(112), 1);
  EXPECT_EQ(m.module.frame.Key(0x374), 0);
  EXPECT_EQ(m.recorder.Take(), (std::vector<std::string>{"SENDDATA \"\\x1bOP\""}));
}

TEST(ModuleFrame, EditedKeysAndHostProgrammedKeysStayOutOfTheRegistry) {
  FreshModule m;
  m.Info();
  m.module.frame.Init(&m.recorder, nullptr, nullptr);
  KeyTable edited;
  edited.Define(KEY_CTRL + 115, reinterpret_cast<const uint8_t*>("e"), 1);
  m.module.frame.ApplyEditedKeys(edited.Heads());
  m.module.frame.ApplyEditedKeys(nullptr);  // the editor was cancelled
  std::vector<uint8_t> program = Bytes("ESC [ > B / prog /");
  m.module.frame.Submit(program.data(), program.size());
  EXPECT_EQ(m.module.frame.Key(KEY_CTRL + 115), 1);
  EXPECT_EQ(m.module.frame.Key(113), 1);
  EXPECT_EQ(m.recorder.Take(), (std::vector<std::string>{"SENDDATA \"e\"", "SENDDATA \"prog\""}));
  EXPECT_FALSE(m.store.ReadValue("Terms\\vt100", "PFKEYS"));
}

TEST(ModuleFrame, WritingASettingCreatesTheKey) {
  FreshModule m;
  m.module.frame.WriteSetting("InitialScreen", "24,80,N");  // before any init: nowhere
  EXPECT_FALSE(m.store.KeyExists("Terms\\vt100"));
  m.Info("linux");
  m.module.frame.WriteSetting("InitialScreen", "24,80,N");
  EXPECT_EQ(ReadText(m.store, "Terms\\linux", "InitialScreen"), "24,80,N");
}

TEST(ModuleLogTest, LinesAreCutAt1020Characters) {
  MessageRecorder recorder;
  DisplayLink link = recorder.Link();
  ModuleLog log(link);
  std::string huge(5000, 'a');
  log.Log("%s%s", huge.c_str(), "tail");
  EXPECT_EQ(recorder.Take(), std::vector<std::string>{"LOG \"" + std::string(ModuleLog::kLineLimit, 'a') + "\""});
  // One string among text is put together without the formatter.
  log.Log("x%s: ", huge.c_str());
  EXPECT_EQ(recorder.Take(), std::vector<std::string>{"LOG \"x" + std::string(ModuleLog::kLineLimit - 1, 'a') + "\""});
  log.Log("%s: ", "name");
  EXPECT_EQ(recorder.Take(), std::vector<std::string>{"LOG \"name: \""});
}

TEST(ModuleFrame, UnloadClosesAnOpenPrinterAndFreesTheKeys) {
  Vt100Harness h;
  h.Submit("ESC [ 5 i a");
  ASSERT_TRUE(h.port.open && h.port.timer);
  h.Take();
  h.module.frame.Unload();
  EXPECT_FALSE(h.port.open);
  EXPECT_FALSE(h.port.timer);
  EXPECT_EQ(h.module.frame.Key(13), 0);
  EXPECT_EQ(h.Take(), (std::vector<std::string>{"LOG \"Called TurnPrinterOff\\n\"", "LOG \"ActuallyTurnPrinterOff\\n\"",
                                                "PRINTER close"}));
}

}  // namespace
}  // namespace korvane::test
