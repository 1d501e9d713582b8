// "Map Keystrokes" (dialog 111): a terminal type's two character maps and
// its DisplayOnly switch.
#pragma once

#include <string>

namespace korvane {

// `fontCharSet` is the module's: "ANSI" is chosen when it is not 0.
void RunKeyMapDialog(const std::string& typeName, int fontCharSet);

}  // namespace korvane
