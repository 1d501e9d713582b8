#include "copy_plan.h"

#include "install_paths.h"

namespace korvane {

const std::vector<std::string>& CopyPatterns() {
  static const std::vector<std::string> patterns = {"*.exe", "*.fnt", "*.hlp", "*.cnt",
                                                    "*.dll", "hosts_sample", "*.txt"};
  return patterns;
}

std::vector<PatternFiles> BuildCopyPlan(const std::vector<std::string>& listing) {
  std::vector<PatternFiles> plan;
  for (const std::string& pattern : CopyPatterns()) {
    PatternFiles entry{pattern, {}};
    for (const std::string& name : listing)
      if (MatchesPattern(name, pattern)) entry.files.push_back(name);
    plan.push_back(std::move(entry));
  }
  return plan;
}

}  // namespace korvane
