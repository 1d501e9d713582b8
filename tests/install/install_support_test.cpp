// Log lines, directory texts, the copy plan, the shipped terminal types and
// the link table.
#include <gtest/gtest.h>

#include <set>

#include "copy_plan.h"
#include "install_log.h"
#include "install_paths.h"
#include "shipped_terms.h"
#include "start_menu_links.h"

namespace korvane {
namespace {

TEST(InstallLogLine, StampThenMessageWithoutTrailingNewlines) {
  LogTime t{2026, 3, 4, 5, 6, 7, 8};
  EXPECT_EQ(FormatLogLine(t, "CurDir=C:\\KV\\"), "I-26/03/04-05:06:07.08: CurDir=C:\\KV\\\n");
  EXPECT_EQ(FormatLogLine(t, "Odd file Attribute for SUB=10\n\n"), "I-26/03/04-05:06:07.08: Odd file Attribute for SUB=10\n");
  t.milliseconds = 987;
  EXPECT_EQ(FormatLogLine(t, "x").substr(0, 24), "I-26/03/04-05:06:07.987:");
  EXPECT_EQ(FormatLogLine(t, "a\nb\n"), "I-26/03/04-05:06:07.987: a\nb\n");
}

TEST(InstallLogLine, OnlyTheFirstLineTruncatesTheFile) {
  std::vector<bool> truncations;
  InstallLog log([&](const std::string&, bool truncate) { truncations.push_back(truncate); }, [] { return LogTime{}; });
  log.Line("one");
  log.Linef("%s=%d", "two", 2);
  EXPECT_EQ(truncations, (std::vector<bool>{true, false}));
}

TEST(InstallPaths, Normalise) {
  EXPECT_EQ(NormaliseDirectory("c:\\kv"), "C:\\KV\\");
  EXPECT_EQ(NormaliseDirectory("c:\\Program Files\\Korvane\\"), "C:\\PROGRAM FILES\\KORVANE\\");
  EXPECT_EQ(NormaliseDirectory("d:/apps/"), "D:/APPS/");
  EXPECT_EQ(NormaliseDirectory(""), "\\");
  EXPECT_TRUE(SameDirectory("C:\\KV\\", "c:\\kv\\"));
  EXPECT_FALSE(SameDirectory("C:\\KV\\", "C:\\KV2\\"));
}

TEST(InstallPaths, JoinAddsOneSeparator) {
  EXPECT_EQ(JoinPath("C:\\KV\\", "Korvane.exe"), "C:\\KV\\Korvane.exe");
  EXPECT_EQ(JoinPath("C:\\WINDOWS\\SYSTEM32", "shell32.dll"), "C:\\WINDOWS\\SYSTEM32\\shell32.dll");
}

TEST(InstallPaths, PrefixesThenTheWholePath) {
  EXPECT_EQ(DirectoryPrefixes("C:\\A/B\\C"), (std::vector<std::string>{"C:\\", "C:\\A/", "C:\\A/B\\", "C:\\A/B\\C"}));
  EXPECT_EQ(DirectoryPrefixes("C:\\KV\\"), (std::vector<std::string>{"C:\\", "C:\\KV\\", "C:\\KV\\"}));
}

TEST(InstallPaths, WildcardsIgnoreCase) {
  EXPECT_TRUE(MatchesPattern("Korvane.EXE", "*.exe"));
  EXPECT_TRUE(MatchesPattern("KV04x08FA.FNT", "*.fnt"));
  EXPECT_TRUE(MatchesPattern("hosts_sample", "hosts_sample"));
  EXPECT_FALSE(MatchesPattern("hosts_sample.bak", "hosts_sample"));
  EXPECT_FALSE(MatchesPattern("setup.exe.bak", "*.exe"));
  EXPECT_TRUE(MatchesPattern("a.b.exe", "*.exe"));
  EXPECT_TRUE(MatchesPattern("emu_vt100.dll", "emu_*.d?l"));
  EXPECT_FALSE(MatchesPattern("exe", "*.exe"));
  EXPECT_TRUE(MatchesPattern("", "*"));
}

TEST(CopyPlan, PatternsInOrderEachWithItsMatches) {
  auto plan = BuildCopyPlan({"readme.txt", "Korvane.exe", "hosts", "hosts_sample", "PfKey.DLL", "Install.exe",
                             "korvane.hlp", "KV04x08FA.FNT", "notes.doc"});
  std::vector<std::string> patterns;
  for (const auto& group : plan) patterns.push_back(group.pattern);
  EXPECT_EQ(patterns, (std::vector<std::string>{"*.exe", "*.fnt", "*.hlp", "*.cnt", "*.dll", "hosts_sample", "*.txt"}));
  EXPECT_EQ(plan[0].files, (std::vector<std::string>{"Korvane.exe", "Install.exe"}));
  EXPECT_EQ(plan[1].files, std::vector<std::string>{"KV04x08FA.FNT"});
  EXPECT_TRUE(plan[3].files.empty());
  EXPECT_EQ(plan[4].files, std::vector<std::string>{"PfKey.DLL"});
  EXPECT_EQ(plan[5].files, std::vector<std::string>{"hosts_sample"});
  EXPECT_EQ(plan[6].files, std::vector<std::string>{"readme.txt"});
}

// Records the order of the text writes; "key\name" in `refused` fails.
class OrderStore : public MemoryConfigStore {
 public:
  std::vector<std::string> writes;
  std::set<std::string> refused;
  bool WriteTextCreatingKey(const std::string& key, const std::string& name, const std::string& text) override {
    writes.push_back(key + "\\" + name + "=" + text);
    if (refused.count(key + "\\" + name)) return false;
    return MemoryConfigStore::WriteTextCreatingKey(key, name, text);
  }
};

TEST(ShippedTerms, AllNineIntoAnEmptyStoreInColumnOrder) {
  OrderStore store;
  auto result = WriteShippedTerms(store);
  EXPECT_EQ(result.written.size(), 9u);
  EXPECT_TRUE(result.failed.empty());
  EXPECT_EQ(store.writes.size(), 4u * 3 + 5u * 3 + 3u * 2 + 4u);
  EXPECT_EQ(std::vector<std::string>(store.writes.begin(), store.writes.begin() + 4),
            (std::vector<std::string>{"Terms\\wyse60\\TermDLL=emu_wyse60.dll", "Terms\\wyse60\\TermType=wyse60",
                                      "Terms\\wyse60\\InitialScreen=24,80,Y", "Terms\\wyse60\\Max_Pages=4"}));
  EXPECT_EQ(ReadText(store, "Terms\\ansi-24", "InitialScreen"), "24,80,N");
  EXPECT_EQ(ReadText(store, "Terms\\ansi", "Ignore_SetColor"), "Y");
  EXPECT_EQ(ReadText(store, "Terms\\scoansi", "TermType"), "ansi");
  EXPECT_EQ(ReadText(store, "Terms\\scoansi", "FontFamily"), std::nullopt);
  EXPECT_EQ(ReadText(store, "Terms\\linux-ansi", "TermDLL"), "emu_scoansi.dll");
  EXPECT_EQ(ReadText(store, "Terms\\linux-ansi", "FontFamily"), "1");
  EXPECT_EQ(ReadText(store, "Terms\\vt100", "InitialScreen"), "24,80,Y");
  EXPECT_EQ(store.TypeOf("Terms\\wyse60-25", "Max_Pages"), ValueType::Text);
}

TEST(ShippedTerms, ExistingTypesAreNeverChanged) {
  OrderStore store;
  store.WriteTextCreatingKey("Terms\\vt100", "TermDLL", "my_vt.dll");  // no InitialScreen
  store.WriteTextCreatingKey("Terms\\ANSI", "TermDLL", "");             // empty: rewritten
  store.WriteTextCreatingKey("Terms\\ansi", "InitialScreen", "50,132,N");
  store.writes.clear();
  EXPECT_EQ(WriteShippedTerms(store).written.size(), 8u);
  EXPECT_EQ(ReadText(store, "Terms\\vt100", "TermDLL"), "my_vt.dll");
  EXPECT_EQ(ReadText(store, "Terms\\vt100", "InitialScreen"), std::nullopt);
  EXPECT_EQ(store.ValueCount("Terms\\vt100"), 1u);
  EXPECT_EQ(ReadText(store, "Terms\\ansi", "TermDLL"), "emu_ansi.dll");
  EXPECT_EQ(ReadText(store, "Terms\\ansi", "InitialScreen"), "25,80,N");
  store.writes.clear();
  EXPECT_TRUE(WriteShippedTerms(store).written.empty());  // a second run writes nothing
  EXPECT_TRUE(store.writes.empty());
}

TEST(ShippedTerms, AFailedWriteIsReportedAndLeavesNoTermDll) {
  OrderStore store;
  store.refused = {"Terms\\ansi-24\\InitialScreen", "Terms\\vt100\\TermDLL"};
  auto result = WriteShippedTerms(store);
  EXPECT_EQ(result.failed, (std::vector<std::string>{"Terms\\ansi-24", "Terms\\vt100"}));
  EXPECT_EQ(result.written.size(), 7u);
  EXPECT_EQ(ReadText(store, "Terms\\ansi-24", "TermDLL"), std::nullopt);  // written anew next time
  EXPECT_EQ(ReadText(store, "Terms\\ansi-24", "Ignore_SetColor"), "Y");  // the rest of the row was still tried
  EXPECT_EQ(ReadText(store, "Terms\\linux-ansi", "TermDLL"), "emu_scoansi.dll");
  store.refused.clear();
  EXPECT_EQ(WriteShippedTerms(store).written, (std::vector<std::string>{"Terms\\ansi-24", "Terms\\vt100"}));
}

TEST(InstallPaths, UnsafeDirectories) {
  const char* windows = "C:\\Windows";
  const char* system = "C:\\Windows\\System32";
  for (const char* root : {"C:\\", "c:/", "\\", "\\\\SERVER\\SHARE\\", "\\\\SERVER\\"})
    EXPECT_EQ(UnsafeDirectoryReason(root, windows, system), "a drive root") << root;
  EXPECT_EQ(UnsafeDirectoryReason("C:\\WINDOWS\\", windows, system), "the Windows directory");
  EXPECT_EQ(UnsafeDirectoryReason("c:\\windows\\system32\\", windows, system), "the system directory");
  for (const char* fine : {"C:\\KV\\", "C:\\WINDOWS\\KV\\", "D:\\WINDOWS\\", "\\\\SERVER\\SHARE\\KV\\"})
    EXPECT_EQ(UnsafeDirectoryReason(fine, windows, system), std::nullopt) << fine;
}

TEST(StartMenuLinks, TheTable) {
  auto links = MenuLinks("C:\\KV\\", "C:\\WINDOWS\\SYSTEM32");
  ASSERT_EQ(links.size(), 4u);
  EXPECT_EQ(links[0].fileName, "Korvane.lnk");
  EXPECT_EQ(links[0].target, "C:\\KV\\Korvane.exe");
  EXPECT_EQ(links[0].iconPath, "C:\\KV\\Korvane.exe");
  EXPECT_EQ(links[1].target, "C:\\KV\\Settings.exe");
  EXPECT_EQ(links[1].description, "Korvane Settings");
  EXPECT_EQ(links[2].target, "C:\\KV\\Korvane.hlp");
  EXPECT_EQ(links[2].iconPath, "C:\\WINDOWS\\SYSTEM32\\shell32.dll");
  EXPECT_EQ(links[2].iconIndex, 23);
  EXPECT_EQ(links[3].fileName, "Uninstall Korvane.lnk");
  EXPECT_EQ(links[3].progressLine, "Create link to Uninstall.exe");
  EXPECT_EQ(links[3].target, "C:\\KV\\Install.exe");
  EXPECT_EQ(links[3].arguments, "-r");
  EXPECT_EQ(links[3].iconIndex, 1);
  for (const auto& link : links) {
    EXPECT_EQ(link.workingDirectory, "C:\\KV\\");
    if (&link != &links[3]) {
      EXPECT_EQ(link.arguments, "");
    }
  }
  EXPECT_EQ(MenuLinkFiles().size(), 4u);
}

}  // namespace
}  // namespace korvane

