// Output of real programs under TERM=ansi and TERM=scoansi from Debian's
// terminfo (captures/ansi_*.bin and scoansi_*.bin, recorded with
// tools/capture_program.py under LC_ALL=C on a 25 x 80 screen, bytes
// 128-255 shown as code page 437; *.screen is tmux's rendering). The SCO
// ANSI module also serves the type "scoansi", whose TermType is "ansi", so
// the TERM=ansi captures are replayed through both modules. As for the
// VT100 captures: cutting the stream changes nothing, the unknown
// sequences are the listed ones (captures/<capture>.<module>.unrecognised),
// and the screen reads as tmux's apart from the rows
// captures/<capture>.<module>.differences lists, each with its reason.
#include <gtest/gtest.h>

#include "capture_support.h"

namespace korvane::test {
namespace {

struct Replay {
  std::string capture, module;
};

void PrintTo(const Replay& replay, std::ostream* out) { *out << replay.capture << " through " << replay.module; }

std::unique_ptr<ModuleHarness> MakeHarness(const std::string& module) {
  if (module == "ansi") return std::make_unique<AnsiHarness>(true);
  return std::make_unique<ScoAnsiHarness>(true);
}

class AnsiCapture : public testing::TestWithParam<Replay> {
 protected:
  std::vector<uint8_t> Bytes() { return ReadBytes(CaptureDirectory() / (GetParam().capture + ".bin")); }
  std::string Listed(const char* what) { return GetParam().capture + "." + GetParam().module + what; }
};

TEST_P(AnsiCapture, TheScreenReadsAsTmuxShowsIt) {
  auto make = GetParam().module == "ansi" ? MakeAnsiEmulator : MakeScoAnsiEmulator;
  EXPECT_EQ(ReplayedRows(make, Bytes(), 25, false),
            ExpectedRows(GetParam().capture + ".screen", Listed(".differences"), 25));
}

TEST_P(AnsiCapture, UnknownSequencesAreTheListedOnes) {
  EXPECT_EQ(LoggedLines(FeedCapture(*MakeHarness(GetParam().module), Bytes(), 0)),
            ReadLines(CaptureDirectory() / Listed(".unrecognised")));
}

TEST_P(AnsiCapture, CuttingTheStreamChangesNothing) {
  std::vector<uint8_t> bytes = Bytes();
  ASSERT_FALSE(bytes.empty());
  std::vector<std::string> whole = FeedCapture(*MakeHarness(GetParam().module), bytes, 0);
  for (unsigned seed = 1; seed <= 5; ++seed)
    EXPECT_EQ(FeedCapture(*MakeHarness(GetParam().module), bytes, seed), whole) << "seed " << seed;
}

// With the type's HostCompatibility switch on, the sequences Debian's ansi
// entry uses beyond the table (REP, ECH, VPA, SGR 39/49) are known.
TEST(AnsiCaptureHost, TputReadsExactlyAsTmuxShowsIt) {
  EXPECT_EQ(ReplayedRows(MakeAnsiHostEmulator, ReadBytes(CaptureDirectory() / "ansi_tput.bin"), 25, false),
            ExpectedRows("ansi_tput.screen", "no.differences", 25));
}

// whiptail under TERM=scoansi (a conformance capture) changes colours inside
// its box: with the switch on the box reads as the console draws it (tmux's
// screen made with --sco-graphics); without it each colour change drops the
// line drawing and letters show.
TEST(AnsiCaptureHost, ScoLinesLastThroughColourChanges) {
  const std::string capture = "../../../tools/conformance/captures/scoansi_whiptail";
  std::vector<uint8_t> bytes = ReadBytes(CaptureDirectory() / (capture + ".bin"));
  ASSERT_FALSE(bytes.empty());
  std::vector<std::string> expected = ExpectedRows(capture + ".screen", "no.differences", 25);
  EXPECT_EQ(ReplayedRows(MakeScoAnsiHostEmulator, bytes, 25, false), expected);
  EXPECT_NE(ReplayedRows(MakeScoAnsiEmulator, bytes, 25, false), expected);
}

INSTANTIATE_TEST_SUITE_P(Programs, AnsiCapture,
                         testing::Values(Replay{"ansi_tput", "ansi"}, Replay{"ansi_vim", "ansi"},
                                         Replay{"ansi_less", "ansi"}, Replay{"ansi_dialog", "ansi"},
                                         Replay{"ansi_tput", "scoansi"}, Replay{"ansi_vim", "scoansi"},
                                         Replay{"ansi_less", "scoansi"}, Replay{"ansi_dialog", "scoansi"},
                                         Replay{"scoansi_tput", "scoansi"}, Replay{"scoansi_vim", "scoansi"},
                                         Replay{"scoansi_less", "scoansi"}, Replay{"scoansi_dialog", "scoansi"}),
                         [](const testing::TestParamInfo<Replay>& param) {
                           return param.param.capture + "_through_" + param.param.module;
                         });

}  // namespace
}  // namespace korvane::test
