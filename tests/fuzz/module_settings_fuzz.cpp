// A terminal type's stored settings (InitialScreen, TermType, PFKEYS) are
// registry values anyone can edit: reading them must never fault, and
// whatever they hold, the module must keep to its limits.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "vt100_emulator.h"

using namespace korvane;

namespace {

intptr_t Touch(void*, uint32_t msg, uintptr_t wParam, intptr_t lParam) {
  if (msg == WUM_SENDDATA) {
    if (lParam < 0) __builtin_trap();
    volatile uint8_t sink = 0;
    for (intptr_t i = 0; i < lParam; ++i) sink = sink + reinterpret_cast<const uint8_t*>(wParam)[i];
  }
  return 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider input(data, size);
  MemoryConfigStore store;
  std::string screen = input.ConsumeRandomLengthString(300);
  std::string termType = input.ConsumeRandomLengthString(2000);
  std::vector<uint8_t> keys = input.ConsumeRemainingBytes<uint8_t>();
  store.WriteTextCreatingKey("Terms\\vt100", "InitialScreen", screen);
  store.WriteTextCreatingKey("Terms\\vt100", "TermType", termType);
  store.WriteBinary("Terms\\vt100", "PFKEYS", keys.data(), keys.size());

  NoPrinterPort printer;
  Vt100Module module(store, printer);
  module.frame.link = DisplayLink{&Touch, nullptr};
  TermInfo info = {};
  module.frame.Init(nullptr, &info, nullptr);
  if (std::strlen(info.termType) > kTermTypeLimit || std::strlen(info.termType) == 0) __builtin_trap();
  int window = 0;
  module.frame.Init(&window, nullptr, nullptr);
  for (int code = 0; code < 0x400; code += 7) module.frame.Key(code);
  module.frame.Unload();
  return 0;
}
