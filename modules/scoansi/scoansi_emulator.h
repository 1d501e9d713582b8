// The SCO ANSI emulator: the ANSI console parser with SCO colour
// management (normal, reverse and graphics colour pairs in SCO colour
// numbers), a colour report to the host, more cursor and editing
// sequences, keyboard lock, screen send and a printer pass-through that
// DC4 starts and only DC2 ends.
#pragma once

#include <cstddef>
#include <cstdint>

#include "ansi_console_emulator.h"
#include "module_frame.h"

namespace korvane {

extern const ModuleDefaults kScoAnsiDefaults;

class ScoAnsiEmulator : public AnsiConsoleEmulator {
 public:
  enum class Mode { Normal = 0, Printer = 2 };
  struct ColourPair {
    int32_t foreground, background;
  };

  explicit ScoAnsiEmulator(ModuleFrame& frame);

  // As the ANSI module, but never a status line.
  void DescribeTerminal(TermInfo& info) override;
  // dll_Init with a window: back to normal, the printer asked to close.
  void ResetMode() override;

 private:
  using Row = CsiAction<ScoAnsiEmulator>;
  static const Row kCsiTable[];
  static const Row kHostCsiTable[];
  static const CsiIndex<ScoAnsiEmulator> kCsiIndex, kHostCsiIndex;

  // SCO colour numbers to palette numbers: red and blue trade places in
  // each group of eight; numbers above 15 pass unchanged.
  static int32_t MapColour(int32_t sco);

  void ControlByte(uint8_t byte) override;
  void WriteText(const uint8_t* text, size_t count) override;
  void CsiFinal(uint8_t byte) override;
  int Rendition(int index, ColourRecord& colours) override;
  void SetMode(Mode mode);

  // CSI handlers of SCO ANSI alone.
  void ColumnAbsolute();
  void RowAbsolute();
  void PrecedingLine();
  void NormalForeground();
  void NormalBackground();
  void ReverseForeground();
  void ReverseBackground();
  void GraphicsForeground();
  void GraphicsBackground();
  void ColourReport();
  void InsertLinesLogged();
  void ScrollDown();
  void EraseChars();
  void BackTab();
  void LockKeyboard();
  void UnlockKeyboard();
  void SendScreen();

  void SetPairColour(ColourPair& pair, bool foreground, int32_t colour, bool active);
  void SetPair(ColourPair& pair, int32_t foreground, int32_t background);
  void UsePair(const ColourPair& pair, ColourRecord& colours);
  // ESC [ 39 m and ESC [ 49 m with the switch on: the normal pair's colour.
  void DefaultColour(bool foreground, ColourRecord& colours);
  void KeyboardLock(intptr_t locked);
  bool NoPairActive() const { return !reverseActive_ && !graphicsActive_; }

  Mode mode_ = Mode::Normal;
  // Palette numbers; they last as long as the module is loaded.
  ColourPair normal_{COLOUR_DEFAULT_FOREGROUND, COLOUR_DEFAULT_BACKGROUND};
  ColourPair reverse_{COLOUR_DEFAULT_BACKGROUND, COLOUR_DEFAULT_FOREGROUND};
  ColourPair graphics_{COLOUR_DEFAULT_FOREGROUND, COLOUR_DEFAULT_BACKGROUND};
  bool reverseActive_ = false;
  bool graphicsActive_ = false;
};

// Everything a loaded SCO ANSI module is: the frame and the emulator, wired.
struct ScoAnsiModule {
  ScoAnsiModule(ConfigStore& store, PrinterPort& printerPort)
      : frame(kScoAnsiDefaults, store, printerPort), emulator(frame) {
    frame.SetEmulator(emulator);
  }
  ModuleFrame frame;
  ScoAnsiEmulator emulator;
};

}  // namespace korvane
