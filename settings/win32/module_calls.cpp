#include "module_calls.h"

#include "module_abi.h"

namespace korvane {

namespace {

// A module loaded for the length of one call.
class LoadedModule {
 public:
  explicit LoadedModule(const std::string& path) {
    UINT old = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    module_ = LoadLibraryA(path.c_str());
    SetErrorMode(old);
    if (module_) init_ = Bind<DllInitFn>("dll_Init");
  }
  ~LoadedModule() {
    if (module_) FreeLibrary(module_);
  }
  LoadedModule(const LoadedModule&) = delete;
  LoadedModule& operator=(const LoadedModule&) = delete;

  // Loaded and with dll_Init.
  explicit operator bool() const { return init_ != nullptr; }
  template <typename Fn>
  Fn Bind(const char* name) const {
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module_, name)));
  }
  int Init(HWND window, HINSTANCE instance, TermInfo* info, const char* name) const {
    return init_(window, instance, info, name);
  }

 private:
  HMODULE module_ = nullptr;
  DllInitFn init_ = nullptr;
};

// A bare file name is looked for beside the program; a path is used as it is.
std::string ModulePath(const std::string& directory, const std::string& file) {
  if (file.find_first_of("\\/:") != std::string::npos) return file;
  return directory + "\\" + file;
}

void ErrorBox(HWND owner, const char* text) { MessageBoxA(owner, text, "Error!", MB_OK | MB_ICONINFORMATION); }

}  // namespace

std::vector<std::string> FindModuleFiles(const std::string& directory) {
  std::vector<std::string> files;
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((directory + "\\emu_*.dll").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return files;
  do {
    // The pattern also matches longer endings through short names.
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && !ModuleShortName(found.cFileName).empty())
      files.emplace_back(found.cFileName);
  } while (FindNextFileA(search, &found));
  FindClose(search);
  return files;
}

std::vector<TermTypeEntry> ModuleDefaultTypes(const std::string& directory) {
  std::vector<TermTypeEntry> types;
  for (const std::string& file : FindModuleFiles(directory)) {
    LoadedModule module(ModulePath(directory, file));
    if (!module) continue;
    TermInfo info = {};
    module.Init(nullptr, nullptr, &info, nullptr);
    if (info.name && info.name[0]) types.push_back({file, info.name, info.termType ? info.termType : "", false});
  }
  return types;
}

void CallModuleCustom(const std::string& directory, const TermTypeEntry& type, HWND owner, HINSTANCE instance) {
  LoadedModule module(ModulePath(directory, type.moduleFile));
  if (!module) return;
  auto custom = module.Bind<DllCustomFn>("dll_Custom");
  if (!custom) return ErrorBox(owner, "Couldn't find custom call");
  TermInfo info = {};
  module.Init(nullptr, instance, &info, type.name.c_str());
  custom(type.name.c_str());
}

void CallModulePgmPfKeys(const std::string& directory, const TermTypeEntry& type, HWND window, HINSTANCE instance) {
  LoadedModule module(ModulePath(directory, type.moduleFile));
  if (!module) return;
  auto pgmPfKeys = module.Bind<DllPgmPfKeysFn>("dll_PgmPfKeys");
  if (!pgmPfKeys) return ErrorBox(window, "Couldn't find FuncKey call");
  TermInfo info = {};
  module.Init(window, instance, &info, type.name.c_str());
  pgmPfKeys(0);
}

std::optional<int> ModuleFontCharSet(const std::string& directory, const TermTypeEntry& type, HWND window,
                                     HINSTANCE instance) {
  LoadedModule module(ModulePath(directory, type.moduleFile));
  if (!module) return std::nullopt;
  TermInfo info = {};
  module.Init(window, instance, &info, type.name.c_str());
  return info.fontCharSet;
}

}  // namespace korvane
