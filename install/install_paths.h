// Directory texts as the installer keeps them: upper-cased, ending in "\".
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace korvane {

std::string NormaliseDirectory(const std::string& directory);
// Equal ignoring case.
bool SameDirectory(const std::string& a, const std::string& b);
// `file` inside `directory`, with one separator between them.
std::string JoinPath(const std::string& directory, const std::string& file);
// Each prefix of the path up to and including a "\" or "/", then the whole
// path: the directories entered, in turn, to build the path.
std::vector<std::string> DirectoryPrefixes(const std::string& path);
// Why an installation directory (absolute, normalised) must not be used:
// removal deletes every plain file in it, so a drive root, the Windows
// directory or the system directory would lose files that are not ours.
// Nothing when it may be used.
std::optional<std::string> UnsafeDirectoryReason(const std::string& directory, const std::string& windowsDirectory,
                                                 const std::string& systemDirectory);
// DOS wildcard match ('*' any run, '?' one character), ignoring case.
bool MatchesPattern(const std::string& name, const std::string& pattern);

}  // namespace korvane
