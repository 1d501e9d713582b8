// The shell of every module's settings dialog (resource 101).
#pragma once

#include <windows.h>

#include <string>

#include "module_dll.h"

namespace korvane {

// Shows the dialog modally, owned by the window dll_Init was given, with
// the caption "<name> Term Settings"; returns when it closes.
void ShowSettingsDialog(HINSTANCE instance, ModuleFrame& frame, SettingsPage& page, const std::string& name);

// The list position selected in a combo box, or -1.
int SelectedPosition(HWND dialog, int id);
// The TermType field's text, up to 1023 characters.
std::string TermTypeField(HWND dialog, int id);
// Stores the TermType field and keeps it in memory.
void StoreTermType(HWND dialog, int id, ModuleFrame& frame);

}  // namespace korvane
