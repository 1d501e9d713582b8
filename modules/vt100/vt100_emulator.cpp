#include "vt100_emulator.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace korvane {

namespace {

// Host-programmed key text is kept to this many bytes.
constexpr size_t kKeyTextLimit = 256;

}  // namespace

Vt100Emulator::Vt100Emulator(ModuleFrame& frame) : AnsiFamilyEmulator(frame) { SetMode(Mode::Normal); }

void Vt100Emulator::DescribeTerminal(TermInfo& info) {
  info.fontCharSet = 1;
  info.flags |= TERMINFO_DELAYED_WRAP;
}

// A further dll_Init leaves the pass-through; the printer then closes once
// idle, as after ESC [ 4 i, instead of staying open until the unload.
void Vt100Emulator::ResetMode() {
  if (mode_ == Mode::Printer) frame_.printer.TurnPrinterOff();
  SetMode(Mode::Normal);
}

// Each mode has its own set of ground bytes that are not text.
void Vt100Emulator::SetMode(Mode mode) {
  mode_ = mode;
  for (int byte = 0; byte < 256; ++byte) MarkControl(static_cast<uint8_t>(byte), byte == ESC);
  if (mode == Mode::Normal) {
    MarkCommonControls();
    MarkControl(DC4, true);
    MarkControl('#', HostRules() && characterSets_[shifted_] == 'A');
  }
  if (mode == Mode::Printer) MarkControl(DC2, true);
}

void Vt100Emulator::WriteText(const uint8_t* text, size_t count) {
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
  if (byte == DC4) {
    SetMode(Mode::Printer);
    frame_.printer.TurnPrinterOn();
    return;
  }
  if (HostRules() && (byte == SO || byte == SI || byte == '#')) return HostControl(byte);
  CommonControl(byte);
}

// SO and SI pick G1 and G0; "#" is a control only while the UK set is in use.
void Vt100Emulator::HostControl(uint8_t byte) {
  if (byte == '#') {
    uint8_t pound = 0xA3;
    return WriteText(&pound, 1);
  }
  shifted_ = byte == SO ? 1 : 0;
  SetCharacterSet(CharacterSetField());
  FollowCharacterSets();
}

uint32_t Vt100Emulator::CharacterSetField() const {
  uint8_t set = characterSets_[shifted_];
  return set == '0' || set == '2' ? ATTR_GRAPHICS : 0u;
}

void Vt100Emulator::FollowCharacterSets() {
  MarkControl('#', characterSets_[shifted_] == 'A');
  if ((attributes_ & kCharacterSetField) != CharacterSetField()) SetCharacterSet(CharacterSetField());
}

// --- After ESC ---

void Vt100Emulator::EscapeFinal(uint8_t byte) {
  if (mode_ != Mode::Normal) return EchoSequence();
  if (CommonEscape(byte)) return;
  if (HostRules() && HostEscape(byte)) return;
  switch (byte) {
    case 'H': Send(WUM_SETTAB); break;
    case 'M': Send(WUM_CURSORUP, 1, 1); break;
    default: Unrecognised(); break;
  }
}

bool Vt100Emulator::HostEscape(uint8_t byte) {
  switch (byte) {
    case 'D': Send(WUM_CURSORDOWN, 0, 1); break;  // IND
    case 'E':                                      // NEL
      Send(WUM_CARRIAGERETURN);
      Send(WUM_CURSORDOWN, 0, 1);
      break;
    case 'c': HostReset(); break;
    case 'Z': DeviceAttributes(); break;
    case '=':
    case '>': break;  // keypad modes: the keypad sends what the key table says
    default: return false;
  }
  return true;
}

// ESC ( x and ESC ) x designate G0 and G1 (B, A, 1 text; 0, 2 line
// drawing); ESC # 8 fills the screen with E; the rest is consumed.
void Vt100Emulator::EscapeIntermediateFinal(uint8_t intermediate, uint8_t final) {
  if ((intermediate == '(' || intermediate == ')') && std::strchr("B0A12", final)) {
    characterSets_[intermediate == ')' ? 1 : 0] = final;
    FollowCharacterSets();
  } else if (intermediate == '#' && final == '8') {
    AlignmentPattern();
  }
}

void Vt100Emulator::AlignmentPattern() {
  uint32_t size = Query(QUERY_SIZE);
  int32_t rows = High(size), columns = Low(size);
  if (columns < 1) return;
  std::vector<uint8_t> line;
  for (int32_t row = 0; row < rows; ++row) {
    line.assign(static_cast<size_t>(columns), 'E');
    Send(WUM_MOVECURSOR, Pack(0, row), CURSOR_LIMIT);
    WriteText(line.data(), line.size());
  }
  Send(WUM_MOVECURSOR, 0, CURSOR_LIMIT);
}

