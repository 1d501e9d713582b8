#include "module_binding.h"

namespace korvane {

// No module is loaded yet: the screen keeps the definition's geometry, data
// and keys go nowhere.
int BindAndInitModule(const std::string&) { return 0; }
void InitModuleWithWindow(HWND) {}
void ModuleSubmit(const unsigned char*, int) {}
int ModuleKey(int) { return 0; }
int ModulePgmPfKeys(int) { return -1; }

}  // namespace korvane
