#include "module_log.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>

namespace korvane {

void ModuleLog::Log(const char* format, ...) {
  const char* percent = std::strchr(format, '%');
  va_list args;
  va_start(args, format);
  if (!percent) {
    // Plain text, the most frequent line, is copied as the formatter would.
    size_t length = std::min(std::strlen(format), kLineLimit);
    std::memcpy(line_, format, length);
    line_[length] = '\0';
  } else if (percent[1] == 's' && !std::strchr(percent + 2, '%')) {
    // One string among text ("%s: " names each sequence a module only
    // logs): put together by hand, cut where the formatter would cut it.
    const char* text = va_arg(args, const char*);
    size_t length = 0;
    auto append = [&](const char* from, size_t count) {
      count = std::min(count, kLineLimit - length);
      std::memcpy(line_ + length, from, count);
      length += count;
    };
    append(format, static_cast<size_t>(percent - format));
    if (!text) text = "(null)";
    append(text, std::strlen(text));
    append(percent + 2, std::strlen(percent + 2));
    line_[length] = '\0';
  } else {
    // vsnprintf always terminates, so an overlong line is cut, never overrun.
    std::vsnprintf(line_, sizeof line_, format, args);
  }
  va_end(args);
  link_.Send(WUM_LOG, reinterpret_cast<uintptr_t>(line_), 0);
}

// Written by hand: hosts that send many sequences a module only logs
// would otherwise spend their time in the formatter.
void ModuleLog::LogBytes(const uint8_t* bytes, size_t count) {
  for (size_t i = 0; i < count; ++i) {
    unsigned value = bytes[i];
    char* out = line_;
    if (value <= 32 || value >= 128) {
      *out++ = ' ';
      *out++ = '[';
      if (value >= 100) *out++ = static_cast<char>('0' + value / 100);
      if (value >= 10) *out++ = static_cast<char>('0' + value / 10 % 10);
      *out++ = static_cast<char>('0' + value % 10);
      *out++ = ']';
      *out++ = ' ';
    } else {
      *out++ = static_cast<char>(value);
    }
    *out = '\0';
    link_.Send(WUM_LOG, reinterpret_cast<uintptr_t>(line_), 0);
  }
}

}  // namespace korvane
