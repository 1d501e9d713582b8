// The hosts file is a user's file: any text must read without fault, and
// every entry must be a word of at most one line's length.
#include <cstddef>
#include <cstdint>
#include <string>

#include "hosts_file.h"

using namespace korvane;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string text(reinterpret_cast<const char*>(data), size);
  auto hosts = ParseHostsText(text);
  for (const HostEntry& entry : hosts) {
    if (entry.label.empty() || entry.label.size() > kHostsLineLimit || entry.label[0] == '#') __builtin_trap();
    if (entry.label.find_first_of(" \t\r\n") != std::string::npos) __builtin_trap();
    if (entry.address && (entry.address->empty() || entry.address->size() > kHostsLineLimit)) __builtin_trap();
    HostListLine(entry);
    SelectTyped(entry.label);
  }
  PreselectedHost(hosts, text.substr(0, 16));
  ParsePortField(text);
  return 0;
}
