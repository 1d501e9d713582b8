// The Wyse 60 module's defaults: its terminal type and the keys it starts
// with, in the normal and the alternate function-key mapping.
#include <array>

#include "wyse60_emulator.h"

namespace korvane {

const ModuleDefaults kWyse60Defaults = {"wyse60", "wyse60", {24, 80, true}};

namespace {

constexpr int16_t SOH = 1, BS = 8, HT = 9, LF = 10, VT = 11, FF = 12, CR = 13, ESC = 27, RS = 30, DEL = 127;
constexpr int16_t kF1 = 112, kShiftF1 = KEY_SHIFT + 112;

// Enough for either list: 18 fixed keys and 32 function keys.
constexpr size_t kListSize = 256;

class ListBuilder {
 public:
  constexpr void Key(int16_t code, std::initializer_list<int16_t> bytes) {
    list_[at_++] = code;
    for (int16_t byte : bytes) list_[at_++] = byte;
    list_[at_++] = KEY_LIST_END;
  }
  // SOH, the letter, CR: what a Wyse 60 function key sends.
  constexpr void FunctionKey(int16_t code, int16_t letter) { Key(code, {SOH, letter, CR}); }
  constexpr std::array<int16_t, kListSize> End() {
    list_[at_++] = KEY_LIST_END;
    return list_;
  }

 private:
  std::array<int16_t, kListSize> list_{};
  size_t at_ = 0;
};

// Shift+F1 to Shift+F16 send grave accent to "o" in the normal mapping; the
// alternate one gives Shift+F1 to Shift+F4 the letters of F13 to F16,
// Shift+F5 to Shift+F12 grave accent to "g", Shift+F13 to Shift+F16 "l" to "o".
constexpr int16_t ShiftedLetter(int key, bool alternate) {
  if (!alternate) return static_cast<int16_t>('`' + key);
  if (key < 4) return static_cast<int16_t>('L' + key);
  if (key < 12) return static_cast<int16_t>('`' + key - 4);
  return static_cast<int16_t>('l' + key - 12);
}

constexpr std::array<int16_t, kListSize> BuildList(bool alternate) {
  ListBuilder list;
  list.Key(13, {CR, LF});  // Return
  list.Key(38, {VT});      // Up
  list.Key(40, {LF});      // Down
  list.Key(37, {BS});      // Left
  list.Key(39, {FF});      // Right
  for (int16_t key = 0; key < 16; ++key) list.FunctionKey(kF1 + key, '@' + key);
  list.Key(33, {ESC, 'J'});  // Page Up
  list.Key(34, {ESC, 'K'});  // Page Down
  list.Key(36, {RS});        // Home
  list.Key(35, {ESC, 'T'});  // End
  list.Key(45, {ESC, 'q'});  // Insert
  list.Key(8, {BS});         // Backspace
  list.Key(9, {HT});         // Tab
  list.Key(27, {ESC});       // Esc
  list.Key(32, {' '});       // Space
  list.Key(KEY_SHIFT + 32, {' '});
  list.Key(46, {DEL});  // Delete
  for (int16_t key = 0; key < 16; ++key) list.FunctionKey(kShiftF1 + key, ShiftedLetter(key, alternate));
  return list.End();
}

constexpr std::array<int16_t, kListSize> kNormal = BuildList(false);
constexpr std::array<int16_t, kListSize> kAlternate = BuildList(true);

}  // namespace

const int16_t* const kWyse60DefaultKeys = kNormal.data();
const int16_t* const kWyse60AlternateKeys = kAlternate.data();

}  // namespace korvane
