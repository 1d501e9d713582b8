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

}  // namespace korvane
