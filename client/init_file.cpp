#include "init_file.h"

#include <cstdio>

namespace korvane {

bool PlayInitFile(const std::string& termType, const std::function<void(const unsigned char*, int)>& receive,
                  const std::string& directory) {
  std::FILE* file = std::fopen((directory + "init_" + termType).c_str(), "rb");
  if (!file) return false;
  unsigned char piece[kInitFilePiece];
  size_t got;
  while ((got = std::fread(piece, 1, sizeof piece, file)) > 0) receive(piece, static_cast<int>(got));
  std::fclose(file);
  return true;
}

}  // namespace korvane
