// The VT100 emulator: turns a VT100 host's byte stream into display
// messages, with three modes: normal, display controls (every byte shown
// as a character) and printer pass-through.
#pragma once

#include <cstddef>
#include <cstdint>

#include "ansi_family_emulator.h"
#include "module_frame.h"

namespace korvane {

extern const ModuleDefaults kVt100Defaults;
extern const int16_t kVt100DefaultKeys[];

class Vt100Emulator : public AnsiFamilyEmulator, public EmulatorHooks {
 public:
  enum class Mode { Normal = 0, DisplayControls = 1, Printer = 2 };

  explicit Vt100Emulator(ModuleFrame& frame);

  void Submit(const uint8_t* bytes, size_t count) override { SequenceParser::Submit(bytes, count); }
  const int16_t* DefaultKeyList() const override { return kVt100DefaultKeys; }
  void DescribeTerminal(TermInfo& info) override;
  // dll_Init with a window: back to normal, the printer asked to close.
  void ResetMode() override;

 private:
  using Row = CsiAction<Vt100Emulator>;
  static const Row kCsiTable[];
  // Consulted first while the host rules hold.
  static const Row kHostCsiTable[];
  static const CsiIndex<Vt100Emulator> kCsiIndex, kHostCsiIndex;

  // The tables.
  void ControlByte(uint8_t byte) override;
  void EscapeFinal(uint8_t byte) override;
  bool CsiIntroducer(uint8_t byte) override;
  void CsiFinal(uint8_t byte) override;
  void KeyString(uint8_t key, const uint8_t* text, size_t length) override;
  void WriteText(const uint8_t* text, size_t count) override;
  // Display controls and printer pass-through parse only what ends them.
  void CsiEntry(uint8_t byte) override;
  void CsiParameters(uint8_t byte) override;
  void ModeFinal(uint8_t byte);
  void EchoSequence();
  // Host rules hold in the normal mode only.
  bool HostRules() const override { return mode_ == Mode::Normal && frame_.hostCompatibility; }

  // Host compatibility: character sets, ESC D E c Z, ESC # 8, and the CSI
  // sequences of today's hosts.
  void EscapeIntermediateFinal(uint8_t intermediate, uint8_t final) override;
  bool HostEscape(uint8_t byte);
  void HostControl(uint8_t byte);
  // The designated set in use: line drawing for "0" and "2"; "A" shows "#"
  // as the pound sign.
  void FollowCharacterSets();
  uint32_t CharacterSetField() const;
  void PrivateModes(bool set);
  bool HostPrivateMode(int32_t mode, bool set);
  void HostScrollingRegion();
  void HostReset();
  void AlignmentPattern();

  // CSI handlers of the VT100 alone.
  void SetPrivateMode();
  void ResetPrivateMode();
  void SetAnsiMode();
  void ResetAnsiMode();
  void MediaCopy();
  void SetGraphicRendition();
  void ScrollingRegion();

  void SetMode(Mode mode);
  void SetCursorKeys(bool application);
  void StatusLineRows(int32_t shownRows, int32_t hiddenRows);

  Mode mode_ = Mode::Normal;
  // G0 and G1 as designated by ESC ( x and ESC ) x, and which SO/SI chose.
  uint8_t characterSets_[2] = {'B', 'B'};
  int shifted_ = 0;
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
