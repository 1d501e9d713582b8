// The VT100 module's parser as a replay emulator: the module as the client
// loads it, with no stored settings and no printer.
#include <memory>

#include "config_store.h"
#include "emulator.h"
#include "vt100_emulator.h"

namespace korvane {

namespace {

class Vt100Replay : public Emulator {
 public:
  explicit Vt100Replay(const DisplayLink& link) {
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
  Vt100Module module_{store_, printer_};
};

}  // namespace

std::unique_ptr<Emulator> MakeVt100Emulator(const DisplayLink& link) { return std::make_unique<Vt100Replay>(link); }

}  // namespace korvane
