#include "character_map.h"

namespace korvane {

CharacterMap IdentityMap() {
  CharacterMap map;
  for (size_t i = 0; i < map.size(); ++i) map[i] = static_cast<uint8_t>(i);
  return map;
}

CharacterMap ReadCharacterMap(ConfigStore& store, const std::string& key, const std::string& name) {
  CharacterMap map = IdentityMap();
  ReadBinary(store, key, name, map.data(), map.size());  // a longer value is not read at all
  return map;
}

}  // namespace korvane
