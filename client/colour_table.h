// The colour table: 22 colours, the 16 of the palette and the six default
// roles of the attributes, stored as the binary value Settings\colors of
// 22 records of 8 bytes:
//   offset 0  16-bit flag: 1 = the colour at offset 4, 0 = the system colour
//   offset 2  16-bit system colour index
//   offset 4  32-bit colour, red in the low byte, then green, then blue
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>

#include "config_store.h"
#include "display_messages.h"

namespace korvane {

inline constexpr size_t kColourRecordSize = 8;
inline constexpr size_t kColoursValueSize = kColourRecordSize * COLOUR_COUNT;  // 176

inline constexpr uint32_t Rgb(uint32_t red, uint32_t green, uint32_t blue) { return red | green << 8 | blue << 16; }

class ColourTable {
 public:
  ColourTable();  // the default colours

  // The colour of an index; an index outside the table gives black.
  uint32_t operator[](int32_t index) const {
    return index >= 0 && index < COLOUR_COUNT ? colours_[static_cast<size_t>(index)] : 0;
  }
  // The default records as stored: flag 1, system index 0, the colour.
  static std::array<uint8_t, kColoursValueSize> DefaultRecords();
  // Settles every colour from records (the system colour for flag 0).
  void Apply(const std::array<uint8_t, kColoursValueSize>& records, const std::function<uint32_t(int)>& systemColour);

 private:
  std::array<uint32_t, COLOUR_COUNT> colours_;
};

// LoadColours: the default records, overlaid by up to 176 bytes of
// Settings\colors (a missing or larger value changes nothing).
void LoadColours(ColourTable& table, ConfigStore& store, const std::function<uint32_t(int)>& systemColour);

}  // namespace korvane
