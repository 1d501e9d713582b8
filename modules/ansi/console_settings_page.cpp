#include "console_settings_page.h"

#include <iterator>

#include "text_util.h"

namespace korvane {

int FontFamilyPosition(int fontFamily) {
  return fontFamily >= 0 && fontFamily < static_cast<int>(std::size(kFontFamilyChoices)) ? fontFamily : -1;
}

void StoreConsolePage(ModuleFrame& frame, AnsiConsoleEmulator& emulator, const ConsolePageChoice& choice) {
  if (choice.ignoreColour) frame.WriteSetting("Ignore_SetColor", *choice.ignoreColour ? "Y" : "N");
  if (choice.ignoreDoubleSize) frame.WriteSetting("Ignore_DoubleSize", *choice.ignoreDoubleSize ? "Y" : "N");
  ScreenSettings& screen = frame.screen;
  screen.rows = RowsAt(choice.rowsPosition, screen.rows);
  screen.columns = ColumnsAt(choice.columnsPosition, screen.columns);
  screen.statusLine = false;
  frame.WriteSetting("InitialScreen", Format("%d,%d", screen.rows, screen.columns));
  frame.WriteSetting("TermType", choice.termType);
  frame.SetTermType(choice.termType);
  int family = choice.fontPosition < 0 ? -1 : choice.fontPosition;
  frame.WriteSetting("FontFamily", Format("%d", family));
  emulator.SetFontFamily(family);
}

}  // namespace korvane
