// The installer's log: "korvane_install_log.txt" or
// "korvane_uninstall_log.txt" in the temporary directory, created anew at the
// first line, each line stamped with the local time.
#pragma once

#include <functional>
#include <string>

namespace korvane {

inline constexpr const char kInstallLogName[] = "korvane_install_log.txt";
inline constexpr const char kUninstallLogName[] = "korvane_uninstall_log.txt";

struct LogTime {
  int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0, milliseconds = 0;
};

// "I-yy/mm/dd-hh:mm:ss.ms: " then the message without its trailing
// newlines, then "\n". The year is written with two digits.
std::string FormatLogLine(const LogTime& time, const std::string& message);

class InstallLog {
 public:
  // `write` gets each finished line; `truncate` is true for the first one.
  using Writer = std::function<void(const std::string& line, bool truncate)>;
  using Clock = std::function<LogTime()>;

  InstallLog(Writer write, Clock clock) : write_(std::move(write)), clock_(std::move(clock)) {}

  void Line(const std::string& message);
  // printf-style convenience.
  void Linef(const char* format, ...) __attribute__((format(printf, 2, 3)));

 private:
  Writer write_;
  Clock clock_;
  bool started_ = false;
};

}  // namespace korvane
