// kvfontgen: writes the client's 48 bitmap font files.
//   kvfontgen OUTDIR --serif FONT --sans FONT [--fallback FONT]... [--strike WIDTH=FONT]...
// A strike is a bitmap font drawn for cells of that width, used there by both
// families (outline fonts cannot be hinted into a 3-pixel-wide glyph).
//   kvfontgen --preview OUT.pgm SCALE FILE.FNT ...   (a picture to check them by eye)
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "font_builder.h"
#include "font_files.h"

using namespace korvane;
using namespace korvane::fontgen;

namespace {

bool WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}

std::vector<uint8_t> ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

struct Sources {
  std::string serif, sans;
  std::vector<std::string> fallbacks;
  std::map<int, std::string> strikes;  // cell width -> bitmap font
};

int GenerateSize(const std::string& outDir, const Sources& src, bool serif, int w) {
  std::vector<std::string> fonts;
  if (auto strike = src.strikes.find(w); strike != src.strikes.end()) fonts.push_back(strike->second);
  fonts.push_back(serif ? src.serif : src.sans);
  fonts.insert(fonts.end(), src.fallbacks.begin(), src.fallbacks.end());
  GlyphRasterizer raster(fonts);
  if (!raster.Ok()) {
    std::fprintf(stderr, "kvfontgen: %s\n", raster.Error().c_str());
    return 1;
  }
  raster.SetCell(w, 2 * w);
  for (int typeface = 0; typeface < 2; ++typeface) {
    FntFont font = BuildFont(raster, w, 2 * w, typeface, typeface == 1 ? CodePage::Windows1252 : CodePage::Oem437);
    font.family = serif ? kFamilyRoman : kFamilyModern;
    std::string path = outDir + "/" + FontFileName(w, 2 * w, serif, typeface);
    if (!WriteFile(path, WriteFnt(font))) {
      std::fprintf(stderr, "kvfontgen: cannot write %s\n", path.c_str());
      return 1;
    }
  }
  return 0;
}

bool ParseSources(int argc, char** argv, Sources& src) {
  for (int i = 2; i + 1 < argc; i += 2) {
    std::string option = argv[i], value = argv[i + 1];
    if (option == "--serif") {
      src.serif = value;
    } else if (option == "--sans") {
      src.sans = value;
    } else if (option == "--fallback") {
      src.fallbacks.push_back(value);
    } else if (option == "--strike" && value.find('=') != std::string::npos) {
      src.strikes[std::atoi(value.c_str())] = value.substr(value.find('=') + 1);
    } else {
      return false;
    }
  }
  return argc % 2 == 0 && !src.serif.empty() && !src.sans.empty();
}

int Preview(int argc, char** argv) {
  if (argc < 5) return 2;
  std::vector<FntFont> fonts;
  for (int i = 4; i < argc; ++i) {
    auto font = ReadFnt(ReadFile(argv[i]));
    if (!font) {
      std::fprintf(stderr, "kvfontgen: %s is not a font file of ours\n", argv[i]);
      return 1;
    }
    fonts.push_back(std::move(*font));
  }
  return WriteFile(argv[2], PreviewSheet(fonts, std::max(1, std::atoi(argv[3])))) ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc >= 2 && std::string(argv[1]) == "--preview") return Preview(argc, argv);
  Sources src;
  if (argc < 2 || !ParseSources(argc, argv, src)) {
    std::fprintf(stderr, "usage: kvfontgen OUTDIR --serif FONT --sans FONT [--fallback FONT]... [--strike W=FONT]...\n");
    return 2;
  }
  for (bool serif : {true, false})
    for (int w = kSmallestFontWidth; w <= kLargestFontWidth; ++w)
      if (int result = GenerateSize(argv[1], src, serif, w)) return result;
  return 0;
}
