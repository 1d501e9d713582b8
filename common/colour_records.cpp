#include "colour_records.h"

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

void PutLittle(uint8_t* bytes, size_t count, uint32_t value) {
  for (size_t i = 0; i < count; ++i) bytes[i] = static_cast<uint8_t>(value >> (8 * i));
}

const uint8_t* Record(const ColourRecords& records, size_t index) {
  return &records[(index % COLOUR_COUNT) * kColourRecordSize];
}

}  // namespace

uint32_t DefaultColour(size_t index) { return index < COLOUR_COUNT ? kDefaultColours[index] : 0; }

ColourRecords DefaultColourRecords() {
  ColourRecords records{};
  for (size_t i = 0; i < COLOUR_COUNT; ++i) SetRecord(records, i, true, 0, kDefaultColours[i]);
  return records;
}

bool RecordUsesOwnColour(const ColourRecords& records, size_t index) { return Little(Record(records, index), 2) != 0; }

int RecordSystemIndex(const ColourRecords& records, size_t index) {
  return static_cast<int16_t>(Little(Record(records, index) + 2, 2));
}

uint32_t RecordColour(const ColourRecords& records, size_t index) { return Little(Record(records, index) + 4, 4); }

void SetRecord(ColourRecords& records, size_t index, bool ownColour, int systemIndex, uint32_t colour) {
  if (index >= COLOUR_COUNT) return;
  uint8_t* record = &records[index * kColourRecordSize];
  PutLittle(record, 2, ownColour ? 1 : 0);
  PutLittle(record + 2, 2, static_cast<uint32_t>(systemIndex));
  PutLittle(record + 4, 4, colour & 0xFFFFFF);
}

}  // namespace korvane
