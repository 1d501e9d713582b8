// The ANSI emulator: an ANSI console's byte stream into display messages.
// Two per-type switches let a type ignore the host's colour and
// double-size requests. There is no printer and no other mode.
#pragma once

#include <cstddef>
#include <cstdint>

#include "ansi_console_emulator.h"
#include "module_frame.h"

namespace korvane {

extern const ModuleDefaults kAnsiDefaults;

class AnsiEmulator : public AnsiConsoleEmulator {
 public:
  explicit AnsiEmulator(ModuleFrame& frame) : AnsiConsoleEmulator(frame) {}

  // Ignore_SetColor and Ignore_DoubleSize, at every dll_Init with a window.
  void Attached() override;

 private:
  using Row = CsiAction<AnsiEmulator>;
  static const Row kCsiTable[];
  // Consulted first while the host rules hold.
  static const Row kHostCsiTable[];
  static const CsiIndex<AnsiEmulator> kCsiIndex, kHostCsiIndex;

  void ControlByte(uint8_t byte) override;
  void CsiFinal(uint8_t byte) override;
  int Rendition(int index, ColourRecord& colours) override;
  bool HonoursColourRequests() const override { return !ignoreColour_; }
  // Keeps the last character written, for REP.

  // Host compatibility: REP, VPA, CHA/HPA, ECH, CBT, CHT, SD.
  void RowAbsolute();
  void ColumnAbsolute();
  void EraseChars();
  void BackTab();
  void ForwardTab();
  void ScrollDown();

  bool ignoreColour_ = false;
  bool ignoreDoubleSize_ = false;
  // The last character written (as stored, top bit flipped under GRAPHICS).
};

// Everything a loaded ANSI module is: the frame and the emulator, wired.
struct AnsiModule {
  AnsiModule(ConfigStore& store, PrinterPort& printerPort)
      : frame(kAnsiDefaults, store, printerPort), emulator(frame) {
    frame.SetEmulator(emulator);
  }
  ModuleFrame frame;
  AnsiEmulator emulator;
};

}  // namespace korvane
