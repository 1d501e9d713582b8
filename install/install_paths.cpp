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
