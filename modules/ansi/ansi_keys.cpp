// The keys the ANSI and SCO ANSI modules start with, and the ANSI module's
// defaults.
#include "ansi_emulator.h"

namespace korvane {

const ModuleDefaults kAnsiDefaults = {"ansi", "ansi", {25, 80, false}};

// Per key: the key code, its bytes, then -5; a lone -5 ends the list.
// clang-format off
const int16_t kAnsiDefaultKeys[] = {
    13, 13, 10, -5,                 // Enter: CR LF
    38, 27, '[', 'A', -5,           // Up
    40, 27, '[', 'B', -5,           // Down
    37, 27, '[', 'D', -5,           // Left
    39, 27, '[', 'C', -5,           // Right
    112, 27, '[', 'M', -5,          // F1 to F12
    113, 27, '[', 'N', -5,
    114, 27, '[', 'O', -5,
    115, 27, '[', 'P', -5,
    116, 27, '[', 'Q', -5,
    117, 27, '[', 'R', -5,
    118, 27, '[', 'S', -5,
    119, 27, '[', 'T', -5,
    120, 27, '[', 'U', -5,
    121, 27, '[', 'V', -5,
    122, 27, '[', 'W', -5,
    123, 27, '[', 'X', -5,
    33, 27, '[', 'I', -5,           // Page Up
    34, 27, '[', 'G', -5,           // Page Down
    36, 27, '[', 'H', -5,           // Home
    35, 27, '[', 'F', -5,           // End
    45, 27, '[', 'L', -5,           // Insert
    8, 8, -5,                       // Backspace
    9, 9, -5,                       // Tab
    27, 27, -5,                     // Esc
    32, 32, -5,                     // Space
    0x100 + 32, 32, -5,             // Shift+Space
    46, 127, -5,                    // Delete
    0x100 + 112, 27, '[', 'Y', -5,  // Shift+F1 to Shift+F12
    0x100 + 113, 27, '[', 'Z', -5,
    0x100 + 114, 27, '[', 'a', -5,
    0x100 + 115, 27, '[', 'b', -5,
    0x100 + 116, 27, '[', 'c', -5,
    0x100 + 117, 27, '[', 'd', -5,
    0x100 + 118, 27, '[', 'e', -5,
    0x100 + 119, 27, '[', 'f', -5,
    0x100 + 120, 27, '[', 'g', -5,
    0x100 + 121, 27, '[', 'h', -5,
    0x100 + 122, 27, '[', 'i', -5,
    0x100 + 123, 27, '[', 'j', -5,
    -5,
};
// clang-format on

}  // namespace korvane
