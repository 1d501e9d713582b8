#include "key_slots.h"

#include "module_abi.h"

namespace korvane {

namespace {

struct BaseKey {
  const char* name;
  int32_t virtualKey;
};

constexpr BaseKey kEditingKeys[] = {
    {"BACKSPACE", 8}, {"TAB", 9},   {"ESC", 27},  {"SPACEBAR", 32}, {"INS", 45},        {"DEL", 46},
    {"HOME", 36},     {"END", 35},  {"PGUP", 33}, {"PGDN", 34},     {"RETURN", 13},     {"UP Arrow", 38},
    {"DOWN Arrow", 40}, {"LEFT Arrow", 37}, {"RIGHT Arrow", 39},
};

void AddFourWays(std::vector<KeySlot>& slots, const std::string& name, int32_t virtualKey) {
  slots.push_back({name, virtualKey});
  slots.push_back({"Shift+" + name, virtualKey + KEY_SHIFT});
  slots.push_back({"Ctrl+" + name, virtualKey + KEY_CTRL});
  slots.push_back({"Ctrl+Shift+" + name, virtualKey + KEY_CTRL + KEY_SHIFT});
}

}  // namespace

std::vector<KeySlot> BuildKeySlots() {
  std::vector<KeySlot> slots;
  slots.reserve(kKeySlotCount);
  for (int f = 1; f <= 16; ++f) AddFourWays(slots, "F" + std::to_string(f), 111 + f);
  for (const BaseKey& key : kEditingKeys) AddFourWays(slots, key.name, key.virtualKey);
  return slots;
}

}  // namespace korvane
