// Limits of the sequence collector, seen through the VT100 emulator.
#include "sequence_parser.h"

#include <gtest/gtest.h>

#include "module_test_support.h"

namespace korvane::test {
namespace {

std::string Repeat(const std::string& text, int times) {
  std::string out;
  for (int i = 0; i < times; ++i) out += text;
  return out;
}

TEST(SequenceParser, ParametersPastTheHundredthAreDropped) {
  Vt100Harness h;
  h.Submit("ESC [ " + Repeat("1 ; ", 99) + "31 ; 32 m");
  h.Submit("ESC [ " + Repeat("1 ; ", 100) + "4 ; 31 m");
  EXPECT_EQ(h.Take(), (std::vector<std::string>{"ATTRIBUTES BOLD fg=1", "ATTRIBUTES BOLD"}));
}

TEST(SequenceParser, ASequenceSpreadOverManyCallsGrowsTheBuffer) {
  Vt100Harness h(true);
  std::string sequence = "\x1b[?7;" + Repeat("12;", 3000) + "1h";
  for (char c : sequence) h.SubmitBytes({static_cast<uint8_t>(c)});
  std::vector<std::string> lines = h.Take();
  // Auto-wrap on, then the 99 other parameters kept, each logged whole.
  ASSERT_EQ(lines.size(), 100u);
  EXPECT_EQ(lines[0], "SETOPTION 1 1");
  EXPECT_EQ(lines[1], "LOG \"UNRECOGNIZED SEQUENCE:  [27] " + sequence.substr(1) + "\\n\"");
}

TEST(SequenceParser, AnEndlessSequenceKeepsOnlyItsFirstBytes) {
  Vt100Harness h(true);
  std::string digits(SequenceParser::kSequenceLimit * 2, '9');
  h.Submit("ESC [ " + digits);
  h.Submit("x tail");
  std::vector<std::string> lines = h.Take();
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0], "LOG \"UNRECOGNIZED SEQUENCE:  [27] [" + digits.substr(0, SequenceParser::kSequenceLimit - 2) +
                          "\\n\"");
  EXPECT_EQ(lines[1], "WRITE \"tail\"");
}

TEST(SequenceParser, EachPieceOfTheUnrecognisedLogIsItsOwnMessage) {
  Vt100Harness h(true);
  h.Submit("ESC ( \xc3");
  EXPECT_EQ(h.recorder.logMessages, 4);  // heading, [27], "(", newline
  EXPECT_EQ(h.Take(), (std::vector<std::string>{"LOG \"UNRECOGNIZED SEQUENCE:  [27] (\\n\"", "WRITE \"\\xc3\""}));
}

TEST(SequenceParser, ProgrammedKeyTextEndsAfter256Bytes) {
  Vt100Harness h;
  std::string text(256, 'x');
  h.Submit("ESC [ > A / " + text + " y z");  // "y" arrives when the text is full
  h.module.frame.Key(112);
  h.Submit("ESC [ > B / " + text + " / z");
  h.module.frame.Key(113);
  EXPECT_EQ(h.Take(), (std::vector<std::string>{"WRITE \"z\"", "SENDDATA \"" + text + "\"", "WRITE \"z\"",
                                                "SENDDATA \"" + text + "\""}));
}

TEST(SequenceParser, AHugeBlockOfTextIsOneWrite) {
  Vt100Harness h;
  std::vector<uint8_t> text(1 << 20, 'a');
  h.SubmitBytes(text);
  std::vector<std::string> lines = h.Take();
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0].size(), text.size() + 8);
}

TEST(SequenceParser, ParsingStateOutlivesAFurtherInit) {
  Vt100Harness h;
  h.Submit("ESC [ 1 ; 3 1 m ESC [ 1 0 ;");
  h.module.frame.Init(&h.recorder, nullptr, nullptr);
  h.Submit("20 H SO");
  EXPECT_EQ(h.Take(), (std::vector<std::string>{"ATTRIBUTES BOLD fg=1", "MOVECURSOR 9 19", "ATTRIBUTES BOLD|GRAPHICS"}));
}

}  // namespace
}  // namespace korvane::test
