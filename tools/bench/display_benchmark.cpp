// Throughput of the display-message handler (no drawing): messages per
// second and MB/s of host text for three workloads on a 24 x 80 screen with
// a 500-line ring, per second of the thread's processor time (steadier than
// the wall clock on a busy machine). Prints figures; never fails on time.
//
//   display_benchmark [--quick]
#include <time.h>

#include <cstdio>
#include <cstring>
#include <functional>
#include <string>

#include "display_handler.h"

namespace korvane {
namespace {

class QuietPlatform : public ErrorPlatform {
  std::string SystemErrorText(unsigned long) override { return ""; }
  void ShowErrorDialog(const std::string&, int) override {}
  void ExitProgram(int) override {}
};

struct Bench {
  RecordLog log;
  QuietPlatform platform;
  ErrorReporter errors{platform, log};
  ScreenModel screen;
  AttributeTable attributes{log};
  Display display{screen, attributes, log, errors};
  DisplayLink link;
  long long messages = 0, bytes = 0;

  Bench() {
    screen.Allocate(24, 80, 0, 500);
    display.ResetAttribute();
    display.InitialiseForWindow();
    link = display.Link();
  }
  void Send(uint32_t message, uintptr_t wParam = 0, intptr_t lParam = 0) {
    link.Send(message, wParam, lParam);
    ++messages;
  }
  void Write(const char* text, int count) {
    Send(WUM_WRITE, reinterpret_cast<uintptr_t>(text), count);
    bytes += count;
  }
  void NewLine() {
    Send(WUM_CARRIAGERETURN);
    Send(WUM_CURSORDOWN, 0, 1);
    bytes += 2;
  }
};

const char kLine[] = "The quick brown fox jumps over the lazy dog; 0123456789 abcdefghijklmnopqrstuvwx";
static_assert(sizeof kLine - 1 == 80, "one full line");

// 80-column lines ending in CR LF, scrolling the screen into the ring.
void PlainLines(Bench& b) {
  b.Write(kLine, 80);
  b.NewLine();
}

// The same with an attribute change every 8 characters.
void ColouredLines(Bench& b) {
  static uint32_t words[2] = {ATTR_BOLD, 0};
  static ColourRecord colours[2] = {{4, 3, 3}, {17, 16, 3}};
  for (int i = 0; i < 10; ++i) {
    ColourRecord record = colours[i & 1];
    b.Send(WUM_ATTRIBUTES, reinterpret_cast<uintptr_t>(&words[i & 1]), reinterpret_cast<intptr_t>(&record));
    b.bytes += 5;  // about what an SGR sequence costs on the wire
    b.Write(kLine + 8 * i, 8);
  }
  b.NewLine();
}

// Erase the screen and write every row again.
void FullScreens(Bench& b) {
  b.Send(WUM_CLEARSCREEN);
  b.bytes += 4;
  for (int row = 0; row < 24; ++row) {
    b.Send(WUM_MOVECURSOR, MakeLong(0, static_cast<uint32_t>(row)));
    b.bytes += 6;
    b.Write(kLine, row == 23 ? 79 : 80);  // the last cell stays free: no scroll
  }
}

double ThreadSeconds() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

void Measure(const char* name, const std::function<void(Bench&)>& step, double seconds) {
  Bench bench;
  double start = ThreadSeconds();
  double elapsed = 0;
  long long steps = 0;
  while (elapsed < seconds) {
    for (int i = 0; i < 100; ++i) step(bench);
    steps += 100;
    elapsed = ThreadSeconds() - start;
  }
  std::printf("%-34s %12.0f messages/s %9.1f MB/s  (%lld steps)\n", name, bench.messages / elapsed,
              bench.bytes / elapsed / 1e6, steps);
}

}  // namespace
}  // namespace korvane

int main(int argc, char** argv) {
  double seconds = argc > 1 && std::strcmp(argv[1], "--quick") == 0 ? 0.01 : 2.0;
  std::printf("Display handler, 24 x 80, 500-line ring, no drawing:\n");
  korvane::Measure("plain lines, CR LF, scrolling", korvane::PlainLines, seconds);
  korvane::Measure("attribute change every 8 chars", korvane::ColouredLines, seconds);
  korvane::Measure("full-screen erase and rewrite", korvane::FullScreens, seconds);
  return 0;
}
