#include "init_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <vector>

namespace korvane {
namespace {

TEST(InitFile, IsPlayedWholeIn260BytePieces) {
  std::filesystem::path directory = std::filesystem::temp_directory_path() / "korvane_init_file_test";
  std::filesystem::create_directories(directory);
  std::string content;
  for (int i = 0; i < 600; ++i) content += static_cast<char>(i % 256);
  std::ofstream(directory / "init_vt100", std::ios::binary) << content;

  std::vector<int> pieces;
  std::string received;
  auto receive = [&](const unsigned char* bytes, int count) {
    pieces.push_back(count);
    received.append(reinterpret_cast<const char*>(bytes), static_cast<size_t>(count));
  };
  std::string prefix = directory.string() + "/";
  EXPECT_TRUE(PlayInitFile("vt100", receive, prefix));
  EXPECT_EQ(pieces, (std::vector<int>{260, 260, 80}));
  EXPECT_EQ(received, content);

  pieces.clear();
  EXPECT_FALSE(PlayInitFile("wyse60", receive, prefix));
  EXPECT_TRUE(pieces.empty());
  std::filesystem::remove_all(directory);
}

}  // namespace
}  // namespace korvane
