// The help file reader (kvhelpgen --dump, the tests) must read any bytes
// without fault. The input edits a valid help file, so that the fuzzer
// reaches past the header checks: each 3-byte group is a 16-bit position
// (modulo the file size) and a byte stored there; an input starting with
// the file magic is read as a whole file instead.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "help_source.h"
#include "hlp_file.h"
#include "hlp_reader.h"

using namespace korvane::help;

namespace {

const Bytes& BaseFile() {
  static const Bytes file = [] {
    std::string source = "@help-title T\n@topic A\n@title Contents\n@keywords k\nSee [b](B0) and **c** `d`.\n- e\n";
    for (int i = 0; i < 40; ++i)
      source += "@topic B" + std::to_string(i) + "\n@map " + std::to_string(1000 + i) + "\n@title Topic " +
                std::to_string(i) + "\n@keywords k; w" + std::to_string(i) + "\nSome text " + std::to_string(i * 7919) +
                " about [a](A).\n1. step\n";
    HelpDocument doc;
    std::vector<std::string> errors;
    Bytes out;
    std::string error;
    if (!ParseHelpSource(source, "base", doc, errors) || !BuildHelpFile(doc, 0, out, error)) __builtin_trap();
    return out;
  }();
  return file;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Bytes file;
  if (size >= 4 && GetU32(data) == kHelpFileMagic) {
    file.assign(data, data + size);
  } else {
    file = BaseFile();
    for (size_t i = 0; i + 3 <= size; i += 3) file[GetU16(data + i) % file.size()] = data[i + 2];
  }
  HelpFileView view;
  std::string error;
  if (ReadHelpFile(file, view, error)) {
    for (const auto& entry : view.contextNumbers) TopicAt(view, entry.second);
    uint32_t offset;
    LookUpContext(file, 12345, offset);
  }
  return 0;
}
