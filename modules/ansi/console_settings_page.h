// What OK on the settings page of the ANSI and SCO ANSI modules stores:
// the lists' selected positions (what is typed into their text fields does
// not count), the TermType field and, on the ANSI page, the two ignore
// boxes.
#pragma once

#include <optional>
#include <string>

#include "ansi_console_emulator.h"
#include "module_frame.h"

namespace korvane {

// The choices of the font-family list, in order; the position is the
// stored FontFamily number.
inline constexpr const char* kFontFamilyChoices[] = {"ASCII", "ANSI"};

struct ConsolePageChoice {
  // List positions; -1 when a list has no selection.
  int rowsPosition = -1;
  int columnsPosition = -1;
  int fontPosition = -1;
  std::string termType;
  // ANSI only.
  std::optional<bool> ignoreColour, ignoreDoubleSize;
};

// The font-family position to show for a stored FontFamily; -1 (no
// selection) for a number that is not a position.
int FontFamilyPosition(int fontFamily);

// Writes, in this order: Ignore_SetColor and Ignore_DoubleSize ("Y"/"N",
// when given), InitialScreen "rows,columns" (no status-line field; a list
// without a selection keeps its value), TermType, FontFamily "%d" of the
// position (-1 without one). The module's values follow.
void StoreConsolePage(ModuleFrame& frame, AnsiConsoleEmulator& emulator, const ConsolePageChoice& choice);

}  // namespace korvane
