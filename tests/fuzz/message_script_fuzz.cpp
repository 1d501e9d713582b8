// The replay tool reads display messages from files: any line must parse or
// be refused, and what parses must be safe to send.
#include <cstddef>
#include <cstdint>
#include <string>

#include "display_handler.h"
#include "fuzz_support.h"
#include "message_script.h"

using namespace korvane;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::SilentPlatform platform;
  RecordLog log(fuzz::NowhereLog());
  ErrorReporter errors(platform, log);
  ScreenModel screen;
  AttributeTable attributes(log);
  Display display(screen, attributes, log, errors);
  screen.Allocate(24, 80, 1, 10);
  display.ResetAttribute();
  std::string text(reinterpret_cast<const char*>(data), size);
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    ScriptMessage message;
    std::string error;
    if (ParseMessageLine(std::string_view(text).substr(start, end - start), message, error)) {
      // Messages for the connection go nowhere here; the rest reach the screen.
      SendScriptMessage(message, display.Link());
      if (message.message) FormatMessage(message.message, 0, 0);
    }
    start = end + 1;
  }
  return 0;
}
