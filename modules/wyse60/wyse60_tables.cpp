#include "wyse60_tables.h"

#include <array>

#include "display_messages.h"
#include "module_abi.h"

namespace korvane {

namespace {

constexpr int kNotInTable = -1;

// ESC G "0" to "?" and "p" to DEL, in byte order.
constexpr int kLowAttributes[16] = {0, 4, 64, 4, 8, 12, 72, 76, 16, 20, 80, 84, 24, 88, kNotInTable, 92};
constexpr int kHighAttributes[16] = {2, 6, 66, 70, 10, 14, 74, 78, 18, 22, 82, 86, 26, 30, 90, 94};

// Code page 437 box drawing, by the low four bits of the byte.
constexpr uint8_t kLineGraphics[16] = {194, 192, 218, 191, 195, 217, 179, 219,
                                       197, 180, 196, 178, 205, 193, 186, 177};

constexpr uint8_t Graphic(uint8_t byte) { return (byte & 16) ? kLineGraphics[byte & 15] : ' '; }

using Translation = std::array<uint8_t, 256>;

// Built at compile time, so they are ready before any module exists.
template <class Rule>
constexpr Translation MakeTranslation(Rule rule) {
  Translation table{};
  for (int byte = 0; byte < 256; ++byte) table[byte] = rule(static_cast<uint8_t>(byte));
  return table;
}

constexpr Translation kGraphics = MakeTranslation([](uint8_t byte) { return byte < 128 ? Graphic(byte) : byte; });
constexpr Translation kUpperHalf =
    MakeTranslation([](uint8_t byte) { return static_cast<uint8_t>((byte & 127) + 128); });

}  // namespace

bool VideoAttribute(uint8_t byte, uint32_t& bits) {
  int value = kNotInTable;
  if (byte >= '0' && byte <= '?') value = kLowAttributes[byte - '0'];
  if (byte >= 'p' && byte <= 127) value = kHighAttributes[byte - 'p'];
  if (value == kNotInTable) return false;
  bits = static_cast<uint32_t>(value);
  return true;
}

uint8_t LineGraphic(uint8_t byte) { return Graphic(byte); }

const uint8_t* TextTranslation(uint32_t attributes) {
  if (attributes & ATTR_GRAPHICS) return kGraphics.data();
  if (attributes & ATTR_CHARSET_MASK) return kUpperHalf.data();
  return nullptr;
}

int32_t KeyCodeForLetter(uint8_t letter) {
  constexpr int32_t kF1 = 112;
  if (letter >= '@' && letter <= 'O') return kF1 + (letter - '@');
  if (letter >= '`' && letter <= 'o') return KEY_SHIFT + kF1 + (letter - '`');
  switch (letter) {
    case '*': return 36;              // Home
    case '+': return 38;              // Up
    case ',': return 40;              // Down
    case '-': return 37;              // Left
    case '.': return 39;              // Right
    case '/': return KEY_SHIFT + 36;  // Shift+Home
    case '0': return KEY_SHIFT + 38;
    case '1': return KEY_SHIFT + 40;
    case '2': return KEY_SHIFT + 37;
    case '3': return KEY_SHIFT + 39;
    case '5': return 46;              // Delete
    case ':': return 33;              // Page Up
    case ';': return 34;              // Page Down
    case '\\': return 35;             // End
    case ']': return KEY_SHIFT + 35;  // Shift+End
    case 'q': return 45;              // Insert
    default: return 0;
  }
}

}  // namespace korvane
