// "translations.txt" is a user's file: any text must read without fault,
// every entry must stay a character code, and keys translated through the
// table must still give characters 0..255.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "key_translation.h"

using namespace korvane;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static RecordLog log;
  KeyTranslation keys(log);
  keys.Build("00000407", [](int c) { return c < 128 ? c : (c & 0x3FF); },
             std::string_view(reinterpret_cast<const char*>(data), size));
  for (int i = 0; i < 256; ++i)
    if (keys.TranslationOf(i) < 0 || keys.TranslationOf(i) > 255) __builtin_trap();
  keys.useIntlKeyboard = true;
  for (int modifiers = 0; modifiers < 8; ++modifiers) {
    keys.modifiers = modifiers;
    for (int key = 0; key < 256; ++key) {
      KeyOutcome o = keys.Translate(key);
      if (o.isCharacter ? (o.character < 0 || o.character > 255) : (o.keyCode < 0 || o.keyCode > 0x3FF))
        __builtin_trap();
    }
  }
  return 0;
}
