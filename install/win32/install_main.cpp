// Install.exe: installs Korvane from the directory it lies in, or removes it
// (-R). Every run keeps a log in the temporary directory; the exit code is
// always 0.
#include <windows.h>

#include <cstdio>

#include "install_paths.h"
#include "installer_run.h"
#include "registry_store.h"
#include "windows_installer_system.h"

namespace korvane {
namespace {

std::string ProgramDirectory() {
  char path[MAX_PATH] = "";
  DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
  std::string text(path, length < sizeof path ? length : 0);
  size_t slash = text.find_last_of("\\/");
  return slash == std::string::npos ? std::string(".") : text.substr(0, slash + 1);
}

std::string TempDirectory() {
  char path[MAX_PATH + 1] = "";
  DWORD length = GetTempPathA(sizeof path, path);
  return length > 0 && length < sizeof path ? std::string(path, length) : std::string("C:\\");
}

LogTime Now() {
  SYSTEMTIME t;
  GetLocalTime(&t);
  return {t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond, t.wMilliseconds};
}

void Run(HINSTANCE instance) {
  InstallOutOfMemoryHandler();
  RegistryConfigStore store;
  InstallerContext context;
  context.upgrade = IsUpgrade(store);
  context.currentDirectory = NormaliseDirectory(ProgramDirectory());
  context.tempDirectory = NormaliseDirectory(TempDirectory());
  context.commandLine = GetCommandLineA();
  InstallCommandLine commandLine = ParseInstallCommandLine(context.commandLine);
  std::string logPath = context.tempDirectory + LogFileName(commandLine.options.action);
  InstallLog log(
      [logPath](const std::string& line, bool truncate) {
        if (FILE* file = std::fopen(logPath.c_str(), truncate ? "w" : "a")) {
          std::fputs(line.c_str(), file);
          std::fclose(file);
        }
      },
      Now);
  WindowsInstallerSystem system(instance);
  RunInstaller(system, store, log, context, commandLine);
}

}  // namespace
}  // namespace korvane

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  try {
    korvane::Run(instance);
  } catch (...) {
    // Nothing more can be reported; the exit code stays 0.
  }
  return 0;
}
