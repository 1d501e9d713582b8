// The installer's system calls on Windows.
#pragma once

#include <windows.h>

#include "installer_system.h"
#include "progress_window.h"

namespace korvane {

class WindowsInstallerSystem : public InstallerSystem {
 public:
  explicit WindowsInstallerSystem(HINSTANCE instance) : instance_(instance) {}

  BoxAnswer ShowMessage(const std::string& text, const std::string& caption, BoxButtons buttons, BoxIcon icon) override;
  bool LowColourDisplay() override;
  bool HasClassKey(const std::string& name) override;
  void OpenThroughShell(const std::string& address) override;
  void Sleep(int milliseconds) override;
  std::optional<InstallParameters> AskParameters(const InstallParameters& initial) override;
  bool OpenProgress() override { return progress_.Open(instance_); }
  void ShowProgress(const std::string& line) override { progress_.Show(line); }
  void CloseProgress() override { progress_.Close(); }
  bool DirectoryExists(const std::string& path) override;
  bool MakeDirectory(const std::string& path) override;
  bool FileExists(const std::string& path) override;
  std::vector<DirectoryEntry> ListDirectory(const std::string& directory) override;
  int CopyFileOver(const std::string& from, const std::string& to) override;
  bool RemoveFile(const std::string& path) override;
  std::optional<SystemError> RemoveEmptyDirectory(const std::string& path) override;
  std::optional<std::string> StartMenuProgramsFolder() override;
  std::string SystemDirectory() override;
  std::string WindowsDirectory() override;
  std::string FullPath(const std::string& path) override;
  bool BeginLinks() override;
  bool CreateLink(const MenuLink& link, const std::string& linkPath) override;
  void EndLinks() override;
  std::optional<SystemError> DeleteRegistryKey(const std::string& parent, const std::string& name) override;
  std::optional<unsigned long> RunAndWait(const std::string& program, const std::string& directory) override;
  bool StartProgram(const std::string& program, const std::string& arguments, const std::string& directory) override;
  void EndProcess() override;

 private:
  HINSTANCE instance_;
  ProgressWindow progress_;
};

}  // namespace korvane
