// The terminal definition of Terms\<name> and its emulation module, and the
// colour table.
#pragma once

namespace korvane {

// Start-up: 0, 1001, 1007 or the module's first dll_Init result.
int LoadTermDefinition();
// The colour table from Settings\colors, system colours for flag 0.
void LoadColours();

}  // namespace korvane
