// The Contents field of the function-key editor takes whatever the user
// types: reading it must never fault, never give more bytes than text, and
// every string must come back unchanged through its own text.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "key_text.h"

using namespace korvane;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view typed(reinterpret_cast<const char*>(data), size);
  std::vector<uint8_t> bytes = KeyTextToBytes(typed);
  if (bytes.size() > kKeyTextLimit) __builtin_trap();

  // The input as a key's string: shown, then read back as shown.
  std::string text = KeyBytesToText(data, size);
  if (text.size() <= kKeyTextLimit && KeyTextToBytes(text) != std::vector<uint8_t>(data, data + size))
    __builtin_trap();
  // What the typed text stored shows as text that stores the same again.
  std::string shown = KeyBytesToText(bytes.data(), bytes.size());
  if (shown.size() <= kKeyTextLimit && KeyTextToBytes(shown) != bytes) __builtin_trap();
  return 0;
}
