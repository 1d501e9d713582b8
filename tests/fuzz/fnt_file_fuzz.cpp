// Font files are read back by the font check and the preview: any bytes
// must be refused or read without fault, and what is read writes back the same.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "fnt_file.h"

using namespace korvane::fontgen;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<uint8_t> image(data, data + size);
  auto font = ReadFnt(image);
  if (!font) return 0;
  if (font->glyphs.size() != 256) __builtin_trap();
  auto again = ReadFnt(WriteFnt(*font));
  if (!again || again->width != font->width || again->height != font->height) __builtin_trap();
  for (size_t c = 0; c < 256; ++c)
    if (again->glyphs[c].pixels != font->glyphs[c].pixels) __builtin_trap();
  return 0;
}
