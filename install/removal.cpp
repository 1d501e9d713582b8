// The removal. Without -A the first process confirms, copies install.exe to
// the temporary directory and hands over to that copy, which then removes
// the links, the registry keys and the files from outside the directory.
#include "install_paths.h"
#include "installer_run.h"
#include "text_util.h"

namespace korvane {

namespace {

constexpr const char kConfirmText[] = "This will remove all programs and the\ninstallation directory. OK to continue?";
constexpr const char kFeedbackText[] =
    "If our product failed to meet your expectations,\nwe'd like to know about it. Praise is nice, but\ncriticism "
    "is more valuable. Would you like to \nEMAIL your comments or suggestions to us?";

// The product key's path below HKEY_CLASSES_ROOT, without its last "\".
std::string ProductKeyPath() {
  std::string path = kProductKey;
  path.pop_back();
  return path;
}

class Removal {
 public:
  explicit Removal(InstallerServices& s) : s_(s), sys_(s.system) {}

  // True when the removal succeeded; `handedOver` when this process ended
  // by starting the copy.
  bool Run(bool& handedOver);

 private:
  InstallerServices& s_;
  InstallerSystem& sys_;
  std::string directory_;

  bool FindDirectory();
  bool HandOver(bool& handedOver);
  bool RemoveNow();
  bool RemoveMenus();
  void RemoveRegistryKeys();
  void DeleteRegistryKey(const std::string& parent, const std::string& name);
  bool RemoveFiles();
};

bool Removal::FindDirectory() {
  std::string text;
  if (s_.options.haveDirectory) {
    text = s_.options.directory;
  } else {
    auto stored = ReadText(s_.store, "Defaults", "InstallDir");
    if (!stored || stored->empty()) {
      s_.log.Line("Failed getting InstallDir");
      s_.log.Line("You can force this by using '-D dir' on the command line");
      return false;
    }
    text = *stored;
  }
  // Every plain file of the directory goes: never a root or the system's own.
  auto directory = s_.UsableDirectory(text);
  if (!directory) return false;
  directory_ = NormaliseDirectory(*directory);
  return true;
}

bool Removal::HandOver(bool& handedOver) {
  if (s_.Box(kConfirmText, "Uninstall Korvane", BoxButtons::YesNoDefaultNo, BoxIcon::Question) != BoxAnswer::Yes) {
    s_.log.Line("Failed GetConfirmation");
    return false;
  }
  s_.log.Line("Execute Autofunction");
  std::string copy = s_.context.tempDirectory + "install.exe";
  if (sys_.CopyFileOver(JoinPath(directory_, "install.exe"), copy) != 0) {
    s_.Box("Copy of install.exe to temp dir failed - can't continue", "Execution Error", BoxButtons::Ok,
           BoxIcon::Error);
    handedOver = true;
    sys_.EndProcess();
    return false;
  }
  // The copy takes over; this process ends without a result box.
  if (sys_.StartProgram(copy, AutoRemovalArguments(s_.options), s_.context.tempDirectory)) {
    handedOver = true;
    sys_.EndProcess();
    return false;
  }
  s_.Box("Unable to execute auto removal", "Exec failure", BoxButtons::Ok, BoxIcon::Error);
  return false;
}

bool Removal::RemoveMenus() {
  auto folder = s_.MenuFolder();
  if (!folder) return false;
  for (const std::string& file : MenuLinkFiles()) sys_.RemoveFile(Format("%s\\%s", folder->c_str(), file.c_str()));
  sys_.RemoveEmptyDirectory(*folder);
  return true;
}

void Removal::DeleteRegistryKey(const std::string& parent, const std::string& name) {
  auto error = sys_.DeleteRegistryKey(parent, name);
  if (!error) return;
  if (error->code == -1)
    s_.log.Line("DeleteRegKey: Couldn't open REGBASE");
  else
    s_.log.Linef("DeleteReg: Couldn't delete %s - error %d:%s", name.c_str(), error->code, error->text.c_str());
}

void Removal::RemoveRegistryKeys() {
  std::string product = ProductKeyPath();
  DeleteRegistryKey(product, "Settings");
  DeleteRegistryKey(product, "Defaults");
  size_t slash = product.rfind('\\');
  DeleteRegistryKey(product.substr(0, slash), product.substr(slash + 1));
}

bool Removal::RemoveFiles() {
  if (!sys_.DirectoryExists(directory_)) {
    s_.Box("Can't chdir to installation dir", "Uninstall Error", BoxButtons::Ok, BoxIcon::Error);
    return false;
  }
  bool ok = true;
  for (const DirectoryEntry& entry : sys_.ListDirectory(directory_)) {
    uint32_t a = entry.attributes;
    if (a == 0 || a == kAttributeNormal || (a & kAttributeArchive)) {
      sys_.ShowProgress("Delete " + entry.name);
      s_.log.Linef("Delete %s", entry.name.c_str());
      if (!sys_.RemoveFile(JoinPath(directory_, entry.name))) {
        s_.log.Linef("Couldn't delete %s", entry.name.c_str());
        ok = false;
      }
    } else {
      s_.log.Linef("Odd file Attribute for %s=%x\n", entry.name.c_str(), a);
    }
  }
  if (auto error = sys_.RemoveEmptyDirectory(directory_)) {
    s_.log.Linef("Couldn't delete directory %s - error %d: %s", directory_.c_str(), error->code, error->text.c_str());
    ok = false;
  }
  return ok;
}

bool Removal::RemoveNow() {
  s_.log.Line("check for mail-exists");
  bool feedback = sys_.HasClassKey("mailto") &&
                  s_.Box(kFeedbackText, "Tell us what you think!", BoxButtons::YesNo, BoxIcon::Information) ==
                      BoxAnswer::Yes;
  if (!sys_.OpenProgress()) {
    s_.log.Line("Failed OpenProgressWindow");
    return false;
  }
  if (feedback) {
    sys_.OpenThroughShell(std::string("mailto:") + kSupportMailAddress + "?subject=Korvane%201.8.3");
    sys_.Sleep(2000);
  }
  const char* failure = nullptr;
  sys_.ShowProgress("Remove Menu Items");
  s_.log.Line("Remove Menu Items");
  if (!RemoveMenus()) failure = "Failed RemoveMenus";
  if (!failure) {
    sys_.ShowProgress("Remove Registry keys");
    s_.log.Line("Remove Registry keys");
    RemoveRegistryKeys();
    sys_.ShowProgress("Remove files");
    s_.log.Line("Remove files");
    if (!RemoveFiles()) failure = "Failed RemoveFiles";
  }
  sys_.CloseProgress();
  if (failure) s_.log.Line(failure);
  return failure == nullptr;
}

bool Removal::Run(bool& handedOver) {
  s_.log.Line("PerformRemoval");
  if (!FindDirectory()) return false;
  s_.log.Linef("Installation dir: %s", directory_.c_str());
  if (!s_.options.removeNow) return HandOver(handedOver);
  return RemoveNow();
}

}  // namespace

void PerformRemoval(InstallerServices& services) {
  Removal removal(services);
  bool handedOver = false;
  bool ok = removal.Run(handedOver);
  if (handedOver) return;
  if (ok) {
    services.Box("Uninstall succeeded!", kUninstallCaption, BoxButtons::Ok, BoxIcon::Information);
    services.log.Line("Uninstall succeeded");
  } else {
    services.Box(Format("Uninstallation failed! See log in\n%s\nfor details.",
                        services.LogPath(InstallAction::Remove).c_str()),
                 kUninstallCaption, BoxButtons::Ok, BoxIcon::Warning);
    services.log.Line("Uninstall failed");
  }
}

}  // namespace korvane
