// The terminal type's init file: "init_<TermType>" in the current
// directory, played at start-up as if the host had sent it.
#pragma once

#include <functional>
#include <string>

namespace korvane {

inline constexpr int kInitFilePiece = 260;

// Hands the whole file to `receive` in pieces of up to 260 bytes; false
// (and nothing received) when the file does not exist. `directory`, when
// given, ends with a separator.
bool PlayInitFile(const std::string& termType, const std::function<void(const unsigned char*, int)>& receive,
                  const std::string& directory = "");

}  // namespace korvane
