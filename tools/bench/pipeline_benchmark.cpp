// The client's whole receive pipeline without drawing: host bytes through
// TelnetReceive, the emulation module's parser and the display handler into
// the screen model, for each of the four modules, side by side with
// libvterm (its screen layer, with a scrollback of the same depth) fed the
// VT100 streams through the same telnet layer. Prints a table in MB/s of
// the thread's processor time, which a machine busy with other work
// disturbs far less than the clock on the wall; never fails on time.
//
//   pipeline_benchmark [megabytes [workload-word [column-word]]]
//
// The words pick the rows and columns whose heading contains them (for
// profiling one cell of the table); the others print "-".
#include <time.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "attribute_table.h"
#include "bench_workloads.h"
#include "display_handler.h"
#include "emulator.h"
#include "record_log.h"
#include "screen_model.h"
#include "telnet_protocol.h"

#ifdef KORVANE_HAVE_VTERM
extern "C" {
#include <vterm.h>
}
#endif

using namespace korvane;
using namespace korvane::bench;

namespace {

constexpr int kScrollback = 500;

class QuietPlatform : public ErrorPlatform {
  std::string SystemErrorText(unsigned long) override { return ""; }
  void ShowErrorDialog(const std::string&, int) override {}
  void ExitProgram(int) override {}
};

// The telnet layer's view of the rest of the client: data goes to a sink.
class Front : public TelnetClient {
 public:
  explicit Front(std::function<void(const unsigned char*, int)> sink) : sink_(std::move(sink)) {}
  void Submit(const unsigned char* bytes, int count) override { sink_(bytes, count); }
  void Reply(const unsigned char*, int) override {}
  std::string TerminalType() override { return "vt100"; }
  int Rows() override { return 24; }
  int Columns() override { return 80; }
  bool LocalEcho() override { return false; }
  void SetLocalEcho(bool) override {}
  std::optional<std::string> UserName() override { return std::nullopt; }
  std::optional<std::string> ComputerName() override { return std::nullopt; }

 private:
  std::function<void(const unsigned char*, int)> sink_;
};

struct Terminal {
  const char* column;       // heading
  std::unique_ptr<Emulator> (*make)(const DisplayLink&);  // nullptr for libvterm
  const char* captureTerm;  // the TERM the top capture was made under
  int rows, statusLines;
  bool delayedWrap, wyse;
};

const Terminal kTerminals[] = {{"VT100", MakeVt100Emulator, "vt100", 24, 0, true, false},
                               {"ANSI", MakeAnsiEmulator, "ansi", 25, 0, false, false},
                               {"SCO ANSI", MakeScoAnsiEmulator, "scoansi", 25, 0, false, false},
                               {"Wyse 60", MakeWyse60Emulator, "wy60", 24, 1, false, true},
#ifdef KORVANE_HAVE_VTERM
                               {"libvterm", nullptr, "vt100", 24, 0, true, false}
#endif
};

using Feed = std::function<void(const unsigned char*, int)>;

double ThreadSeconds() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// Our pipeline: a fresh screen, display handler and module per run.
double RunKorvane(const Terminal& t, const std::string& data, int block) {
  RecordLog log;
  QuietPlatform platform;
  ErrorReporter errors(platform, log);
  ScreenModel screen;
  AttributeTable attributes(log);
  Display display(screen, attributes, log, errors);
  screen.Allocate(t.rows, 80, t.statusLines, kScrollback);
  screen.delayedWrap = t.delayedWrap;
  display.ResetAttribute();
  display.InitialiseForWindow();
  std::unique_ptr<Emulator> emulator = t.make(display.Link());
  Front front([&](const unsigned char* bytes, int count) { emulator->Submit(bytes, count); });
  TelnetProtocol telnet(front, log, errors);
  double start = ThreadSeconds();
  const auto* bytes = reinterpret_cast<const unsigned char*>(data.data());
  for (size_t at = 0; at < data.size(); at += static_cast<size_t>(block))
    telnet.TelnetReceive(bytes + at, static_cast<int>(std::min(data.size() - at, static_cast<size_t>(block))));
  return ThreadSeconds() - start;
}

#ifdef KORVANE_HAVE_VTERM
// libvterm's screen keeps no scrollback of its own: the pushed lines are
// copied into a ring as deep as ours.
struct VtermRing {
  std::vector<std::vector<VTermScreenCell>> lines{kScrollback};
  size_t next = 0;
};

int PushLine(int columns, const VTermScreenCell* cells, void* user) {
  auto* ring = static_cast<VtermRing*>(user);
  ring->lines[ring->next].assign(cells, cells + columns);
  ring->next = (ring->next + 1) % ring->lines.size();
  return 1;
}

double RunVterm(const std::string& data, int block) {
  VTerm* vt = vterm_new(24, 80);
  vterm_set_utf8(vt, 0);
  VTermScreen* screen = vterm_obtain_screen(vt);
  VtermRing ring;
  VTermScreenCallbacks callbacks = {};
  callbacks.sb_pushline = PushLine;
  vterm_screen_set_callbacks(screen, &callbacks, &ring);
  vterm_screen_reset(screen, 1);
  RecordLog log;
  QuietPlatform platform;
  ErrorReporter errors(platform, log);
  Front front([&](const unsigned char* bytes, int count) {
    vterm_input_write(vt, reinterpret_cast<const char*>(bytes), static_cast<size_t>(count));
  });
  TelnetProtocol telnet(front, log, errors);
  double start = ThreadSeconds();
  const auto* bytes = reinterpret_cast<const unsigned char*>(data.data());
  for (size_t at = 0; at < data.size(); at += static_cast<size_t>(block))
    telnet.TelnetReceive(bytes + at, static_cast<int>(std::min(data.size() - at, static_cast<size_t>(block))));
  double seconds = ThreadSeconds() - start;
  vterm_free(vt);
  return seconds;
}
#endif

std::string ReadCapture(const std::string& term) {
  std::ifstream in(std::string(KORVANE_BENCH_CAPTURES) + "/top_" + term + ".bin", std::ios::binary);
  std::stringstream content;
  content << in.rdbuf();
  return content.str();
}

struct Workload {
  const char* name;
  std::function<std::string(const Terminal&)> block;
  int readSize;
  size_t megabytesDivisor;  // one-byte writes run on a smaller amount
};

}  // namespace

