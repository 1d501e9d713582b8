// Names of the client's bitmap font files, shared by the client (which adds
// and removes them) and the build-time generator (which writes them).
#pragma once

#include <cstdio>
#include <string>

namespace korvane {

constexpr int kSmallestFontWidth = 4;
constexpr int kLargestFontWidth = 15;

// Typeface 0 shows code page 437, typeface 1 Windows-1252.
constexpr const char* kTypefaceNames[2] = {"Korvane Ascii", "Korvane Ansi"};

// "KV" width "x" height, family letter (F serif, S sans), face letter
// (A ASCII, N ANSI), ".FNT": KV04x08FA.FNT .. KV15x30SN.FNT.
inline std::string FontFileName(int width, int height, bool serif, int typeface) {
  char name[32];
  std::snprintf(name, sizeof name, "KV%02dx%02d%c%c.FNT", width % 100, height % 100, serif ? 'F' : 'S',
                typeface == 1 ? 'N' : 'A');
  return name;
}

}  // namespace korvane
