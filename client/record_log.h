// The event log: one plain-text file per run, "record%d.txt", opened on the
// first write. The callers decide what is written: event lines when
// recordEvents is on, byte dumps when recordIO is on.
#pragma once

#include <cstdarg>
#include <cstdio>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace korvane {

class RecordLog {
 public:
  struct Environment {
    std::function<std::optional<std::string>()> recordDirectory;  // the "RECORD" variable
    std::function<long long()> now;                               // calendar time in seconds
    std::function<void(const std::string&)> fatal;                // report and end the program
    std::function<void(const std::string&)> warn;                 // report and go on
  };

  RecordLog();  // the process environment
  explicit RecordLog(Environment environment);
  ~RecordLog();
  RecordLog(const RecordLog&) = delete;
  RecordLog& operator=(const RecordLog&) = delete;

  bool recordEvents = false;
  bool recordIO = false;

  // printf-style; writes whatever it is given (the callers test the switches).
  void WriteRecord(const char* format, ...) __attribute__((format(printf, 2, 3)));
  void VWriteRecord(const char* format, va_list args) __attribute__((format(printf, 2, 0)));
  void WriteText(std::string_view text);

  // WriteRecord only when the event log is on.
  void Event(const char* format, ...) __attribute__((format(printf, 2, 3)));

  // "RECEIVED: " / "SEND: " dumps: bytes in [33, printableTop] as themselves,
  // everything else as " [%d] ".
  static std::string DumpLine(const char* prefix, const unsigned char* bytes, size_t count, int printableTop);

  bool IsOpen() const { return file_ != nullptr; }
  const std::string& FileName() const { return fileName_; }

  // "record%d.txt" in the directory, with "/" added unless it ends in a separator.
  static std::string MakeFileName(const std::string& directory, long long seconds);

 private:
  bool Open();
  Environment env_;
  std::FILE* file_ = nullptr;
  std::string fileName_;
};

}  // namespace korvane
