// The command line is user input: any text must parse without fault.
#include <cstddef>
#include <cstdint>
#include <string>

#include "command_line.h"
#include "fuzz_support.h"

using namespace korvane;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string line(reinterpret_cast<const char*>(data), size);
  fuzz::SilentPlatform platform;
  RecordLog log(fuzz::NowhereLog());
  ErrorReporter errors(platform, log);
  ClientConfig config;
  int result = ParseCommandLine(line, config, log, errors);
  if (result != 0 && result != 1004) __builtin_trap();
  if (config.screenRows < 0 || config.screenRows > 60 || config.screenColumns < 0 || config.screenColumns > 256)
    __builtin_trap();
  std::string removed = RemoveOption(line, "-X");
  if (removed.size() > line.size()) __builtin_trap();
  NewInstanceCommandLine(line);
  return 0;
}
