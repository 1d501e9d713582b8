#include "client_test_support.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace korvane::test {

TempRecordLog::TempRecordLog() {
  std::string pattern = (std::filesystem::temp_directory_path() / "korvane-log-XXXXXX").string();
  std::vector<char> buffer(pattern.begin(), pattern.end());
  buffer.push_back('\0');
  directory_ = mkdtemp(buffer.data());
  RecordLog::Environment env;
  env.recordDirectory = [dir = directory_] { return std::optional<std::string>(dir); };
  env.now = [] { return 1234567LL; };
  env.fatal = [this](const std::string& m) { fatal.push_back(m); };
  env.warn = [](const std::string&) {};
  log_ = std::make_unique<RecordLog>(env);
}

TempRecordLog::~TempRecordLog() {
  log_.reset();
  std::filesystem::remove_all(directory_);
}

std::string TempRecordLog::Text() const {
  if (!log_->IsOpen()) return "";
  std::ifstream in(log_->FileName(), std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

}  // namespace korvane::test
