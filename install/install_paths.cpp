#include "install_paths.h"

#include <cctype>

#include "text_util.h"

namespace korvane {

std::string NormaliseDirectory(const std::string& directory) {
  std::string text = ToUpper(directory);
  if (text.empty() || (text.back() != '\\' && text.back() != '/')) text += '\\';
  return text;
}

bool SameDirectory(const std::string& a, const std::string& b) { return EqualsNoCase(a, b); }

std::string JoinPath(const std::string& directory, const std::string& file) {
  if (directory.empty()) return file;
  char last = directory.back();
  return last == '\\' || last == '/' ? directory + file : directory + "\\" + file;
}

std::vector<std::string> DirectoryPrefixes(const std::string& path) {
  std::vector<std::string> prefixes;
  for (size_t i = 0; i < path.size(); ++i)
    if (path[i] == '\\' || path[i] == '/') prefixes.push_back(path.substr(0, i + 1));
  if (!path.empty()) prefixes.push_back(path);
  return prefixes;
}

namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

// "X:\", "\\SERVER\SHARE\" or a bare separator.
bool IsRoot(std::string path) {
  while (!path.empty() && IsSeparator(path.back())) path.pop_back();
  if (path.empty()) return true;
  if (path.size() == 2 && path[1] == ':') return true;
  if (path.size() > 2 && IsSeparator(path[0]) && IsSeparator(path[1])) {
    size_t share = path.find_first_of("\\/", 2);
    return share == std::string::npos || path.find_first_of("\\/", share + 1) == std::string::npos;
  }
  return false;
}

}  // namespace

std::optional<std::string> UnsafeDirectoryReason(const std::string& directory, const std::string& windowsDirectory,
                                                 const std::string& systemDirectory) {
  if (IsRoot(directory)) return std::string("a drive root");
  if (!windowsDirectory.empty() && SameDirectory(directory, NormaliseDirectory(windowsDirectory)))
    return std::string("the Windows directory");
  if (!systemDirectory.empty() && SameDirectory(directory, NormaliseDirectory(systemDirectory)))
    return std::string("the system directory");
  return std::nullopt;
}

bool MatchesPattern(const std::string& name, const std::string& pattern) {
  // Iterative match with one backtrack point per '*'.
  size_t n = 0, p = 0, starP = std::string::npos, starN = 0;
  auto same = [](char a, char b) {
    return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
  };
  while (n < name.size()) {
    if (p < pattern.size() && pattern[p] == '*') {
      starP = p++;
      starN = n;
    } else if (p < pattern.size() && (pattern[p] == '?' || same(pattern[p], name[n]))) {
      ++p;
      ++n;
    } else if (starP != std::string::npos) {
      p = starP + 1;
      n = ++starN;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

}  // namespace korvane
