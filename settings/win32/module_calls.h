// The emulation modules beside the program, each loaded for one call and
// freed again: their default types, a type's settings dialog, its function
// keys, its font character set.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "term_type_list.h"

namespace korvane {

// The file names matching "emu_*.dll" in a directory.
std::vector<std::string> FindModuleFiles(const std::string& directory);
// Every module's default type: dll_Init(0, 0, info, none).
std::vector<TermTypeEntry> ModuleDefaultTypes(const std::string& directory);

// "Ter&m Settings": dll_Init(0, instance, info, name), then dll_Custom(name).
void CallModuleCustom(const std::string& directory, const TermTypeEntry& type, HWND owner, HINSTANCE instance);
// "&Pgm Func Keys": dll_Init(window, instance, info, name), then dll_PgmPfKeys(0).
void CallModulePgmPfKeys(const std::string& directory, const TermTypeEntry& type, HWND window, HINSTANCE instance);
// "Key &Mapping": the type's font character set from dll_Init(window,
// instance, info, name); none when the module cannot be loaded.
std::optional<int> ModuleFontCharSet(const std::string& directory, const TermTypeEntry& type, HWND window,
                                     HINSTANCE instance);

}  // namespace korvane
