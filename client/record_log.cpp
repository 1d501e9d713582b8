#include "record_log.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <ctime>

#include "text_util.h"

namespace korvane {

static RecordLog::Environment ProcessEnvironment() {
  RecordLog::Environment env;
  env.recordDirectory = []() -> std::optional<std::string> {
    const char* dir = std::getenv("RECORD");
    if (!dir) return std::nullopt;
    return std::string(dir);
  };
  env.now = [] { return static_cast<long long>(std::time(nullptr)); };
  env.fatal = [](const std::string& message) {
    std::fprintf(stderr, "%s\n", message.c_str());
    std::exit(1);
  };
  env.warn = [](const std::string& message) { std::fprintf(stderr, "%s\n", message.c_str()); };
  return env;
}

RecordLog::RecordLog() : env_(ProcessEnvironment()) {}
RecordLog::RecordLog(Environment environment) : env_(std::move(environment)) {}

RecordLog::~RecordLog() {
  if (file_) std::fclose(file_);
}

std::string RecordLog::MakeFileName(const std::string& directory, long long seconds) {
  std::string name = directory;
  if (!name.empty() && name.back() != '\\' && name.back() != '/') name += '/';
  long long number = seconds % 100000;
  if (number < 0) number += 100000;
  return name + Format("record%lld.txt", number);
}

bool RecordLog::Open() {
  std::string directory;
  if (env_.recordDirectory) directory = env_.recordDirectory().value_or("");
  fileName_ = MakeFileName(directory, env_.now ? env_.now() : 0);
  // Binary mode: line ends are turned into CR LF here, the same on every platform.
  file_ = std::fopen(fileName_.c_str(), "wb");
  if (!file_) {
    std::string reason = std::strerror(errno);
    if (env_.fatal) env_.fatal("can't open recordfile: " + reason);
    return false;
  }
  return true;
}

void RecordLog::WriteText(std::string_view text) {
  if (!file_ && !Open()) return;
  if (text.empty()) return;
  std::string out;
  out.reserve(text.size() + 16);
  for (char c : text) {
    if (c == '\n') out += '\r';
    out += c;
  }
  if (std::fwrite(out.data(), 1, out.size(), file_) != out.size() || std::fflush(file_) != 0) {
    std::string reason = std::strerror(errno);
    if (env_.warn) env_.warn("Couldn't write to file: " + reason);
  }
}

void RecordLog::VWriteRecord(const char* format, va_list args) {
  // A line of any length is written whole; nothing is cut.
  WriteText(FormatV(format, args));
}

void RecordLog::WriteRecord(const char* format, ...) {
  va_list args;
  va_start(args, format);
  VWriteRecord(format, args);
  va_end(args);
}

void RecordLog::Event(const char* format, ...) {
  if (!recordEvents) return;
  va_list args;
  va_start(args, format);
  VWriteRecord(format, args);
  va_end(args);
}

std::string RecordLog::DumpLine(const char* prefix, const unsigned char* bytes, size_t count, int printableTop) {
  std::string line = prefix;
  for (size_t i = 0; i < count; ++i) {
    int b = bytes[i];
    if (b >= 33 && b <= printableTop)
      line += static_cast<char>(b);
    else
      line += Format(" [%d] ", b);
  }
  line += '\n';
  return line;
}

}  // namespace korvane
