// The "Korvane Setup" main window (class "KorSet"): its 26 controls, their
// values, the buttons' actions and the keyboard handling.
#pragma once

#include <windows.h>

#include <string>

namespace korvane {

// Registers the class and creates, centres and shows the window; false on failure.
bool CreateSetupWindow();

// Fills "&Terminal Type" again from the list and selects `name`; when no
// entry has that name, the first or none.
void RefillTermTypes(const std::string& name, bool firstWhenMissing);
// The name "&Terminal Type" shows.
std::string SelectedTermName();

}  // namespace korvane
