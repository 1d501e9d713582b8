#include "installer_run.h"

#include "install_paths.h"
#include "text_util.h"

namespace korvane {

bool IsUpgrade(ConfigStore& store) {
  auto directory = ReadText(store, "Defaults", "InstallDir");
  return directory && !directory->empty() && *directory != kProductVersion;
}

const char* LogFileName(InstallAction action) {
  return action == InstallAction::Remove ? kUninstallLogName : kInstallLogName;
}

std::optional<std::string> InstallerServices::UsableDirectory(const std::string& text) {
  // A blank field would otherwise become the root or the working directory.
  if (text.find_first_not_of(" \t") == std::string::npos) {
    Box("No installation directory given", "Parameter Error", BoxButtons::Ok, BoxIcon::Warning);
    return std::nullopt;
  }
  std::string full = system.FullPath(text);
  if (auto reason = UnsafeDirectoryReason(NormaliseDirectory(full), system.WindowsDirectory(), system.SystemDirectory())) {
    Box(Format("%s is %s: Korvane needs a directory of its own", full.c_str(), reason->c_str()), "Parameter Error",
        BoxButtons::Ok, BoxIcon::Warning);
    return std::nullopt;
  }
  return full;
}

std::optional<std::string> InstallerServices::MenuFolder() {
  auto programs = system.StartMenuProgramsFolder();
  if (!programs) {
    Box("Couldn't get path for start menu", "System Error", BoxButtons::Ok, BoxIcon::Error);
    return std::nullopt;
  }
  log.Linef("Path to start menu=%s", programs->c_str());
  return NormaliseDirectory(*programs) + kMenuFolderName;
}

void RunInstaller(InstallerSystem& system, ConfigStore& store, InstallLog& log, const InstallerContext& context,
                  const InstallCommandLine& commandLine) {
  log.Linef("CurDir=%s", context.currentDirectory.c_str());
  log.Linef("Command Line=%s", context.commandLine.c_str());
  InstallOptions options = commandLine.options;
  InstallerServices services{system, store, log, context, options};
  if (!commandLine.ok) {
    for (const std::string& line : commandLine.error.logLines) log.Line(line);
    services.Box(commandLine.error.text, commandLine.error.caption, BoxButtons::Ok, BoxIcon::Warning);
    log.Line("Command Line error");
    return;
  }
  // Absolute before anything acts on it: the removal copy runs elsewhere.
  if (options.haveDirectory) {
    auto directory = services.UsableDirectory(options.directory);
    if (!directory) {
      log.Line("Command Line error");
      return;
    }
    options.directory = *directory;
  }
  if (options.action == InstallAction::Remove)
    PerformRemoval(services);
  else
    PerformInstallation(services);
}

}  // namespace korvane
