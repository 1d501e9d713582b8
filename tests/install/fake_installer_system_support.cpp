#include <algorithm>

#include "fake_installer_system.h"
#include "install_paths.h"
#include "text_util.h"

namespace korvane::test {

namespace {

std::string ParentOf(const std::string& path) {
  size_t slash = path.find_last_of('\\', path.size() - 2);
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string Dir(const std::string& path) { return NormaliseDirectory(path); }

}  // namespace

void FakeInstallerSystem::AddFile(const std::string& path, uint32_t attributes) { files[ToUpper(path)] = attributes; }
void FakeInstallerSystem::AddDirectory(const std::string& path) { directories.insert(Dir(path)); }

BoxAnswer FakeInstallerSystem::ShowMessage(const std::string& text, const std::string& caption, BoxButtons buttons,
                                          BoxIcon) {
  calls.push_back("box " + caption + ": " + text);
  if (buttons == BoxButtons::Ok) return BoxAnswer::Ok;
  if (answers.empty()) return BoxAnswer::No;
  BoxAnswer answer = answers.front();
  answers.pop_front();
  return answer;
}

std::optional<InstallParameters> FakeInstallerSystem::AskParameters(const InstallParameters& initial) {
  shownParameters = initial;
  calls.push_back("parameters " + initial.directory);
  if (!parameterAnswers.empty()) {
    auto answer = parameterAnswers.front();
    parameterAnswers.pop_front();
    return answer;
  }
  if (!acceptParameters) return std::nullopt;
  return parameters ? parameters : initial;
}

// Drive-absolute and UNC paths stay; "\x" takes drive C:, anything else
// the working directory.
std::string FakeInstallerSystem::FullPath(const std::string& path) {
  if (path.size() > 2 && path[1] == ':' && (path[2] == '\\' || path[2] == '/')) return path;
  if (path.size() > 1 && path[0] == '\\' && path[1] == '\\') return path;
  if (!path.empty() && path[0] == '\\') return "C:" + path;
  return workingDirectory + path;
}

bool FakeInstallerSystem::OpenProgress() {
  calls.push_back("progress window opens");
  return !progressFails;
}

bool FakeInstallerSystem::DirectoryExists(const std::string& path) { return directories.count(Dir(path)) != 0; }

bool FakeInstallerSystem::MakeDirectory(const std::string& path) {
  calls.push_back("mkdir " + path);
  if (uncreatable.count(Dir(path)) || !DirectoryExists(ParentOf(Dir(path)))) return false;
  directories.insert(Dir(path));
  return true;
}

bool FakeInstallerSystem::FileExists(const std::string& path) { return files.count(ToUpper(path)) != 0; }

std::vector<DirectoryEntry> FakeInstallerSystem::ListDirectory(const std::string& directory) {
  std::vector<DirectoryEntry> entries;
  std::string dir = Dir(directory);
  for (const auto& [path, attributes] : files)
    if (ParentOf(path) == dir) entries.push_back({path.substr(dir.size()), attributes});
  for (const std::string& sub : directories)
    if (sub != dir && ParentOf(sub) == dir) entries.push_back({sub.substr(dir.size(), sub.size() - dir.size() - 1), kAttributeDirectory});
  return entries;
}

int FakeInstallerSystem::CopyFileOver(const std::string& from, const std::string& to) {
  calls.push_back("copy " + from + " -> " + to);
  if (!FileExists(from)) return 2;
  if (failingCopies.count(ToUpper(from))) return 5;
  files[ToUpper(to)] = kAttributeArchive;
  return 0;
}

bool FakeInstallerSystem::RemoveFile(const std::string& path) {
  calls.push_back("delete " + path);
  if (!FileExists(path) || undeletable.count(ToUpper(path))) return false;
  files.erase(ToUpper(path));
  return true;
}

std::optional<SystemError> FakeInstallerSystem::RemoveEmptyDirectory(const std::string& path) {
  calls.push_back("rmdir " + path);
  std::string dir = Dir(path);
  bool empty = ListDirectory(dir).empty();
  if (!DirectoryExists(dir)) return SystemError{2, "No such file or directory"};
  if (!empty) return SystemError{41, "Directory not empty"};
  directories.erase(dir);
  return std::nullopt;
}

bool FakeInstallerSystem::CreateLink(const MenuLink& link, const std::string& path) {
  calls.push_back("link " + path);
  if (failingLinks.count(link.fileName)) return false;
  links.push_back(link);
  linkPaths.push_back(path);
  AddFile(path);
  return true;
}

std::optional<SystemError> FakeInstallerSystem::DeleteRegistryKey(const std::string& parent, const std::string& name) {
  std::string path = ToUpper(parent + "\\" + name);
  calls.push_back("regdelete " + parent + "\\" + name);
  if (!registryKeys.count(path)) return SystemError{2, "The system cannot find the file specified."};
  for (auto it = registryKeys.begin(); it != registryKeys.end();)
    it = it->compare(0, path.size(), path) == 0 ? registryKeys.erase(it) : std::next(it);
  return std::nullopt;
}

std::optional<unsigned long> FakeInstallerSystem::RunAndWait(const std::string& program, const std::string& directory) {
  calls.push_back("run " + program + " in " + directory);
  return settingsExit;
}

bool FakeInstallerSystem::StartProgram(const std::string& program, const std::string& arguments,
                                       const std::string& directory) {
  calls.push_back("start " + program + " " + arguments + " in " + directory);
  return !startFails;
}

std::vector<std::string> FakeInstallerSystem::CallsStarting(const std::string& prefix) const {
  std::vector<std::string> out;
  for (const std::string& call : calls)
    if (call.compare(0, prefix.size(), prefix) == 0) out.push_back(call);
  return out;
}

bool RefusingStore::WriteTextCreatingKey(const std::string& key, const std::string& name, const std::string& text) {
  if (refused.count(ToUpper(key))) return false;
  return MemoryConfigStore::WriteTextCreatingKey(key, name, text);
}

void InstallerRig::Run(const std::string& commandLine) {
  context.commandLine = commandLine;
  InstallCommandLine parsed = ParseInstallCommandLine(commandLine);
  InstallLog installLog(
      [this](const std::string& line, bool truncate) {
        truncations += truncate;
        std::string message = line.substr(line.find(": ") + 2);
        message.pop_back();
        log.push_back(message);
      },
      [] { return LogTime{2026, 12, 8, 23, 40, 1, 5}; });
  RunInstaller(system, store, installLog, context, parsed);
}

bool InstallerRig::Logged(const std::string& line) const { return std::count(log.begin(), log.end(), line) != 0; }

std::vector<std::string> InstallerRig::LogFrom(const std::string& from, size_t count) const {
  auto it = std::find(log.begin(), log.end(), from);
  std::vector<std::string> out;
  for (; it != log.end() && out.size() < count; ++it) out.push_back(*it);
  return out;
}

}  // namespace korvane::test
