// Display messages come from the modules, driven by what a host sends: any
// sequence with any values must leave the screen model consistent.
#include <cstddef>
#include <cstdint>

#include "display_handler.h"
#include "display_message_source.h"
#include "fuzz_support.h"

using namespace korvane;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::ByteSource in(data, size);
  fuzz::SilentPlatform platform;
  RecordLog log(fuzz::NowhereLog());
  ErrorReporter errors(platform, log);
  ScreenModel model;
  AttributeTable attributes(log);
  Display display(model, attributes, log, errors);
  model.Allocate(1 + in.Byte() % 60, 1 + in.Byte(), in.Byte() & 1, in.Byte() % 8);
  uint8_t flags = in.Byte();
  model.delayedWrap = flags & 1;
  log.recordEvents = flags & 2;
  display.ResetAttribute();
  display.InitialiseForWindow();
  DisplayLink link = display.Link();
  while (fuzz::SendOneMessage(in, link)) {
    if (model.cursorRow() >= model.rows() || model.cursorColumn() >= model.columns() ||
        model.regionBottom() >= model.rows() || model.attribute >= attributes.entries().size())
      __builtin_trap();
  }
  return 0;
}
