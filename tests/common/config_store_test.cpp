#include "config_store.h"

#include <gtest/gtest.h>

namespace korvane {
namespace {

TEST(MemoryConfigStore, TextWritesOnlyIntoExistingKeys) {
  MemoryConfigStore store;
  EXPECT_FALSE(store.WriteText("Defaults", "atx", "10"));
  EXPECT_FALSE(ReadText(store, "Defaults", "atx"));
  store.CreateKey("Defaults");
  EXPECT_TRUE(store.WriteText("Defaults", "atx", "10"));
  EXPECT_EQ(ReadText(store, "defaults", "ATX"), "10");
  EXPECT_EQ(store.TypeOf("Defaults", "atx"), ValueType::Text);
  // Text is stored with its terminating NUL.
  EXPECT_EQ(store.ReadValue("Defaults", "atx")->size(), 3u);
}

TEST(MemoryConfigStore, BinaryCreatesKeyAndParents) {
  MemoryConfigStore store;
  const uint8_t bytes[] = {1, 2, 3};
  EXPECT_TRUE(store.WriteBinary("Terms\\vt100", "PFKEYS", bytes, 3));
  EXPECT_TRUE(store.KeyExists("Terms"));
  EXPECT_TRUE(store.KeyExists("TERMS\\VT100"));
  EXPECT_EQ(store.TypeOf("Terms\\vt100", "PFKEYS"), ValueType::Binary);
}

TEST(MemoryConfigStore, ReadTextStopsAtFirstNulWhateverTheType) {
  MemoryConfigStore store;
  const uint8_t bytes[] = {'a', 'b', 0, 'c'};
  store.WriteBinary("Settings", "X", bytes, 4);
  EXPECT_EQ(ReadText(store, "Settings", "X"), "ab");
  const uint8_t unterminated[] = {'x', 'y'};
  store.WriteBinary("Settings", "Y", unterminated, 2);
  EXPECT_EQ(ReadText(store, "Settings", "Y"), "xy");
}

TEST(MemoryConfigStore, ReadBinaryRefusesLargerValuesAndFillsShorterOnes) {
  MemoryConfigStore store;
  std::vector<uint8_t> big(300, 7);
  store.WriteBinary("Terms\\t", "AsciiMap", big.data(), big.size());
  uint8_t map[256] = {};
  EXPECT_FALSE(ReadBinary(store, "Terms\\t", "AsciiMap", map, sizeof map));
  EXPECT_EQ(map[0], 0);

  const uint8_t small[] = {9, 9};
  store.WriteBinary("Terms\\t", "AnsiMap", small, 2);
  size_t got = 0;
  EXPECT_TRUE(ReadBinary(store, "Terms\\t", "AnsiMap", map, sizeof map, &got));
  EXPECT_EQ(got, 2u);
  EXPECT_EQ(map[1], 9);
  EXPECT_EQ(map[2], 0);
  EXPECT_FALSE(ReadBinary(store, "Terms\\t", "Missing", map, sizeof map));
}

TEST(MemoryConfigStore, EnumeratesDirectSubKeysAndDeletesTrees) {
  MemoryConfigStore store;
  store.CreateKey("Terms\\vt100");
  store.CreateKey("Terms\\wyse60\\deeper");
  store.CreateKey("Settings");
  auto names = store.EnumSubKeys("Terms");
  ASSERT_EQ(names.size(), 2u);
  EXPECT_EQ(names[0], "vt100");
  EXPECT_EQ(names[1], "wyse60");
  EXPECT_TRUE(store.DeleteKey("terms"));
  EXPECT_FALSE(store.KeyExists("Terms\\wyse60\\deeper"));
  EXPECT_TRUE(store.KeyExists("Settings"));
  EXPECT_FALSE(store.DeleteKey("Terms"));
}

TEST(MemoryConfigStore, DeletesValues) {
  MemoryConfigStore store;
  store.WriteTextCreatingKey("Settings", "TermName", "vt100");
  EXPECT_TRUE(store.DeleteValue("Settings", "termname"));
  EXPECT_FALSE(store.DeleteValue("Settings", "termname"));
  EXPECT_EQ(store.ValueCount("Settings"), 0u);
}

}  // namespace
}  // namespace korvane
