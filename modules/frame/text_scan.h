// Finding where a run of text ends in a module's input: the parsers' text
// runs are most of what a host sends.
#pragma once

#include <cstddef>
#include <cstdint>

namespace korvane {

// The first byte from `i` on that `isControl` marks, or `count` when none is.
inline size_t TextRunEnd(const bool* isControl, const uint8_t* bytes, size_t i, size_t count) {
  // Four bytes a step while none of them is a control.
  while (count - i >= 4 &&
         !(isControl[bytes[i]] | isControl[bytes[i + 1]] | isControl[bytes[i + 2]] | isControl[bytes[i + 3]]))
    i += 4;
  while (i < count && !isControl[bytes[i]]) ++i;
  return i;
}

}  // namespace korvane
