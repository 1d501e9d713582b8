#include "scoansi_emulator.h"

#include <algorithm>
#include <cstdlib>
#include <string>

namespace korvane {

const ModuleDefaults kScoAnsiDefaults = {"scoansi", "ansi", {25, 80, false}};

ScoAnsiEmulator::ScoAnsiEmulator(ModuleFrame& frame) : AnsiConsoleEmulator(frame) { SetMode(Mode::Normal); }

int32_t ScoAnsiEmulator::MapColour(int32_t sco) {
  static const int32_t kPalette[16] = {0, 4, 2, 6, 1, 5, 3, 7, 8, 12, 10, 14, 9, 13, 11, 15};
  return sco >= 0 && sco < 16 ? kPalette[sco] : sco;
}

void ScoAnsiEmulator::DescribeTerminal(TermInfo& info) {
  AnsiConsoleEmulator::DescribeTerminal(info);
  info.statusLine = 0;
}

// A further dll_Init leaves the pass-through; the printer then closes
// once idle, as after DC2, instead of staying open for good.
void ScoAnsiEmulator::ResetMode() {
  if (mode_ == Mode::Printer) frame_.printer.TurnPrinterOff();
  SetMode(Mode::Normal);
}

// In the pass-through every byte but DC2 is printed, ESC included, and
// printed as received (no GRAPHICS flip).
void ScoAnsiEmulator::SetMode(Mode mode) {
  mode_ = mode;
  for (int byte = 0; byte < 256; ++byte) MarkControl(static_cast<uint8_t>(byte), false);
  if (mode == Mode::Printer) {
    MarkControl(DC2, true);
    SetTextMask(0);
  } else {
    MarkCommonControls();
    MarkControl(DC4, true);
    FollowGraphics();
  }
}

void ScoAnsiEmulator::WriteText(const uint8_t* text, size_t count) {
  if (mode_ == Mode::Printer)
    frame_.printer.Print(text, count);
  else
    AnsiConsoleEmulator::WriteText(text, count);
}

// --- Ground ---

void ScoAnsiEmulator::ControlByte(uint8_t byte) {
  switch (mode_) {
    case Mode::Printer:  // only DC2 is a control here
      SetMode(Mode::Normal);
      frame_.printer.TurnPrinterOff();
      break;
    case Mode::Normal:
      if (byte == DC4) {
        SetMode(Mode::Printer);
        frame_.printer.TurnPrinterOn();
        break;
      }
      CommonControl(byte);
      FollowGraphics();
      break;
    default:
      frame_.log.Log("Really, really bad error - unexpected MachineState in DLL\n");
      std::exit(1);
  }
}

// --- CSI ---

// clang-format off
const ScoAnsiEmulator::Row ScoAnsiEmulator::kCsiTable[] = {
    {'\'', kPrefixNone, &ScoAnsiEmulator::ColumnAbsolute},
    {'@', kPrefixNone, &ScoAnsiEmulator::InsertChars},
    {'A', kPrefixNone, &ScoAnsiEmulator::CursorUp},
    {'A', kPrefixEquals, &ScoAnsiEmulator::Ignore},
    {'B', kPrefixNone, &ScoAnsiEmulator::CursorDown},
    {'B', kPrefixEquals, &ScoAnsiEmulator::Ignore},
    {'C', kPrefixNone, &ScoAnsiEmulator::CursorRight},
    {'C', kPrefixEquals, &ScoAnsiEmulator::CursorShape},
    {'D', kPrefixNone, &ScoAnsiEmulator::CursorLeft},
    {'D', kPrefixEquals, &ScoAnsiEmulator::Ignore},
    {'E', kPrefixNone, &ScoAnsiEmulator::CursorDown},
    {'E', kPrefixEquals, &ScoAnsiEmulator::IgnoreColourModeE},
    {'F', kPrefixNone, &ScoAnsiEmulator::PrecedingLine},
    {'F', kPrefixEquals, &ScoAnsiEmulator::NormalForeground},
    {'G', kPrefixEquals, &ScoAnsiEmulator::NormalBackground},
    {'H', kPrefixNone, &ScoAnsiEmulator::CursorPosition},
    {'f', kPrefixNone, &ScoAnsiEmulator::CursorPosition},
    {'H', kPrefixEquals, &ScoAnsiEmulator::ReverseForeground},
    {'I', kPrefixEquals, &ScoAnsiEmulator::ReverseBackground},
    {'J', kPrefixNone, &ScoAnsiEmulator::EraseDisplay},
    {'J', kPrefixEquals, &ScoAnsiEmulator::GraphicsForeground},
    {'K', kPrefixNone, &ScoAnsiEmulator::EraseLine},
    {'K', kPrefixEquals, &ScoAnsiEmulator::GraphicsBackground},
    {'L', kPrefixNone, &ScoAnsiEmulator::InsertLinesLogged},
    {'M', kPrefixNone, &ScoAnsiEmulator::DeleteLines},
    {'M', kPrefixEquals, &ScoAnsiEmulator::ColourReport},
    {'P', kPrefixNone, &ScoAnsiEmulator::DeleteChars},
    {'S', kPrefixNone, &ScoAnsiEmulator::ScrollUp},
    {'T', kPrefixNone, &ScoAnsiEmulator::ScrollDown},
    {'X', kPrefixNone, &ScoAnsiEmulator::EraseChars},
    {'Z', kPrefixNone, &ScoAnsiEmulator::BackTab},
    {'a', kPrefixNone, &ScoAnsiEmulator::CursorRight},
    {'d', kPrefixNone, &ScoAnsiEmulator::RowAbsolute},
    {'g', kPrefixNone, &ScoAnsiEmulator::ClearTabs},
    {'h', kPrefixQuestion, &ScoAnsiEmulator::AutoWrapOn},
    {'h', kPrefixNone, &ScoAnsiEmulator::LockKeyboard},
    {'l', kPrefixQuestion, &ScoAnsiEmulator::AutoWrapOff},
    {'l', kPrefixNone, &ScoAnsiEmulator::UnlockKeyboard},
    {'i', kPrefixNone, &ScoAnsiEmulator::SendScreen},
    {'m', kPrefixNone, &ScoAnsiEmulator::SetGraphicRendition},
    {'s', kPrefixNone, &ScoAnsiEmulator::SaveCursor},
    {'u', kPrefixNone, &ScoAnsiEmulator::RestoreCursor},
};
// clang-format on

// With the HostCompatibility switch on, what Debian's ansi entry (the SCO
// ANSI type announces "ansi") sends beyond the SCO table.
const ScoAnsiEmulator::Row ScoAnsiEmulator::kHostCsiTable[] = {
    {'G', kPrefixNone, &ScoAnsiEmulator::ColumnAbsolute},
    {'b', kPrefixNone, &ScoAnsiEmulator::Repeat},
};
const CsiIndex<ScoAnsiEmulator> ScoAnsiEmulator::kCsiIndex{kCsiTable};
const CsiIndex<ScoAnsiEmulator> ScoAnsiEmulator::kHostCsiIndex{kHostCsiTable};

void ScoAnsiEmulator::CsiFinal(uint8_t byte) {
  if (HostRules() && kHostCsiIndex.Dispatch(*this, byte, PrefixBit())) return;
  if (!kCsiIndex.Dispatch(*this, byte, PrefixBit())) Unrecognised();
}

// ESC [ n ' and ESC [ n d: column or row n, counted from 1 as the host's
// other positions are (ESC [ 0 d and ESC [ 1 d both give the first row).
void ScoAnsiEmulator::ColumnAbsolute() { Send(WUM_SETROWORCOL, static_cast<uintptr_t>(std::max(Parameter(0) - 1, 0)), 0); }
void ScoAnsiEmulator::RowAbsolute() { Send(WUM_SETROWORCOL, static_cast<uintptr_t>(std::max(Parameter(0) - 1, 0)), 1); }

void ScoAnsiEmulator::PrecedingLine() {
  Send(WUM_CARRIAGERETURN);
  Send(WUM_CURSORUP, 0, CountParameter());
}

void ScoAnsiEmulator::InsertLinesLogged() {
  frame_.log.Log("Insert %d lines\n", CountParameter());
  InsertLines();
}

void ScoAnsiEmulator::ScrollDown() { Send(WUM_SCROLLREGION, 0, -static_cast<intptr_t>(CountParameter())); }

// ESC [ n X: n characters from the cursor on.
void ScoAnsiEmulator::EraseChars() {
  CellRect rect{0, 0, CountParameter() - 1, 0};
  Send(WUM_ERASERECT, reinterpret_cast<uintptr_t>(&rect), 1);
}

void ScoAnsiEmulator::BackTab() { Send(WUM_TAB, static_cast<uintptr_t>(-static_cast<intptr_t>(CountParameter()))); }

void ScoAnsiEmulator::KeyboardLock(intptr_t locked) {
  if (ParameterCount() != 1 || Parameter(0) != 2) return Unrecognised();
  Send(WUM_SETOPTION, OPTION_KEYBOARDLOCK, locked);
}

void ScoAnsiEmulator::LockKeyboard() { KeyboardLock(1); }
void ScoAnsiEmulator::UnlockKeyboard() { KeyboardLock(0); }
void ScoAnsiEmulator::SendScreen() { Send(WUM_SENDSCREEN); }

// --- Colour pairs ---

// One colour of a pair; shown at once when the pair is the one in use.
// A number past the client's table is kept as the host gave it: the host
// reads it back in the colour report, and the client ignores it.
void ScoAnsiEmulator::SetPairColour(ColourPair& pair, bool foreground, int32_t colour, bool active) {
  (foreground ? pair.foreground : pair.background) = colour;
  if (!active) return;
  ColourRecord record{0, 0, foreground ? COLOUR_GIVES_FOREGROUND : COLOUR_GIVES_BACKGROUND};
  (foreground ? record.foreground : record.background) = colour;
  Send(WUM_SETCOLOR, reinterpret_cast<uintptr_t>(&attributes_), reinterpret_cast<intptr_t>(&record));
}

void ScoAnsiEmulator::NormalForeground() { SetPairColour(normal_, true, MapColour(Parameter(0) % 18), NoPairActive()); }
void ScoAnsiEmulator::NormalBackground() { SetPairColour(normal_, false, MapColour(Parameter(0) % 18), NoPairActive()); }
void ScoAnsiEmulator::ReverseForeground() { SetPairColour(reverse_, true, MapColour(Parameter(0) % 18), reverseActive_); }
void ScoAnsiEmulator::ReverseBackground() { SetPairColour(reverse_, false, MapColour(Parameter(0)), reverseActive_); }
void ScoAnsiEmulator::GraphicsForeground() { SetPairColour(graphics_, true, MapColour(Parameter(0)), graphicsActive_); }
void ScoAnsiEmulator::GraphicsBackground() { SetPairColour(graphics_, false, MapColour(Parameter(0)), graphicsActive_); }

// ESC [ = n M: the pair's palette numbers, foreground first.
void ScoAnsiEmulator::ColourReport() {
  const ColourPair& pair = Parameter(0) == 1 ? reverse_ : Parameter(0) == 2 ? graphics_ : normal_;
  // Built without the formatter: an answer is on the host's wait.
  std::string report = std::to_string(pair.foreground) + ' ' + std::to_string(pair.background) + '\n';
  Send(WUM_SENDDATA, reinterpret_cast<uintptr_t>(report.data()), static_cast<intptr_t>(report.size()));
}

// ESC [ 2 ; f ; b m and ESC [ 7 ; f ; b m.
void ScoAnsiEmulator::SetPair(ColourPair& pair, int32_t foreground, int32_t background) {
  pair.foreground = MapColour(foreground);
  pair.background = MapColour(background);
}

void ScoAnsiEmulator::UsePair(const ColourPair& pair, ColourRecord& colours) {
  colours = ColourRecord{pair.background, pair.foreground, COLOUR_GIVES_BACKGROUND | COLOUR_GIVES_FOREGROUND};
}

void ScoAnsiEmulator::DefaultColour(bool foreground, ColourRecord& colours) {
  if (foreground) {
    colours.foreground = normal_.foreground;
    colours.which |= COLOUR_GIVES_FOREGROUND;
  } else {
    colours.background = normal_.background;
    colours.which |= COLOUR_GIVES_BACKGROUND;
  }
}

// --- Rendition ---

int ScoAnsiEmulator::Rendition(int index, ColourRecord& colours) {
  // Today's hosts select line drawing once (ESC [ 12 m) and change colours
  // inside it: with the switch on it lasts until ESC [ 10 m.
  if (index == 0 && graphicsActive_ && frame_.hostCompatibility) attributes_ |= ATTR_GRAPHICS;
  int32_t p = Parameter(index);
  switch (p) {
    case 0:
      UsePair(normal_, colours);
      reverseActive_ = false;
      return 0;
    case 2:
      if (index != 0 || ParameterCount() < 3) break;  // dim
      SetPair(normal_, Parameter(1), Parameter(2));
      UsePair(normal_, colours);
      return 2;
    case 7: {
      // Reverse video is the reverse pair, not the REVERSE bit.
      int used = index == 0 && ParameterCount() == 3 ? 2 : 0;
      if (used) SetPair(reverse_, Parameter(1), Parameter(2));
      UsePair(reverse_, colours);
      reverseActive_ = true;
      return used;
    }
    case 10:
      attributes_ &= ~kCharacterSetField;
      if (graphicsActive_) UsePair(normal_, colours);
      graphicsActive_ = false;
      return 0;
    case 11: return 0;
    case 12:
      attributes_ |= ATTR_GRAPHICS;
      UsePair(graphics_, colours);
      graphicsActive_ = true;
      return 0;
    case 1: case 3: case 4: case 5: case 6: case 8: break;
    case 39: case 49:
      // The default colours, which slang and ncurses send for "no colour":
      // with the switch on those of the normal pair; not SCO's otherwise.
      if (frame_.hostCompatibility)
        DefaultColour(p == 39, colours);
      else
        UnknownRendition(p);
      return 0;
    default:
      if ((p >= 30 && p <= 37) || (p >= 40 && p <= 47)) break;  // palette numbers, not mapped
      UnknownRendition(p);
      return 0;
  }
  ApplyRendition(p, colours);
  return 0;
}

}  // namespace korvane
