// One run of Install.exe: the first log lines, a command-line error, then
// the installation or the removal.
#pragma once

#include <string>

#include "config_store.h"
#include "install_command_line.h"
#include "install_log.h"
#include "installer_system.h"
#include "product_addresses.h"

namespace korvane {

inline constexpr const char kInstallCaption[] = "Korvane Installation";
inline constexpr const char kUninstallCaption[] = "Korvane Uninstall";
inline constexpr const char kProductVersion[] = "1.8.3";
inline constexpr const char kDefaultInstallDirectory[] = "c:\\Program Files\\Korvane";

struct InstallerContext {
  std::string currentDirectory;  // upper-cased, ending in "\"
  std::string tempDirectory;     // upper-cased, ending in "\"
  std::string commandLine;
  bool upgrade = false;          // from InstallDir before this run
};

// Set when InstallDir held a non-empty value other than the version.
bool IsUpgrade(ConfigStore& store);
const char* LogFileName(InstallAction action);

// Everything after the log is chosen; the exit code is always 0.
void RunInstaller(InstallerSystem& system, ConfigStore& store, InstallLog& log, const InstallerContext& context,
                  const InstallCommandLine& commandLine);

// Shared by the two flows: every box text is logged too.
struct InstallerServices {
  InstallerSystem& system;
  ConfigStore& store;
  InstallLog& log;
  const InstallerContext& context;
  const InstallOptions& options;

  BoxAnswer Box(const std::string& text, const std::string& caption, BoxButtons buttons, BoxIcon icon) {
    log.Line(text);
    return system.ShowMessage(text, caption, buttons, icon);
  }
  std::string LogPath(InstallAction action) const { return context.tempDirectory + LogFileName(action); }
  // The directory text made absolute (not yet normalised); nothing, after a
  // box that says why, when it is blank, a drive root or the Windows or
  // system directory.
  std::optional<std::string> UsableDirectory(const std::string& text);
  // The start-menu folder "Korvane": upper-cased programs folder, "\", name.
  std::optional<std::string> MenuFolder();
};

void PerformInstallation(InstallerServices& services);
void PerformRemoval(InstallerServices& services);

}  // namespace korvane
