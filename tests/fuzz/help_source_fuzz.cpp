// The help topic source is read by kvhelpgen: any text must be refused with
// messages or give a document that builds into a help file which reads back
// with the same topics.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "help_source.h"
#include "hlp_file.h"
#include "hlp_reader.h"

using namespace korvane::help;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string text(reinterpret_cast<const char*>(data), size);
  HelpDocument document;
  std::vector<std::string> errors;
  bool ok = ParseHelpSource(text, "fuzz", document, errors);
  if (ok != errors.empty()) __builtin_trap();
  if (!ok) return 0;
  Bytes file;
  std::string error;
  if (!BuildHelpFile(document, 0, file, error)) return 0;  // e.g. two names with one hash
  HelpFileView view;
  if (!ReadHelpFile(file, view, error) || view.topics.size() != document.topics.size()) __builtin_trap();
  for (size_t t = 0; t < view.topics.size(); ++t)
    if (view.topics[t].title != document.topics[t].title) __builtin_trap();
  return 0;
}
