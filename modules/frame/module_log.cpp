#include "module_log.h"

#include <cstdarg>
#include <cstdio>

namespace korvane {

void ModuleLog::Log(const char* format, ...) {
  va_list args;
  va_start(args, format);
  // vsnprintf always terminates, so an overlong line is cut, never overrun.
  std::vsnprintf(line_, sizeof line_, format, args);
  va_end(args);
  link_.Send(WUM_LOG, reinterpret_cast<uintptr_t>(line_), 0);
}

void ModuleLog::LogBytes(const uint8_t* bytes, size_t count) {
  for (size_t i = 0; i < count; ++i) {
    if (bytes[i] <= 32 || bytes[i] >= 128)
      Log(" [%d] ", bytes[i]);
    else
      Log("%c", bytes[i]);
  }
}

}  // namespace korvane
