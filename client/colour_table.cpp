#include "colour_table.h"

namespace korvane {

namespace {

constexpr uint32_t kDefaultColours[COLOUR_COUNT] = {
    Rgb(0, 0, 0),       Rgb(128, 0, 0),   Rgb(0, 128, 0),     Rgb(128, 128, 0),   Rgb(0, 0, 128),
    Rgb(128, 0, 128),   Rgb(0, 128, 128), Rgb(160, 160, 160), Rgb(128, 128, 128), Rgb(255, 0, 0),
    Rgb(0, 255, 0),     Rgb(255, 255, 0), Rgb(0, 0, 255),     Rgb(255, 0, 255),   Rgb(0, 255, 255),
    Rgb(255, 255, 255),
    Rgb(255, 255, 0),    // default foreground
    Rgb(0, 0, 128),      // default background
    Rgb(128, 128, 0),    // dim
    Rgb(0, 0, 64),       // reverse dim
    Rgb(255, 255, 255),  // bold
    Rgb(0, 0, 0),        // reverse bold
};

uint32_t Little(const uint8_t* bytes, size_t count) {
  uint32_t value = 0;
  for (size_t i = count; i-- > 0;) value = value << 8 | bytes[i];
  return value;
}

}  // namespace

ColourTable::ColourTable() {
  for (size_t i = 0; i < colours_.size(); ++i) colours_[i] = kDefaultColours[i];
}

std::array<uint8_t, kColoursValueSize> ColourTable::DefaultRecords() {
  std::array<uint8_t, kColoursValueSize> records{};
  for (size_t i = 0; i < COLOUR_COUNT; ++i) {
    uint8_t* record = &records[i * kColourRecordSize];
    record[0] = 1;
    for (size_t b = 0; b < 4; ++b) record[4 + b] = static_cast<uint8_t>(kDefaultColours[i] >> (8 * b));
  }
  return records;
}

void ColourTable::Apply(const std::array<uint8_t, kColoursValueSize>& records,
                        const std::function<uint32_t(int)>& systemColour) {
  for (size_t i = 0; i < COLOUR_COUNT; ++i) {
    const uint8_t* record = &records[i * kColourRecordSize];
    if (Little(record, 2) != 0) {
      colours_[i] = Little(record + 4, 4);
    } else {
      int index = static_cast<int16_t>(Little(record + 2, 2));
      colours_[i] = systemColour ? systemColour(index) : 0;
    }
  }
}

void LoadColours(ColourTable& table, ConfigStore& store, const std::function<uint32_t(int)>& systemColour) {
  std::array<uint8_t, kColoursValueSize> records = ColourTable::DefaultRecords();
  ReadBinary(store, "Settings", "colors", records.data(), records.size());
  table.Apply(records, systemColour);
}

}  // namespace korvane
