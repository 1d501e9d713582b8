#include "windows_installer_system.h"

#include <direct.h>
#include <shellapi.h>
#include <shlobj.h>

#include <cerrno>
#include <cstring>
#include <vector>

#include "parameter_window.h"
#include "shell_links.h"

namespace korvane {

namespace {

UINT BoxStyle(BoxButtons buttons, BoxIcon icon) {
  UINT style = MB_SETFOREGROUND;
  switch (buttons) {
    case BoxButtons::Ok: style |= MB_OK; break;
    case BoxButtons::YesNo: style |= MB_YESNO; break;
    case BoxButtons::YesNoDefaultNo: style |= MB_YESNO | MB_DEFBUTTON2; break;
    case BoxButtons::YesNoCancel: style |= MB_YESNOCANCEL; break;
  }
  switch (icon) {
    case BoxIcon::Information: style |= MB_ICONINFORMATION; break;
    case BoxIcon::Warning: style |= MB_ICONWARNING; break;
    case BoxIcon::Error: style |= MB_ICONERROR; break;
    case BoxIcon::Question: style |= MB_ICONQUESTION; break;
  }
  return style;
}

std::string SystemMessage(DWORD code) {
  char* text = nullptr;
  FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                 code, 0, reinterpret_cast<char*>(&text), 0, nullptr);
  std::string message = text ? text : "";
  if (text) LocalFree(text);
  while (!message.empty() && (message.back() == '\n' || message.back() == '\r' || message.back() == ' '))
    message.pop_back();
  return message;
}

// RegDeleteKey leaves a key with sub-keys on NT: the sub-keys go first.
LONG DeleteKeyTree(HKEY parent, const char* name) {
  HKEY key;
  LONG status = RegOpenKeyExA(parent, name, 0, KEY_READ | KEY_WRITE, &key);
  if (status != ERROR_SUCCESS) return status;
  for (;;) {
    char child[256];
    DWORD length = sizeof child;
    if (RegEnumKeyExA(key, 0, child, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    if (DeleteKeyTree(key, child) != ERROR_SUCCESS) break;
  }
  RegCloseKey(key);
  return RegDeleteKeyA(parent, name);
}

std::string WithoutTrailingSeparator(std::string path) {
  while (path.size() > 3 && (path.back() == '\\' || path.back() == '/')) path.pop_back();
  return path;
}

bool StartProcess(const std::string& program, const std::string& arguments, const std::string& directory,
                  PROCESS_INFORMATION& process) {
  std::string line = "\"" + program + "\"" + (arguments.empty() ? "" : " " + arguments);
  std::vector<char> buffer(line.begin(), line.end());
  buffer.push_back('\0');
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  return CreateProcessA(program.c_str(), buffer.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        directory.empty() ? nullptr : directory.c_str(), &startup, &process) != FALSE;
}

}  // namespace

BoxAnswer WindowsInstallerSystem::ShowMessage(const std::string& text, const std::string& caption, BoxButtons buttons,
                                             BoxIcon icon) {
  switch (::MessageBoxA(nullptr, text.c_str(), caption.c_str(), BoxStyle(buttons, icon))) {
    case IDYES: return BoxAnswer::Yes;
    case IDNO: return BoxAnswer::No;
    case IDCANCEL: return BoxAnswer::Cancel;
    default: return BoxAnswer::Ok;
  }
}

bool WindowsInstallerSystem::LowColourDisplay() {
  HDC screen = GetDC(nullptr);
  int colours = GetDeviceCaps(screen, NUMCOLORS);
  int bits = GetDeviceCaps(screen, BITSPIXEL) * GetDeviceCaps(screen, PLANES);
  ReleaseDC(nullptr, screen);
  return colours != -1 && colours <= 16 && bits <= 4;
}

bool WindowsInstallerSystem::HasClassKey(const std::string& name) {
  HKEY key;
  if (RegOpenKeyExA(HKEY_CLASSES_ROOT, name.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  RegCloseKey(key);
  return true;
}

void WindowsInstallerSystem::OpenThroughShell(const std::string& address) {
  ShellExecuteA(nullptr, "open", address.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

void WindowsInstallerSystem::Sleep(int milliseconds) {
  DWORD end = GetTickCount() + static_cast<DWORD>(milliseconds);
  while (static_cast<LONG>(GetTickCount() - end) < 0) {
    PumpPendingMessages();
    ::Sleep(20);
  }
}

std::optional<InstallParameters> WindowsInstallerSystem::AskParameters(const InstallParameters& initial) {
  return RunParameterWindow(instance_, initial);
}

bool WindowsInstallerSystem::DirectoryExists(const std::string& path) {
  DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool WindowsInstallerSystem::MakeDirectory(const std::string& path) {
  return CreateDirectoryA(path.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS;
}

bool WindowsInstallerSystem::FileExists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::vector<DirectoryEntry> WindowsInstallerSystem::ListDirectory(const std::string& directory) {
  std::vector<DirectoryEntry> entries;
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((WithoutTrailingSeparator(directory) + "\\*.*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return entries;
  do {
    if (std::strcmp(found.cFileName, ".") != 0 && std::strcmp(found.cFileName, "..") != 0)
      entries.push_back({found.cFileName, found.dwFileAttributes});
  } while (FindNextFileA(search, &found));
  FindClose(search);
  return entries;
}

int WindowsInstallerSystem::CopyFileOver(const std::string& from, const std::string& to) {
  return CopyFileA(from.c_str(), to.c_str(), FALSE) ? 0 : static_cast<int>(GetLastError());
}

bool WindowsInstallerSystem::RemoveFile(const std::string& path) { return DeleteFileA(path.c_str()) != FALSE; }

std::optional<SystemError> WindowsInstallerSystem::RemoveEmptyDirectory(const std::string& path) {
  if (_rmdir(WithoutTrailingSeparator(path).c_str()) == 0) return std::nullopt;
  int error = errno;
  return SystemError{error, std::strerror(error)};
}

std::optional<std::string> WindowsInstallerSystem::StartMenuProgramsFolder() {
  char path[MAX_PATH] = "";
  if (!SHGetSpecialFolderPathA(nullptr, path, CSIDL_PROGRAMS, TRUE)) return std::nullopt;
  return std::string(path);
}

std::string WindowsInstallerSystem::SystemDirectory() {
  char path[MAX_PATH] = "";
  UINT length = GetSystemDirectoryA(path, sizeof path);
  return length > 0 && length < sizeof path ? std::string(path, length) : std::string("C:\\WINDOWS\\SYSTEM");
}

std::string WindowsInstallerSystem::WindowsDirectory() {
  char path[MAX_PATH] = "";
  UINT length = GetWindowsDirectoryA(path, sizeof path);
  return length > 0 && length < sizeof path ? std::string(path, length) : std::string("C:\\WINDOWS");
}

std::string WindowsInstallerSystem::FullPath(const std::string& path) {
  DWORD length = GetFullPathNameA(path.c_str(), 0, nullptr, nullptr);
  if (length == 0) return path;
  std::vector<char> buffer(length + 1);
  DWORD got = GetFullPathNameA(path.c_str(), static_cast<DWORD>(buffer.size()), buffer.data(), nullptr);
  return got > 0 && got < buffer.size() ? std::string(buffer.data(), got) : path;
}

bool WindowsInstallerSystem::BeginLinks() { return BeginShellLinks(); }

bool WindowsInstallerSystem::CreateLink(const MenuLink& link, const std::string& linkPath) {
  bool saved = SaveShellLink(link, linkPath);
  PumpPendingMessages();
  return saved;
}

void WindowsInstallerSystem::EndLinks() { EndShellLinks(); }

std::optional<SystemError> WindowsInstallerSystem::DeleteRegistryKey(const std::string& parent,
                                                                     const std::string& name) {
  HKEY key;
  if (RegOpenKeyExA(HKEY_CLASSES_ROOT, parent.c_str(), 0, KEY_READ | KEY_WRITE, &key) != ERROR_SUCCESS)
    return SystemError{-1, ""};
  LONG status = DeleteKeyTree(key, name.c_str());
  RegCloseKey(key);
  if (status == ERROR_SUCCESS) return std::nullopt;
  return SystemError{static_cast<int>(status), SystemMessage(static_cast<DWORD>(status))};
}

std::optional<unsigned long> WindowsInstallerSystem::RunAndWait(const std::string& program,
                                                                const std::string& directory) {
  PROCESS_INFORMATION process = {};
  if (!StartProcess(program, "", directory, process)) return std::nullopt;
  WaitForSingleObject(process.hProcess, INFINITE);
  DWORD code = 1;
  GetExitCodeProcess(process.hProcess, &code);
  CloseHandle(process.hProcess);
  CloseHandle(process.hThread);
  return code;
}

bool WindowsInstallerSystem::StartProgram(const std::string& program, const std::string& arguments,
                                          const std::string& directory) {
  PROCESS_INFORMATION process = {};
  if (!StartProcess(program, arguments, directory, process)) return false;
  CloseHandle(process.hProcess);
  CloseHandle(process.hThread);
  return true;
}

void WindowsInstallerSystem::EndProcess() { ExitProcess(0); }

}  // namespace korvane
