// Terminal definitions and the colour table come from the registry, which
// users and the settings program write: any values must read safely.
#include <cstddef>
#include <cstdint>
#include <string>

#include "colour_table.h"
#include "fuzz_support.h"
#include "screen_model.h"
#include "terminal_definition.h"

using namespace korvane;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // Values separated by 0xFF: InitialScreen, AsciiMap, colors, DisplayOnly.
  std::string parts[4];
  size_t part = 0;
  for (size_t i = 0; i < size && part < 4; ++i) {
    if (data[i] == 0xFF)
      ++part;
    else
      parts[part] += static_cast<char>(data[i]);
  }
  MemoryConfigStore store;
  const std::string key = "Terms\\t";
  store.WriteTextCreatingKey(key, "TermDLL", "emu.dll");
  store.WriteTextCreatingKey(key, "TermType", "t");
  store.WriteTextCreatingKey(key, "InitialScreen", parts[0]);
  store.WriteBinary(key, "AsciiMap", parts[1].data(), parts[1].size());
  store.WriteBinary("Settings", "colors", parts[2].data(), parts[2].size());
  store.WriteTextCreatingKey(key, "DisplayOnly", parts[3]);

  fuzz::SilentPlatform platform;
  RecordLog log(fuzz::NowhereLog());
  ErrorReporter errors(platform, log);
  ClientConfig config;
  config.termName = "t";
  TermDefinition definition;
  if (ReadTermDefinition(store, config, definition, errors) != 0) __builtin_trap();
  if (definition.rows < 0 || definition.rows > kMaxRows || definition.columns < 0 || definition.columns > kMaxColumns)
    __builtin_trap();
  int rows = definition.rows, columns = definition.columns, status = definition.statusLine;
  SettleTermGeometry(config, rows, columns, status);
  if (rows < 1 || columns < 1) __builtin_trap();
  ColourTable colours;
  LoadColours(colours, store, [](int index) { return static_cast<uint32_t>(index); });
  return 0;
}