#include "parameter_keys.h"

namespace korvane {
namespace {

TEST(ParameterKeys, TabCyclesInIdOrderSkippingDisabled) {
  auto all = [](int) { return true; };
  auto noCopy = [](int id) { return id != kCopyFilesBox; };
  std::vector<int> forward;
  int at = kDirectoryField;
  for (int i = 0; i < 6; ++i) forward.push_back(at = ParameterKeyFor(at, ParameterKey::Tab, 0, all).control);
  EXPECT_EQ(forward, (std::vector<int>{1, 2, 4, 5, 6, 0}));
  EXPECT_EQ(ParameterKeyFor(kCreateDirectoryBox, ParameterKey::Tab, 0, noCopy).control, kCallSettingsBox);
  EXPECT_EQ(ParameterKeyFor(kDirectoryField, ParameterKey::ShiftTab, 0, all).control, kCancelButton);
  EXPECT_EQ(ParameterKeyFor(kCallSettingsBox, ParameterKey::ShiftTab, 0, noCopy).control, kCreateDirectoryBox);
}

TEST(ParameterKeys, EnterAndAltLetters) {
  auto all = [](int) { return true; };
  EXPECT_EQ(ParameterKeyFor(kCopyFilesBox, ParameterKey::Enter, 0, all).kind, ParameterKeyAction::Ok);
  EXPECT_EQ(ParameterKeyFor(0, ParameterKey::Alt, 'c', all).kind, ParameterKeyAction::Cancel);
  EXPECT_EQ(ParameterKeyFor(0, ParameterKey::Alt, 'O', all).kind, ParameterKeyAction::Ok);
  for (auto [letter, id] : {std::pair{'i', 0}, {'D', 1}, {'f', 2}, {'S', 4}}) {
    auto action = ParameterKeyFor(5, ParameterKey::Alt, letter, all);
    EXPECT_EQ(action.kind, ParameterKeyAction::Focus) << letter;
    EXPECT_EQ(action.control, id) << letter;
  }
  EXPECT_EQ(ParameterKeyFor(0, ParameterKey::Alt, 'x', all).kind, ParameterKeyAction::None);
  EXPECT_EQ(ParameterKeyFor(0, ParameterKey::Alt, 'f', [](int id) { return id != 2; }).kind, ParameterKeyAction::None);
}

}  // namespace
}  // namespace korvane
