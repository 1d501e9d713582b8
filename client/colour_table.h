// The colour table: 22 colours, the 16 of the palette and the six default
// roles of the attributes, settled from the stored records of
// Settings\colors (format in colour_records.h).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>

#include "colour_records.h"
#include "config_store.h"
#include "display_messages.h"

namespace korvane {

class ColourTable {
 public:
  ColourTable();  // the default colours

  // The colour of an index; an index outside the table gives black.
  uint32_t operator[](int32_t index) const {
    return index >= 0 && index < COLOUR_COUNT ? colours_[static_cast<size_t>(index)] : 0;
  }
  // The default records as stored: flag 1, system index 0, the colour.
  static ColourRecords DefaultRecords() { return DefaultColourRecords(); }
  // Settles every colour from records (the system colour for flag 0).
  void Apply(const ColourRecords& records, const std::function<uint32_t(int)>& systemColour);

 private:
  std::array<uint32_t, COLOUR_COUNT> colours_;
};

// LoadColours: the default records, overlaid by up to 176 bytes of
// Settings\colors (a missing or larger value changes nothing).
void LoadColours(ColourTable& table, ConfigStore& store, const std::function<uint32_t(int)>& systemColour);

}  // namespace korvane
