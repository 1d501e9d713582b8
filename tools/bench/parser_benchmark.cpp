// Prints how fast the emulation modules' parsers turn host output into
// display messages, fed in the client's 512-byte receive blocks, side by
// side and beside a plain copy of the same bytes as the yardstick. The
// Wyse 60 parser gets the same screens in its own sequences.
//
//   build/bench/tools/bench/parser_benchmark [megabytes]
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "ansi_emulator.h"
#include "scoansi_emulator.h"
#include "vt100_emulator.h"
#include "wyse60_emulator.h"

using namespace korvane;

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

std::string Repeat(const std::string& block, size_t bytes) {
  std::string out;
  out.reserve(bytes + block.size());
  while (out.size() < bytes) out += block;
  return out;
}

std::string PlainLines() { return std::string(78, 'x') + "\r\n"; }

std::string ColouredListing() {
  std::string block;
  for (int i = 0; i < 8; ++i) block += "\x1b[1;3" + std::to_string(i % 8) + "mname" + std::to_string(i) + "\x1b[0m  ";
  return block + "\r\n";
}

std::string FullScreenRedraw() {
  std::string block;
  for (int row = 1; row <= 24; ++row)
    block += "\x1b[" + std::to_string(row) + ";1H" + std::string(60, 'a' + row % 26) + "\x1b[K";
  return block + "\x1b[H\x1b[J";
}

template <class Body>
double SecondsFor(Body body) {
  auto start = std::chrono::steady_clock::now();
  body();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Text drawn in the line-drawing set: every byte flipped on its way by the
// ANSI and SCO ANSI parsers.
std::string GraphicsBoxes() {
  return "\x0e" + std::string(76, 'q') + "\x0f\r\n\x1b[12m" + std::string(76, 'D') + "\x1b[10m\r\n";
}

// The same screens as a Wyse 60 host sends them: attributes with ESC G,
// addressing with ESC = row column, line drawing in character set 1.
std::string WyseListing() {
  std::string block;
  for (int i = 0; i < 8; ++i) block += "\x1bG" + std::string(1, "48:<"[i % 4]) + "name" + std::to_string(i) + "\x1bG0  ";
  return block + "\r\n";
}

std::string WyseRedraw() {
  std::string block;
  for (int row = 0; row < 24; ++row)
    block += "\x1b=" + std::string(1, static_cast<char>(32 + row)) + " " + std::string(60, 'a' + (row + 1) % 26) + "\x1bT";
  return block + "\x1b*";
}

std::string WyseBoxes() {
  return "\x1b" "cE" + std::string(76, 'D') + "\x1b" "cD\r\n\x1bH\x02" + std::string(76, 'z') + "\x1bH\x03\r\n";
}

template <class Module>
void Measure(const char* name, const std::string& data) {
  const size_t kBlock = 512;
  MemoryConfigStore store;
  NoPrinterPort printer;
  Module module(store, printer);
  Counts counts;
  module.frame.link = DisplayLink{&Count, nullptr};
  module.frame.Init(&counts, nullptr, nullptr);
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
    Measure<AnsiModule>("ANSI", workload.data);
    Measure<ScoAnsiModule>("SCO ANSI", workload.data);
    Measure<Wyse60Module>("Wyse 60", workload.wyse60);
  }
  return 0;
}