// ESC c: the state a VT100 has after power-up, on the screen the client has.
void Vt100Emulator::HostReset() {
  characterSets_[0] = characterSets_[1] = 'B';
  shifted_ = 0;
  originMode_ = false;
  cursorTenths_ = 2;
  SetCursorKeys(false);
  attributes_ = 0;
  ColourRecord colours{COLOUR_DEFAULT_BACKGROUND, COLOUR_DEFAULT_FOREGROUND,
                       COLOUR_GIVES_BACKGROUND | COLOUR_GIVES_FOREGROUND};
  SendAttributes(&colours);
  MarkControl('#', false);
  Send(WUM_SETSCROLL, 0);
  Send(WUM_SETOPTION, OPTION_AUTOWRAP, 1);
  Send(WUM_SETCURSOR, 0, cursorTenths_);
  Send(WUM_CLEARTAB, 1);
  int32_t columns = Low(Query(QUERY_SIZE));
  for (int32_t column = 8; column < columns; column += 8) {
    Send(WUM_MOVECURSOR, Pack(column, 0), CURSOR_LIMIT);
    Send(WUM_SETTAB);
  }
  Send(WUM_CLEARSCREEN);
  Send(WUM_MOVECURSOR, 0, CURSOR_LIMIT);
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

const Vt100Emulator::Row Vt100Emulator::kHostCsiTable[] = {
    {'f', kPrefixNone, &Vt100Emulator::CursorPosition},
    {'n', kPrefixNone, &Vt100Emulator::DeviceStatus},
    {'c', kPrefixNone, &Vt100Emulator::DeviceAttributes},
    {'r', kPrefixNone, &Vt100Emulator::HostScrollingRegion},
};
const CsiIndex<Vt100Emulator> Vt100Emulator::kCsiIndex{kCsiTable};
const CsiIndex<Vt100Emulator> Vt100Emulator::kHostCsiIndex{kHostCsiTable};
// clang-format on

void Vt100Emulator::CsiFinal(uint8_t byte) {
  switch (mode_) {
    case Mode::Normal:
      if (HostRules() && kHostCsiIndex.Dispatch(*this, byte, PrefixBit())) break;
      if (!kCsiIndex.Dispatch(*this, byte, PrefixBit())) Unrecognised();
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

void Vt100Emulator::SetPrivateMode() { PrivateModes(true); }
void Vt100Emulator::ResetPrivateMode() { PrivateModes(false); }

void Vt100Emulator::PrivateModes(bool set) {
  for (int i = 0; i < ParameterCount(); ++i) {
    if (HostRules() && HostPrivateMode(Parameter(i), set)) continue;
    switch (Parameter(i)) {
      case 1: SetCursorKeys(set); break;
      case 3: Send(WUM_RESIZE, Pack(0, set ? 132 : 80)); break;
      case 7: Send(WUM_SETOPTION, OPTION_AUTOWRAP, set ? 1 : 0); break;
      default: Unrecognised(); break;
    }
  }
}

// ESC [ ? 6 h/l origin mode (the cursor goes home), ESC [ ? 25 h/l the
// cursor shown or hidden.
bool Vt100Emulator::HostPrivateMode(int32_t mode, bool set) {
  switch (mode) {
    case 6:
      originMode_ = set;
      Home();
      return true;
    case 25:
      Send(WUM_SETCURSOR, 0, set ? cursorTenths_ : 0);
      return true;
    default: return false;
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

// ESC [ r, ESC [ t r and ESC [ t ; b r: a missing or 0 bottom is the last
// row, one past the screen is held to it; a region of fewer than two rows
// is ignored, as a VT100 ignores it.
void Vt100Emulator::HostScrollingRegion() {
  int32_t rows = High(Query(QUERY_SIZE));
  int32_t top = std::max(Parameter(0), 1) - 1;
  int32_t bottom = Parameter(1) < 1 || Parameter(1) > rows ? rows - 1 : Parameter(1) - 1;
  if (top >= bottom) return;
  Send(WUM_SETSCROLL, Pack(top, bottom));
  Home();
}

// --- Rendition ---

// Under host rules ESC [ m keeps the character set that SO/SI chose, and
// the host's further parameters (39, 49 ...) are known.
void Vt100Emulator::SetGraphicRendition() {
  ColourRecord colours{0, 0, 0};
  bool host = HostRules();
  for (int i = 0; i < std::max(ParameterCount(), 1); ++i) {
    int used = host ? HostRendition(i, colours) : -1;
    if (used >= 0) {
      i += used;
    } else if (!ApplyRendition(Parameter(i), colours)) {
      frame_.log.Log("UNRECOGNIZED set screen parameter....%d\n", Parameter(i));
    } else if (host && Parameter(i) == 0) {
      attributes_ |= CharacterSetField();
    }
  }
  SendAttributes(colours.which ? &colours : nullptr);
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
