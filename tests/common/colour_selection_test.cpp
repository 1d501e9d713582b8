#include "colour_selection.h"

#include <gtest/gtest.h>

#include <vector>

namespace korvane {
namespace {

TEST(ColourSelection, WithoutAStoredValueTheDefaultsAreEditedAndDoneStoresThem) {
  MemoryConfigStore store;
  ColourSelection selection;
  selection.Load(store);
  EXPECT_EQ(selection.current(), 0);
  EXPECT_TRUE(selection.UsesOwnColour(17));
  EXPECT_EQ(selection.OwnColour(17), Rgb(0, 0, 128));
  ASSERT_TRUE(selection.Store(store));
  auto stored = store.ReadValue("settings", "colors");
  ASSERT_TRUE(stored);
  const ColourRecords defaults = DefaultColourRecords();
  EXPECT_EQ(*stored, std::vector<uint8_t>(defaults.begin(), defaults.end()));
  EXPECT_EQ(store.TypeOf("Settings", "colors"), ValueType::Binary);
}

TEST(ColourSelection, ASystemColourForTheBackgroundIsStoredAsFlagZeroAndItsIndex) {
  MemoryConfigStore store;
  ColourSelection selection;
  selection.Load(store);
  selection.SetCurrent(17);
  selection.ChooseSystemColour(5);  // COLOR_WINDOW
  selection.Store(store);
  auto stored = store.ReadValue("Settings", "colors");
  ASSERT_TRUE(stored && stored->size() == 176);
  // Flag 0, index 5; the colour field keeps the old colour.
  const std::vector<uint8_t> record(stored->begin() + 17 * 8, stored->begin() + 18 * 8);
  EXPECT_EQ(record, (std::vector<uint8_t>{0, 0, 5, 0, 0, 0, 128, 0}));
  EXPECT_EQ(selection.ShownColour(17, [](int index) { return index == 5 ? 0xABCDEFu : 0u; }), 0xABCDEFu);
  // A later own colour flips the flag back and leaves the others alone.
  selection.ChooseOwnColour(Rgb(1, 2, 3));
  EXPECT_TRUE(selection.UsesOwnColour(17));
  EXPECT_EQ(selection.ShownColour(17, nullptr), Rgb(1, 2, 3));
  EXPECT_EQ(selection.records()[16 * 8], 1);
}

TEST(ColourSelection, AStoredValueIsReadOverTheDefaultsUnlessItIsTooLarge) {
  MemoryConfigStore store;
  const uint8_t shorter[8] = {0, 0, 13, 0, 0, 0, 0, 0};  // entry 0 only
  store.WriteBinary("Settings", "colors", shorter, sizeof shorter);
  ColourSelection selection;
  selection.Load(store);
  EXPECT_FALSE(selection.UsesOwnColour(0));
  EXPECT_EQ(selection.SystemIndex(0), 13);
  EXPECT_EQ(selection.OwnColour(1), Rgb(128, 0, 0));
  std::vector<uint8_t> larger(177, 0);
  store.WriteBinary("Settings", "colors", larger.data(), larger.size());
  selection.Load(store);
  EXPECT_TRUE(selection.UsesOwnColour(0));
}

TEST(ColourSelection, OutOfRangeChoicesChangeNothing) {
  ColourSelection selection;
  selection.SetCurrent(22);
  selection.SetCurrent(-1);
  EXPECT_EQ(selection.current(), 0);
  selection.ChooseSystemColour(25);
  selection.ChooseSystemColour(-1);
  EXPECT_EQ(selection.records(), DefaultColourRecords());
}

TEST(ColourAltKey, DigitsToggleIntoTheSecondDecadeAndLettersNameTheirControls) {
  using A = ColourAltAction;
  auto entry = [](int key, int current) {
    ColourAltAction action = ColourAltKey(key, current);
    return action.kind == A::SelectEntry ? action.entry : -1;
  };
  // Alt+1 toggles between 1 and 11.
  EXPECT_EQ(entry('1', 0), 1);
  EXPECT_EQ(entry('1', 1), 11);
  EXPECT_EQ(entry('1', 11), 1);
  // The rule is "within digit .. digit + 9", not "equal to the digit".
  EXPECT_EQ(entry('1', 10), 11);
  EXPECT_EQ(entry('5', 4), 5);
  EXPECT_EQ(entry('5', 14), 15);
  EXPECT_EQ(entry('0', 0), 10);
  EXPECT_EQ(entry('6', 6), 6);
  EXPECT_EQ(entry('9', 3), 9);
  EXPECT_EQ(entry('F', 0), 16);
  EXPECT_EQ(entry('B', 0), 17);
  EXPECT_EQ(ColourAltKey('U', 0).kind, A::CustomColour);
  EXPECT_EQ(ColourAltKey('D', 0).kind, A::Done);
  EXPECT_EQ(ColourAltKey('C', 0).kind, A::Cancel);
  EXPECT_EQ(ColourAltKey('Y', 0).kind, A::FocusList);
  EXPECT_EQ(ColourAltKey('X', 0).kind, A::None);
}

TEST(ColourLayout, SwatchesAndButtonsSitWhereTheWindowDrawsThem) {
  EXPECT_EQ(ColourSwatchBox(7).y, 165);
  EXPECT_EQ(ColourSwatchBox(8).x, 400);
  EXPECT_EQ(ColourSwatchBox(8).y, 25);
  EXPECT_EQ(ColourSwatchBox(15).y, 165);
  EXPECT_EQ(ColourSwatchBox(16).x, 360);
  EXPECT_EQ(ColourSwatchBox(21).x, 400);
  EXPECT_EQ(ColourSwatchBox(21).y, 235);
  EXPECT_EQ(ColourRadioBox(15).x, 185);
  EXPECT_EQ(ColourRadioBox(15).y, 165);
  EXPECT_EQ(ColourRadioBox(18).y, 215);
  EXPECT_EQ(ColourRadioBox(19).x, 185);
}

}  // namespace
}  // namespace korvane
