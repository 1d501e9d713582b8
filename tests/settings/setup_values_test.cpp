#include "setup_values.h"

#include <gtest/gtest.h>

namespace korvane {
namespace {

TEST(SetupValues, AFirstRunChecksAutoCloseAndAllowOtherAndShowsTheDefaults) {
  MemoryConfigStore store;
  SetupValues values = ReadSetupValues(store);
  EXPECT_TRUE(values.firstRun());
  for (int i = 0; i < kSetupCheckBoxes; ++i)
    EXPECT_EQ(values.checked[static_cast<size_t>(i)], i == SETUP_AUTO_CLOSE || i == SETUP_ALLOW_OTHER) << i;
  EXPECT_EQ(values.hostsFile, "Hosts");
  EXPECT_EQ(values.defaultHost, "");
  EXPECT_EQ(values.timer, "500");
  EXPECT_EQ(values.scrollbackLines, "500");
  TermTypeList list;
  list.Add({"emu_vt100.dll", "vt100", "vt100"});
  list.Add({"emu_ansi.dll", "ansi", "ansi"});
  EXPECT_EQ(InitialTermSelection(values, list), "ansi");
}

TEST(SetupValues, ACheckBoxShowsTheWholeValueYInEitherCase) {
  MemoryConfigStore store;
  store.WriteTextCreatingKey("Settings", "TermName", "vt100");
  store.WriteTextCreatingKey("Settings", "AutoConnect", "y");
  store.WriteTextCreatingKey("Settings", "SuppressBanner", "Yes");
  store.WriteTextCreatingKey("Settings", "AutoClose", "N");
  store.WriteTextCreatingKey("Settings", "TimerInterval", "250ms");
  store.WriteTextCreatingKey("Settings", "ScrollbackLines", " 0012");
  SetupValues values = ReadSetupValues(store);
  EXPECT_FALSE(values.firstRun());
  EXPECT_TRUE(values.checked[SETUP_AUTO_CONNECT]);
  EXPECT_FALSE(values.checked[SETUP_SUPPRESS_BANNER]);
  EXPECT_FALSE(values.checked[SETUP_AUTO_CLOSE]);
  EXPECT_FALSE(values.checked[SETUP_ALLOW_OTHER]);  // absent, not a first run
  EXPECT_EQ(values.timer, "250");
  EXPECT_EQ(values.scrollbackLines, "12");
}

TEST(SetupValues, TheStoredTypeIsSelectedOrNoneWhenItIsNotListed) {
  MemoryConfigStore store;
  store.WriteTextCreatingKey("Settings", "TermName", "vt100");
  TermTypeList list;
  list.Add({"emu_ansi.dll", "ansi", "ansi"});
  EXPECT_EQ(InitialTermSelection(ReadSetupValues(store), list), std::nullopt);
  list.Add({"emu_vt100.dll", "vt100", "vt100"});
  EXPECT_EQ(InitialTermSelection(ReadSetupValues(store), list), "vt100");
  EXPECT_EQ(InitialTermSelection(ReadSetupValues(store), TermTypeList()), std::nullopt);
}

TEST(SetupValues, OkStoresEveryValueCreatingTheKeys) {
  MemoryConfigStore store;
  SetupValues values = ReadSetupValues(store);
  values.checked[SETUP_PRINT_GRAPHICS] = true;
  values.timer = "abc";
  values.scrollbackLines = "-7x";
  values.hostsFile = "C:\\etc\\hosts";
  values.defaultHost = "host1";
  TermTypeEntry selected{"emu_wyse60.dll", "wyse60-25", "wyse60", true};
  StoreSetupValues(store, values, &selected);
  EXPECT_EQ(ReadText(store, "Settings", "AutoConnect"), "N");
  EXPECT_EQ(ReadText(store, "Settings", "AutoClose"), "Y");
  EXPECT_EQ(ReadText(store, "Settings", "PrintScreenAsGraphics"), "Y");
  EXPECT_EQ(ReadText(store, "Settings", "TimerInterval"), "0");
  EXPECT_EQ(ReadText(store, "Settings", "ScrollbackLines"), "-7");
  EXPECT_EQ(ReadText(store, "Settings", "HostsFile"), "C:\\etc\\hosts");
  EXPECT_EQ(ReadText(store, "Defaults", "DefaultHost"), "host1");
  EXPECT_EQ(ReadText(store, "Settings", "TermName"), "wyse60-25");
  EXPECT_EQ(ReadText(store, "Terms\\wyse60-25", "TermDLL"), "emu_wyse60.dll");
  // Text is stored with its terminating NUL.
  EXPECT_EQ(store.ReadValue("Settings", "AutoClose")->size(), 2u);
}

TEST(SetupValues, WithoutASelectedTypeNeitherTermNameNorTermDllIsWritten) {
  MemoryConfigStore store;
  StoreSetupValues(store, ReadSetupValues(store), nullptr);
  EXPECT_FALSE(store.ReadValue("Settings", "TermName"));
  EXPECT_FALSE(store.KeyExists("Terms"));
}

TEST(HostsPathForEditor, DotAfterHostsAndTheInstallationDirectoryBeforeIt) {
  EXPECT_EQ(HostsPathForEditor("Hosts", "C:\\KV"), "C:\\KV\\Hosts.");
  EXPECT_EQ(HostsPathForEditor("Hosts", "C:\\KV\\"), "C:\\KV\\Hosts.");
  EXPECT_EQ(HostsPathForEditor("D:\\net\\HOSTS", "C:\\KV"), "D:\\net\\HOSTS.");
  EXPECT_EQ(HostsPathForEditor("hosts.txt", "C:\\KV"), "C:\\KV\\hosts.txt");
  EXPECT_EQ(HostsPathForEditor("Hosts", ""), "Hosts.");
  EXPECT_EQ(HostsPathForEditor("myhosts", "C:\\KV"), "myhosts.");
  EXPECT_EQ(HostsPathForEditor("", "C:\\KV"), "");
}

TEST(SetupKeys, TabCyclesOverTheIdsPassingDisabledOnes) {
  auto all = [](int) { return true; };
  EXPECT_EQ(NextSetupControl(SETUP_CANCEL, false, all), SETUP_AUTO_CONNECT);
  EXPECT_EQ(NextSetupControl(SETUP_AUTO_CONNECT, true, all), SETUP_CANCEL);
  EXPECT_EQ(NextSetupControl(SETUP_COLORS, false, [](int id) { return id != SETUP_TERM_SETTINGS; }),
            SETUP_PGM_FUNC_KEYS);
  EXPECT_EQ(NextSetupControl(SETUP_OK, false, [](int) { return false; }), SETUP_OK);
}

TEST(SetupKeys, AltLettersAndTheThreeThatDependOnTheFocus) {
  using A = SetupAltAction;
  auto is = [](SetupAltAction a, A::Kind kind, int control) { return a.kind == kind && a.control == control; };
  EXPECT_TRUE(is(SetupAltKey('H', SETUP_HELP), A::Focus, SETUP_HOSTS_FILE));
  EXPECT_TRUE(is(SetupAltKey('H', SETUP_HOSTS_FILE), A::FocusAndClick, SETUP_EDIT_HOSTS));
  EXPECT_TRUE(is(SetupAltKey('H', SETUP_OK), A::FocusAndClick, SETUP_HELP));
  EXPECT_TRUE(is(SetupAltKey('I', SETUP_INTL_KEYBOARD), A::Focus, SETUP_TIMER));
  EXPECT_TRUE(is(SetupAltKey('I', SETUP_TIMER), A::Focus, SETUP_INTL_KEYBOARD));
  EXPECT_TRUE(is(SetupAltKey('M', 0), A::Click, SETUP_TERM_SETTINGS));
  EXPECT_TRUE(is(SetupAltKey('B', 0), A::Focus, SETUP_SCROLLBACK_LINES));
  EXPECT_TRUE(is(SetupAltKey('K', 0), A::Focus, SETUP_SCROLLBACK));
  for (int letter : {'J', 'Q', 'X', 'Z', '1'}) EXPECT_EQ(SetupAltKey(letter, 0).kind, A::None);
}

}  // namespace
}  // namespace korvane
