// Host output the benchmarks feed the emulators: the same screens in the
// VT100/ANSI sequences and in the Wyse 60's own.
#pragma once

#include <string>

namespace korvane::bench {

inline std::string Repeat(const std::string& block, size_t bytes) {
  std::string out;
  out.reserve(bytes + block.size());
  while (out.size() < bytes) out += block;
  return out;
}

inline std::string PlainLines() { return std::string(78, 'x') + "\r\n"; }

inline std::string ColouredListing() {
  std::string block;
  for (int i = 0; i < 8; ++i) block += "\x1b[1;3" + std::to_string(i % 8) + "mname" + std::to_string(i) + "\x1b[0m  ";
  return block + "\r\n";
}

inline std::string FullScreenRedraw() {
  std::string block;
  for (int row = 1; row <= 24; ++row)
    block += "\x1b[" + std::to_string(row) + ";1H" + std::string(60, 'a' + row % 26) + "\x1b[K";
  return block + "\x1b[H\x1b[J";
}

// Text drawn in the line-drawing set: every byte flipped on its way by the
// ANSI and SCO ANSI parsers.
inline std::string GraphicsBoxes() {
  return "\x0e" + std::string(76, 'q') + "\x0f\r\n\x1b[12m" + std::string(76, 'D') + "\x1b[10m\r\n";
}

// The same screens as a Wyse 60 host sends them: attributes with ESC G,
// addressing with ESC = row column, line drawing in character set 1.
inline std::string WyseListing() {
  std::string block;
  for (int i = 0; i < 8; ++i) block += "\x1bG" + std::string(1, "48:<"[i % 4]) + "name" + std::to_string(i) + "\x1bG0  ";
  return block + "\r\n";
}

inline std::string WyseRedraw() {
  std::string block;
  for (int row = 0; row < 24; ++row)
    block += "\x1b=" + std::string(1, static_cast<char>(32 + row)) + " " + std::string(60, 'a' + (row + 1) % 26) + "\x1bT";
  return block + "\x1b*";
}

inline std::string WyseBoxes() {
  return "\x1b" "cE" + std::string(76, 'D') + "\x1b" "cD\r\n\x1bH\x02" + std::string(76, 'z') + "\x1bH\x03\r\n";
}

// A rendition change every four characters: colours, bold, underline,
// reverse and back, as syntax-coloured listings and prompts send them.
inline std::string SgrHeavy() {
  static const char* const kRenditions[] = {"1;31", "0;32", "4;33", "0;7", "1;34;41", "0", "35;42", "0;1;4"};
  std::string block;
  for (int i = 0; i < 19; ++i) block += "\x1b[" + std::string(kRenditions[i % 8]) + "mabc" + std::to_string(i % 10);
  return block + "\x1b[m\r\n";
}

inline std::string WyseSgrHeavy() {
  static const char kAttributes[] = "4812<6:>";
  std::string block;
  for (int i = 0; i < 19; ++i) block += "\x1bG" + std::string(1, kAttributes[i % 8]) + "abc" + std::to_string(i % 10);
  return block + "\x1bG0\r\n";
}

}  // namespace korvane::bench
