// Output of real programs under TERM=wy60 (captures/wy60_*.bin, recorded
// with tools/capture_wyse60.sh; wy60_*.screen is what tmux shows of the
// same program with the same keys). Replayed through the client's display
// handler the screen must read as tmux's, apart from the rows
// wy60_*.differences lists; the sequences the module logs are pinned in
// wy60_*.unrecognised, and cutting the stream changes nothing.
#include <gtest/gtest.h>

#include "capture_support.h"

namespace korvane::test {
namespace {

// Debian's wy60 entry draws lines in character set 1 (ESC c E), which the
// module shows as code page 437 box drawing; tmux shows the same lines as
// the VT100 line-drawing letters.
char AsTmuxShowsIt(unsigned char cell) {
  static const struct {
    unsigned char cell;
    char letter;
  } kLines[] = {
      {0xDA, 'l'}, {0xBF, 'k'}, {0xC0, 'm'}, {0xD9, 'j'}, {0xC4, 'q'}, {0xB3, 'x'}, {0xC3, 't'}, {0xB4, 'u'},
      {0xC1, 'v'}, {0xC2, 'w'}, {0xC5, 'n'}, {0xDB, '0'}, {0xB2, 'a'}, {0xB1, 'h'}, {0xF8, 'f'}, {0xF1, 'g'},
      {0xF3, 'y'}, {0xF2, 'z'}, {0xE3, '{'}, {0xFE, '~'}, {0xAF, '+'}, {0xAE, ','},
  };
  for (const auto& line : kLines)
    if (line.cell == cell) return line.letter;
  return cell >= 127 ? '.' : static_cast<char>(cell);
}

// The 24 rows as tmux would show them, then the status line; `host` with the
// type's HostCompatibility switch on.
std::vector<std::string> Replayed(const std::string& name, bool host = false) {
  std::vector<std::string> rows = ReplayedRowsAndStatusLine(host ? MakeWyse60HostEmulator : MakeWyse60Emulator,
                                                            ReadBytes(CaptureDirectory() / (name + ".bin")), 24, false);
  for (size_t row = 0; row < 24; ++row)
    for (char& c : rows[row]) c = AsTmuxShowsIt(static_cast<unsigned char>(c));
  return rows;
}

class Wyse60Capture : public testing::TestWithParam<std::string> {
 protected:
  std::vector<uint8_t> Bytes() { return ReadBytes(CaptureDirectory() / (GetParam() + ".bin")); }
};

TEST_P(Wyse60Capture, TheScreenReadsAsTmuxShowsIt) {
  std::vector<std::string> rows = Replayed(GetParam());
  rows.pop_back();
  EXPECT_EQ(rows, ExpectedRows(GetParam() + ".screen", GetParam() + ".differences", 24));
}

// With the host-compatibility switch on, every row reads as tmux's (in
// wy60_tput the reverse index at the top, ESC j, scrolls as it does there).
TEST_P(Wyse60Capture, WithTheSwitchOnNothingDiffers) {
  std::vector<std::string> rows = Replayed(GetParam(), true);
  rows.pop_back();
  EXPECT_EQ(rows, ExpectedRows(GetParam() + ".screen", "no.differences", 24));
}

TEST_P(Wyse60Capture, LoggedSequencesAreTheListedOnes) {
  Wyse60Harness harness(true);
  EXPECT_EQ(LoggedLines(FeedCapture(harness, Bytes(), 0)),
            ReadLines(CaptureDirectory() / (GetParam() + ".unrecognised")));
}

TEST_P(Wyse60Capture, CuttingTheStreamChangesNothing) {
  std::vector<uint8_t> bytes = Bytes();
  ASSERT_FALSE(bytes.empty());
  Wyse60Harness whole(true);
  std::vector<std::string> expected = FeedCapture(whole, bytes, 0);
  for (unsigned seed = 1; seed <= 5; ++seed) {
    Wyse60Harness cut(true);
    EXPECT_EQ(FeedCapture(cut, bytes, seed), expected) << "seed " << seed;
  }
}

INSTANTIATE_TEST_SUITE_P(Programs, Wyse60Capture,
                         testing::Values("wy60_tput", "wy60_tput_init", "wy60_vim", "wy60_less", "wy60_dialog"));

// tput pln puts function-key labels on the label line, which the client
// shows on its status line; tmux has none.
TEST(Wyse60Capture, LabelsReachTheStatusLine) {
  EXPECT_EQ(Replayed("wy60_tput").back(), "F1 Help   F2 Save" + std::string(53, ' ') + "F8 Quit");
}

}  // namespace
}  // namespace korvane::test
