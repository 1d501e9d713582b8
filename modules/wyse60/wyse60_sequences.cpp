// The Wyse 60 sequences that take arguments after ESC and their letter:
// cursor addressing, attributes, line graphics, screen mode, and the
// groups led by "~", grave accent, "c", "d", "e" and "w".
#include <algorithm>

#include "wyse60_emulator.h"
#include "wyse60_tables.h"

namespace korvane {

namespace {

constexpr uint8_t STX = 2, ETX = 3;
// Decimal addresses stop growing here: the client reduces them modulo the
// screen, so any larger value would only wrap in the 16-bit field.
constexpr int32_t kAddressLimit = 0x10000;

int32_t AddDigit(int32_t value, uint8_t digit) { return std::min(value * 10 + (digit - '0'), kAddressLimit); }

// 1-based, with 0 meaning the first row or column too.
uint32_t FromOneBased(int32_t value) { return static_cast<uint32_t>(std::min(std::max(value - 1, 0), 0xFFFF)); }

bool IsDigit(uint8_t byte) { return byte >= '0' && byte <= '9'; }
bool InRange(uint8_t byte, uint8_t first, uint8_t last) { return byte >= first && byte <= last; }

}  // namespace

// --- ESC = row column: each byte is the position plus 32 ---

void Wyse60Emulator::CursorRow(uint8_t byte) {
  Collect(byte);
  row_ = std::max(byte - 32, 0);
  state_ = State::CursorColumn;
}

void Wyse60Emulator::CursorColumn(uint8_t byte) {
  Collect(byte);
  column_ = std::max(byte - 32, 0);
  Send(WUM_MOVECURSOR, MakeLong(static_cast<uint32_t>(column_), static_cast<uint32_t>(row_)));
  Complete();
}

// --- ESC a row R column C, in decimal ---

void Wyse60Emulator::DecimalRow(uint8_t byte) {
  Collect(byte);
  if (IsDigit(byte))
    row_ = AddDigit(row_, byte);
  else if (byte == 'R')
    state_ = State::DecimalColumn;
  else
    Unrecognised();
}

void Wyse60Emulator::DecimalColumn(uint8_t byte) {
  Collect(byte);
  if (IsDigit(byte)) {
    column_ = AddDigit(column_, byte);
  } else if (byte == 'C') {
    Send(WUM_MOVECURSOR, MakeLong(FromOneBased(column_), FromOneBased(row_)));
    Complete();
  } else {
    Unrecognised();
  }
}

// --- Attributes ---

void Wyse60Emulator::SetVideoBits(uint32_t& word, uint8_t byte) {
  uint32_t bits = 0;
  if (!VideoAttribute(byte, bits)) Unrecognised();
  word = (word & ~kVideoBits) | bits;
}

// ESC G a: an unknown byte clears the video attribute and is still sent.
void Wyse60Emulator::Attribute(uint8_t byte) {
  Collect(byte);
  Complete();
  SetVideoBits(attributes_, byte);
  SendAttributes();
}

// ESC A n a: only the message field ("1") is kept; the client shows it as
// the status line's attribute.
void Wyse60Emulator::MessageFieldSelector(uint8_t byte) {
  Collect(byte);
  selector_ = byte;
  state_ = State::MessageFieldAttribute;
}

void Wyse60Emulator::MessageFieldAttribute(uint8_t byte) {
  Collect(byte);
  if (selector_ != '1') return Ignored("set message field attribute");
  Complete();
  SetVideoBits(messageField_, byte);
  Send(WUM_SETOPTION, OPTION_STATUSATTRIBUTE, reinterpret_cast<intptr_t>(&messageField_));
}

// ESC H STX / ETX switch line-graphics mode; any other byte is one graphic.
void Wyse60Emulator::LineGraphics(uint8_t byte) {
  Collect(byte);
  Complete();
  if (byte == STX || byte == ETX) {
    attributes_ = byte == STX ? attributes_ | ATTR_GRAPHICS : attributes_ & ~ATTR_GRAPHICS;
    return SendAttributes();
  }
  uint8_t glyph = byte < 128 ? LineGraphic(byte) : byte;
  WriteRun(&glyph, 1);
}

void Wyse60Emulator::CharacterSet(uint32_t field) {
  attributes_ = (attributes_ & ~kGraphicsAndCharacterSet) | field;
  SendAttributes();
}

void Wyse60Emulator::ScreenMode(uint8_t byte) {
  Collect(byte);
  if (byte == '0') return Ignored("screen normal");
  if (byte == '1') return Ignored("screen reverse");
  Unrecognised();
}

// --- ESC F text CR, and the strings of ESC z ---

void Wyse60Emulator::StringToCr(uint8_t byte) {
  if (byte != '\r') return Collect(byte);
  EndString();
}

// --- The groups ---

// ESC ~: an unknown byte shows the whole sequence as text.
void Wyse60Emulator::TildeGroup(uint8_t byte) {
  Collect(byte);
  if (byte == ' ') return Ignored("enhance mode off");
  if (byte == '!') return Ignored("enhance mode on");
  if (InRange(byte, '"', '-') || InRange(byte, '4', ';')) return Ignored("set personality");
  if (byte == '.') return Ignored("wyseword off");
  if (byte == '/') return Ignored("wyseword on");
  if (byte == '2') return Ignored("application keypad mode off");
  if (byte == '3') return Ignored("application keypad mode on");
  Unrecognised();
  WriteRun(buffer_.data(), used_);
}

// ESC grave accent: cursor shape and screen width.
void Wyse60Emulator::GraveGroup(uint8_t byte) {
  Collect(byte);
  Complete();
  if (byte == '0') {
    Send(WUM_SETCURSOR, 0, 0);
  } else if (InRange(byte, '1', '5')) {
    Send(WUM_SETCURSOR, 0, byte - 47);
  } else if (byte == ':' || byte == ';') {
    Send(WUM_RESIZE, MakeLong(0, byte == ':' ? 80 : 132));
  } else if (byte == '8') {
    Ignored("screen display off");
  } else if (byte == '9') {
    Ignored("screen display on");
  } else if (InRange(byte, '<', '@')) {
    Ignored("set scroll speed");
  } else if (InRange(byte, 'a', 'c')) {
    Ignored("set status line");
  } else {
    Unrecognised();
  }
}

void Wyse60Emulator::CGroup(uint8_t byte) {
  Collect(byte);
  Complete();
  switch (byte) {
    case '6': case '7': case '8':
      selector_ = byte;
      skip_ = byte == '8' ? 5 : 1;
      state_ = State::CSkip;
      break;
    case 'D': CharacterSet(0); break;
    case 'E': CharacterSet(1u << ATTR_CHARSET_SHIFT); break;
    case 'L': case 'O': Send(WUM_CLEAREOL); break;
    case 'U': frame_.keys.LoadDefaultKeyList(DefaultKeyList()); break;
    case 'B': case 'C':
      // Receive and send handshaking, one argument byte; ncurses' wy60
      // entry sends them when it starts (switch on only).
      if (!frame_.hostCompatibility) return Unrecognised();
      selector_ = byte;
      skip_ = 1;
      state_ = State::CSkip;
      break;
    default: Unrecognised(); break;
  }
}

// The argument bytes of ESC c 6, ESC c 7 and ESC c 8 (and of ESC c B and
// ESC c C with the switch on), consumed unused.
void Wyse60Emulator::CSkip(uint8_t byte) {
  Collect(byte);
  if (--skip_ > 0) return;
  if (selector_ == '8') return Ignored("Set time of day");
  Complete();
}

void Wyse60Emulator::DGroup(uint8_t byte) {
  Collect(byte);
  Complete();
  switch (byte) {
    case ' ': Ignored("secondary receive mode on"); break;
    case '!': Ignored("secondary receive mode off"); break;
    case '#':
      SetMachine(MachineState::Printer);
      frame_.printer.TurnPrinterOn();
      break;
    case '$': Ignored("bidirectional print mode off"); break;
    case '%': Ignored("bidirectional print mode on"); break;
    case '*': Ignored("autopage off"); break;
    case '+': Ignored("autopage on"); break;
    case '.': Send(WUM_SETOPTION, OPTION_AUTOWRAP, 0); break;
    case '/': Send(WUM_SETOPTION, OPTION_AUTOWRAP, 1); break;
    case '`': Ignored("Unknown sequence"); break;
    default: Unrecognised(); break;
  }
}

void Wyse60Emulator::StatusLineRows(int32_t shown, int32_t rows) {
  Send(WUM_SETOPTION, OPTION_STATUSLINE, shown);
  Send(WUM_RESIZE, MakeLong(static_cast<uint32_t>(rows), 0));
}

void Wyse60Emulator::EGroup(uint8_t byte) {
  Collect(byte);
  Complete();
  static const struct {
    uint8_t byte;
    const char* name;
  } kIgnored[] = {
      {'"', "page edit mode off"}, {'#', "page edit mode on"}, {'$', "key click off"},
      {'%', "key click on"}, {'&', "caps lock on"}, {'\'', "caps lock off"},
      {'-', "key repeat on"}, {'0', "character attribute mode off"}, {'1', "character attribute mode on"},
      {'2', "page attribute mode on"}, {'3', "line attributed mode on"}, {'4', "received c/r mode off"},
      {'5', "received c/r mode on"}, {'6', "ack mode off"}, {'7', "ack mode on"},
      {':', "initialize tabs off"}, {';', "initialize tabs on"}, {'D', "unknown"},
      {'V', "unknown"}, {'L', "margin bell off"}, {'M', "margin bell on"},
      {'N', "automatic font loading off"}, {'O', "automatic font loading on"}, {'P', "screen saver off"},
      {'Q', "screen saver on"}, {'T', "define capslock as capslock"}, {'U', "define capslock as reverse"},
  };
  switch (byte) {
    case '(': return StatusLineRows(1, 24);
    case ')': return StatusLineRows(0, 25);
    case '*': return StatusLineRows(1, 42);
    case '+': return StatusLineRows(0, 43);
    default: break;
  }
  for (const auto& entry : kIgnored)
    if (entry.byte == byte) return Ignored(entry.name);
  Unrecognised();
}

// ESC w: memory pages.
void Wyse60Emulator::WGroup(uint8_t byte) {
  Collect(byte);
  Complete();
  if (InRange(byte, '0', '6'))
    Send(WUM_SETPAGE, static_cast<uintptr_t>(byte - '0'));
  else if (byte == 'B')
    Send(WUM_SETPAGE, kPreviousPage);
  else if (byte == 'C')
    Send(WUM_SETPAGE, kNextPage);
  else if (InRange(byte, 'G', 'J'))
    Ignored("divide memory into pages");
  else
    Unrecognised();
}

}  // namespace korvane
