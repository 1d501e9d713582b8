// What the tests of captured program output share: the files in
// captures/ (recorded with tools/capture_program.py), feeding them to a
// module cut into pieces, and replaying them into the client's screen.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "emulator.h"
#include "module_test_support.h"

namespace korvane::test {

std::filesystem::path CaptureDirectory();
std::vector<uint8_t> ReadBytes(const std::filesystem::path& path);
// The file's lines; none when it does not exist.
std::vector<std::string> ReadLines(const std::filesystem::path& path);

// The messages a fresh module sends for the bytes, fed whole (seed 0) or
// in random pieces of 1 to 40 bytes; text runs are joined, since only their
// cutting may depend on the calls.
std::vector<std::string> FeedCapture(ModuleHarness& harness, const std::vector<uint8_t>& bytes, unsigned seed);
// The unrecognised-sequence log lines among them.
std::vector<std::string> LoggedLines(const std::vector<std::string>& messages);

// The rows of a rows x 80 screen after the bytes went through the emulator
// and the client's display handler, in 512-byte blocks: each cell's byte,
// control bytes as ".", trailing blanks dropped.
std::vector<std::string> ReplayedRows(const std::function<std::unique_ptr<Emulator>(const DisplayLink&)>& make,
                                      const std::vector<uint8_t>& bytes, int rows, bool delayedWrap);
// The same on a screen with a status line, whose text comes last.
std::vector<std::string> ReplayedRowsAndStatusLine(
    const std::function<std::unique_ptr<Emulator>(const DisplayLink&)>& make, const std::vector<uint8_t>& bytes,
    int rows, bool delayedWrap);
// tmux's rows (captures/<screen>) with the rows that captures/<differences>
// lists ("row|text", "#" comments) put in their place.
std::vector<std::string> ExpectedRows(const std::string& screen, const std::string& differences, int rows);

}  // namespace korvane::test
