#include "key_translation.h"

#include <gtest/gtest.h>

#include <map>

#include "client_test_support.h"

namespace korvane {
namespace {

constexpr int kShift = 0x100, kCtrl = 0x200;

// A small US-like layout: letters (Shift for capitals), digits, Enter,
// Space, Escape, Backspace, Ctrl+[ for Escape too; Shift+2 gives '@'.
int UsLayout(int c) {
  if (c >= 'a' && c <= 'z') return c - 'a' + 'A';
  if (c >= 'A' && c <= 'Z') return kShift | c;
  if (c >= '0' && c <= '9') return c;
  switch (c) {
    case '@': return kShift | '2';
    case '\r': return 0x0D;
    case ' ': return 0x20;
    case 27: return 0x1B;  // Escape; Ctrl+[ below gives it as well
    case 8: return 0x08;
    case 0x1D: return kCtrl | 0xDD;
    default: return -1;
  }
}

struct Keys : ::testing::Test {
  test::ClientFixture fx;
  KeyTranslation keys{fx.log()};
  void SetUp() override { keys.Build(kDefaultLayoutName, UsLayout); }
  KeyOutcome Press(int modifiers, int virtualKey) {
    keys.modifiers = modifiers;
    return keys.Translate(virtualKey);
  }
  int Character(int modifiers, int virtualKey) {
    KeyOutcome o = Press(modifiers, virtualKey);
    EXPECT_TRUE(o.isCharacter) << std::hex << virtualKey << " with " << modifiers;
    return o.character;
  }
  int KeyCode(int modifiers, int virtualKey) {
    KeyOutcome o = Press(modifiers, virtualKey);
    EXPECT_FALSE(o.isCharacter) << std::hex << virtualKey << " gives " << o.character;
    return o.keyCode;
  }
};

TEST_F(Keys, LayoutCharactersWithShiftAndCapsLock) {
  EXPECT_EQ('a', Character(0, 'A'));
  EXPECT_EQ('A', Character(kModShift, 'A'));
  EXPECT_EQ('A', Character(kModCapsLock, 'A'));
  EXPECT_EQ('a', Character(kModCapsLock | kModShift, 'A'));
  // Caps Lock leaves digits alone.
  EXPECT_EQ('2', Character(kModCapsLock, '2'));
  EXPECT_EQ('@', Character(kModShift, '2'));
  EXPECT_EQ(8, Character(0, 0x08));
  EXPECT_EQ(27, Character(0, 0x1B));
}

TEST_F(Keys, PlainEnterIsTheModulesKeyWhateverTheLayoutSays) {
  EXPECT_EQ(0x0D, KeyCode(0, 0x0D));
  EXPECT_EQ(0x0D, KeyCode(kModCapsLock, 0x0D));
  keys.Build(kDefaultLayoutName, [](int c) { return c == '\n' ? kCtrl | 0x0D : c == '\r' ? 0x0D : -1; });
  EXPECT_EQ('\n', Character(kModCtrl, 0x0D));
  EXPECT_EQ(0x0D, KeyCode(0, 0x0D));
}

TEST_F(Keys, CtrlLettersAreControlCodesWhateverShiftAndCapsLock) {
  EXPECT_EQ(1, Character(kModCtrl, 'A'));
  EXPECT_EQ(3, Character(kModCtrl, 'C'));
  EXPECT_EQ(26, Character(kModCtrl | kModShift, 'Z'));
  EXPECT_EQ(1, Character(kModCtrl | kModCapsLock, 'A'));
  EXPECT_EQ(1, Character(kModCtrl | kModShift | kModCapsLock, 'A'));
  EXPECT_EQ(0x1D, Character(kModCtrl, 0xDD));
}

TEST_F(Keys, KeysWithoutACharacterGoToTheModuleWithTheirModifiers) {
  EXPECT_EQ(0x70, KeyCode(0, 0x70));                  // F1
  EXPECT_EQ(0x170, KeyCode(kModShift, 0x70));         // Shift+F1
  EXPECT_EQ(0x370, KeyCode(kModShift | kModCtrl, 0x70));
  EXPECT_EQ(0x26, KeyCode(kModCapsLock, 0x26));      // Up: Caps Lock is no modifier bit
  EXPECT_EQ(0x220, KeyCode(kModCtrl, ' '));           // Ctrl+Space and Ctrl+2 reach the module
  EXPECT_EQ(0x232, KeyCode(kModCtrl, '2'));
  EXPECT_EQ(0x332, KeyCode(kModCtrl | kModShift, '2'));
  // Caps Lock's Shift inversion is what the module sees too.
  keys.Build(kDefaultLayoutName, [](int) { return -1; });
  EXPECT_EQ(0x141, KeyCode(kModCapsLock, 'A'));
  EXPECT_EQ(0x41, KeyCode(kModCapsLock | kModShift, 'A'));
}

TEST_F(Keys, KeypadDigitsAndOperatorsAreBuiltInWhereTheLayoutGivesNothing) {
  for (int digit = 0; digit <= 9; ++digit) EXPECT_EQ('0' + digit, Character(0, 0x60 + digit));
  EXPECT_EQ('*', Character(0, 0x6A));
  EXPECT_EQ('+', Character(0, 0x6B));
  EXPECT_EQ('-', Character(0, 0x6D));
  EXPECT_EQ('.', Character(0, 0x6E));
  EXPECT_EQ('/', Character(0, 0x6F));
  EXPECT_EQ(0x6C, KeyCode(0, 0x6C));  // the separator key has no built-in

  // A layout entry wins over a built-in.
  keys.Build(kDefaultLayoutName, [](int c) { return c == ',' ? 0x6E : c == 'x' ? kCtrl | 'A' : -1; });
  EXPECT_EQ(',', Character(0, 0x6E));
  EXPECT_EQ('x', Character(kModCtrl, 'A'));
  EXPECT_EQ(2, Character(kModCtrl, 'B'));
}

TEST_F(Keys, HigherCharacterCodeWinsASharedKeyAndOutOfRangeScansAreDropped) {
  keys.Build(kDefaultLayoutName, [](int c) {
    if (c == 'q' || c == 0xE9) return 0x51;  // both on Q: 0xE9 is higher
    if (c == 'z') return 0x1000 | 'Z';       // no such table index
    return -1;
  });
  EXPECT_EQ(0xE9, Character(0, 'Q'));
  EXPECT_EQ(0, keys.KeyAt(0x1000 | 'Z'));
  EXPECT_EQ(0x5A, KeyCode(0, 'Z'));
}

TEST_F(Keys, TranslationsApplyOnlyWithTheInternationalKeyboard) {
  keys.Build(kDefaultLayoutName, UsLayout, "  # 65 66 is a comment\n65 66\n\n0 0\n97 354\n");
  EXPECT_EQ('A', Character(kModShift, 'A'));
  keys.useIntlKeyboard = true;
  EXPECT_EQ('B', Character(kModShift, 'A'));
  EXPECT_EQ(354 & 0xFF, Character(0, 'A'));
  EXPECT_EQ(0, keys.TranslationOf(0));
}

struct Translations : ::testing::Test {
  test::ClientFixture fx;
  KeyTranslation keys{fx.log()};
  std::map<int, int> Changed() {
    std::map<int, int> out;
    for (int i = 0; i < 256; ++i)
      if (keys.TranslationOf(i) != i) out[i] = keys.TranslationOf(i);
    return out;
  }
};

TEST_F(Translations, CommentsBlankAndZeroSumLinesChangeNothing) {
  keys.ReadTranslations("# 65 66\n\t  #x\n   \r\n\n5 -5\n0 0\r\n");
  EXPECT_TRUE(Changed().empty());
}

TEST_F(Translations, LinesSetEntriesWithTheLowByteOfTheSecondNumber) {
  keys.ReadTranslations("65 66\r\n\t 97   98 trailing words\n200 -1\n0 7\n66 66");
  EXPECT_EQ((std::map<int, int>{{0, 7}, {65, 66}, {97, 98}, {200, 255}}), Changed());
}

TEST_F(Translations, MalformedLinesAndFirstNumbersOutsideTheTableAreIgnored) {
  fx.log().recordEvents = true;
  keys.ReadTranslations("256 65\n-1 65\n99999999999999999999 1\n65\nx 1\n65 y\n- 3\n1 2\n");
  EXPECT_EQ((std::map<int, int>{{1, 2}}), Changed());
  std::string log = test::WithoutCarriageReturns(fx.record.Text());
  EXPECT_NE(std::string::npos, log.find("translations.txt line 1: 256 is not a character code 0..255, line ignored\n"));
  EXPECT_NE(std::string::npos, log.find("translations.txt line 2: -1 is not"));
}

TEST_F(Translations, OnlyTheFirst2048CharactersOfALineCount) {
  std::string text = std::string(2043, ' ') + "65 6612\n66 67\n";
  keys.ReadTranslations(text);
  EXPECT_EQ((std::map<int, int>{{65, 66}, {66, 67}}), Changed());
}

TEST(KeyTranslationLog, ALayoutOtherThanTheDefaultLogsBothTables) {
  test::ClientFixture fx;
  fx.log().recordEvents = true;
  KeyTranslation keys{fx.log()};
  keys.Build("00000407", [](int c) { return c == 'z' ? 'Y' : c == 'Z' ? kShift | 'Y' : c == 0xE4 ? 0x400 | 'Q' : -1; },
             "# German\n122 121\n");
  const std::string log = test::WithoutCarriageReturns(fx.record.Text());
  EXPECT_EQ(0u, log.find("translations:\n122 -> 121\nCompleted Translation Table:\n"
                                       "89:\tVK_Y, returns 'z' (7aH)\n"
                                       "96:\tVK_NUMPAD0, returns '0' (30H)\n"));
  EXPECT_NE(std::string::npos, log.find("345:\tshift VK_Y, returns 'Z' (5aH)\n"));
  EXPECT_NE(std::string::npos, log.find("577:\tctrl VK_A, returns '\x01' (1H)\n"));
  EXPECT_NE(std::string::npos, log.find("833:\tctrl shift VK_A, returns"));
  EXPECT_NE(std::string::npos, log.find("1105:\talt VK_Q, returns '\xe4' (e4H)\n"));
}

TEST(KeyTranslationLog, TheDefaultLayoutLogsNothing) {
  test::ClientFixture fx;
  fx.log().recordEvents = true;
  KeyTranslation keys{fx.log()};
  keys.Build(kDefaultLayoutName, UsLayout, "65 66\n");
  EXPECT_EQ("", fx.record.Text());
}

TEST(VirtualKeyNames, NamedFormedAndUnnamedCodes) {
  EXPECT_EQ("VK_00H", VirtualKeyName(0));
  EXPECT_EQ("VK_LBUTTON", VirtualKeyName(1));
  EXPECT_EQ("VK_CANCEL", VirtualKeyName(3));
  EXPECT_EQ("VK_RETURN", VirtualKeyName(0x0D));
  EXPECT_EQ("VK_0", VirtualKeyName('0'));
  EXPECT_EQ("VK_Z", VirtualKeyName('Z'));
  EXPECT_EQ("VK_NUMPAD9", VirtualKeyName(0x69));
  EXPECT_EQ("VK_F1", VirtualKeyName(0x70));
  EXPECT_EQ("VK_F24", VirtualKeyName(0x87));
  EXPECT_EQ("VK_OEM_CLEAR", VirtualKeyName(0xFE));
  EXPECT_EQ("VK_FFH", VirtualKeyName(0xFF));
  EXPECT_EQ("VK_3AH", VirtualKeyName(0x3A));
  EXPECT_EQ("VK_Q", VirtualKeyName(0x451));  // the modifier bits are not the key's
}

}  // namespace
}  // namespace korvane
