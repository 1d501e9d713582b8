#include "console_page.h"

#include "console_settings_page.h"
#include "settings_dialog.h"

namespace korvane {

void ConsolePage::Initialised(HWND dialog) {
  for (const char* choice : kFontFamilyChoices)
    SendDlgItemMessageA(dialog, ids_.fontFamily, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(choice));
  SendDlgItemMessageA(dialog, ids_.fontFamily, CB_SETCURSEL,
                      static_cast<WPARAM>(FontFamilyPosition(emulator_.FontFamily())), 0);
  // The boxes show what is stored now, not what the module read at load.
  ShowBox(dialog, ids_.ignoreColour, "Ignore_SetColor");
  ShowBox(dialog, ids_.ignoreDoubleSize, "Ignore_DoubleSize");
}

void ConsolePage::ShowBox(HWND dialog, int id, const char* setting) {
  if (id) CheckDlgButton(dialog, id, frame_.SettingIsY(setting) ? BST_CHECKED : BST_UNCHECKED);
}

bool ConsolePage::Checked(HWND dialog, int id) const { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; }

void ConsolePage::Accept(HWND dialog, ModuleFrame& frame) {
  ConsolePageChoice choice;
  choice.rowsPosition = SelectedPosition(dialog, ids_.common.rows);
  choice.columnsPosition = SelectedPosition(dialog, ids_.common.columns);
  choice.fontPosition = SelectedPosition(dialog, ids_.fontFamily);
  choice.termType = TermTypeField(dialog, ids_.common.termType);
  if (ids_.ignoreColour) choice.ignoreColour = Checked(dialog, ids_.ignoreColour);
  if (ids_.ignoreDoubleSize) choice.ignoreDoubleSize = Checked(dialog, ids_.ignoreDoubleSize);
  StoreConsolePage(frame, emulator_, choice);
}

}  // namespace korvane
