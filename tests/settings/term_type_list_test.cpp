#include "term_type_list.h"

#include <gtest/gtest.h>

namespace korvane {
namespace {

std::vector<std::string> NamesOf(const TermTypeList& list) {
  std::vector<std::string> names;
  for (const auto& e : list.entries()) names.push_back(e.name);
  return names;
}

TEST(TermTypeList, KeepsNamesSortedByteWiseWithEqualNamesInArrivalOrder) {
  TermTypeList list;
  list.Add({"emu_vt100.dll", "vt100", "vt100"});
  list.Add({"emu_ansi.dll", "ansi", "ansi"});
  list.Add({"emu_ansi.dll", "Zeta", "ansi"});    // upper case sorts before lower
  list.Add({"emu_x.dll", "\xe9t\xe9", "x"});     // bytes above 127 sort last
  list.Add({"emu_scoansi.dll", "ansi", "ansi"});  // same name, another module: after
  EXPECT_EQ(NamesOf(list), (std::vector<std::string>{"Zeta", "ansi", "ansi", "vt100", "\xe9t\xe9"}));
  EXPECT_EQ(list.entries()[1].moduleFile, "emu_ansi.dll");
  EXPECT_EQ(list.entries()[2].moduleFile, "emu_scoansi.dll");
  EXPECT_EQ(list.Names(), (std::vector<std::string>{"Zeta", "ansi", "vt100", "\xe9t\xe9"}));
}

TEST(TermTypeList, DropsExactRepeatsAndStopsAt128) {
  TermTypeList list;
  EXPECT_TRUE(list.Add({"emu_vt100.dll", "vt100", "vt100"}));
  EXPECT_FALSE(list.Add({"emu_vt100.dll", "vt100", "vt100", true}));
  EXPECT_TRUE(list.Add({"emu_vt100.dll", "vt100", "vt102"}));
  for (int i = 0; i < 200; ++i) list.Add({"emu_vt100.dll", "t" + std::to_string(i), "vt100"});
  EXPECT_EQ(list.entries().size(), TermTypeList::kLimit);
}

TEST(TermTypeList, FindPrefersTheStoredTypeOfAName) {
  TermTypeList list;
  list.Add({"emu_ansi.dll", "ansi", "ansi", false});
  list.Add({"emu_scoansi.dll", "ansi", "ansi", true});
  ASSERT_TRUE(list.Find("ansi"));
  EXPECT_EQ(list.Find("ansi")->moduleFile, "emu_scoansi.dll");
  EXPECT_EQ(list.Find("ANSI"), nullptr);
}

TEST(EnumerateTermTypes, ModulesThenTermsKeysWithBothValues) {
  MemoryConfigStore store;
  store.WriteTextCreatingKey("Terms\\wyse60", "TermDLL", "emu_wyse60.dll");
  store.WriteTextCreatingKey("Terms\\wyse60", "TermType", "wyse60");  // same as the module's: once
  store.WriteTextCreatingKey("Terms\\wyse60-25", "TermDLL", "emu_wyse60.dll");
  store.WriteTextCreatingKey("Terms\\wyse60-25", "TermType", "wyse60");
  store.WriteTextCreatingKey("Terms\\noDll", "TermType", "vt100");
  store.WriteTextCreatingKey("Terms\\emptyType", "TermType", "");
  store.WriteTextCreatingKey("Terms\\emptyType", "TermDLL", "emu_vt100.dll");
  store.WriteTextCreatingKey("Terms\\vt100", "TermType", "vt100");  // no TermDLL, but a module default
  TermTypeList list;
  list.Add({"stale.dll", "stale", "x"});
  EnumerateTermTypes(list, {{"emu_wyse60.dll", "wyse60", "wyse60", true}, {"emu_vt100.dll", "vt100", "vt100"}}, store);
  EXPECT_EQ(NamesOf(list), (std::vector<std::string>{"vt100", "wyse60", "wyse60-25"}));
  EXPECT_FALSE(list.entries()[1].stored);
  EXPECT_TRUE(list.entries()[2].stored);
}

TEST(ModuleShortName, StripsDirectoryPrefixAndEnding) {
  EXPECT_EQ(ModuleShortName("emu_wyse60.dll"), "wyse60");
  EXPECT_EQ(ModuleShortName("C:\\KV\\EMU_VT100.DLL"), "VT100");
  EXPECT_EQ(ModuleShortName("emu_.dll"), "");
  EXPECT_EQ(ModuleShortName("emu_vt100.exe"), "");
  EXPECT_EQ(ModuleShortName("dll"), "");
}

TEST(CreateTermType, WritesExactlyTwoValuesOrNothing) {
  MemoryConfigStore store;
  EXPECT_TRUE(CreateTermType(store, "mywyse", "wyse60", "wyse60"));
  EXPECT_EQ(store.ValueCount("Terms\\mywyse"), 2u);
  EXPECT_EQ(ReadText(store, "Terms\\mywyse", "TermDLL"), "emu_wyse60.dll");
  EXPECT_EQ(ReadText(store, "Terms\\mywyse", "TermType"), "wyse60");
  EXPECT_FALSE(CreateTermType(store, "empty", "wyse60", ""));
  EXPECT_FALSE(CreateTermType(store, "", "wyse60", "wyse60"));
  EXPECT_FALSE(CreateTermType(store, "a\\b", "wyse60", "wyse60"));
  EXPECT_FALSE(CreateTermType(store, std::string(256, 'n'), "wyse60", "wyse60"));
  EXPECT_EQ(store.EnumSubKeys("Terms"), std::vector<std::string>{"mywyse"});
}

}  // namespace
}  // namespace korvane
