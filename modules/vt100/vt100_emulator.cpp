#include "vt100_emulator.h"

#include <algorithm>
#include <cstdlib>

namespace korvane {

namespace {

constexpr uint8_t NUL = 0, BEL = 7, BS = 8, HT = 9, LF = 10, FF = 12, CR = 13, SO = 14, SI = 15, DC2 = 18,
                  DC4 = 20, ESC = 27;
constexpr uint8_t kNormalControls[] = {NUL, BEL, BS, HT, LF, FF, CR, SO, SI, DC2, DC4, ESC};
constexpr uint32_t kCharacterSetField = ATTR_GRAPHICS | ATTR_CHARSET_MASK;
// Host-programmed key text is kept to this many bytes.
constexpr size_t kKeyTextLimit = 256;

// Two 16-bit halves of a wParam, each held to its range first so that a
// huge parameter cannot wrap into a small one.
uintptr_t Pack(int32_t low, int32_t high) {
  return MakeLong(static_cast<uint32_t>(std::clamp(low, 0, 0xFFFF)), static_cast<uint32_t>(std::clamp(high, 0, 0xFFFF)));
}

}  // namespace

Vt100Emulator::Vt100Emulator(ModuleFrame& frame) : SequenceParser(frame) { SetMode(Mode::Normal); }

void Vt100Emulator::DescribeTerminal(TermInfo& info) {
  info.fontCharSet = 1;
  info.flags |= TERMINFO_DELAYED_WRAP;
}

// Each mode has its own set of ground bytes that are not text.
void Vt100Emulator::SetMode(Mode mode) {
  mode_ = mode;
  for (int byte = 0; byte < 256; ++byte) MarkControl(static_cast<uint8_t>(byte), byte == ESC);
  if (mode == Mode::Normal)
    for (uint8_t byte : kNormalControls) MarkControl(byte, true);
  if (mode == Mode::Printer) MarkControl(DC2, true);
}

void Vt100Emulator::WriteText(uint8_t* text, size_t count) {
  if (mode_ == Mode::Printer)
    frame_.printer.Print(text, count);
  else
    SequenceParser::WriteText(text, count);
}

// --- Ground ---

void Vt100Emulator::ControlByte(uint8_t byte) {
  if (mode_ == Mode::Printer) {  // only DC2 is a control here
    SetMode(Mode::Normal);
    frame_.printer.TurnPrinterOff();
    return;
  }
  switch (byte) {
    case BEL: Send(WUM_BEEP); break;
    case BS: Send(WUM_CURSORLEFT, 0, 1); break;
    case HT: Send(WUM_TAB, 0); break;
    case LF: Send(WUM_CURSORDOWN, 0, 1); break;
    case FF:
      Send(WUM_CLEARSCREEN);
      Send(WUM_MOVECURSOR, 0);
      break;
    case CR: Send(WUM_CARRIAGERETURN); break;
    case SO: SetCharacterSet(ATTR_GRAPHICS); break;
    case SI: SetCharacterSet(0); break;
    case DC4:
      SetMode(Mode::Printer);
      frame_.printer.TurnPrinterOn();
      break;
    default: break;  // NUL and DC2 are dropped
  }
}

// --- After ESC ---

void Vt100Emulator::EscapeFinal(uint8_t byte) {
  if (mode_ != Mode::Normal) return EchoSequence();
  switch (byte) {
    case '1':
    case 'H': Send(WUM_SETTAB); break;
    case '2': Send(WUM_CLEARTAB, 1); break;
    case '7': Send(WUM_SAVECURSOR, 1); break;
    case '8': Send(WUM_RESTORECURSOR, 1); break;
    case 'M': Send(WUM_CURSORUP, 1, 1); break;
    default: Unrecognised(); break;
  }
}

// The sequence so far goes out as text (display controls) or to the printer.
void Vt100Emulator::EchoSequence() {
  Finish();
  WriteText(Collected(), CollectedCount());
}

bool Vt100Emulator::CsiIntroducer(uint8_t byte) {
  if (byte != '>') return false;
  Collect(byte);
  BeginKeyProgramming(kKeyTextLimit);
  return true;
}

void Vt100Emulator::CsiEntry(uint8_t byte) {
  if (mode_ != Mode::Normal && !IsDigit(byte)) {
    Collect(byte);
    return EchoSequence();
  }
  SequenceParser::CsiEntry(byte);
}

void Vt100Emulator::CsiParameters(uint8_t byte) {
  if (mode_ == Mode::Printer && byte == ';') {
    Collect(byte);
    return EchoSequence();
  }
  SequenceParser::CsiParameters(byte);
}

// clang-format off
const Vt100Emulator::Row Vt100Emulator::kCsiTable[] = {
    {'@', kPrefixNone, &Vt100Emulator::InsertChars},
    {'A', kPrefixNone, &Vt100Emulator::CursorUp},
    {'B', kPrefixNone, &Vt100Emulator::CursorDown},
    {'C', kPrefixNone, &Vt100Emulator::CursorRight},
    {'C', kPrefixEquals, &Vt100Emulator::CursorShape},
    {'D', kPrefixNone, &Vt100Emulator::CursorLeft},
    {'E', kPrefixEquals, &Vt100Emulator::IgnoreColourModeE},
    {'F', kPrefixEquals, &Vt100Emulator::ForegroundColour},
    {'F', kPrefixNone | kPrefixQuestion, &Vt100Emulator::Ignore},
    {'G', kPrefixEquals, &Vt100Emulator::BackgroundColour},
    {'G', kPrefixNone | kPrefixQuestion, &Vt100Emulator::Ignore},
    {'H', kPrefixNone, &Vt100Emulator::CursorPosition},
    {'J', kPrefixNone, &Vt100Emulator::EraseDisplay},
    {'K', kPrefixNone, &Vt100Emulator::EraseLine},
    {'L', kPrefixNone, &Vt100Emulator::InsertLines},
    {'M', kPrefixNone, &Vt100Emulator::DeleteLines},
    {'P', kPrefixNone, &Vt100Emulator::DeleteChars},
    {'S', kPrefixNone, &Vt100Emulator::ScrollUp},
    {'g', kPrefixNone, &Vt100Emulator::ClearTabs},
    {'h', kPrefixQuestion, &Vt100Emulator::SetPrivateMode},
    {'l', kPrefixQuestion, &Vt100Emulator::ResetPrivateMode},
    {'h', kPrefixNone | kPrefixEquals, &Vt100Emulator::SetAnsiMode},
    {'l', kPrefixNone | kPrefixEquals, &Vt100Emulator::ResetAnsiMode},
    {'i', kPrefixNone, &Vt100Emulator::MediaCopy},
    {'m', kPrefixNone, &Vt100Emulator::SetGraphicRendition},
    {'r', kPrefixNone, &Vt100Emulator::ScrollingRegion},
    {'s', kPrefixNone, &Vt100Emulator::SaveCursor},
    {'u', kPrefixNone, &Vt100Emulator::RestoreCursor},
};
// clang-format on

void Vt100Emulator::CsiFinal(uint8_t byte) {
  switch (mode_) {
    case Mode::Normal:
      if (!DispatchCsi(*this, kCsiTable, byte, PrefixBit())) Unrecognised();
      break;
    case Mode::DisplayControls:
    case Mode::Printer: ModeFinal(byte); break;
    default:
      frame_.log.Log("Really, really bad error - unexpected MachineState in DLL\n");
      std::exit(1);
  }
}

// In display controls only ESC [ 10 m and ESC [ 12 m act; in printer
// pass-through only ESC [ 4 i. Anything else is shown or printed as received.
void Vt100Emulator::ModeFinal(uint8_t byte) {
  if (mode_ == Mode::DisplayControls && byte == 'm' && (Parameter(0) == 10 || Parameter(0) == 12)) {
    SetMode(Mode::Normal);
    SetCharacterSet(Parameter(0) == 12 ? ATTR_GRAPHICS : 0u);
  } else if (mode_ == Mode::Printer && byte == 'i' && Parameter(0) == 4) {
    SetMode(Mode::Normal);
    frame_.printer.TurnPrinterOff();
  } else {
    EchoSequence();
  }
}

// --- Host-programmed keys and status-line text ---

void Vt100Emulator::KeyString(uint8_t key, const uint8_t* text, size_t length) {
  int32_t code = 0;
  if (key >= 'A' && key <= 'E') code = 112 + (key - 'A');
  else if (key >= 'F' && key <= 'J') code = KEY_SHIFT + 112 + (key - 'F');
  else if (key >= 'a' && key <= 'k') code = 117 + (key - 'a');
  else if (key >= 'l' && key <= 'v') code = KEY_SHIFT + 117 + (key - 'l');
  if (code) {
    frame_.keys.Define(code, text, length);
  } else if (key == '+') {
    StatusText status{reinterpret_cast<const char*>(text), static_cast<int32_t>(length)};
    Send(WUM_SETOPTION, OPTION_STATUSTEXT, reinterpret_cast<intptr_t>(&status));
  } else {
    Unrecognised();
  }
}

// --- CSI handlers ---

void Vt100Emulator::InsertChars() { Send(WUM_INSERTCHARS, 0, CountParameter()); }
void Vt100Emulator::CursorUp() { Send(WUM_CURSORUP, 0, CountParameter()); }
void Vt100Emulator::CursorDown() { Send(WUM_CURSORDOWN, 0, CountParameter()); }
void Vt100Emulator::CursorRight() { Send(WUM_CURSORRIGHT, 0, CountParameter()); }
void Vt100Emulator::CursorLeft() { Send(WUM_CURSORLEFT, 0, CountParameter()); }
void Vt100Emulator::InsertLines() { Send(WUM_INSERTLINES, 0, CountParameter()); }
void Vt100Emulator::DeleteLines() { Send(WUM_DELETELINES, 0, CountParameter()); }
void Vt100Emulator::DeleteChars() { Send(WUM_DELETECHARS, 0, CountParameter()); }
void Vt100Emulator::ScrollUp() { Send(WUM_SCROLLREGION, 0, CountParameter()); }
void Vt100Emulator::SaveCursor() { Send(WUM_SAVECURSOR, 0); }
void Vt100Emulator::RestoreCursor() { Send(WUM_RESTORECURSOR, 0); }

// ESC [ = start ; end C: the cursor's scan lines out of 16, as tenths of
// the cell. A visible cursor is at least one tenth and at most the cell.
void Vt100Emulator::CursorShape() {
  int64_t span = std::llabs(int64_t{Parameter(1)} - Parameter(0));
  int64_t tenths = std::min<int64_t>(span * 10 / 16, 10);
  if (span != 0 && tenths == 0) tenths = 1;
  Send(WUM_SETCURSOR, 0, static_cast<intptr_t>(tenths));
}

void Vt100Emulator::IgnoreColourModeE() { frame_.log.Log("IGNORE ESC[=%dE\n", Parameter(0)); }

void Vt100Emulator::ForegroundColour() { SetColour(COLOUR_GIVES_FOREGROUND); }
void Vt100Emulator::BackgroundColour() { SetColour(COLOUR_GIVES_BACKGROUND); }

void Vt100Emulator::SetColour(int32_t which) {
  int32_t colour = Parameter(0);
  if (colour < 0 || colour > 15) {
    frame_.log.Log("Invalid range for parameter\n");
    return Unrecognised();
  }
  ColourRecord record{0, 0, which};
  (which == COLOUR_GIVES_FOREGROUND ? record.foreground : record.background) = colour;
  Send(WUM_SETCOLOR, reinterpret_cast<uintptr_t>(&attributes_), reinterpret_cast<intptr_t>(&record));
}

void Vt100Emulator::CursorPosition() {
  auto lowered = [this](int i) { return Parameter(i) > 0 ? Parameter(i) - 1 : Parameter(i); };
  Send(WUM_MOVECURSOR, Pack(lowered(1), lowered(0)));
}

void Vt100Emulator::EraseDisplay() {
  switch (Parameter(0)) {
    case 0: Send(WUM_CLEAREOS); break;
    case 1: Send(WUM_CLEARBOS); break;
    case 2:
      Send(WUM_CLEARSCREEN);
      Send(WUM_MOVECURSOR, 0);
      break;
    default: Unrecognised(); break;
  }
}

void Vt100Emulator::EraseLine() {
  switch (Parameter(0)) {
    case 0: Send(WUM_CLEAREOL); break;
    case 1: Send(WUM_CLEARBOL); break;
    case 2: Send(WUM_CLEARLINE); break;
    default: Unrecognised(); break;
  }
}

void Vt100Emulator::ClearTabs() {
  switch (Parameter(0)) {
    case 0: Send(WUM_CLEARTAB, 0); break;
    case 3: Send(WUM_CLEARTAB, 1); break;
    default: Unrecognised(); break;
  }
}

void Vt100Emulator::SetPrivateMode() {
  for (int i = 0; i < ParameterCount(); ++i) {
    switch (Parameter(i)) {
      case 1: SetCursorKeys(true); break;
      case 3: Send(WUM_RESIZE, Pack(0, 132)); break;
      case 7: Send(WUM_SETOPTION, OPTION_AUTOWRAP, 1); break;
      default: Unrecognised(); break;
    }
  }
}

void Vt100Emulator::ResetPrivateMode() {
  for (int i = 0; i < ParameterCount(); ++i) {
    switch (Parameter(i)) {
      case 1: SetCursorKeys(false); break;
      case 3: Send(WUM_RESIZE, Pack(0, 80)); break;
      case 7: Send(WUM_SETOPTION, OPTION_AUTOWRAP, 0); break;
      default: Unrecognised(); break;
    }
  }
}

// 42/43-row screens: the rows asked for depend on whether the client
// shows the status line at this moment.
void Vt100Emulator::StatusLineRows(int32_t shownRows, int32_t hiddenRows) {
  bool shown = Send(WUM_SETOPTION, OPTION_QUERYSTATUS) != 0;
  Send(WUM_RESIZE, Pack(shown ? shownRows : hiddenRows, 0));
}

void Vt100Emulator::SetAnsiMode() {
  for (int i = 0; i < ParameterCount(); ++i) {
    switch (Parameter(i)) {
      case 3:
        SetMode(Mode::DisplayControls);
        SetCharacterSet(0);
        break;
      case 40: Send(WUM_SETOPTION, OPTION_STATUSLINE, 0); break;
      case 41: StatusLineRows(42, 43); break;
      default: Unrecognised(); break;
    }
  }
}

void Vt100Emulator::ResetAnsiMode() {
  for (int i = 0; i < ParameterCount(); ++i) {
    switch (Parameter(i)) {
      case 3:
        SetMode(Mode::Normal);
        SetCharacterSet(0);
        break;
      case 40: Send(WUM_SETOPTION, OPTION_STATUSLINE, 1); break;
      case 41: StatusLineRows(24, 25); break;
      default: Unrecognised(); break;
    }
  }
}

void Vt100Emulator::MediaCopy() {
  switch (Parameter(0)) {
    case 4: break;
    case 5:
      SetMode(Mode::Printer);
      frame_.printer.TurnPrinterOn();
      break;
    default: Unrecognised(); break;
  }
}

void Vt100Emulator::ScrollingRegion() {
  if (ParameterCount() != 2) return Unrecognised();
  int32_t top = Parameter(0) > 0 ? Parameter(0) - 1 : 0;
  int32_t bottom = Parameter(1) > 0 ? Parameter(1) - 1 : 0;
  Send(WUM_SETSCROLL, Pack(top, bottom));
  Send(WUM_MOVECURSOR, 0);
}

// --- Rendition ---

void Vt100Emulator::SetGraphicRendition() {
  ColourRecord colours{0, 0, 0};
  if (ParameterCount() == 0) ApplyRendition(0, colours);
  for (int i = 0; i < ParameterCount(); ++i) ApplyRendition(Parameter(i), colours);
  SendAttributes(colours.which ? &colours : nullptr);
}

void Vt100Emulator::ApplyRendition(int32_t p, ColourRecord& colours) {
  auto foreground = [&colours](int32_t colour) {
    colours.foreground = colour;
    colours.which |= COLOUR_GIVES_FOREGROUND;
  };
  auto background = [&colours](int32_t colour) {
    colours.background = colour;
    colours.which |= COLOUR_GIVES_BACKGROUND;
  };
  uint32_t& a = attributes_;
  switch (p) {
    case 0:
      a = 0;
      foreground(COLOUR_DEFAULT_FOREGROUND);
      background(COLOUR_DEFAULT_BACKGROUND);
      return;
    case 1: a = (a | ATTR_BOLD) & ~(ATTR_DIM | ATTR_INVISIBLE); return;
    case 2: a = (a | ATTR_DIM) & ~(ATTR_BOLD | ATTR_INVISIBLE); return;
    case 3: a |= ATTR_ITALIC; return;
    case 4: a |= ATTR_UNDERLINE; return;
    case 5: a = (a | ATTR_BLINK) & ~ATTR_RAPIDBLINK; return;
    case 6: a = (a | ATTR_RAPIDBLINK) & ~ATTR_BLINK; return;
    case 7: a |= ATTR_REVERSE; return;
    case 8: a |= ATTR_INVISIBLE; return;
    case 10: a &= ~kCharacterSetField; return;
    case 11: return;
    case 12: a |= ATTR_GRAPHICS; return;
    case 13: a = (a | ATTR_DOUBLEHEIGHT) & ~ATTR_BOTTOMHALF; return;
    case 14: a |= ATTR_DOUBLEHEIGHT | ATTR_BOTTOMHALF; return;
    case 15: a |= ATTR_DOUBLEWIDTH; return;
    case 22: a &= ~(ATTR_BOLD | ATTR_DIM | ATTR_INVISIBLE); return;
    case 24: a &= ~ATTR_UNDERLINE; return;
    case 25: a &= ~(ATTR_BLINK | ATTR_RAPIDBLINK); return;
    case 27: a &= ~ATTR_REVERSE; return;
    default: break;
  }
  if (p >= 30 && p <= 39) return foreground(p - 30);
  if (p >= 40 && p <= 49) return background(p - 40);
  if (p >= 310 && p <= 315) return foreground(p - 300);
  if (p >= 410 && p <= 415) return background(p - 400);
  frame_.log.Log("UNRECOGNIZED set screen parameter....%d\n", p);
}

void Vt100Emulator::SetCharacterSet(uint32_t field) {
  attributes_ = (attributes_ & ~kCharacterSetField) | field;
  SendAttributes(nullptr);
}

void Vt100Emulator::SendAttributes(ColourRecord* colours) {
  Send(WUM_ATTRIBUTES, reinterpret_cast<uintptr_t>(&attributes_), reinterpret_cast<intptr_t>(colours));
}

// --- Cursor keys ---

void Vt100Emulator::SetCursorKeys(bool application) {
  static const struct {
    int32_t code;
    uint8_t final;
  } kArrows[] = {{38, 'A'}, {40, 'B'}, {39, 'C'}, {37, 'D'}};
  for (const auto& arrow : kArrows) {
    const uint8_t bytes[] = {ESC, static_cast<uint8_t>(application ? 'O' : '['), arrow.final};
    frame_.keys.Define(arrow.code, bytes, sizeof bytes);
  }
}

}  // namespace korvane
