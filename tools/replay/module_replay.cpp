// The emulation modules' parsers as replay emulators: each module as the
// client loads it, with no stored settings and no printer.
#include <memory>

#include "ansi_emulator.h"
#include "config_store.h"
#include "emulator.h"
#include "scoansi_emulator.h"
#include "vt100_emulator.h"
#include "wyse60_emulator.h"

namespace korvane {

namespace {

template <class Module>
class ModuleReplay : public Emulator {
 public:
  explicit ModuleReplay(const DisplayLink& link) {
    module_.frame.link = link;
    TermInfo info = {};
    info.flags = TERMINFO_LOG_UNRECOGNISED;
    module_.frame.Init(nullptr, &info, nullptr);
    module_.frame.Init(link.target, nullptr, nullptr);
  }
  void Submit(const unsigned char* bytes, int count) override {
    if (count > 0) module_.frame.Submit(bytes, static_cast<size_t>(count));
  }

 private:
  MemoryConfigStore store_;
  NoPrinterPort printer_;
  Module module_{store_, printer_};
};

}  // namespace

std::unique_ptr<Emulator> MakeVt100Emulator(const DisplayLink& link) {
  return std::make_unique<ModuleReplay<Vt100Module>>(link);
}

std::unique_ptr<Emulator> MakeAnsiEmulator(const DisplayLink& link) {
  return std::make_unique<ModuleReplay<AnsiModule>>(link);
}

std::unique_ptr<Emulator> MakeScoAnsiEmulator(const DisplayLink& link) {
  return std::make_unique<ModuleReplay<ScoAnsiModule>>(link);
}

std::unique_ptr<Emulator> MakeWyse60Emulator(const DisplayLink& link) {
  return std::make_unique<ModuleReplay<Wyse60Module>>(link);
}

}  // namespace korvane
