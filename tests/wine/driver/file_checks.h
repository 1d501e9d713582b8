// Checks of what an installer leaves behind: shell links read back through
// the shell-link object, file counts, file attributes.
#pragma once

#include <string>
#include <vector>

#include "pixel_checks.h"

namespace kvdriver {

// expect-link <file.lnk> <target> <arguments> <working dir> <icon path> <icon index> [description]
CheckResult ExpectLink(const std::vector<std::string>& w);
// expect-file-count <pattern> <count>: files (not directories) matching.
CheckResult ExpectFileCount(const std::vector<std::string>& w);
// set-attributes <path> <hex bits>
CheckResult SetAttributes(const std::vector<std::string>& w);

}  // namespace kvdriver
