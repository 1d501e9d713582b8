// Fakes shared by the client's unit tests.
#pragma once

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "error_report.h"
#include "record_log.h"

namespace korvane::test {

class FakeErrorPlatform : public ErrorPlatform {
 public:
  std::string SystemErrorText(unsigned long code) override {
    for (auto& [c, text] : systemTexts)
      if (c == code) return text;
    return "";
  }
  void ShowErrorDialog(const std::string& message, int helpContext) override {
    dialogs.push_back(message);
    contexts.push_back(helpContext);
  }
  void ExitProgram(int status) override { exits.push_back(status); }

  std::vector<std::pair<unsigned long, std::string>> systemTexts;
  std::vector<std::string> dialogs;
  std::vector<int> contexts;
  std::vector<int> exits;
};

// A record log that lives in memory: the file goes to a temporary directory
// and `Text()` reads it back.
class TempRecordLog {
 public:
  TempRecordLog();
  ~TempRecordLog();
  RecordLog& log() { return *log_; }
  std::string Text() const;
  std::vector<std::string> fatal;

 private:
  std::string directory_;
  std::unique_ptr<RecordLog> log_;
};

// Everything a client core test needs: a log, a fake platform and a reporter.
struct ClientFixture {
  TempRecordLog record;
  FakeErrorPlatform platform;
  ErrorReporter errors{platform, record.log()};
  RecordLog& log() { return record.log(); }
};

// The log file's text with its CR LF line ends as LF.
inline std::string WithoutCarriageReturns(std::string text) {
  text.erase(std::remove(text.begin(), text.end(), '\r'), text.end());
  return text;
}

}  // namespace korvane::test
