// Settings.exe: enumerates the terminal types, shows "Korvane Setup" and
// ends with 0 after "&OK", 1 after "&Cancel" or when no module is found.
#include "settings_main.h"

#include "module_calls.h"
#include "settings_app.h"
#include "setup_window.h"

namespace korvane {

namespace {

std::string ProgramDirectory() {
  std::string path(MAX_PATH, '\0');
  for (;;) {
    DWORD got = GetModuleFileNameA(nullptr, &path[0], static_cast<DWORD>(path.size()));
    if (got == 0) return ".";
    if (got < path.size()) {
      path.resize(got);
      break;
    }
    path.resize(path.size() * 2);
  }
  size_t slash = path.find_last_of("\\/");
  return slash == std::string::npos ? "." : path.substr(0, slash);
}

int RunSettings(HINSTANCE instance) {
  SettingsApp& app = Settings();
  app.instance = instance;
  app.programDirectory = ProgramDirectory();
  app.helpFile = app.programDirectory + "\\korvane.hlp";
  std::vector<TermTypeEntry> modules = ModuleDefaultTypes(app.programDirectory);
  if (modules.empty()) {
    ShowNoModuleBox(nullptr);
    return 1;
  }
  EnumerateTermTypes(app.types, modules, app.store);
  if (!CreateSetupWindow()) return 1;
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return app.exitCode;
}

}  // namespace

SettingsApp& Settings() {
  static SettingsApp app;
  return app;
}

void ShowNoModuleBox(HWND owner) {
  MessageBoxA(owner, "Can't find any term emulation dll's. Abort.", "Installation Problem", MB_OK | MB_ICONERROR);
}

}  // namespace korvane

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  korvane::InstallOutOfMemoryHandler();
  try {
    return korvane::RunSettings(instance);
  } catch (...) {
    return 1;
  }
}
