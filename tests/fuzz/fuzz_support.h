// What the fuzz targets share: a reporter that shows nothing and a log that
// never reaches the disk.
#pragma once

#include "error_report.h"
#include "record_log.h"

namespace korvane::fuzz {

class SilentPlatform : public ErrorPlatform {
 public:
  std::string SystemErrorText(unsigned long) override { return ""; }
  void ShowErrorDialog(const std::string&, int) override {}
  void ExitProgram(int) override {}
};

inline RecordLog::Environment NowhereLog() {
  RecordLog::Environment env;
  env.recordDirectory = [] { return std::optional<std::string>("/nonexistent-korvane-fuzz"); };
  env.now = [] { return 0LL; };
  env.fatal = [](const std::string&) {};
  env.warn = [](const std::string&) {};
  return env;
}

}  // namespace korvane::fuzz
