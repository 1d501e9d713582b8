// The settings program's one process-wide state, owned by its Windows shell.
#pragma once

#include <windows.h>

#include <string>

#include "registry_store.h"
#include "setup_values.h"
#include "term_type_list.h"

namespace korvane {

struct SettingsApp {
  HINSTANCE instance = nullptr;
  std::string programDirectory;  // where the modules, font files and help file are
  std::string helpFile;          // korvane.hlp beside the program
  RegistryConfigStore store;
  TermTypeList types;
  SetupValues values;
  HWND mainWindow = nullptr;
  HWND controls[SETUP_CONTROL_COUNT] = {};
  int focusedControl = SETUP_HOSTS_FILE;
  int exitCode = 1;  // 0 only after "&OK"
};

SettingsApp& Settings();

}  // namespace korvane
