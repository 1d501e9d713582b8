#include "character_map_editor.h"

#include <gtest/gtest.h>

namespace korvane {
namespace {

TEST(CharacterMapEditor, MappingInAnsiModeStoresBothMapsAndDisplayOnly) {
  MemoryConfigStore store;
  CharacterMapEditor editor;
  editor.Load(store, "vt100", 1);
  EXPECT_TRUE(editor.ansi());
  EXPECT_FALSE(editor.displayOnly());
  EXPECT_EQ(editor.current(), 32);
  editor.Show(65);
  editor.MapCurrentTo(97);
  EXPECT_EQ(editor.StatusText(), "Char 'A' (65) mapped as 'a' (97)");
  editor.Store(store, "vt100");
  CharacterMap expected = IdentityMap();
  expected[65] = 97;
  auto ansi = store.ReadValue("terms\\vt100", "AnsiMap");
  auto ascii = store.ReadValue("Terms\\vt100", "AsciiMap");
  ASSERT_TRUE(ansi && ascii);
  EXPECT_EQ(*ansi, std::vector<uint8_t>(expected.begin(), expected.end()));
  const CharacterMap identity = IdentityMap();
  EXPECT_EQ(*ascii, std::vector<uint8_t>(identity.begin(), identity.end()));
  EXPECT_EQ(store.TypeOf("Terms\\vt100", "AnsiMap"), ValueType::Binary);
  EXPECT_EQ(ReadText(store, "Terms\\vt100", "DisplayOnly"), "N");
}

TEST(CharacterMapEditor, ReadsStoredMapsAndTheFirstLetterOfDisplayOnly) {
  MemoryConfigStore store;
  CharacterMap ascii = IdentityMap();
  ascii[200] = 7;
  store.WriteBinary("Terms\\w", "AsciiMap", ascii.data(), ascii.size());
  std::vector<uint8_t> tooLong(300, 1), shorter(3, 9);
  store.WriteBinary("Terms\\w", "AnsiMap", tooLong.data(), tooLong.size());
  store.WriteTextCreatingKey("Terms\\w", "DisplayOnly", "yes");
  CharacterMapEditor editor;
  editor.Load(store, "w", 0);
  EXPECT_FALSE(editor.ansi());
  EXPECT_TRUE(editor.displayOnly());
  EXPECT_EQ(editor.asciiMap()[200], 7);
  EXPECT_EQ(editor.ansiMap(), IdentityMap());
  store.WriteBinary("Terms\\w", "AnsiMap", shorter.data(), shorter.size());
  editor.Load(store, "w", 0);
  EXPECT_EQ(editor.ansiMap()[2], 9);
  EXPECT_EQ(editor.ansiMap()[3], 3);  // the rest stays the identity
}

TEST(CharacterMapEditor, ResetTouchesOnlyTheChosenMap) {
  MemoryConfigStore store;
  CharacterMapEditor editor;
  editor.Load(store, "t", 1);
  editor.Show(66);
  editor.MapCurrentTo(1);
  editor.ChooseAnsi(false);
  editor.MapCurrentTo(2);
  EXPECT_EQ(editor.Glyph(), 2);
  editor.Reset();
  EXPECT_EQ(editor.current(), 32);
  EXPECT_EQ(editor.asciiMap(), IdentityMap());
  EXPECT_EQ(editor.ansiMap()[66], 1);
}

TEST(CharacterMapEditor, StatusNamesNulAndTab) {
  CharacterMapEditor editor;
  editor.Show(9);
  EXPECT_EQ(editor.StatusText(), "Char <tab> (9) mapped as <tab> (9)");
  editor.MapCurrentTo(0);
  EXPECT_EQ(editor.StatusText(), "Char <tab> (9) mapped as <nul> (0)");
  editor.MapCurrentTo(256);  // not a line: ignored
  EXPECT_EQ(editor.Glyph(), 0);
  EXPECT_EQ(CharacterLine(65), "65: 'A'");
  EXPECT_EQ(CharacterLine(0), "0: ''");
  EXPECT_EQ(CharacterLine(255), "255: '\xff'");
}

TEST(CharacterMapEditor, KeysOfTheCharacterList) {
  CharacterMapEditor editor;
  EXPECT_EQ(editor.CharacterForKey('A'), 65);
  EXPECT_EQ(editor.CharacterForKey(36), 36);   // Home shows '$'
  EXPECT_EQ(editor.CharacterForKey(127), 127);
  EXPECT_EQ(editor.CharacterForKey(38), 31);   // Up
  EXPECT_EQ(editor.CharacterForKey(40), 33);   // Down
  for (int beeps : {0, 13, 31, 128, 0xBA}) EXPECT_EQ(editor.CharacterForKey(beeps), std::nullopt) << beeps;
  editor.Show(0);
  EXPECT_EQ(editor.CharacterForKey(37), 0);
  editor.Show(255);
  EXPECT_EQ(editor.CharacterForKey(39), 255);
}

TEST(MapFontWidth, SmallestCellAtLeastTheSystemFontsHeight) {
  EXPECT_EQ(MapFontWidth(0), 4);
  EXPECT_EQ(MapFontWidth(8), 4);
  EXPECT_EQ(MapFontWidth(9), 5);
  EXPECT_EQ(MapFontWidth(13), 7);
  EXPECT_EQ(MapFontWidth(16), 8);
  EXPECT_EQ(MapFontWidth(30), 15);
  EXPECT_EQ(MapFontWidth(31), 15);
}

}  // namespace
}  // namespace korvane
