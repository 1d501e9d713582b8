// The modules' only way to report: printf-style lines sent to the client
// window as WUM_LOG, which the client writes to its event log when that is on.
#pragma once

#include <cstddef>
#include <cstdint>

#include "display_messages.h"

namespace korvane {

class ModuleLog {
 public:
  // Longer lines are cut to this many characters.
  static constexpr size_t kLineLimit = 1020;

  explicit ModuleLog(const DisplayLink& link) : link_(link) {}
  ModuleLog(const ModuleLog&) = delete;
  ModuleLog& operator=(const ModuleLog&) = delete;

  void Log(const char* format, ...) __attribute__((format(printf, 2, 3)));
  // The bytes of a sequence, one message each: " [%d] " for blanks,
  // controls and bytes from 128 up, the character itself otherwise.
  void LogBytes(const uint8_t* bytes, size_t count);

 private:
  const DisplayLink& link_;
  char line_[kLineLimit + 1] = {};
};

}  // namespace korvane
