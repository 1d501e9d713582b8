// The replay tool's "bytes -> display messages" step. An emulator receives
// host bytes (as dll_Submit does) and sends display messages through a
// link; the tool keeps a table of the emulators it knows by name.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "display_messages.h"

namespace korvane {

class Emulator {
 public:
  virtual ~Emulator() = default;
  virtual void Submit(const unsigned char* bytes, int count) = 0;
};

struct EmulatorEntry {
  std::string name;
  std::string description;
  std::function<std::unique_ptr<Emulator>(const DisplayLink&)> make;
  // The same with the terminal type's HostCompatibility switch on; none
  // for an emulator without it.
  std::function<std::unique_ptr<Emulator>(const DisplayLink&)> makeHost;
};

// Every emulator the replay tool can use; the first is the default.
const std::vector<EmulatorEntry>& KnownEmulators();

// A small emulator for trying the display side without a module: text runs,
// CR, LF, BS, HT, BEL, and ESC [ with H f A B C D J K m r L M @ P.
std::unique_ptr<Emulator> MakeTestEmulator(const DisplayLink& link);
// The VT100 module's parser (emu_vt100.dll without Windows); it defers the
// wrap at the right margin, so replay it with --delayed-wrap.
std::unique_ptr<Emulator> MakeVt100Emulator(const DisplayLink& link);
// The ANSI and SCO ANSI modules' parsers (emu_ansi.dll, emu_scoansi.dll);
// their screens are 25 x 80 (--size 25,80).
std::unique_ptr<Emulator> MakeAnsiEmulator(const DisplayLink& link);
std::unique_ptr<Emulator> MakeScoAnsiEmulator(const DisplayLink& link);
// The Wyse 60 module's parser (emu_wyse60.dll); replay it with a status
// line (--size 24,80,Y) to see the label line.
std::unique_ptr<Emulator> MakeWyse60Emulator(const DisplayLink& link);
// The four modules with the type's HostCompatibility switch on.
std::unique_ptr<Emulator> MakeVt100HostEmulator(const DisplayLink& link);
std::unique_ptr<Emulator> MakeAnsiHostEmulator(const DisplayLink& link);
std::unique_ptr<Emulator> MakeScoAnsiHostEmulator(const DisplayLink& link);
std::unique_ptr<Emulator> MakeWyse60HostEmulator(const DisplayLink& link);

}  // namespace korvane
