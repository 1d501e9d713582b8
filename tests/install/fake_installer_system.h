// A scripted InstallerSystem: a file system of paths, canned answers for the
// boxes, and a list of what the installer asked for, one line per call.
#pragma once

#include <deque>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "config_store.h"
#include "install_log.h"
#include "installer_run.h"
#include "installer_system.h"

namespace korvane::test {

class FakeInstallerSystem : public InstallerSystem {
 public:
  // Upper-cased paths; directories end in "\".
  std::set<std::string> directories;
  std::map<std::string, uint32_t> files;  // path -> attributes
  std::set<std::string> failingCopies, undeletable, uncreatable, failingLinks;
  std::set<std::string> classKeys = {"http", "mailto"};
  std::deque<BoxAnswer> answers;  // taken by question boxes; No when empty
  bool lowColour = false, progressFails = false, startFails = false;
  std::optional<InstallParameters> parameters;  // nothing: the window is cancelled
  bool acceptParameters = true;
  // Taken one per showing before `parameters`; nothing is a cancel.
  std::deque<std::optional<InstallParameters>> parameterAnswers;
  std::string workingDirectory = "C:\\WORK\\";
  std::optional<unsigned long> settingsExit = 0;
  std::optional<std::string> startMenu = std::string("C:\\Windows\\Start Menu\\Programs");
  std::set<std::string> registryKeys = {"SOFTWARE\\AMBREL\\KORVANE\\SETTINGS", "SOFTWARE\\AMBREL\\KORVANE\\DEFAULTS",
                                        "SOFTWARE\\AMBREL\\KORVANE"};

  std::vector<std::string> calls;
  std::vector<MenuLink> links;
  std::vector<std::string> linkPaths;
  InstallParameters shownParameters;

  void AddFile(const std::string& path, uint32_t attributes = kAttributeArchive);
  void AddDirectory(const std::string& path);

  BoxAnswer ShowMessage(const std::string& text, const std::string& caption, BoxButtons buttons, BoxIcon icon) override;
  bool LowColourDisplay() override { return lowColour; }
  bool HasClassKey(const std::string& name) override { return classKeys.count(name) != 0; }
  void OpenThroughShell(const std::string& address) override { calls.push_back("open " + address); }
  void Sleep(int ms) override { calls.push_back("sleep " + std::to_string(ms)); }
  std::optional<InstallParameters> AskParameters(const InstallParameters& initial) override;
  bool OpenProgress() override;
  void ShowProgress(const std::string& line) override { calls.push_back("progress " + line); }
  void CloseProgress() override { calls.push_back("close progress"); }
  bool DirectoryExists(const std::string& path) override;
  bool MakeDirectory(const std::string& path) override;
  bool FileExists(const std::string& path) override;
  std::vector<DirectoryEntry> ListDirectory(const std::string& directory) override;
  int CopyFileOver(const std::string& from, const std::string& to) override;
  bool RemoveFile(const std::string& path) override;
  std::optional<SystemError> RemoveEmptyDirectory(const std::string& path) override;
  std::optional<std::string> StartMenuProgramsFolder() override { return startMenu; }
  std::string SystemDirectory() override { return "C:\\WINDOWS\\SYSTEM32"; }
  std::string WindowsDirectory() override { return "C:\\WINDOWS"; }
  std::string FullPath(const std::string& path) override;
  bool BeginLinks() override { return true; }
  bool CreateLink(const MenuLink& link, const std::string& path) override;
  void EndLinks() override {}
  std::optional<SystemError> DeleteRegistryKey(const std::string& parent, const std::string& name) override;
  std::optional<unsigned long> RunAndWait(const std::string& program, const std::string& directory) override;
  bool StartProgram(const std::string& program, const std::string& arguments, const std::string& directory) override;
  void EndProcess() override { calls.push_back("end process"); }

  // Calls that start with `prefix`.
  std::vector<std::string> CallsStarting(const std::string& prefix) const;
};

// An in-memory store whose keys named in `refused` (upper-cased) take no
// values, as a registry the user may not write.
class RefusingStore : public MemoryConfigStore {
 public:
  std::set<std::string> refused;
  bool WriteTextCreatingKey(const std::string& key, const std::string& name, const std::string& text) override;
};

// One installer run over the fake and an in-memory store, its log kept as
// messages without the time stamps.
struct InstallerRig {
  FakeInstallerSystem system;
  RefusingStore store;
  std::vector<std::string> log;
  int truncations = 0;
  InstallerContext context{"C:\\PACKAGE\\", "C:\\TEMP\\", "", false};

  void Run(const std::string& commandLine);
  bool Logged(const std::string& line) const;
  // The log from the first line equal to `from`, `count` lines long.
  std::vector<std::string> LogFrom(const std::string& from, size_t count) const;
};

}  // namespace korvane::test
