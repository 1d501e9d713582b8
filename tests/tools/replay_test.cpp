// The replay road without Windows: bytes through the test emulator into the
// display handler, and the screen printed as text.
#include <gtest/gtest.h>

#include <string>

#include "display_handler.h"
#include "emulator.h"
#include "fuzz/fuzz_support.h"
#include "screen_dump.h"

namespace korvane {
namespace {

struct ReplayFixture {
  explicit ReplayFixture(int rows, int columns, int status = 0) {
    screen.Allocate(rows, columns, status, 100);
    display.ResetAttribute();
    display.InitialiseForWindow();
    emulator = MakeTestEmulator(display.Link());
  }
  void Feed(const std::string& bytes) {
    emulator->Submit(reinterpret_cast<const unsigned char*>(bytes.data()), static_cast<int>(bytes.size()));
  }
  std::string Dump(bool attributes = false) { return DumpScreen(screen, table, attributes); }

  fuzz::SilentPlatform platform;
  RecordLog log{fuzz::NowhereLog()};
  ErrorReporter errors{platform, log};
  ScreenModel screen;
  AttributeTable table{log};
  Display display{screen, table, log, errors};
  std::unique_ptr<Emulator> emulator;
};

TEST(Replay, TextControlsAndSequencesReachTheScreen) {
  ReplayFixture f(4, 12);
  f.Feed("one\r\ntwo\tX\r\n\x1b[4;3Hbottom\x1b[1;2H\x1b[K");
  EXPECT_EQ(f.Dump(),
            "+------------+\n"
            "|o           |\n"
            "|two     X   |\n"
            "|            |\n"
            "|  bottom    |\n"
            "+------------+\n"
            "cursor 0,1  page 0\n");
}

TEST(Replay, AttributesAreShownPerCellWithALegend) {
  ReplayFixture f(1, 8, 1);
  f.Feed("a\x1b[7mbc\x1b[0md");
  EXPECT_EQ(f.Dump(true),
            "+--------+\n"
            "|abcd    |\n"
            " .11.....\n"
            "+--------+\n"
            "|        |\n"
            " ........\n"
            "+--------+\n"
            "cursor 0,4  page 0\n"
            ". = attribute 0: plain, foreground 16, background 17\n"
            "1 = attribute 1: REVERSE, foreground 17, background 16\n");
}

TEST(Replay, ScrollingLinesFeedTheRing) {
  ReplayFixture f(2, 5);
  f.Feed("l1\r\nl2\r\nl3\r\nl4");
  EXPECT_EQ(f.screen.ringWriteIndex(), 2);
  EXPECT_EQ(std::string(f.screen.RowForDisplay(0, 98).text, 2), "l1");
  EXPECT_EQ(DescribeWord(ATTR_BOLD | (2u << ATTR_CHARSET_SHIFT)), "BOLD CHARSET 2");
}

// --high-bytes shows code page 437 bytes instead of dots: here the lines that
// the SCO ANSI module keeps through a colour change with its type's
// HostCompatibility switch on.
TEST(Replay, HighBytesShowAsStored) {
  const std::string lines = "\x1b[12m\x1b[30mZD";
  ReplayFixture plain(1, 4), switched(1, 4);
  plain.emulator = MakeScoAnsiEmulator(plain.display.Link());
  switched.emulator = MakeScoAnsiHostEmulator(switched.display.Link());
  plain.Feed(lines);
  switched.Feed(lines);
  EXPECT_EQ(DumpScreen(plain.screen, plain.table, false, true).substr(7, 6), "|ZD  |");
  EXPECT_EQ(DumpScreen(switched.screen, switched.table, false, true).substr(7, 6), "|\xda\xc4  |");
  EXPECT_EQ(switched.Dump().substr(7, 6), "|..  |");
}

}  // namespace
}  // namespace korvane
