// The emulation modules' parsers as replay emulators: each module as the
// client loads it, with no stored settings and no printer; the Host forms
// with the type's HostCompatibility switch on.
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
  ModuleReplay(const DisplayLink& link, bool hostCompatibility) {
    module_.frame.link = link;
    if (hostCompatibility) store_.WriteTextCreatingKey(std::string("Terms\\") + DefaultName(), kHostCompatibilityValue, "Y");
    TermInfo info = {};
    info.flags = TERMINFO_LOG_UNRECOGNISED;
    module_.frame.Init(nullptr, &info, nullptr);
    module_.frame.Init(link.target, nullptr, nullptr);
  }
  static const char* DefaultName();
  void Submit(const unsigned char* bytes, int count) override {
    if (count > 0) module_.frame.Submit(bytes, static_cast<size_t>(count));
  }

 private:
  MemoryConfigStore store_;
  NoPrinterPort printer_;
  Module module_{store_, printer_};
};

}  // namespace

template <>
const char* ModuleReplay<Vt100Module>::DefaultName() {
  return kVt100Defaults.name;
}
std::unique_ptr<Emulator> MakeVt100Emulator(const DisplayLink& link) {
  return std::make_unique<ModuleReplay<Vt100Module>>(link, false);
}
std::unique_ptr<Emulator> MakeVt100HostEmulator(const DisplayLink& link) {
  return std::make_unique<ModuleReplay<Vt100Module>>(link, true);
}

template <>
const char* ModuleReplay<AnsiModule>::DefaultName() {
  return kAnsiDefaults.name;
}
std::unique_ptr<Emulator> MakeAnsiEmulator(const DisplayLink& link) {
  return std::make_unique<ModuleReplay<AnsiModule>>(link, false);
}
std::unique_ptr<Emulator> MakeAnsiHostEmulator(const DisplayLink& link) {
  return std::make_unique<ModuleReplay<AnsiModule>>(link, true);
}

template <>
const char* ModuleReplay<ScoAnsiModule>::DefaultName() {
  return kScoAnsiDefaults.name;
}
std::unique_ptr<Emulator> MakeScoAnsiEmulator(const DisplayLink& link) {
  return std::make_unique<ModuleReplay<ScoAnsiModule>>(link, false);
}
std::unique_ptr<Emulator> MakeScoAnsiHostEmulator(const DisplayLink& link) {
  return std::make_unique<ModuleReplay<ScoAnsiModule>>(link, true);
}

template <>
const char* ModuleReplay<Wyse60Module>::DefaultName() {
  return kWyse60Defaults.name;
}
std::unique_ptr<Emulator> MakeWyse60Emulator(const DisplayLink& link) {
  return std::make_unique<ModuleReplay<Wyse60Module>>(link, false);
}
std::unique_ptr<Emulator> MakeWyse60HostEmulator(const DisplayLink& link) {
  return std::make_unique<ModuleReplay<Wyse60Module>>(link, true);
}

}  // namespace korvane
