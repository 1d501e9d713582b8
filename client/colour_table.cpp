#include "colour_table.h"

namespace korvane {

ColourTable::ColourTable() {
  for (size_t i = 0; i < colours_.size(); ++i) colours_[i] = DefaultColour(i);
}

void ColourTable::Apply(const ColourRecords& records, const std::function<uint32_t(int)>& systemColour) {
  for (size_t i = 0; i < COLOUR_COUNT; ++i) {
    if (RecordUsesOwnColour(records, i))
      colours_[i] = RecordColour(records, i);
    else
      colours_[i] = systemColour ? systemColour(RecordSystemIndex(records, i)) : 0;
  }
}

void LoadColours(ColourTable& table, ConfigStore& store, const std::function<uint32_t(int)>& systemColour) {
  ColourRecords records = DefaultColourRecords();
  ReadBinary(store, "Settings", "colors", records.data(), records.size());
  table.Apply(records, systemColour);
}

}  // namespace korvane
