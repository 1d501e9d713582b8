// The installer's command line is user input: any text parses without
// fault, an error always names its box, and a directory never starts with
// "-" or is empty.
#include <cstddef>
#include <cstdint>
#include <string>

#include "install_command_line.h"
#include "install_paths.h"

using namespace korvane;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string line(reinterpret_cast<const char*>(data), size);
  InstallCommandLine parsed = ParseInstallCommandLine(line);
  if (!parsed.ok && (parsed.error.text.empty() || parsed.error.caption.empty())) __builtin_trap();
  const InstallOptions& o = parsed.options;
  if (o.haveDirectory && (o.directory.empty() || o.directory[0] == '-')) __builtin_trap();
  if (parsed.ok && o.haveDirectory) {
    // What the removal hands to its copy parses back to the same directory
    // (a directory holding a double quote cannot be passed on).
    if (o.directory.find('"') == std::string::npos) {
      InstallCommandLine again = ParseInstallCommandLine("install.exe " + AutoRemovalArguments(o));
      if (!again.ok || again.options.directory != o.directory || !again.options.removeNow) __builtin_trap();
    }
    std::string normalised = NormaliseDirectory(o.directory);
    if (normalised.back() != '\\' && normalised.back() != '/') __builtin_trap();
    DirectoryPrefixes(normalised);
  }
  return 0;
}
