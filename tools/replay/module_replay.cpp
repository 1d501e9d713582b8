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
  // `name`: the type's default name, whose settings key holds the switch.
  ModuleReplay(const DisplayLink& link, const char* name, bool hostCompatibility) {
    module_.frame.link = link;
    if (hostCompatibility) store_.WriteTextCreatingKey(std::string("Terms\\") + name, kHostCompatibilityValue, "Y");
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

template <class Module>
std::unique_ptr<Emulator> Replay(const DisplayLink& link, const ModuleDefaults& defaults, bool hostCompatibility) {
  return std::make_unique<ModuleReplay<Module>>(link, defaults.name, hostCompatibility);
}

}  // namespace

std::unique_ptr<Emulator> MakeVt100Emulator(const DisplayLink& link) {
  return Replay<Vt100Module>(link, kVt100Defaults, false);
}
std::unique_ptr<Emulator> MakeVt100HostEmulator(const DisplayLink& link) {
  return Replay<Vt100Module>(link, kVt100Defaults, true);
}
std::unique_ptr<Emulator> MakeAnsiEmulator(const DisplayLink& link) {
  return Replay<AnsiModule>(link, kAnsiDefaults, false);
}
std::unique_ptr<Emulator> MakeAnsiHostEmulator(const DisplayLink& link) {
  return Replay<AnsiModule>(link, kAnsiDefaults, true);
}
std::unique_ptr<Emulator> MakeScoAnsiEmulator(const DisplayLink& link) {
  return Replay<ScoAnsiModule>(link, kScoAnsiDefaults, false);
}
std::unique_ptr<Emulator> MakeScoAnsiHostEmulator(const DisplayLink& link) {
  return Replay<ScoAnsiModule>(link, kScoAnsiDefaults, true);
}
std::unique_ptr<Emulator> MakeWyse60Emulator(const DisplayLink& link) {
  return Replay<Wyse60Module>(link, kWyse60Defaults, false);
}
std::unique_ptr<Emulator> MakeWyse60HostEmulator(const DisplayLink& link) {
  return Replay<Wyse60Module>(link, kWyse60Defaults, true);
}

}  // namespace korvane
