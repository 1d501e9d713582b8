// The VT100 emulator: turns a VT100 host's byte stream into display
// messages, with three modes: normal, display controls (every byte shown
// as a character) and printer pass-through.
#pragma once

#include <cstddef>
#include <cstdint>

#include "module_frame.h"
#include "sequence_parser.h"

namespace korvane {

extern const ModuleDefaults kVt100Defaults;
extern const int16_t kVt100DefaultKeys[];

class Vt100Emulator : public SequenceParser, public EmulatorHooks {
 public:
  enum class Mode { Normal = 0, DisplayControls = 1, Printer = 2 };

  explicit Vt100Emulator(ModuleFrame& frame);

  void Submit(const uint8_t* bytes, size_t count) override { SequenceParser::Submit(bytes, count); }
  const int16_t* DefaultKeyList() const override { return kVt100DefaultKeys; }
  void DescribeTerminal(TermInfo& info) override;
  void ResetMode() override { SetMode(Mode::Normal); }

  Mode CurrentMode() const { return mode_; }
  uint32_t Attributes() const { return attributes_; }

 private:
  using Row = CsiAction<Vt100Emulator>;
  static const Row kCsiTable[];

  // The tables.
  void ControlByte(uint8_t byte) override;
  void EscapeFinal(uint8_t byte) override;
  bool CsiIntroducer(uint8_t byte) override;
  void CsiFinal(uint8_t byte) override;
  void KeyString(uint8_t key, const uint8_t* text, size_t length) override;
  void WriteText(uint8_t* text, size_t count) override;
  // Display controls and printer pass-through parse only what ends them.
  void CsiEntry(uint8_t byte) override;
  void CsiParameters(uint8_t byte) override;
  void ModeFinal(uint8_t byte);
  void EchoSequence();

  // CSI handlers, one per final byte (and prefix).
  void InsertChars();
  void CursorUp();
  void CursorDown();
  void CursorRight();
  void CursorShape();
  void CursorLeft();
  void IgnoreColourModeE();
  void ForegroundColour();
  void BackgroundColour();
  void Ignore() {}
  void CursorPosition();
  void EraseDisplay();
  void EraseLine();
  void InsertLines();
  void DeleteLines();
  void DeleteChars();
  void ScrollUp();
  void ClearTabs();
  void SetPrivateMode();
  void ResetPrivateMode();
  void SetAnsiMode();
  void ResetAnsiMode();
  void MediaCopy();
  void SetGraphicRendition();
  void ScrollingRegion();
  void SaveCursor();
  void RestoreCursor();

  void SetMode(Mode mode);
  void ApplyRendition(int32_t parameter, ColourRecord& colours);
  void SetColour(int32_t which);
  void SetCharacterSet(uint32_t field);
  void SendAttributes(ColourRecord* colours);
  void SetCursorKeys(bool application);
  void StatusLineRows(int32_t shownRows, int32_t hiddenRows);
  intptr_t Send(uint32_t message, uintptr_t wParam = 0, intptr_t lParam = 0) {
    return frame_.link.Send(message, wParam, lParam);
  }

  Mode mode_ = Mode::Normal;
  uint32_t attributes_ = 0;
};

// Everything a loaded VT100 module is: the frame and the emulator, wired.
struct Vt100Module {
  Vt100Module(ConfigStore& store, PrinterPort& printerPort)
      : frame(kVt100Defaults, store, printerPort), emulator(frame) {
    frame.SetEmulator(emulator);
  }
  ModuleFrame frame;
  Vt100Emulator emulator;
};

}  // namespace korvane
