// Output of real programs under TERM=vt100 (captures/*.bin, recorded with
// tools/capture_program.py; *.screen is tmux's rendering of the same bytes).
// The messages must not depend on how the bytes are cut into calls, and
// the sequences the emulator does not know are listed in *.unrecognised:
// a change there is a change in what these programs look like. Replayed
// through the client's display handler, the final screen must read as
// tmux's, apart from the rows *.differences lists (what VT100 programs may
// send that this terminal does not do).
#include <gtest/gtest.h>

#include "capture_support.h"

namespace korvane::test {
namespace {

class Vt100Capture : public testing::TestWithParam<std::string> {
 protected:
  std::vector<uint8_t> Bytes() { return ReadBytes(CaptureDirectory() / (GetParam() + ".bin")); }
};

TEST_P(Vt100Capture, TheScreenReadsAsTmuxShowsIt) {
  EXPECT_EQ(ReplayedRows(MakeVt100Emulator, Bytes(), 24, true),
            ExpectedRows(GetParam() + ".screen", GetParam() + ".differences", 24));
}

TEST_P(Vt100Capture, UnknownSequencesAreTheListedOnes) {
  Vt100Harness harness(true);
  EXPECT_EQ(LoggedLines(FeedCapture(harness, Bytes(), 0)),
            ReadLines(CaptureDirectory() / (GetParam() + ".unrecognised")));
}

TEST_P(Vt100Capture, CuttingTheStreamChangesNothing) {
  std::vector<uint8_t> bytes = Bytes();
  ASSERT_FALSE(bytes.empty());
  Vt100Harness whole(true);
  std::vector<std::string> expected = FeedCapture(whole, bytes, 0);
  for (unsigned seed = 1; seed <= 5; ++seed) {
    Vt100Harness cut(true);
    EXPECT_EQ(FeedCapture(cut, bytes, seed), expected) << "seed " << seed;
  }
}

// With the type's HostCompatibility switch on, the gaps this terminal's
// own table leaves (character-set designation, ESC [ r ...) are gone.
TEST(Vt100CaptureHost, TheGapsCaptureReadsExactlyAsTmuxShowsIt) {
  EXPECT_EQ(ReplayedRows(MakeVt100HostEmulator, ReadBytes(CaptureDirectory() / "vt100_gaps.bin"), 24, true),
            ExpectedRows("vt100_gaps.screen", "no.differences", 24));
}

INSTANTIATE_TEST_SUITE_P(Programs, Vt100Capture,
                         testing::Values("tput", "tput_init", "vim", "less", "vt100_gaps"));

}  // namespace
}  // namespace korvane::test
