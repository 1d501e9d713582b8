// The Wyse 60's lookup tables: the video attributes of ESC G, the line
// graphics, the translation of text bytes and the key letters of host
// function-key programming.
#pragma once

#include <cstdint>

namespace korvane {

// The video bits of the attribute word (DIM, INVISIBLE, REVERSE,
// UNDERLINE, BLINK and the bits between them).
inline constexpr uint32_t kVideoBits = 0x1FF;
// Line graphics and the character-set field.
inline constexpr uint32_t kGraphicsAndCharacterSet = 0x1F000;

// The video bits for an attribute byte; false when the byte is not in the
// table ("3" gives the same as "1", ">" is missing).
bool VideoAttribute(uint8_t byte, uint32_t& bits);

// A byte below 128 drawn through the line-graphics table: bytes with bit 4
// set give code page 437 lines and blocks, the others a blank.
uint8_t LineGraphic(uint8_t byte);

// What each text byte becomes under an attribute word: through the
// line-graphics table in graphics mode, moved to the upper half when a
// character set is chosen; nullptr when each byte stays itself.
const uint8_t* TextTranslation(uint32_t attributes);

// The key code a programming letter names (F1 to F16, their shifted forms
// and the cursor and editing keys), or 0 when the letter names none.
int32_t KeyCodeForLetter(uint8_t letter);

}  // namespace korvane
