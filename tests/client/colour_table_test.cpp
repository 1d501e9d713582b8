#include "colour_table.h"

#include <gtest/gtest.h>

namespace korvane {
namespace {

uint32_t NoSystemColours(int) { return 0xDEAD; }

TEST(ColourTable, DefaultsAndTheirStoredRecords) {
  ColourTable table;
  EXPECT_EQ(table[7], Rgb(160, 160, 160));
  EXPECT_EQ(table[COLOUR_DEFAULT_FOREGROUND], Rgb(255, 255, 0));
  EXPECT_EQ(table[COLOUR_DEFAULT_BACKGROUND], Rgb(0, 0, 128));
  EXPECT_EQ(table[COLOUR_REVERSE_DIM], Rgb(0, 0, 64));
  EXPECT_EQ(table[22], 0u);
  EXPECT_EQ(table[-1], 0u);
  auto records = ColourTable::DefaultRecords();
  // Record 17: flag 1, system index 0, 0x00800000 little-endian.
  const uint8_t expected[8] = {1, 0, 0, 0, 0, 0, 128, 0};
  EXPECT_TRUE(std::equal(expected, expected + 8, &records[17 * 8]));
}

TEST(ColourTable, AStoredValueOverlaysTheDefaults) {
  MemoryConfigStore store;
  ColourTable table;
  // Two records: a colour of its own, then the system window colour.
  const uint8_t bytes[16] = {1, 0, 0, 0, 0x11, 0x22, 0x33, 0, 0, 0, 5, 0, 0xFF, 0xFF, 0xFF, 0};
  store.WriteBinary("Settings", "colors", bytes, sizeof bytes);
  std::vector<int> asked;
  LoadColours(table, store, [&](int index) {
    asked.push_back(index);
    return Rgb(1, 2, 3);
  });
  EXPECT_EQ(table[0], 0x332211u);
  EXPECT_EQ(table[1], Rgb(1, 2, 3));
  EXPECT_EQ(asked, std::vector<int>{5});
  EXPECT_EQ(table[2], Rgb(0, 128, 0));  // beyond the value: the default
}

TEST(ColourTable, ALargerValueChangesNothing) {
  MemoryConfigStore store;
  std::vector<uint8_t> bytes(177, 0);  // every flag 0, but one byte too many
  store.WriteBinary("Settings", "colors", bytes.data(), bytes.size());
  ColourTable table;
  LoadColours(table, store, NoSystemColours);
  EXPECT_EQ(table[16], Rgb(255, 255, 0));
  bytes.resize(176);
  store.WriteBinary("Settings", "colors", bytes.data(), bytes.size());
  LoadColours(table, store, NoSystemColours);
  EXPECT_EQ(table[16], 0xDEADu);
}

TEST(ColourTable, ANegativeSystemIndexIsPassedOnSigned) {
  ColourTable table;
  auto records = ColourTable::DefaultRecords();
  records[0] = 0;
  records[2] = 0xFE;
  records[3] = 0xFF;
  int seen = 0;
  table.Apply(records, [&](int index) {
    seen = index;
    return 0u;
  });
  EXPECT_EQ(seen, -2);
}

}  // namespace
}  // namespace korvane
