// The emulation module of the terminal type: loading it, binding its
// exports and the calls the client makes into it.
#pragma once

#include <windows.h>

#include <string>

namespace korvane {

// Loads the module named by TermDLL, binds its four entry points and makes
// the first dll_Init call; 0, 1007 (reported) or the dll_Init result.
int BindAndInitModule(const std::string& dllName);
// The second dll_Init call, giving the module the main window.
void InitModuleWithWindow(HWND window);
// Received data for the emulator (from the telnet layer).
void ModuleSubmit(const unsigned char* bytes, int count);
// A key the client does not translate itself; 1 when the module sent a string.
int ModuleKey(int keyCode);
// Function Key Assignments; -1 when the editor library is missing.
int ModulePgmPfKeys(int flag);

}  // namespace korvane
