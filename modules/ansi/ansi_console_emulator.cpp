#include "ansi_console_emulator.h"

#include <algorithm>
#include <vector>

#include "text_util.h"

namespace korvane {

AnsiConsoleEmulator::AnsiConsoleEmulator(ModuleFrame& frame) : AnsiFamilyEmulator(frame) { MarkCommonControls(); }

void AnsiConsoleEmulator::ReadSettings() {
  auto family = frame_.ReadSetting("FontFamily");
  fontFamily_ = family ? DecimalInt(*family) : 0;
}

// The client knows two font sets; a FontFamily of neither (-1 is stored
// when the dialog's list had no selection) is the ASCII one.
void AnsiConsoleEmulator::DescribeTerminal(TermInfo& info) {
  info.fontCharSet = fontFamily_ == 1 ? 1 : 0;
  info.flags &= static_cast<uint16_t>(~TERMINFO_DELAYED_WRAP);
}

// --- After ESC ---

void AnsiConsoleEmulator::EscapeFinal(uint8_t byte) {
  if (CommonEscape(byte)) return;
  if (byte == 'Q') return BeginKeyProgramming(0);
  Unrecognised();
}

int32_t AnsiConsoleEmulator::ProgrammedKeyCode(uint8_t key) {
  if (key >= '0' && key <= ';') return 112 + (key - '0');
  if (key >= '<' && key <= 'G') return KEY_SHIFT + 112 + (key - '<');
  if (key >= 'H' && key <= 'S') return KEY_CTRL + 112 + (key - 'H');
  return 0;
}

// ESC Q key delimiter text delimiter: the text becomes the key's string for
// this session (it is not stored).
void AnsiConsoleEmulator::KeyString(uint8_t key, const uint8_t* text, size_t length) {
  if (int32_t code = ProgrammedKeyCode(key)) {
    frame_.keys.Define(code, text, length);
  } else if (frame_.logUnrecognised) {
    frame_.log.Log("Attempt to program unknown key %c (%d)\n", key, key);
  }
}

// --- CSI handlers ---

void AnsiConsoleEmulator::AutoWrap(intptr_t on) {
  if (ParameterCount() != 1 || Parameter(0) != 7) return Unrecognised();
  Send(WUM_SETOPTION, OPTION_AUTOWRAP, on);
}

void AnsiConsoleEmulator::AutoWrapOn() { AutoWrap(1); }
void AnsiConsoleEmulator::AutoWrapOff() { AutoWrap(0); }

// --- Rendition ---

void AnsiConsoleEmulator::SetGraphicRendition() {
  attributes_ = 0;
  ColourRecord colours{0, 0, 0};
  int count = std::max(ParameterCount(), 1);
  for (int i = 0; i < count; ++i) i += Rendition(i, colours);
  SendAttributes(colours.which ? &colours : nullptr);
  FollowGraphics();
}

void AnsiConsoleEmulator::UnknownRendition(int32_t parameter) {
  frame_.log.Log("UNRECOGNIZED set screen parameter....%d\n", parameter);
}

void AnsiConsoleEmulator::WriteText(const uint8_t* text, size_t count) {
  if (count) {
    lastCharacter_ = text[count - 1];
    haveLastCharacter_ = true;
  }
  AnsiFamilyEmulator::WriteText(text, count);
}

// At most a 132 x 50 screen's worth.
void AnsiConsoleEmulator::Repeat() {
  if (!haveLastCharacter_) return;
  std::vector<uint8_t> run(static_cast<size_t>(std::min(CountParameter(), 132 * 50)), lastCharacter_);
  WriteText(run.data(), run.size());
}

void AnsiConsoleEmulator::FollowGraphics() { SetTextMask((attributes_ & ATTR_GRAPHICS) ? 0x80 : 0); }

}  // namespace korvane
