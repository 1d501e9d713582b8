// The text form of a key's string in the editor's Contents field: a byte
// from "!" to "~" stands as itself, any other byte as "{n}" with its decimal
// value. Reading back, "{digits}" is one byte (the number modulo 256, "{}"
// is 0) and any other "{" is itself.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace korvane {

// The longest text the field gives back; longer text is cut.
inline constexpr size_t kKeyTextLimit = 1023;

std::string KeyBytesToText(const uint8_t* bytes, size_t length);
std::vector<uint8_t> KeyTextToBytes(std::string_view text);

}  // namespace korvane
