// Prints how fast the emulation modules' parsers turn host output into
// display messages, fed in the client's 512-byte receive blocks, side by
// side and beside a plain copy of the same bytes as the yardstick. The
// Wyse 60 parser gets the same screens in its own sequences. VT100 and ANSI
// also run with their terminal type's HostCompatibility switch on.
//
//   build/bench/tools/bench/parser_benchmark [megabytes]
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "ansi_emulator.h"
#include "bench_workloads.h"
#include "scoansi_emulator.h"
#include "vt100_emulator.h"
#include "wyse60_emulator.h"

using namespace korvane;

using namespace korvane::bench;

namespace {

struct Counts {
  size_t messages = 0, textBytes = 0;
};

intptr_t Count(void* target, uint32_t msg, uintptr_t, intptr_t lParam) {
  auto* counts = static_cast<Counts*>(target);
  ++counts->messages;
  if (msg == WUM_WRITE) counts->textBytes += static_cast<size_t>(lParam);
  return 0;
}

template <class Body>
double SecondsFor(Body body) {
  auto start = std::chrono::steady_clock::now();
  body();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

template <class Module>
void Measure(const char* name, const std::string& data, bool hostCompatibility = false) {
  const size_t kBlock = 512;
  MemoryConfigStore store;
  NoPrinterPort printer;
  Module module(store, printer);
  Counts counts;
  module.frame.link = DisplayLink{&Count, nullptr};
  module.frame.Init(&counts, nullptr, nullptr);
  module.frame.hostCompatibility = hostCompatibility;
  const auto* bytes = reinterpret_cast<const uint8_t*>(data.data());
  double parse = SecondsFor([&] {
    for (size_t at = 0; at < data.size(); at += kBlock) module.frame.Submit(bytes + at, std::min(kBlock, data.size() - at));
  });
  std::vector<uint8_t> sink(kBlock);
  double copy = SecondsFor([&] {
    for (size_t at = 0; at < data.size(); at += kBlock) std::memcpy(sink.data(), bytes + at, std::min(kBlock, data.size() - at));
  });
  double megabytes = static_cast<double>(data.size()) / (1 << 20);
  std::printf("  %-20s %8.1f MB/s   %8.0f messages/MB   (copying the same blocks: %8.1f MB/s)\n", name,
              megabytes / parse, static_cast<double>(counts.messages) / megabytes, megabytes / copy);
}

}  // namespace

int main(int argc, char** argv) {
  size_t megabytes = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 32;
  size_t bytes = megabytes << 20;
  const struct {
    const char* name;
    std::string data, wyse60;
  } workloads[] = {{"plain lines", Repeat(PlainLines(), bytes), Repeat(PlainLines(), bytes)},
                   {"coloured listing", Repeat(ColouredListing(), bytes), Repeat(WyseListing(), bytes)},
                   {"full-screen redraw", Repeat(FullScreenRedraw(), bytes), Repeat(WyseRedraw(), bytes)},
                   {"line-drawing text", Repeat(GraphicsBoxes(), bytes), Repeat(WyseBoxes(), bytes)}};
  std::printf("Module parsers, %zu MB per workload, 512-byte blocks\n", megabytes);
  for (const auto& workload : workloads) {
    std::printf("%s\n", workload.name);
    Measure<Vt100Module>("VT100", workload.data);
    Measure<Vt100Module>("VT100, host compat.", workload.data, true);
    Measure<AnsiModule>("ANSI", workload.data);
    Measure<AnsiModule>("ANSI, host compat.", workload.data, true);
    Measure<ScoAnsiModule>("SCO ANSI", workload.data);
    Measure<Wyse60Module>("Wyse 60", workload.wyse60);
  }
  return 0;
}
