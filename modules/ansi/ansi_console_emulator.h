// What the ANSI and SCO ANSI emulators share beyond the VT100 family's
// handlers: ESC Q function-key programming, text bytes written with their
// top bit flipped while GRAPHICS is set, a rendition rebuilt from nothing by
// every ESC [ ... m, auto-wrap by ESC [ ? 7 h/l alone, the FontFamily
// setting and the default keys.
#pragma once

#include <cstddef>
#include <cstdint>

#include "ansi_family_emulator.h"
#include "module_frame.h"

namespace korvane {

// The keys both modules start with.
extern const int16_t kAnsiDefaultKeys[];

class AnsiConsoleEmulator : public AnsiFamilyEmulator, public EmulatorHooks {
 public:
  void Submit(const uint8_t* bytes, size_t count) override { SequenceParser::Submit(bytes, count); }
  const int16_t* DefaultKeyList() const override { return kAnsiDefaultKeys; }
  // FontFamily, once per load.
  void ReadSettings() override;
  // Font character set from FontFamily; the wrap is not deferred.
  void DescribeTerminal(TermInfo& info) override;

  // The FontFamily value as read (0 ASCII, 1 ANSI, -1 none chosen).
  int FontFamily() const { return fontFamily_; }
  void SetFontFamily(int family) { fontFamily_ = family; }

 protected:
  explicit AnsiConsoleEmulator(ModuleFrame& frame);

  // After ESC: 1 2 7 8, Q and "[".
  void EscapeFinal(uint8_t byte) override;
  void KeyString(uint8_t key, const uint8_t* text, size_t length) override;

  // ESC [ ? 7 h and ESC [ ? 7 l, with no other parameter.
  void AutoWrapOn();
  void AutoWrapOff();

  // ESC [ ... m: the attribute word starts at 0, each parameter goes
  // through Rendition(), then one WUM_ATTRIBUTES.
  void SetGraphicRendition();
  // The parameter at `index`; returns how many of the following parameters
  // it used up.
  virtual int Rendition(int index, ColourRecord& colours) = 0;
  void UnknownRendition(int32_t parameter);

  // Text bytes are flipped (XOR 0x80) while the attribute word has
  // GRAPHICS: called whenever the word may have changed.
  void FollowGraphics();

  // Screen text; its last character is kept for Repeat().
  void WriteText(const uint8_t* text, size_t count) override;
  // ESC [ n b with the HostCompatibility switch on: the last character
  // written, n times more.
  void Repeat();

 private:
  // The key code that ESC Q <key> programs ("0".. F1, "<".. Shift+F1,
  // "H".. Ctrl+F1, twelve each); 0 for any other byte.
  static int32_t ProgrammedKeyCode(uint8_t key);

  void AutoWrap(intptr_t on);

  int fontFamily_ = 0;
  uint8_t lastCharacter_ = 0;
  bool haveLastCharacter_ = false;
};

}  // namespace korvane
