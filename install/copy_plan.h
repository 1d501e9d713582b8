// Which product files are copied, pattern by pattern, in this order.
#pragma once

#include <string>
#include <vector>

namespace korvane {

const std::vector<std::string>& CopyPatterns();

struct PatternFiles {
  std::string pattern;
  std::vector<std::string> files;  // matches, in the listing's order
};

// `listing`: the plain files of the source directory.
std::vector<PatternFiles> BuildCopyPlan(const std::vector<std::string>& listing);

}  // namespace korvane
