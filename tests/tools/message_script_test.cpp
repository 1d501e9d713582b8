#include "message_script.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace korvane {
namespace {

// Records what a link receives, formatted.
struct Recorder {
  std::vector<std::string> lines;
  DisplayLink Link() {
    DisplayLink link;
    link.target = this;
    link.send = [](void* target, uint32_t message, uintptr_t wParam, intptr_t lParam) -> intptr_t {
      static_cast<Recorder*>(target)->lines.push_back(FormatMessage(message, wParam, lParam));
      return 0;
    };
    return link;
  }
};

std::string RoundTrip(const std::string& line) {
  ScriptMessage message;
  std::string error;
  EXPECT_TRUE(ParseMessageLine(line, message, error)) << line << ": " << error;
  Recorder recorder;
  SendScriptMessage(message, recorder.Link());
  return recorder.lines.empty() ? "" : recorder.lines[0];
}

TEST(MessageScript, EveryFormReadsBackAsItIsWritten) {
  for (const char* line : {"WRITE \"a \\\"quoted\\\" \\\\ line\\e\\x00\\t\"", "ERASERECT 0 0 -1 -1 1",
                           "SCROLLRECT 0 2 79 22 -3", "ATTRIBUTES 0x19", "ATTRIBUTES 0x1 4 2 3",
                           "SETCOLOR 0x0 17 16 3", "SETOPTION 3 \"status\"", "SETOPTION 6 0x8", "SETOPTION 2 1",
                           "MOVECURSOR 262153 0", "CURSORUP -1 2", "LOG \"log line\\r\\n\"", "SENDDATA \"\\e[A\"",
                           "1200 5 -6"})
    EXPECT_EQ(RoundTrip(line), line);
}

TEST(MessageScript, NamesIgnoreCaseAndNumbersMayBeHex) {
  EXPECT_EQ(RoundTrip("tab 0x2"), "TAB 2 0");
  EXPECT_EQ(RoundTrip("1133 \"x\""), "WRITE \"x\"");
  EXPECT_EQ(RoundTrip("SETCOLOR 0"), "SETCOLOR 0x0 0 0 0");  // the record is always given
  EXPECT_EQ(RoundTrip("WRITE 4 2"), "WRITE \"\"");          // never a number as a pointer
  EXPECT_EQ(MessageName(WUM_SETROWORCOL), "SETROWORCOL");
  EXPECT_EQ(MessageName(1128), "1128");
}

TEST(MessageScript, BlankCommentAndBadLines) {
  ScriptMessage message;
  std::string error;
  EXPECT_TRUE(ParseMessageLine("   # a comment", message, error));
  EXPECT_EQ(message.message, 0u);
  EXPECT_TRUE(ParseMessageLine("", message, error));
  EXPECT_FALSE(ParseMessageLine("NOSUCH 1", message, error));
  EXPECT_EQ(error, "unknown message NOSUCH");
  EXPECT_FALSE(ParseMessageLine("WRITE \"open", message, error));
  EXPECT_EQ(error, "unterminated quote");
  EXPECT_FALSE(ParseMessageLine("WRITE \"\\x4\"", message, error));
  EXPECT_FALSE(ParseMessageLine("TAB 1x", message, error));
  EXPECT_FALSE(ParseMessageLine("0", message, error));
}

TEST(MessageScript, TracingLinkWritesAndPassesOn) {
  Recorder next;
  std::vector<std::string> trace;
  TracingLink tracing;
  tracing.next = next.Link();
  tracing.context = &trace;
  tracing.sink = [](void* context, const std::string& line) {
    static_cast<std::vector<std::string>*>(context)->push_back(line);
  };
  tracing.Link().Send(WUM_BEEP);
  EXPECT_EQ(trace, std::vector<std::string>{"BEEP 0 0"});
  EXPECT_EQ(next.lines, trace);
}

}  // namespace
}  // namespace korvane
