#include "capture_support.h"

#include <fstream>
#include <iterator>
#include <random>

#include "display_handler.h"
#include "fuzz/fuzz_support.h"

namespace korvane::test {

std::filesystem::path CaptureDirectory() { return std::filesystem::path(__FILE__).parent_path() / "captures"; }

std::vector<uint8_t> ReadBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

std::vector<std::string> ReadLines(const std::filesystem::path& path) {
  std::ifstream in(path);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

std::vector<std::string> FeedCapture(ModuleHarness& harness, const std::vector<uint8_t>& bytes, unsigned seed) {
  harness.Take();
  std::mt19937 random(seed);
  for (size_t at = 0; at < bytes.size();) {
    size_t piece = seed ? std::min<size_t>(1 + random() % 40, bytes.size() - at) : bytes.size();
    harness.SubmitBytes(std::vector<uint8_t>(bytes.begin() + at, bytes.begin() + at + piece));
    at += piece;
  }
  std::vector<std::string> joined;
  for (const std::string& line : harness.Take()) {
    if (line.rfind("WRITE \"", 0) == 0 && !joined.empty() && joined.back().rfind("WRITE \"", 0) == 0) {
      joined.back().pop_back();
      joined.back() += line.substr(7);
    } else {
      joined.push_back(line);
    }
  }
  return joined;
}

std::vector<std::string> LoggedLines(const std::vector<std::string>& messages) {
  std::vector<std::string> logged;
  for (const std::string& line : messages)
    if (line.rfind("LOG ", 0) == 0) logged.push_back(line);
  return logged;
}

namespace {

// Every row of the screen, the status line (when there is one) last.
std::vector<std::string> Replay(const std::function<std::unique_ptr<Emulator>(const DisplayLink&)>& make,
                                const std::vector<uint8_t>& bytes, int rows, int statusLines, bool delayedWrap) {
  fuzz::SilentPlatform platform;
  RecordLog log(fuzz::NowhereLog());
  ErrorReporter errors(platform, log);
  ScreenModel screen;
  AttributeTable attributes(log);
  Display display(screen, attributes, log, errors);
  screen.Allocate(rows, 80, statusLines, 100);
  screen.delayedWrap = delayedWrap;
  display.ResetAttribute();
  display.InitialiseForWindow();
  std::unique_ptr<Emulator> emulator = make(display.Link());
  for (size_t at = 0; at < bytes.size(); at += 512)
    emulator->Submit(bytes.data() + at, static_cast<int>(std::min<size_t>(512, bytes.size() - at)));
  std::vector<std::string> text;
  for (int row = 0; row < screen.totalRows(); ++row) {
    std::string line;
    for (int column = 0; column < screen.columns(); ++column) {
      auto c = static_cast<unsigned char>(screen.CharAt(row, column));
      line += c == 0 ? ' ' : c < 32 ? '.' : static_cast<char>(c);
    }
    text.push_back(line.substr(0, line.find_last_not_of(' ') + 1));
  }
  return text;
}

}  // namespace

std::vector<std::string> ReplayedRows(const std::function<std::unique_ptr<Emulator>(const DisplayLink&)>& make,
                                      const std::vector<uint8_t>& bytes, int rows, bool delayedWrap) {
  return Replay(make, bytes, rows, 0, delayedWrap);
}

std::vector<std::string> ReplayedRowsAndStatusLine(
    const std::function<std::unique_ptr<Emulator>(const DisplayLink&)>& make, const std::vector<uint8_t>& bytes,
    int rows, bool delayedWrap) {
  return Replay(make, bytes, rows, 1, delayedWrap);
}

std::vector<std::string> ExpectedRows(const std::string& screen, const std::string& differences, int rows) {
  std::vector<std::string> expected = ReadLines(CaptureDirectory() / screen);
  expected.resize(static_cast<size_t>(rows));
  for (std::string& row : expected) row = row.substr(0, row.find_last_not_of(' ') + 1);
  for (const std::string& line : ReadLines(CaptureDirectory() / differences)) {
    size_t bar = line.find('|');
    if (line.empty() || line[0] == '#' || bar == std::string::npos) continue;
    expected.at(std::stoul(line.substr(0, bar))) = line.substr(bar + 1);
  }
  return expected;
}

}  // namespace korvane::test
