// A terminal type's character map, AsciiMap or AnsiMap of Terms\<name>:
// 256 bytes, index = character code, value = the glyph shown. The client
// reads the maps; the settings program edits them.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "config_store.h"

namespace korvane {

using CharacterMap = std::array<uint8_t, 256>;

CharacterMap IdentityMap();

// The identity when the value is absent or longer than 256 bytes; a shorter
// map replaces only its own length of the identity.
CharacterMap ReadCharacterMap(ConfigStore& store, const std::string& key, const std::string& name);

}  // namespace korvane
