// The two repertoires of the font files: code page 437 (the ASCII face, with
// its line graphics) and Windows-1252 (the ANSI face).
#pragma once

#include <cstdint>

namespace korvane::fontgen {

enum class CodePage { Oem437, Windows1252 };

// Unicode code point shown at a byte of the code page; 0 for bytes that show
// nothing (NUL, the control range of Windows-1252 and its unassigned bytes).
uint32_t CodePointOf(CodePage page, uint8_t byte);

}  // namespace korvane::fontgen
