// The client's own keyboard translation: the key table built from the
// active keyboard layout (what character each key and modifier gives), the
// built-in Ctrl+letter and keypad entries, the "translations.txt" table for
// international keyboards and the decision for one key press: a character
// for the host or a key code for the module. The layout is asked through a
// VkKeyScanA-like function, so the tables build from any layout in tests.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "record_log.h"

namespace korvane {

// Modifier bits of the modifier state; Shift and Ctrl are also the high
// byte of a key code (Shift 0x100, Ctrl 0x200).
enum : int { kModShift = 1, kModCtrl = 2, kModCapsLock = 4 };

inline constexpr char kDefaultLayoutName[] = "00000409";
inline constexpr char kTranslationsFile[] = "translations.txt";
inline constexpr int kKeyTableSize = 4096;
inline constexpr int kTranslationsLineLimit = 2048;
inline constexpr int kEnterKey = 0x0D;  // VK_RETURN without modifiers

// A character code to (modifier bits << 8 | virtual key), or -1 when no key
// of the layout gives it.
using KeyScan = std::function<int(int character)>;

// One key press translated: a character to send, or a key code for the module.
struct KeyOutcome {
  bool isCharacter = false;
  int character = 0;  // when isCharacter
  int keyCode = 0;    // otherwise: modifier bits * 256 + virtual key
};

// "VK_LBUTTON", "VK_F1", ...; codes without a name as "VK_%02XH".
std::string VirtualKeyName(int code);

class KeyTranslation {
 public:
  explicit KeyTranslation(RecordLog& log);

  // The key table from the layout (higher character codes win a shared
  // key; plain Enter is left to the module), then the built-in entries where the layout gives nothing. With
  // the event log on and a layout other than the default, the translation
  // table and the finished key table are logged.
  void Build(const std::string& layoutName, const KeyScan& scan, std::string_view translationsText = {});
  // "translations.txt": "# comment" and blank lines skipped, "%d %d" lines
  // set entry [first] = second & 0xFF unless the two sum to 0. A first
  // number outside 0..255 is ignored (and logged).
  void ReadTranslations(std::string_view text);

  KeyOutcome Translate(int virtualKey) const;

  int modifiers = 0;  // kModShift | kModCtrl | kModCapsLock
  bool useIntlKeyboard = false;

  uint16_t KeyAt(int index) const { return index >= 0 && index < kKeyTableSize ? keys_[index] : 0; }
  int TranslationOf(int character) const { return translation_[static_cast<unsigned char>(character)]; }

 private:
  void AddBuiltIns();
  void LogTranslations();
  void LogKeyTable();

  RecordLog& log_;
  std::array<uint16_t, kKeyTableSize> keys_{};
  std::array<int, 256> translation_{};
};

}  // namespace korvane
