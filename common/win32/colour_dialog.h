// The "Color Select" window (class "SettingsColor"): a modeless popup over a
// program's main window that edits the 22-entry colour table and stores it
// as Settings\colors. Korvane.exe and Settings.exe share it; the options
// carry what differs between them.
#pragma once

#include <windows.h>

#include "config_store.h"

namespace korvane {

struct ColourDialogOptions {
  HINSTANCE instance = nullptr;
  HWND mainWindow = nullptr;  // owner; gets the focus back on closing
  int iconId = 0;             // the class icon
  bool stockFont = false;     // controls and label in the stock variable-width font
  bool notifyMainWindow = true;   // "&Done" sends WM_SYSCOLORCHANGE to the main window
  bool closeHelpOnClose = false;  // closing also closes the help window
  const char* helpFile = "korvane.hlp";
  ConfigStore* store = nullptr;
};

// Opens the window, or brings the open one forward; its handle.
HWND OpenColourDialog(const ColourDialogOptions& options);
// The open window, or null.
HWND ColourDialogWindow();

}  // namespace korvane
