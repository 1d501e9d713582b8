// The keys the editor offers: 31 keys, each plain, with Shift, with Ctrl
// and with Ctrl+Shift, in the order the dialog lists them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace korvane {

struct KeySlot {
  std::string name;  // "F1", "Shift+F1", "Ctrl+F1", "Ctrl+Shift+F1", ...
  int32_t code;      // modifier bits * 256 + virtual key
};

inline constexpr size_t kKeySlotCount = 124;

std::vector<KeySlot> BuildKeySlots();

}  // namespace korvane
