// The terminal definition of Terms\<name> and its emulation module.
#pragma once

namespace korvane {

// Start-up: 0, 1001, 1007 or the module's first dll_Init result.
int LoadTermDefinition();

}  // namespace korvane
