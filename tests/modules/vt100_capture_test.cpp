// Output of real programs under TERM=vt100 (captures/*.bin, recorded with
// tools/capture_vt100.py; *.screen is tmux's rendering of the same bytes).
// The messages must not depend on how the bytes are cut into calls, and
// the sequences the emulator does not know are listed in *.unrecognised:
// a change there is a change in what these programs look like.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>

#include "module_test_support.h"

namespace korvane::test {
namespace {

std::filesystem::path CaptureDirectory() { return std::filesystem::path(__FILE__).parent_path() / "captures"; }

std::vector<uint8_t> ReadBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

std::vector<std::string> ReadLines(const std::filesystem::path& path) {
  std::ifstream in(path);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// Text runs joined: only their cutting may depend on the calls.
std::vector<std::string> Feed(const std::vector<uint8_t>& bytes, unsigned seed) {
  Vt100Harness harness(true);
  harness.Take();
  std::mt19937 random(seed);
  for (size_t at = 0; at < bytes.size();) {
    size_t piece = seed ? std::min<size_t>(1 + random() % 40, bytes.size() - at) : bytes.size();
    harness.SubmitBytes(std::vector<uint8_t>(bytes.begin() + at, bytes.begin() + at + piece));
    at += piece;
  }
  std::vector<std::string> joined;
  for (const std::string& line : harness.Take()) {
    if (line.rfind("WRITE \"", 0) == 0 && !joined.empty() && joined.back().rfind("WRITE \"", 0) == 0) {
      joined.back().pop_back();
      joined.back() += line.substr(7);
    } else {
      joined.push_back(line);
    }
  }
  return joined;
}

class Vt100Capture : public testing::TestWithParam<std::string> {};

TEST_P(Vt100Capture, UnknownSequencesAreTheListedOnes) {
  std::vector<std::string> logged;
  for (const std::string& line : Feed(ReadBytes(CaptureDirectory() / (GetParam() + ".bin")), 0))
    if (line.rfind("LOG ", 0) == 0) logged.push_back(line);
  EXPECT_EQ(logged, ReadLines(CaptureDirectory() / (GetParam() + ".unrecognised")));
}

TEST_P(Vt100Capture, CuttingTheStreamChangesNothing) {
  std::vector<uint8_t> bytes = ReadBytes(CaptureDirectory() / (GetParam() + ".bin"));
  ASSERT_FALSE(bytes.empty());
  std::vector<std::string> whole = Feed(bytes, 0);
  for (unsigned seed = 1; seed <= 5; ++seed) EXPECT_EQ(Feed(bytes, seed), whole) << "seed " << seed;
}

INSTANTIATE_TEST_SUITE_P(Programs, Vt100Capture, testing::Values("tput", "vim", "less"));

}  // namespace
}  // namespace korvane::test
