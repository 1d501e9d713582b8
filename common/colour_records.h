// The stored form of the colour table, value Settings\colors: 22 records of
// 8 bytes, in colour-index order:
//   offset 0  16-bit flag: 1 = the colour at offset 4, 0 = the system colour
//   offset 2  16-bit signed system colour index (GetSysColor numbering)
//   offset 4  32-bit colour, red in the low byte, then green, then blue
// Shared by the client, which paints with the table, and the colour dialog
// of the client and the settings program, which edits it.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "display_messages.h"

namespace korvane {

inline constexpr size_t kColourRecordSize = 8;
inline constexpr size_t kColoursValueSize = kColourRecordSize * COLOUR_COUNT;  // 176

using ColourRecords = std::array<uint8_t, kColoursValueSize>;

inline constexpr uint32_t Rgb(uint32_t red, uint32_t green, uint32_t blue) { return red | green << 8 | blue << 16; }

// The built-in colour of an index (0..21).
uint32_t DefaultColour(size_t index);
// The default records: flag 1, system index 0, the built-in colour.
ColourRecords DefaultColourRecords();

// One record of a table, read and written field by field.
bool RecordUsesOwnColour(const ColourRecords& records, size_t index);
int RecordSystemIndex(const ColourRecords& records, size_t index);
uint32_t RecordColour(const ColourRecords& records, size_t index);
void SetRecord(ColourRecords& records, size_t index, bool ownColour, int systemIndex, uint32_t colour);

}  // namespace korvane
