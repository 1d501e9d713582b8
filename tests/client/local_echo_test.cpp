#include "local_echo.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace korvane {
namespace {

struct Recorder {
  std::vector<std::string> lines;
  static intptr_t Send(void* target, uint32_t msg, uintptr_t wParam, intptr_t lParam) {
    auto* self = static_cast<Recorder*>(target);
    if (msg == WUM_WRITE) {
      char* text = reinterpret_cast<char*>(wParam);
      self->lines.push_back("WRITE \"" + std::string(text, static_cast<size_t>(lParam)) + "\"");
      if (lParam > 0) text[0] = '#';  // the screen translates in place
    } else {
      self->lines.push_back(std::to_string(msg - WUM_USER) + " " + std::to_string(lParam));
    }
    return 0;
  }
};

TEST(LocalEcho, RunsAndCursorMovesInOrder) {
  Recorder recorder;
  DisplayLink link{Recorder::Send, &recorder};
  const std::string typed = "ab\bc\r\n\bd";
  EchoLocally(link, reinterpret_cast<const unsigned char*>(typed.data()), static_cast<int>(typed.size()));
  EXPECT_EQ(recorder.lines, (std::vector<std::string>{"WRITE \"ab\"", "15 1", "WRITE \"c\"", "20 0", "WRITE \"\"",
                                                      "16 1", "WRITE \"\"", "15 1", "WRITE \"d\""}));
  EXPECT_EQ(typed, "ab\bc\r\n\bd") << "the caller's bytes are not translated";

  recorder.lines.clear();
  EchoLocally(link, reinterpret_cast<const unsigned char*>("\r"), 1);
  EXPECT_EQ(recorder.lines, (std::vector<std::string>{"WRITE \"\"", "20 0"}));
}

}  // namespace
}  // namespace korvane
