// The installation: pre-checks, the parameter window, then the steps in
// order, each shown in the progress window and logged.
#include "copy_plan.h"
#include "install_paths.h"
#include "installer_run.h"
#include "shipped_terms.h"
#include "text_util.h"

namespace korvane {

namespace {

constexpr const char kLowColourText[] =
    "Your PC is set to 16 colors. Korvane cannot operate on systems with less than 256 colors. Go to Control "
    "Panel / Display to increase your color depth before installing.";
constexpr const char kNewestVersionText[] =
    "You are installing Korvane version 1.8.3\n\nThe most current version is always available at our\nweb site. "
    "Would you like to check the site for the\nmost current version number?\n\n(Answering YES will do no more "
    "than call up the web page)";
constexpr const char kUpgradeText[] =
    "Please note: If you are upgrading from a version older than 1.5, you should make sure you run SETTINGS and "
    "Check the Term Settings for your selected Term Type. Please be sure to read the HELP docs on cloning Term "
    "types.";

class Installation {
 public:
  explicit Installation(InstallerServices& s) : s_(s), sys_(s.system) {}

  bool PreChecks();
  bool Install();

 private:
  InstallerServices& s_;
  InstallerSystem& sys_;
  InstallParameters params_;
  bool progressOpen_ = false;

  InstallParameters InitialParameters();
  bool GetParameters();
  bool SaveInstallDir();
  bool UpdateClones();
  void Step(const std::string& name) {
    sys_.ShowProgress(name);
    s_.log.Line(name);
  }
  bool Fail(const char* logLine) {
    if (progressOpen_) sys_.CloseProgress();
    progressOpen_ = false;
    s_.log.Line(logLine);
    return false;
  }
  bool InstallingInPlace() const { return SameDirectory(params_.directory, s_.context.currentDirectory); }
  bool CreateDir();
  bool CopyInFiles();
  bool CreateLinks();
  void CreateHostsFile();
  bool RunSettings();
};

bool Installation::PreChecks() {
  if (sys_.LowColourDisplay()) {
    s_.Box(kLowColourText, kInstallCaption, BoxButtons::Ok, BoxIcon::Error);
    return false;
  }
  if (!sys_.HasClassKey("http")) return true;
  switch (s_.Box(kNewestVersionText, kInstallCaption, BoxButtons::YesNoCancel, BoxIcon::Question)) {
    case BoxAnswer::No: return true;
    case BoxAnswer::Yes: break;
    default: return false;
  }
  sys_.OpenThroughShell(kProductWebAddress);
  sys_.Sleep(3500);
  return s_.Box("Do you want to continue the installation?", kInstallCaption, BoxButtons::YesNo,
                BoxIcon::Question) == BoxAnswer::Yes;
}

InstallParameters Installation::InitialParameters() {
  InstallParameters initial;
  auto stored = ReadText(s_.store, "Defaults", "InstallDir");
  if (s_.options.haveDirectory)
    initial.directory = s_.options.directory;
  else if (stored && !stored->empty())
    initial.directory = *stored;
  else
    initial.directory = kDefaultInstallDirectory;
  // Installing from the directory itself leaves nothing to copy.
  initial.copyFiles = initial.directory != s_.context.currentDirectory;
  initial.copyFilesEnabled = initial.copyFiles;
  return initial;
}

bool Installation::GetParameters() {
  InstallParameters shown = InitialParameters();
  for (;;) {
    auto chosen = sys_.AskParameters(shown);
    if (!chosen) return false;
    // A refused directory brings the window back with what was typed.
    if (auto directory = s_.UsableDirectory(chosen->directory.substr(0, 259))) {
      params_ = *chosen;
      params_.directory = NormaliseDirectory(*directory);
      return true;
    }
    shown = *chosen;
  }
}

// Removal finds the directory through InstallDir: an installation it could
// not find again must not count as done.
bool Installation::SaveInstallDir() {
  if (s_.store.WriteTextCreatingKey("Defaults", "InstallDir", params_.directory)) return true;
  s_.Box("Couldn't write the installation directory to the registry", "System Error", BoxButtons::Ok,
         BoxIcon::Error);
  return false;
}

bool Installation::UpdateClones() {
  ShippedTermsResult result = WriteShippedTerms(s_.store);
  if (result.failed.empty()) return true;
  for (const std::string& key : result.failed) s_.log.Linef("Couldn't write %s", key.c_str());
  s_.Box("Couldn't write the terminal types to the registry", "System Error", BoxButtons::Ok, BoxIcon::Error);
  return false;
}

bool Installation::CreateDir() {
  if (InstallingInPlace()) return true;
  for (const std::string& prefix : DirectoryPrefixes(params_.directory)) {
    s_.log.Linef("chdir to %s", prefix.c_str());
    if (sys_.DirectoryExists(prefix)) continue;
    s_.log.Line("dir doesn't exist - create");
    if (!params_.createDirectory) {
      s_.Box("Install directory doesn't exist", "Parameter Error", BoxButtons::Ok, BoxIcon::Warning);
      return false;
    }
    if (!sys_.MakeDirectory(prefix)) {
      s_.Box("Cannot create directory path", "System Error", BoxButtons::Ok, BoxIcon::Error);
      return false;
    }
  }
  return true;
}

bool Installation::CopyInFiles() {
  if (!params_.copyFiles || InstallingInPlace()) return true;
  std::vector<std::string> listing;
  for (const DirectoryEntry& entry : sys_.ListDirectory(s_.context.currentDirectory))
    if (!(entry.attributes & kAttributeDirectory)) listing.push_back(entry.name);
  bool ok = true;
  for (const PatternFiles& group : BuildCopyPlan(listing)) {
    s_.log.Linef("Copy FileList %s", group.pattern.c_str());
    if (group.files.empty()) s_.log.Linef("Couldn't find files for %s", group.pattern.c_str());
    for (const std::string& name : group.files) {
      std::string from = JoinPath(s_.context.currentDirectory, name), to = JoinPath(params_.directory, name);
      sys_.ShowProgress("Copy " + name);
      s_.log.Linef("Copy %s to %s", from.c_str(), to.c_str());
      if (int error = sys_.CopyFileOver(from, to)) {
        s_.log.Linef("Copy of %s failed - error %d", from.c_str(), error);
        ok = false;
      }
    }
  }
  return ok;
}

bool Installation::CreateLinks() {
  auto folder = s_.MenuFolder();
  if (!folder) return false;
  if (!sys_.DirectoryExists(*folder) && !sys_.MakeDirectory(*folder)) {
    s_.Box(Format("Couldn't make new directory in start menu (attempted to add '%s')", folder->c_str()),
           "System Error", BoxButtons::Ok, BoxIcon::Error);
    return false;
  }
  bool ok = sys_.BeginLinks();
  auto make = [&](const MenuLink& link, const std::string& path) {
    sys_.ShowProgress(link.progressLine);
    if (!ok || !sys_.CreateLink(link, path)) {
      s_.Box("Can't create shortcut", "System Error", BoxButtons::Ok, BoxIcon::Error);
      return false;
    }
    return true;
  };
  bool all = ok;
  std::vector<MenuLink> links = MenuLinks(params_.directory, sys_.SystemDirectory());
  for (const MenuLink& link : links) all = make(link, JoinPath(*folder, link.fileName)) && all;
  all = make(links.back(), JoinPath(params_.directory, links.back().fileName)) && all;
  if (ok) sys_.EndLinks();
  return all;
}

void Installation::CreateHostsFile() {
  std::string hosts = JoinPath(params_.directory, "hosts");
  if (sys_.FileExists(hosts)) return;
  std::string sample = JoinPath(params_.directory, "hosts_sample");
  if (int error = sys_.CopyFileOver(sample, hosts)) s_.log.Linef("Copy of %s failed - error %d", sample.c_str(), error);
}

bool Installation::RunSettings() {
  std::string program = JoinPath(params_.directory, "SETTINGS.EXE");
  auto code = sys_.RunAndWait(program, params_.directory);
  if (!code) s_.log.Linef("Couldn't start %s", program.c_str());
  return code && *code == 0;
}

bool Installation::Install() {
  s_.log.Line("Perform installation");
  if (!GetParameters()) return Fail("Failed GetParameters");
  if (!SaveInstallDir()) return Fail("Failed SaveInstallDir");
  if (!sys_.OpenProgress()) return Fail("Failed OpenProgressWindow");
  progressOpen_ = true;
  Step("Start Installation...");
  Step("Create Directory...");
  if (!CreateDir()) return Fail("failed CreateDir");
  Step("Copy in files...");
  if (!CopyInFiles()) return Fail("Failed CopyInFiles");
  Step("Create Menu Links...");
  if (!CreateLinks()) return Fail("Failed CreateLinks");
  Step("Create HOSTS file...");
  CreateHostsFile();
  Step("Update clones...");
  if (!UpdateClones()) return Fail("Failed UpdateClones");
  Step("Done.");
  sys_.CloseProgress();
  progressOpen_ = false;
  if (params_.runSettings && !RunSettings()) return Fail("Failure on Settings");
  s_.log.Line("Done!");
  return true;
}

}  // namespace

void PerformInstallation(InstallerServices& services) {
  Installation installation(services);
  if (!installation.PreChecks()) {
    services.log.Line("Aborted install");
    services.Box("Installation aborted!", kInstallCaption, BoxButtons::Ok, BoxIcon::Warning);
    return;
  }
  if (!installation.Install()) {
    services.Box(Format("Installation failed! See log in\n%s\nfor details.",
                        services.LogPath(InstallAction::Install).c_str()),
                 kInstallCaption, BoxButtons::Ok, BoxIcon::Warning);
    services.log.Line("Install failed");
    return;
  }
  services.Box("Installation succeeded!", kInstallCaption, BoxButtons::Ok, BoxIcon::Information);
  services.log.Line("Install succeeded");
  if (services.context.upgrade) {
    services.Box(kUpgradeText, "Upgrade Warning", BoxButtons::Ok, BoxIcon::Warning);
    services.log.Line("Version 1.5 Warning");
  }
}

}  // namespace korvane
