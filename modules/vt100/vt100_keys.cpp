// The VT100 module's defaults: its terminal type and the keys it starts with.
#include "vt100_emulator.h"

namespace korvane {

const ModuleDefaults kVt100Defaults = {"vt100", "vt100", {24, 80, false}};

// Per key: the key code, its bytes, then -5; a lone -5 ends the list.
// clang-format off
const int16_t kVt100DefaultKeys[] = {
    13, 13, 10, -5,                 // Enter: CR LF
    38, 27, '[', 'A', -5,           // Up
    40, 27, '[', 'B', -5,           // Down
    37, 27, '[', 'D', -5,           // Left
    39, 27, '[', 'C', -5,           // Right
    112, 27, 'O', 'P', -5,          // F1 to F4
    113, 27, 'O', 'Q', -5,
    114, 27, 'O', 'R', -5,
    115, 27, 'O', 'S', -5,
    33, 27, '[', 'T', -5,           // Page Up
    34, 27, '[', 'S', -5,           // Page Down
    36, 27, '[', 'H', -5,           // Home
    35, 27, '[', 'F', -5,           // End
    45, 27, '[', 'L', -5,           // Insert
    8, 8, -5,                       // Backspace
    9, 9, -5,                       // Tab
    27, 27, -5,                     // Esc
    32, 32, -5,                     // Space
    0x100 + 32, 32, -5,             // Shift+Space
    46, 127, -5,                    // Delete
    0x100 + 112, 27, 'O', 'P', -5,  // Shift+F1 to Shift+F4
    0x100 + 113, 27, 'O', 'Q', -5,
    0x100 + 114, 27, 'O', 'R', -5,
    0x100 + 115, 27, 'O', 'S', -5,
    -5,
};
// clang-format on

}  // namespace korvane
