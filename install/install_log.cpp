#include "install_log.h"

#include <cstdarg>

#include "text_util.h"

namespace korvane {

std::string FormatLogLine(const LogTime& t, const std::string& message) {
  std::string text = message;
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
  return Format("I-%02d/%02d/%02d-%02d:%02d:%02d.%02d: ", t.year % 100, t.month, t.day, t.hour, t.minute, t.second,
                t.milliseconds) +
         text + "\n";
}

void InstallLog::Line(const std::string& message) {
  write_(FormatLogLine(clock_(), message), !started_);
  started_ = true;
}

void InstallLog::Linef(const char* format, ...) {
  va_list args;
  va_start(args, format);
  std::string message = FormatV(format, args);
  va_end(args);
  Line(message);
}

}  // namespace korvane
