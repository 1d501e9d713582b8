// What the "Color Select" window edits, apart from the window itself: the
// working copy of the 22 colour records, the current entry, the layout of
// the radio buttons and swatches, the system-colour names and the Alt keys.
// The client and the settings program share it.
#pragma once

#include <cstdint>
#include <functional>

#include "colour_records.h"
#include "config_store.h"

namespace korvane {

// The drop-down list's names; the list position is the system colour index.
inline constexpr int kSystemColourCount = 25;
extern const char* const kSystemColourNames[kSystemColourCount];
// Radio button texts of entries 0..21.
extern const char* const kColourEntryLabels[COLOUR_COUNT];

struct PixelBox {
  int x, y, width, height;
};

// Radio button of an entry (client coordinates).
PixelBox ColourRadioBox(int entry);
// The 30 x 20 sample of an entry.
PixelBox ColourSwatchBox(int entry);

class ColourSelection {
 public:
  // The defaults, overlaid by up to 176 bytes of Settings\colors (a value
  // that is missing or larger leaves the defaults); entry 0 current.
  void Load(ConfigStore& store);
  // The whole working table as Settings\colors.
  bool Store(ConfigStore& store) const;

  int current() const { return current_; }
  void SetCurrent(int entry);
  bool UsesOwnColour(int entry) const;
  int SystemIndex(int entry) const;
  uint32_t OwnColour(int entry) const;
  // What the swatch shows: its own colour, or the system colour.
  uint32_t ShownColour(int entry, const std::function<uint32_t(int)>& systemColour) const;

  // The list's choice: flag 0, this system colour index.
  void ChooseSystemColour(int listPosition);
  // The colour chooser's choice: flag 1, this colour.
  void ChooseOwnColour(uint32_t colour);

  const ColourRecords& records() const { return records_; }

 private:
  ColourRecords records_ = DefaultColourRecords();
  int current_ = 0;
};

// An Alt key pressed in the window.
struct ColourAltAction {
  enum Kind { None, SelectEntry, CustomColour, Done, Cancel, FocusList } kind = None;
  int entry = 0;
};
// `key` is the virtual-key code (a digit or an upper-case letter).
ColourAltAction ColourAltKey(int key, int currentEntry);

}  // namespace korvane
