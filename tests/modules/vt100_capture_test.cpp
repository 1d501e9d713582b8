// Output of real programs under TERM=vt100 (captures/*.bin, recorded with
// tools/capture_vt100.py; *.screen is tmux's rendering of the same bytes).
// The messages must not depend on how the bytes are cut into calls, and
// the sequences the emulator does not know are listed in *.unrecognised:
// a change there is a change in what these programs look like. Replayed
// through the client's display handler, the final screen must read as
// tmux's, apart from the rows *.differences lists (what VT100 programs may
// send that this terminal does not do).
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <sstream>

#include "display_handler.h"
#include "emulator.h"
#include "fuzz/fuzz_support.h"
#include "module_test_support.h"
#include "screen_dump.h"

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

// The rows' text after replaying the bytes into a 24 x 80 screen.
std::vector<std::string> ReplayedRows(const std::vector<uint8_t>& bytes) {
  fuzz::SilentPlatform platform;
  RecordLog log(fuzz::NowhereLog());
  ErrorReporter errors(platform, log);
  ScreenModel screen;
  AttributeTable attributes(log);
  Display display(screen, attributes, log, errors);
  screen.Allocate(24, 80, 0, 100);
  screen.delayedWrap = true;
  display.ResetAttribute();
  display.InitialiseForWindow();
  std::unique_ptr<Emulator> emulator = MakeVt100Emulator(display.Link());
  for (size_t at = 0; at < bytes.size(); at += 512)
    emulator->Submit(bytes.data() + at, static_cast<int>(std::min<size_t>(512, bytes.size() - at)));
  std::istringstream dump(DumpScreen(screen, attributes, false));
  std::vector<std::string> rows;
  for (std::string line; std::getline(dump, line) && rows.size() < 24;) {
    if (line.empty() || line[0] != '|') continue;
    line = line.substr(1, line.size() - 2);
    rows.push_back(line.substr(0, line.find_last_not_of(' ') + 1));
  }
  return rows;
}

// tmux's rows with the listed differences applied.
std::vector<std::string> ExpectedRows(const std::string& name) {
  std::vector<std::string> rows = ReadLines(CaptureDirectory() / (name + ".screen"));
  rows.resize(24);
  for (const std::string& line : ReadLines(CaptureDirectory() / (name + ".differences"))) {
    size_t bar = line.find('|');
    if (line.empty() || line[0] == '#' || bar == std::string::npos) continue;
    rows.at(std::stoul(line.substr(0, bar))) = line.substr(bar + 1);
  }
  return rows;
}

class Vt100Capture : public testing::TestWithParam<std::string> {};

TEST_P(Vt100Capture, TheScreenReadsAsTmuxShowsIt) {
  EXPECT_EQ(ReplayedRows(ReadBytes(CaptureDirectory() / (GetParam() + ".bin"))), ExpectedRows(GetParam()));
}

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

INSTANTIATE_TEST_SUITE_P(Programs, Vt100Capture,
                         testing::Values("tput", "tput_init", "vim", "less", "vt100_gaps"));

}  // namespace
}  // namespace korvane::test