int main(int argc, char** argv) {
  size_t megabytes = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 16;
  if (megabytes == 0) megabytes = 1;
  const char* workloadWord = argc > 2 ? argv[2] : "";
  const char* columnWord = argc > 3 ? argv[3] : "";
  const Workload workloads[] = {
      {"plain text, scrolling", [](const Terminal&) { return PlainLines(); }, 512, 1},
      {"SGR-heavy text", [](const Terminal& t) { return t.wyse ? WyseSgrHeavy() : SgrHeavy(); }, 512, 1},
      {"top (captured), full screen", [](const Terminal& t) { return ReadCapture(t.captureTerm); }, 512, 1},
      {"one-byte writes, plain text", [](const Terminal&) { return PlainLines(); }, 1, 8},
  };
  std::printf("Receive pipeline (telnet -> emulator -> screen model, no drawing), MB/s of processor time, %zu MB per workload\n",
              megabytes);
  std::printf("%-30s", "workload");
  for (const Terminal& t : kTerminals) std::printf("%10s", t.column);
  std::printf("\n");
  for (const Workload& w : workloads) {
    if (!std::strstr(w.name, workloadWord)) continue;
    std::printf("%-30s", w.name);
    for (const Terminal& t : kTerminals) {
      std::string block = w.block(t);
      if (block.empty() || !std::strstr(t.column, columnWord)) {  // capture missing, or not asked for
        std::printf("%10s", "-");
        continue;
      }
      std::string data = Repeat(block, std::max<size_t>(1, (megabytes << 20) / w.megabytesDivisor));
#ifdef KORVANE_HAVE_VTERM
      double seconds = t.make ? RunKorvane(t, data, w.readSize) : RunVterm(data, w.readSize);
#else
      double seconds = RunKorvane(t, data, w.readSize);
#endif
      std::printf("%10.1f", seconds > 0 ? static_cast<double>(data.size()) / (1 << 20) / seconds : 0.0);
      std::fflush(stdout);
    }
    std::printf("\n");
  }
#ifndef KORVANE_HAVE_VTERM
  std::printf("(libvterm not found at build time: no peer column)\n");
#endif
  return 0;
}
