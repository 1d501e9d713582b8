// "Map Keystrokes": the two 256-byte character maps of a terminal type and
// its DisplayOnly switch, edited in memory and stored on OK; the lines of
// the two lists, the status text, the keys of the character list and the
// size of the fonts the lists are drawn with.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "character_map.h"
#include "config_store.h"

namespace korvane {

class CharacterMapEditor {
 public:
  // Both maps (identity when absent; a shorter value overlays the identity,
  // a longer one is not read) and DisplayOnly (first letter Y in either
  // case) of Terms\<name>. "ANSI" is chosen when the font character set is
  // not 0. Character 32 is current.
  void Load(ConfigStore& store, const std::string& typeName, int fontCharSet);
  // Both maps and DisplayOnly ("Y"/"N").
  void Store(ConfigStore& store, const std::string& typeName) const;

  bool ansi() const { return ansi_; }
  void ChooseAnsi(bool ansi) { ansi_ = ansi; }
  bool displayOnly() const { return displayOnly_; }
  void SetDisplayOnly(bool on) { displayOnly_ = on; }
  int current() const { return current_; }
  void Show(int code);
  // The glyph of the current character in the chosen map.
  int Glyph() const { return Map()[static_cast<size_t>(current_)]; }
  // A line of "As This glyph" chosen for the current character.
  void MapCurrentTo(int glyph);
  // The chosen map back to the identity; character 32 current.
  void Reset();
  const CharacterMap& asciiMap() const { return ascii_; }
  const CharacterMap& ansiMap() const { return ansiMap_; }

  // "Char %s (%d) mapped as %s (%d)"
  std::string StatusText() const;

  // A key pressed in "Map This Character": the character to show, or none
  // (the key beeps).
  std::optional<int> CharacterForKey(int virtualKey) const;

 private:
  const CharacterMap& Map() const { return ansi_ ? ansiMap_ : ascii_; }
  CharacterMap ascii_ = IdentityMap(), ansiMap_ = IdentityMap();
  bool displayOnly_ = false;
  bool ansi_ = true;
  int current_ = 32;
};

// A line of either list: "%d: '%c'" (code 0, which no text can hold, shows
// an empty glyph).
std::string CharacterLine(int code);

// The cell width of the lists' fonts: the smallest of 4 x 8 .. 15 x 30 whose
// height is not below the system font's character height, else 15.
int MapFontWidth(int systemCharacterHeight);

}  // namespace korvane
