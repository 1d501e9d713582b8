// What the installer asks of the system: message boxes, its two windows,
// files and directories, shell links, registry keys and processes. The
// Windows shell implements it; tests use a recording fake.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "start_menu_links.h"

namespace korvane {

enum class BoxIcon { Information, Warning, Error, Question };
enum class BoxButtons { Ok, YesNo, YesNoDefaultNo, YesNoCancel };
enum class BoxAnswer { Ok, Yes, No, Cancel };

// What the parameter window starts with and what "&OK" gives back.
struct InstallParameters {
  std::string directory;
  bool createDirectory = true;
  bool copyFiles = true;
  bool copyFilesEnabled = true;
  bool runSettings = true;
};

struct DirectoryEntry {
  std::string name;
  uint32_t attributes = 0;  // FILE_ATTRIBUTE_* bits
};

inline constexpr uint32_t kAttributeReadOnly = 0x01;
inline constexpr uint32_t kAttributeHidden = 0x02;
inline constexpr uint32_t kAttributeSystem = 0x04;
inline constexpr uint32_t kAttributeDirectory = 0x10;
inline constexpr uint32_t kAttributeArchive = 0x20;
inline constexpr uint32_t kAttributeNormal = 0x80;

struct SystemError {
  int code = 0;
  std::string text;  // the system's message for the code
};

class InstallerSystem {
 public:
  virtual ~InstallerSystem() = default;

  virtual BoxAnswer ShowMessage(const std::string& text, const std::string& caption, BoxButtons buttons,
                               BoxIcon icon) = 0;
  // At most 16 colours and at most 4 bits per pixel.
  virtual bool LowColourDisplay() = 0;
  // A key of that name in the classes root (a handler for "http", "mailto").
  virtual bool HasClassKey(const std::string& name) = 0;
  virtual void OpenThroughShell(const std::string& address) = 0;
  virtual void Sleep(int milliseconds) = 0;

  // The parameter window; nothing when it was cancelled.
  virtual std::optional<InstallParameters> AskParameters(const InstallParameters& initial) = 0;
  virtual bool OpenProgress() = 0;
  virtual void ShowProgress(const std::string& line) = 0;
  virtual void CloseProgress() = 0;

  virtual bool DirectoryExists(const std::string& path) = 0;
  virtual bool MakeDirectory(const std::string& path) = 0;
  virtual bool FileExists(const std::string& path) = 0;
  // Every entry of the directory but "." and "..".
  virtual std::vector<DirectoryEntry> ListDirectory(const std::string& directory) = 0;
  // Overwrites; 0 or the system error number.
  virtual int CopyFileOver(const std::string& from, const std::string& to) = 0;
  virtual bool RemoveFile(const std::string& path) = 0;
  // 0, or the run-time library's error number and text.
  virtual std::optional<SystemError> RemoveEmptyDirectory(const std::string& path) = 0;

  virtual std::optional<std::string> StartMenuProgramsFolder() = 0;
  virtual std::string SystemDirectory() = 0;
  virtual std::string WindowsDirectory() = 0;
  // The path made absolute against the working directory, "." and ".."
  // resolved; as given when that cannot be done.
  virtual std::string FullPath(const std::string& path) = 0;
  virtual bool BeginLinks() = 0;
  virtual bool CreateLink(const MenuLink& link, const std::string& linkPath) = 0;
  virtual void EndLinks() = 0;

  // Deletes `name` below `parent` (paths below HKEY_CLASSES_ROOT) with all
  // it holds. Nothing on success; code -1 when the parent cannot be opened.
  virtual std::optional<SystemError> DeleteRegistryKey(const std::string& parent, const std::string& name) = 0;

  // Starts the program in `directory` and waits; its exit code, or nothing
  // when it could not be started.
  virtual std::optional<unsigned long> RunAndWait(const std::string& program, const std::string& directory) = 0;
  // Starts the program with the arguments in `directory` without waiting;
  // false when it could not be started.
  virtual bool StartProgram(const std::string& program, const std::string& arguments,
                            const std::string& directory) = 0;
  // Ends this process (exit code 0).
  virtual void EndProcess() = 0;
};

}  // namespace korvane
